#pragma once

#include <QPointer>
#include <array>
#include <functional>

class QDialog;
class QWidget;

namespace vx {

class CDesignSession;
class CNoiseFlow;
class CToleranceFlow;
class CWindowPlaces;

// The modeless windows of the program: the result windows and the two mark windows.
enum class ResultWindow {
    DIMENSIONING,
    PARAMETERS,
    SCHEMATIC,
    TOLERANCE,
    FREQUENCY_MARKS,
    AMPLITUDE_MARKS,
    NOISE
};

// Opens each window at most once (an open one is brought to the front), beside the main window
// or where it was last, and closes them all before the document changes, so that none shows a
// design that is gone.
class CResultWindows {
  public:
    // `redraw` repaints the plot after a mark window took over its marks; `tolerance` and
    // `noise` hold the results of the tolerance analysis and the noise study.
    CResultWindows(QWidget* window, CDesignSession& session, const CToleranceFlow& tolerance,
                   const CNoiseFlow& noise, std::function<void()> redraw);

    // Where the windows open.
    void SetPlaces(CWindowPlaces* places) { places_ = places; }
    // Nothing opens for a window without its content (no tolerance analysis or noise study
    // was run).
    void Show(ResultWindow which);
    void Close(ResultWindow which);
    // Closes every open window; the mark windows take over their marks as they close.
    void CloseAll();
    // The open window, or nullptr.
    QDialog* Open(ResultWindow which) const;

  private:
    QDialog* Make(ResultWindow which);

    QWidget* window_;
    CDesignSession& session_;
    const CToleranceFlow& tolerance_;
    const CNoiseFlow& noise_;
    std::function<void()> redraw_;
    std::array<QPointer<QDialog>, 7> open_;
    CWindowPlaces* places_ = nullptr;
};

}  // namespace vx
