#pragma once

#include <QDialog>

namespace vx {

struct NoiseStudy;

// "Ergebnis - Rauschen und Aussteuerung": the summary lines and the core's tables (the stages'
// gains, the largest contributors, both stage orders where the order matters). Ctrl+C copies
// them as text with the cells between tabs.
class CNoiseResultDlg : public QDialog {
    Q_OBJECT

  public:
    CNoiseResultDlg(const NoiseStudy& study, QWidget* parent);
};

}  // namespace vx
