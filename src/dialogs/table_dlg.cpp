#include "dialogs/table_dlg.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "dialogs/dialog_parts.h"
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

    const auto rows = FilterParameterRows(structure);
    auto* table = new QTableWidget(static_cast<int>(rows.size()) - 1,
                                   static_cast<int>(rows.front().size()), this);
    table->setObjectName("parameterTable");
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->verticalHeader()->hide();
    QStringList header;
    for (const std::string& text : rows.front()) {
        header << Qs(text);
    }
    table->setHorizontalHeaderLabels(header);
    for (size_t r = 1; r < rows.size(); ++r) {
        for (size_t k = 0; k < rows[r].size(); ++k) {
            auto* item = new QTableWidgetItem(Qs(rows[r][k]));
            item->setTextAlignment(Qt::AlignCenter);
            table->setItem(static_cast<int>(r) - 1, static_cast<int>(k), item);
        }
    }
    table->resizeColumnsToContents();
    for (int k = 0; k < table->columnCount(); ++k) {
        // Some air around the numbers, which otherwise touch the grid.
        table->setColumnWidth(k,
                              table->columnWidth(k) + table->fontMetrics().averageCharWidth() * 2);
    }
    // The whole grid without scrolling: at most sixteen rows.
    int width = 2 * table->frameWidth();
    for (int k = 0; k < table->columnCount(); ++k) {
        width += table->columnWidth(k);
    }
    int height = 2 * table->frameWidth() + table->horizontalHeader()->sizeHint().height();
    for (int r = 0; r < table->rowCount(); ++r) {
        height += table->rowHeight(r);
    }
    table->setMinimumSize(width, height);
    table->setMaximumHeight(height);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(table);
    layout->addWidget(OkButton(this));
}

}  // namespace vx
