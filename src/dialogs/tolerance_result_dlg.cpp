#include "dialogs/tolerance_result_dlg.h"

#include <QFontMetrics>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/tolerance_messages.h"
#include "dialogs/copy_shortcut.h"
#include "dialogs/dialog_parts.h"
#include "qt/qt_text.h"
#include "report/tolerance_rows.h"
#include "report/word_wrap.h"

namespace vx {

namespace t = tolerance_text;

namespace {

// `text` broken between words into lines no wider than `width`. A label that wraps by itself
// would leave the window's minimum size to a guess, and the window could cut off its rows.
QString Wrapped(const std::string& text, const QFontMetrics& metrics, int width) {
    QStringList lines;
    for (const std::string& line : WrapWords(
             text, width, [&](const std::string& s) { return metrics.horizontalAdvance(Qs(s)); })) {
        lines << Qs(line);
    }
    return lines.join(QLatin1Char('\n'));
}

// The label rows under `form`, the values wrapped to `width` when it is given; they are named
// `<name><index>` for the tests.
void AddRows(QFormLayout* form, const std::vector<LabelRow>& rows, const QString& name,
             QWidget* parent, int width = 0) {
    const QFontMetrics metrics = parent->fontMetrics();
    int labelWidth = 0;
    for (const LabelRow& row : rows) {
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(Qs(row.label + ":")));
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        // Room for the labels and the space between them and their values.
        const QString text = width > 0 ? Wrapped(rows[i].value, metrics,
                                                 width - labelWidth - metrics.averageCharWidth())
                                       : Qs(rows[i].value);
        auto* value = new QLabel(text, parent);
        value->setObjectName(name + QString::number(i));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(Qs(rows[i].label + ":"), value);
    }
}

}  // namespace

CToleranceResultDlg::CToleranceResultDlg(const ToleranceResult& result, QWidget* parent)
    : QDialog(parent) {
    setObjectName("toleranceResultDlg");
    setWindowTitle(Qs(t::kResultTitle));

    auto* settings = new QGroupBox(Qs(t::kSettingsGroup), this);
    AddRows(new QFormLayout(settings), ToleranceSettingRows(result), "settingValue", settings);

    auto* figures = new QGroupBox(Qs(t::kFiguresGroup), this);
    auto* figureLayout = new QVBoxLayout(figures);
    QTableWidget* figureTable =
        ReadOnlyTable(ToleranceFigureTable(result).HeaderAndRows(), "figureTable", figures, 2);
    figureLayout->addWidget(figureTable);
    for (const std::string& note : ToleranceFigureNotes(result)) {
        auto* label = new QLabel(Qs(note), figures);
        label->setObjectName("figureNote");
        figureLayout->addWidget(label);
    }
    auto* yield = new QFormLayout;
    // The mask's description, a long sentence, wraps within the table's width.
    AddRows(yield, ToleranceYieldRows(result), "yieldValue", figures, figureTable->minimumWidth());
    figureLayout->addLayout(yield);

    // Beside the settings, so that the window stays low: a design of many stages scrolls.
    auto* sensitivities = new QGroupBox(Qs(t::kSensitivities), this);
    (new QVBoxLayout(sensitivities))
        ->addWidget(ReadOnlyTable(SensitivityTable(result).HeaderAndRows(), "sensitivityTable",
                                  sensitivities, 8));
    auto* top = new QHBoxLayout;
    top->addWidget(settings, 1);
    top->addWidget(sensitivities);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(figures);
    layout->addWidget(OkButton(this));
    AddCopyShortcut(this, Qs(ToleranceText(result)));
}

}  // namespace vx
