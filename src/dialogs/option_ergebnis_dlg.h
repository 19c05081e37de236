#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace vx {

struct ProgramSettings;

// "Ergebnis - Optionen": whether the printed and HTML reports include the filter parameters,
// and the designer they name (also written into saved specifications).
class COptionErgebnisDlg : public QDialog {
    Q_OBJECT

  public:
    COptionErgebnisDlg(const ProgramSettings& settings, QWidget* parent);

    // The dialog's values written into `settings` (after OK).
    void Store(ProgramSettings& settings) const;

  private:
    QCheckBox* filterparams_;
    QLineEdit* name_;
    QLineEdit* organisation_;
};

}  // namespace vx
