#pragma once

#include <QObject>

#include "shell/window_placement.h"

class QWidget;

namespace vx {

class CSettingsStore;
struct ProgramSettings;

// Opens the windows beside the main window (the result, mark, Spice and help windows) where
// the core's placement puts them, whole on the main window's screen, and keeps in the settings
// where each was when it hid.
class CWindowPlaces : public QObject {
    Q_OBJECT

  public:
    CWindowPlaces(QWidget* main, CSettingsStore& store, ProgramSettings& settings);

    // Places `window`, which is about to be shown for the first time.
    void Place(QWidget* window, PlacedWindow which);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* main_;
    CSettingsStore& store_;
    ProgramSettings& settings_;
};

}  // namespace vx
