#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace vx {

class CFilter;
class COpv;

// "Ergebnis - Dimensionierung": the dimensioning text of the design as it was when the window
// opened, read-only, with tab stops just wider than the widest cell so that the columns line
// up in the window's own font, and the separator as wide as the table. Below it, what the
// design check found. Ctrl+C copies all of it as text.
class CShowErgebnisDlg : public QDialog {
    Q_OBJECT

  public:
    CShowErgebnisDlg(const CFilter& filter, const COpv& opv,
                     const std::vector<std::string>& findings, QWidget* parent);

  private:
    QPlainTextEdit* text_;
};

}  // namespace vx
