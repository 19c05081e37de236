#pragma once

#include <optional>
#include <string>

#include "analysis/tolerance_result.h"
#include "plot/plot_layout.h"
#include "plot/plot_overlay.h"
#include "plot/view_curves.h"
#include "response/filter_dynamics.h"

namespace vx {

class CDesignSession;

// Where a drawing put the horizontal axis and the diagram: for the cursor and the zoom.
struct AxisMapping {
    bool valid = false;
    bool log = true;  // frequency; else linear time
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    double low = 0.0;  // Hz or s at `left`
    double high = 0.0;

    bool Inside(double x, double y) const {
        return valid && x >= left && x <= right && y >= top && y <= bottom;
    }
    double ValueAt(double x) const;
    double PositionOf(double value) const;
};

struct DiagramDrawing {
    PlotDrawing plot;
    AxisMapping axis;
};

// What the main window's diagram shows: magnitude and group delay (the layout of the
// specification's plot), phase, step or impulse response, or the output noise with the gains to
// the op-amp outputs, each over the range the user zoomed to
// or its own. Zoomed curves are computed anew for the range, so that their points always cover
// what is shown; what was computed is kept until the design, its range or its frequency changes.
class CDiagram {
  public:
    explicit CDiagram(CDesignSession& session) : session_(session) {}

    PlotViewKind View() const { return view_; }
    void SetView(PlotViewKind view) { view_ = view; }
    bool FrequencyView() const {
        return view_ == PlotViewKind::MAGNITUDE || view_ == PlotViewKind::PHASE ||
               view_ == PlotViewKind::NOISE;
    }

    // Forgets what was computed and the zoom: a design starts.
    void Reset();

    // The span of the view's axis now shown (Hz or s); nothing without a design.
    struct Span {
        double low = 0.0;
        double high = 0.0;
    };
    std::optional<Span> Shown();
    bool Zoomed();
    // Shows `span` of the view's axis; false, and nothing changes, for a span outside what can
    // be shown (1/1000 to 1000 times the filter frequency, 0 to 50 periods of it) or narrower
    // than a thousandth of the default. Frequency and phase share their zoom, step and impulse.
    bool ZoomTo(Span span);
    // Scales the shown span by `factor` (below 1: closer) about `at`, kept inside the limits.
    bool ZoomAbout(double at, double factor);
    // Moves the shown span by `fraction` of its width (on a frequency axis of its log width).
    bool Pan(double fraction);
    void ResetZoom();

    // The view's curves as shown; empty without a design.
    ViewCurves Curves();
    // The view on `page`; `summary` is the line above it. Overlay and band as CPlotLayout's;
    // they show only in the magnitude view.
    DiagramDrawing Draw(const PlotRect& page, const PlotScale& scale, const std::string& summary,
                        const PlotOverlay* overlay, const ToleranceBand* band);

  private:
    struct Key {
        double frequency = 0.0;
        double plotMin = 0.0;
        double plotMax = 0.0;
        bool operator==(const Key&) const = default;
    };
    // False without a design; drops the cache when the record's range moved.
    bool Prepare();
    Span DefaultSpan() const;
    std::optional<Span>& ZoomOfView() { return FrequencyView() ? frequencyZoom_ : timeZoom_; }
    const std::optional<Span>& ZoomOfView() const {
        return FrequencyView() ? frequencyZoom_ : timeZoom_;
    }
    bool Allowed(const Span& span) const;
    // What was computed for the view's zoom (the frequency views share theirs).
    void DropZoomedCurves();
    const DesignTransfers& Transfers();
    const FilterDynamics& Dynamics();
    // The curves of the frequency zoom, and the phases and time responses of both zooms.
    ResponseCurves& ZoomedCurves();
    const FilterDynamics& ZoomedDynamics();
    const NoiseSpectrum& Noise(const Span& span);
    DiagramDrawing DrawChart(const PlotRect& page, const std::string& summary);
    const char* PanelLabel(const std::string& unit) const;

    CDesignSession& session_;
    PlotViewKind view_ = PlotViewKind::MAGNITUDE;
    std::optional<Key> key_;
    std::optional<Span> frequencyZoom_;
    std::optional<Span> timeZoom_;
    // Computed on demand, for the design and the zoom as they are.
    std::optional<DesignTransfers> transfers_;
    std::optional<FilterDynamics> dynamics_;  // the record's grid and the default time span
    std::optional<ResponseCurves> zoomedCurves_;
    std::optional<FilterDynamics> zoomedDynamics_;  // phases and time responses of the zooms
    std::optional<NoiseSpectrum> noise_;            // over the frequency range shown
};

}  // namespace vx
