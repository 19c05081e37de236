#pragma once

#include <QPointer>
#include <functional>
#include <optional>

#include "app/simulator_run.h"
#include "plot/plot_overlay.h"

class QWidget;

namespace vx {

class CDesignSession;
class CSpiceResultWindow;
class CWindowPlaces;
enum class SpiceMode : int;

// The Spice menu: the configuration dialog, and the analyses. With ngspice an analysis runs in
// batch mode behind the wait dialog and its result is shown in the window "Spice-Ergebnis"; an
// amplitude analysis is also laid over the main diagram. Any other simulator is started on the
// netlist and left to itself.
class CSpiceFlow {
  public:
    using OverlayHook = std::function<void(std::optional<PlotOverlay>)>;

    CSpiceFlow(QWidget* window, CDesignSession& session, OverlayHook overlay);
    ~CSpiceFlow();

    // Unattended (a screenshot run): messages go to standard error instead of boxes.
    void SetUnattended(bool unattended) { unattended_ = unattended; }
    void SetTimeLimit(int seconds) { simulator_.SetTimeLimit(seconds); }
    // Where the result window opens.
    void SetPlaces(CWindowPlaces* places) { places_ = places; }

    void Configure();
    void Run(SpiceMode mode);
    // The result window closes when its design is replaced.
    void CloseResult();
    CSpiceResultWindow* ResultWindow() const;

  private:
    QWidget* window_;
    CDesignSession& session_;
    OverlayHook overlay_;
    CSimulatorRun simulator_;
    QPointer<CSpiceResultWindow> result_;
    CWindowPlaces* places_ = nullptr;
    bool unattended_ = false;
};

}  // namespace vx
