#include "dialogs/table_dlg.h"

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/copy_shortcut.h"
#include "dialogs/dialog_parts.h"
#include "qt/qt_text.h"
#include "report/clipboard_text.h"
#include "report/filter_parameter_rows.h"
#include "report/result_messages.h"
#include "report/summary_text.h"

namespace vx {

CTableDlg::CTableDlg(const CFilter& filter, const COpv& opv, const CFilterStructure& structure,
                     QWidget* parent)
    : QDialog(parent) {
    setObjectName("tableDlg");
    setWindowTitle(Qs(kParametersTitle));
    auto* summary = new QLabel(Qs(SummaryText(filter, opv, SummaryVariant::DIALOG)), this);
    summary->setObjectName("summaryText");

    std::vector<std::vector<std::string>> rows;
    for (const auto& row : FilterParameterRows(structure)) {
        rows.emplace_back(row.begin(), row.end());
    }
    // The whole grid without scrolling: at most sixteen rows.
    QTableWidget* table = ReadOnlyTable(rows, "parameterTable", this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(table);
    layout->addWidget(OkButton(this));
    AddCopyShortcut(this, Qs(ParametersClipboardText(filter, opv, structure)));
}

}  // namespace vx
