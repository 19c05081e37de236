#pragma once

#include <QDialog>

namespace vx {

class CFilter;
class CFilterStructure;
class COpv;

// "Ergebnis - Filterparameter": the summary above a grid of pole quality, pole frequency,
// normalised frequency and gain per stage, as the design was when the window opened. Ctrl+C
// copies both as text.
class CTableDlg : public QDialog {
    Q_OBJECT

  public:
    CTableDlg(const CFilter& filter, const COpv& opv, const CFilterStructure& structure,
              QWidget* parent);
};

}  // namespace vx
