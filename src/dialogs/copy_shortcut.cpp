#include "dialogs/copy_shortcut.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QWidget>
#include <functional>

#include "qt/qt_text.h"
#include "shell/menu_table.h"

namespace vx {

namespace {

void AddCopyAction(QWidget* window, std::function<void()> copy) {
    auto* action = new QAction(window);
    action->setObjectName("copyAction");
    action->setShortcut(QKeySequence(Qs(kCopyShortcut), QKeySequence::PortableText));
    // The whole window's: its read-only texts do not take Ctrl+C for themselves.
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, window, std::move(copy));
    window->addAction(action);
}

// The selection of the focused text, or nothing.
QString SelectedText(const QWidget* window) {
    const QWidget* focus = window->focusWidget();
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(focus)) {
        return edit->textCursor().selection().toPlainText();
    }
    if (const auto* edit = qobject_cast<const QTextEdit*>(focus)) {
        return edit->textCursor().selection().toPlainText();
    }
    if (const auto* label = qobject_cast<const QLabel*>(focus)) {
        return label->selectedText();
    }
    return {};
}

}  // namespace

void AddCopyShortcut(QWidget* window, std::function<QString()> content) {
    AddCopyAction(window, [window, content = std::move(content)] {
        const QString selected = SelectedText(window);
        QApplication::clipboard()->setText(selected.isEmpty() ? content() : selected);
    });
}

void AddCopyShortcut(QWidget* window, const QString& content) {
    AddCopyShortcut(window, [content] { return content; });
}

void AddCopyShortcut(QWidget* window, const QPixmap& picture) {
    AddCopyAction(window, [picture] { QApplication::clipboard()->setPixmap(picture); });
}

}  // namespace vx
