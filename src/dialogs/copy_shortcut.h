#pragma once

#include <QPixmap>
#include <QString>
#include <functional>

class QWidget;

// Ctrl+C in a result window copies what it shows.
namespace vx {

// Copies the text the user selected in the window, or else `content` as plain text.
void AddCopyShortcut(QWidget* window, std::function<QString()> content);
void AddCopyShortcut(QWidget* window, const QString& content);
// Copies `picture`.
void AddCopyShortcut(QWidget* window, const QPixmap& picture);

}  // namespace vx
