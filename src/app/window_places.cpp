#include "app/window_places.h"

#include <QDialog>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include "app/settings_store.h"
#include "qt/window_title.h"
#include "shell/program_settings.h"

namespace vx {

namespace {

constexpr const char* kPlaceProperty = "vxPlacedWindow";

WindowBox BoxOf(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

}  // namespace

CWindowPlaces::CWindowPlaces(QWidget* main, CSettingsStore& store, ProgramSettings& settings)
    : QObject(main), main_(main), store_(store), settings_(settings) {}

void CWindowPlaces::Place(QWidget* window, PlacedWindow which) {
    // The size it will open in: its layout's, as wide as its title asks.
    if (!window->testAttribute(Qt::WA_Resized)) {
        window->adjustSize();
    }
    if (qobject_cast<QDialog*>(window) != nullptr) {
        FitTitle(window);
    }
    // Its frame will be as the main window's, which the window manager has drawn already.
    const QRect mainFrame = main_->frameGeometry();
    const QRect mainInside = main_->geometry();
    const QSize frame(mainFrame.width() - mainInside.width(),
                      mainFrame.height() - mainInside.height());
    const QScreen* screen = main_->screen();
    if (screen == nullptr) {
        return;
    }
    const auto slot = static_cast<size_t>(which);
    // Each kind of window a title bar and a little lower than the one before it, so that
    // windows opened one after the other keep their titles in sight.
    const int below = static_cast<int>(slot) * (mainInside.top() - mainFrame.top() + 8);
    const WindowBox box = PlaceBeside(
        window->width() + frame.width(), window->height() + frame.height(), BoxOf(mainFrame),
        BoxOf(screen->availableGeometry()), ParsePlace(settings_.places.at(slot)), below);
    window->resize(box.width - frame.width(), box.height - frame.height());
    window->move(box.left, box.top);
    window->setProperty(kPlaceProperty, static_cast<int>(which));
    window->installEventFilter(this);
}

bool CWindowPlaces::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide) {
        const auto* window = static_cast<QWidget*>(watched);
        const auto which = static_cast<PlacedWindow>(window->property(kPlaceProperty).toInt());
        settings_.places.at(static_cast<size_t>(which)) =
            PlaceText({window->pos().x(), window->pos().y()});
        store_.WriteValue(settings_, PlaceKey(which));
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vx
