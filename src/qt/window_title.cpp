#include "qt/window_title.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QWidget>
#include <algorithm>

namespace vx {

namespace {

// The window manager's icon and its three buttons take about as much as eight lines of text
// are high; title bars set their text in bold, which is wider.
constexpr int kDecorationLines = 8;
constexpr const char* kFittedProperty = "vxTitleFitted";

}  // namespace

int TitleBarWidth(const QWidget* window) {
    if (window->windowTitle().isEmpty()) {
        return 0;
    }
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int width =
        metrics.horizontalAdvance(window->windowTitle()) + kDecorationLines * metrics.height();
    const QScreen* screen = window->screen();
    return screen != nullptr ? std::min(width, screen->availableGeometry().width()) : width;
}

void FitTitle(QWidget* window) {
    const int needed = TitleBarWidth(window);
    if (needed <= window->minimumWidth()) {
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(window)) {
        // A message box sets its own fixed size from its layout when shown: a strut in the
        // layout widens it. Once is enough; its title does not change.
        auto* grid = qobject_cast<QGridLayout*>(box->layout());
        if (grid == nullptr || box->property(kFittedProperty).toBool()) {
            return;
        }
        const QMargins margins = grid->contentsMargins();
        grid->addItem(new QSpacerItem(needed - margins.left() - margins.right(), 0),
                      grid->rowCount(), 0, 1, grid->columnCount());
        box->setProperty(kFittedProperty, true);
        return;
    }
    window->setMinimumSize(std::max(needed, window->minimumSizeHint().width()),
                           std::max(window->minimumHeight(), window->minimumSizeHint().height()));
    if (window->width() < needed) {
        window->resize(needed, window->height());
    }
}

}  // namespace vx
