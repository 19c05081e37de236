#pragma once

#include <QDialog>

#include "report/schematic_pictures.h"

namespace vx {

// "Schaltbild einer Stufe Ihres Filters": the stage schematic of the design, which carries the
// generic component names (the values are in the dimensioning window). Ctrl+C copies the picture.
class CSchaltbildDlg : public QDialog {
    Q_OBJECT

  public:
    CSchaltbildDlg(SchematicPicture picture, QWidget* parent);
};

}  // namespace vx
