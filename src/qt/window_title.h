#pragma once

class QWidget;

// A window as narrow as its content would have its title cut by the window manager
// ("Grafik…arken"): windows are kept wide enough for their whole title.
namespace vx {

// The width a window's title bar needs: the title in the title bar's font and room for the
// window manager's icon and buttons; at most the screen's width.
int TitleBarWidth(const QWidget* window);

// Widens `window` (a dialog or message box about to be shown) to TitleBarWidth.
void FitTitle(QWidget* window);

}  // namespace vx
