#pragma once

#include <QString>
#include <string>
#include <vector>

class QBoxLayout;
class QDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;
class QWidget;

// Pieces the dialogs share.
namespace vx {

class COpv;
class CRadioGroup;

// "OK" and "Abbrechen", wired to accept and reject.
QWidget* OkCancelButtons(QDialog* dialog);
// "OK" alone, wired to accept: the result windows and the mark windows.
QWidget* OkButton(QDialog* dialog);
// A grid of read-only text cells, `rows` with the header first, each column as wide as its
// texts; up to `visibleRows` rows show without scrolling.
QTableWidget* ReadOnlyTable(const std::vector<std::vector<std::string>>& rows, const QString& name,
                            QWidget* parent, int visibleRows = 16);
// A field for an engineering number, named for the tests.
QLineEdit* NumberEdit(const QString& name, QWidget* parent);
// Fills a number field with the text of `value`; ReadNumber gives back `value` itself while
// the text is unchanged, the typed number after an edit, NaN for a text that is no number.
void ShowNumber(QLineEdit* edit, const std::string& text, double value);
double ReadNumber(const QLineEdit* edit);
// A label of the core's text.
QLabel* TextLabel(const char* text, QWidget* parent);
// "Welligkeit [dB] :" with its field and note, below the characteristic's buttons.
QLineEdit* AddRippleRow(CRadioGroup* characteristic);
// The group "Operationsverstärker" with the list of every model, `selected` chosen; a field
// above it narrows the list as the user types, and a line below gives the chosen model's
// figures. The list's rows are the indices of `opv`, which must outlive the list.
QListWidget* AddOpAmpGroup(QBoxLayout* layout, const COpv& opv, int selected, QWidget* parent);

}  // namespace vx
