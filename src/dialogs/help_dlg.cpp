#include "dialogs/help_dlg.h"

#include <QFontMetrics>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "dialogs/copy_shortcut.h"
#include "dialogs/dialog_parts.h"
#include "qt/qt_text.h"
#include "shell/help_text.h"

namespace vx {

CHelpDlg::CHelpDlg(const std::string& markdown, QWidget* parent) : QDialog(parent) {
    setObjectName("helpDlg");
    setWindowTitle(Qs(kHelpTitle));
    auto* text = new QTextBrowser(this);
    text->setObjectName("helpText");
    text->setOpenExternalLinks(true);
    text->setMarkdown(Qs(markdown));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(OkButton(this));
    // Room for the README's lines of about 100 characters and its command lines; the window
    // placement keeps it within the screen.
    const QFontMetrics metrics(text->font());
    resize(metrics.averageCharWidth() * 110, metrics.lineSpacing() * 40);
    AddCopyShortcut(this, [text] { return text->toPlainText(); });
}

}  // namespace vx
