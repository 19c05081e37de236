#include "dialogs/dialog_parts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/radio_group.h"
#include "model/gain_fields.h"
#include "model/input_dialog_texts.h"
#include "model/opamp_texts.h"
#include "model/opv.h"
#include "qt/qt_text.h"
#include "shell/shell_messages.h"

namespace vx {

namespace {

// Rows of the op-amp list in view; more scroll.
constexpr int kOpAmpRowsShown = 6;

// A button box with German texts and the names the tests use.
QDialogButtonBox* Buttons(QDialog* dialog, QDialogButtonBox::StandardButtons which) {
    auto* box = new QDialogButtonBox(which, dialog);
    box->button(QDialogButtonBox::Ok)->setText(Qs(kOkButton));
    box->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    if (QPushButton* cancel = box->button(QDialogButtonBox::Cancel)) {
        cancel->setText(Qs(kCancelButton));
        cancel->setObjectName("cancelButton");
    }
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

}  // namespace

QWidget* OkCancelButtons(QDialog* dialog) {
    return Buttons(dialog, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
}

QWidget* OkButton(QDialog* dialog) {
    return Buttons(dialog, QDialogButtonBox::Ok);
}

QTableWidget* ReadOnlyTable(const std::vector<std::vector<std::string>>& rows, const QString& name,
                            QWidget* parent, int visibleRows) {
    const int count = static_cast<int>(rows.size()) - 1;
    auto* table = new QTableWidget(count, static_cast<int>(rows.front().size()), parent);
    table->setObjectName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->verticalHeader()->hide();
    QStringList header;
    for (const std::string& text : rows.front()) {
        header << Qs(text);
    }
    table->setHorizontalHeaderLabels(header);
    for (int r = 0; r < count; ++r) {
        const auto& row = rows[static_cast<size_t>(r) + 1];
        for (size_t k = 0; k < row.size(); ++k) {
            auto* item = new QTableWidgetItem(Qs(row[k]));
            item->setTextAlignment(Qt::AlignCenter);
            table->setItem(r, static_cast<int>(k), item);
        }
    }
    table->resizeColumnsToContents();
    for (int k = 0; k < table->columnCount(); ++k) {
        // Some air around the numbers, which otherwise touch the grid.
        table->setColumnWidth(k,
                              table->columnWidth(k) + table->fontMetrics().averageCharWidth() * 2);
    }
    const bool scrolls = count > visibleRows;
    int width = 2 * table->frameWidth();
    for (int k = 0; k < table->columnCount(); ++k) {
        width += table->columnWidth(k);
    }
    if (scrolls) {
        width += table->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    }
    int height = 2 * table->frameWidth() + table->horizontalHeader()->sizeHint().height();
    for (int r = 0; r < std::min(count, visibleRows); ++r) {
        height += table->rowHeight(r);
    }
    table->setMinimumSize(width, height);
    table->setMaximumHeight(height);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    return table;
}

QLineEdit* NumberEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    // Wide enough for "1,234567k" with room to spare.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 12);
    return edit;
}

namespace {

// What a number field was filled with, kept on the field itself.
constexpr const char* kShownText = "vxShownText";
constexpr const char* kShownValue = "vxShownValue";

}  // namespace

void ShowNumber(QLineEdit* edit, const std::string& text, double value) {
    edit->setText(Qs(text));
    edit->setProperty(kShownText, Qs(text));
    edit->setProperty(kShownValue, value);
}

double ReadNumber(const QLineEdit* edit) {
    return FieldNumber(Std(edit->text()), {Std(edit->property(kShownText).toString()),
                                           edit->property(kShownValue).toDouble()});
}

QLabel* TextLabel(const char* text, QWidget* parent) {
    return new QLabel(Qs(text), parent);
}

QLineEdit* AddRippleRow(CRadioGroup* characteristic) {
    auto* row = new QHBoxLayout;
    QLineEdit* ripple = NumberEdit("rippleEdit", characteristic);
    row->addWidget(TextLabel(kRippleLabel, characteristic));
    row->addWidget(ripple);
    row->addWidget(TextLabel(kRippleNote, characteristic));
    row->addStretch(1);
    characteristic->Layout()->addLayout(row);
    return ripple;
}

QListWidget* AddOpAmpGroup(QBoxLayout* layout, const COpv& opv, int selected, QWidget* parent) {
    auto* group = new QGroupBox(Qs(kOpAmpGroup), parent);
    auto* filter = new QLineEdit(group);
    filter->setObjectName("opampFilterEdit");
    filter->setPlaceholderText(Qs(opamp_text::kFilterHint));
    filter->setClearButtonEnabled(true);
    auto* list = new QListWidget(group);
    list->setObjectName("opAmpList");
    for (int i = 0; i < opv.Count(); ++i) {
        list->addItem(Qs(opv.Name(i)));
    }
    auto* info = new QLabel(group);
    info->setObjectName("opampInfo");
    // Hidden rows keep the list's rows the model indices the dialogs read.
    QObject::connect(filter, &QLineEdit::textChanged, list, [list, &opv](const QString& text) {
        int first = -1;
        for (int i = 0; i < list->count(); ++i) {
            const bool match = OpAmpMatches(opv, i, Std(text));
            list->setRowHidden(i, !match);
            first = first < 0 && match ? i : first;
        }
        if (first >= 0 && list->isRowHidden(list->currentRow())) {
            list->setCurrentRow(first);
        }
    });
    QObject::connect(list, &QListWidget::currentRowChanged, info,
                     [info, &opv](int row) { info->setText(Qs(OpAmpFigures(opv, row))); });
    list->setCurrentRow(selected >= 0 && selected < opv.Count() ? selected : 0);
    // A few rows at a time: the list of the catalogue is long, and the filter finds a part.
    const int rows = std::min(opv.Count(), kOpAmpRowsShown) + 1;
    list->setMaximumHeight(list->sizeHintForRow(0) * rows + 2 * list->frameWidth());
    auto* box = new QVBoxLayout(group);
    box->addWidget(filter);
    box->addWidget(list);
    box->addWidget(info);
    layout->addWidget(group);
    return list;
}

}  // namespace vx
