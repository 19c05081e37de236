#include "dialogs/show_ergebnis_dlg.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStringList>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/copy_shortcut.h"
#include "dialogs/dialog_parts.h"
#include "model/search_method_text.h"
#include "qt/qt_text.h"
#include "report/clipboard_text.h"
#include "report/dimensioning_text.h"
#include "report/result_messages.h"
#include "session/design_check_messages.h"

namespace vx {

namespace {

// The findings as a bulleted list under their heading, wrapped to the window's width.
QLabel* FindingsLabel(const std::vector<std::string>& findings, QWidget* parent) {
    QString html = QStringLiteral("<b>%1</b><ul style=\"margin-left: 0\">")
                       .arg(Qs(check::kFindingsHeading).toHtmlEscaped());
    for (const std::string& finding : findings) {
        html += QStringLiteral("<li>%1</li>").arg(Qs(finding).toHtmlEscaped());
    }
    auto* label = new QLabel(html + QStringLiteral("</ul>"), parent);
    label->setObjectName("findingsList");
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

CShowErgebnisDlg::CShowErgebnisDlg(const CFilter& filter, const COpv& opv,
                                   const std::vector<std::string>& findings, QWidget* parent)
    : QDialog(parent), text_(new QPlainTextEdit(this)) {
    setObjectName("showErgebnisDlg");
    setWindowTitle(Qs(kDimensioningTitle));
    text_->setObjectName("dimensioningText");
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);

    const QFontMetrics metrics(text_->font());
    int widest = 0;
    const auto cells = DimensioningCells(filter);
    for (const auto& row : cells) {
        for (const std::string& cell : row) {
            widest = std::max(widest, metrics.horizontalAdvance(Qs(cell)));
        }
    }
    const int column = widest + 2 * metrics.horizontalAdvance(QLatin1Char(' '));
    text_->setTabStopDistance(column);
    const int columns = static_cast<int>(cells.front().size());
    const QString text = Qs(DimensioningText(
        filter, opv,
        FittedSeparator(column, metrics.horizontalAdvance(QLatin1Char('-')), columns)));
    text_->setPlainText(text);

    // As wide as the longest line and as high as the text, within the screen. Every cell
    // ends before its tab stop, so a line is as wide as its tab stops and its last cell.
    int longest = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QStringList parts = line.split(QLatin1Char('\t'));
        longest = std::max(longest, static_cast<int>(parts.size() - 1) * column +
                                        metrics.horizontalAdvance(parts.back()));
    }
    const QSize available = screen() != nullptr ? screen()->availableSize() : QSize(1280, 800);
    const int margins = 2 * text_->frameWidth() + 2 * int(text_->document()->documentMargin());
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    text_->setMinimumSize(
        std::min(longest + margins + scrollBar, available.width() * 9 / 10),
        std::min(static_cast<int>(lines.size() + 1) * metrics.lineSpacing() + margins + scrollBar,
                 available.height() * 7 / 10));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    if (const std::optional<std::string> search = SearchMethodLine(filter)) {
        auto* line = new QLabel(Qs(*search), this);
        line->setObjectName("searchLine");
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(line);
    }
    if (!findings.empty()) {
        layout->addWidget(FindingsLabel(findings, this));
    }
    layout->addWidget(OkButton(this));
    AddCopyShortcut(this, Qs(DimensioningClipboardText(filter, opv, findings)));
}

}  // namespace vx
