#include "plot/diagram.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/tolerance_mask.h"
#include "plot/chart_layout.h"
#include "plot/plot_messages.h"
#include "session/design_session.h"

namespace vx {

namespace {

// How far the axis may be zoomed out: frequencies from 1/1000 to 1000 times the filter
// frequency, times up to 50 periods of it; and in: to a thousandth of the default span.
constexpr double kFrequencyReach = 1000.0;
constexpr double kPeriodsReach = 50.0;
constexpr double kNarrowest = 1e-3;

constexpr PlotColor kWhite{255, 255, 255};
constexpr PlotColor kBlack{0, 0, 0};

}  // namespace

double AxisMapping::ValueAt(double x) const {
    const double t = (x - left) / (right - left);
    return log ? low * std::pow(high / low, t) : low + t * (high - low);
}

double AxisMapping::PositionOf(double value) const {
    const double t =
        log ? std::log(value / low) / std::log(high / low) : (value - low) / (high - low);
    return left + t * (right - left);
}

void CDiagram::Reset() {
    key_.reset();
    frequencyZoom_.reset();
    timeZoom_.reset();
    transfers_.reset();
    dynamics_.reset();
    zoomedCurves_.reset();
    noise_.reset();
    zoomedDynamics_.reset();
}

void CDiagram::DropZoomedCurves() {
    if (FrequencyView()) {
        zoomedCurves_.reset();
        noise_.reset();
    }
    zoomedDynamics_.reset();
}

bool CDiagram::Prepare() {
    const CFilter& filter = session_.Filter();
    if (filter.GetDesignState() != DesignState::DESIGNED || session_.Current() == nullptr) {
        return false;
    }
    const Key key{filter.Frequency(), filter.PlotMin(), filter.PlotMax()};
    if (key_ != key) {
        Reset();
        key_ = key;
    }
    return true;
}

CDiagram::Span CDiagram::DefaultSpan() const {
    const CFilter& filter = session_.Filter();
    if (FrequencyView()) {
        return {filter.Frequency() * filter.PlotMin(), filter.Frequency() * filter.PlotMax()};
    }
    return {0.0, kStepPeriods / filter.Frequency()};
}

std::optional<CDiagram::Span> CDiagram::Shown() {
    if (!Prepare()) {
        return std::nullopt;
    }
    const std::optional<Span>& zoom = ZoomOfView();
    return zoom ? *zoom : DefaultSpan();
}

bool CDiagram::Zoomed() {
    return Prepare() && ZoomOfView().has_value();
}

bool CDiagram::Allowed(const Span& span) const {
    const double f = session_.Filter().Frequency();
    const Span all = DefaultSpan();
    if (FrequencyView()) {
        return span.low >= f / kFrequencyReach * (1.0 - 1e-9) &&
               span.high <= f * kFrequencyReach * (1.0 + 1e-9) &&
               std::log(span.high / span.low) >= kNarrowest * std::log(all.high / all.low);
    }
    return span.low >= 0.0 && span.high <= kPeriodsReach / f * (1.0 + 1e-9) &&
           span.high - span.low >= kNarrowest * (all.high - all.low);
}

bool CDiagram::ZoomTo(Span span) {
    if (!Prepare() || !(span.low < span.high) || !Allowed(span)) {
        return false;
    }
    const Span all = DefaultSpan();
    std::optional<Span>& zoom = ZoomOfView();
    if (std::fabs(span.low - all.low) <= 1e-9 * all.high &&
        std::fabs(span.high - all.high) <= 1e-9 * all.high) {
        zoom.reset();
    } else {
        zoom = span;
    }
    DropZoomedCurves();
    return true;
}

namespace {

// The span moved, not shrunk, back inside [lowest, highest]; cut where it is wider.
CDiagram::Span Fit(CDiagram::Span s, double lowest, double highest) {
    if (s.low < lowest) {
        s.high += lowest - s.low;
        s.low = lowest;
    }
    if (s.high > highest) {
        s.low = std::max(lowest, s.low - (s.high - highest));
        s.high = highest;
    }
    return s;
}

}  // namespace

bool CDiagram::ZoomAbout(double at, double factor) {
    const std::optional<Span> shown = Shown();
    if (!shown) {
        return false;
    }
    const double f = session_.Filter().Frequency();
    if (FrequencyView()) {
        const double u = std::log(at);
        const Span s =
            Fit({u + (std::log(shown->low) - u) * factor, u + (std::log(shown->high) - u) * factor},
                std::log(f / kFrequencyReach), std::log(f * kFrequencyReach));
        return ZoomTo({std::exp(s.low), std::exp(s.high)});
    }
    return ZoomTo(Fit({at + (shown->low - at) * factor, at + (shown->high - at) * factor}, 0.0,
                      kPeriodsReach / f));
}

bool CDiagram::Pan(double fraction) {
    const std::optional<Span> shown = Shown();
    if (!shown) {
        return false;
    }
    const double f = session_.Filter().Frequency();
    if (FrequencyView()) {
        const double shift = fraction * std::log(shown->high / shown->low);
        const Span s = Fit({std::log(shown->low) + shift, std::log(shown->high) + shift},
                           std::log(f / kFrequencyReach), std::log(f * kFrequencyReach));
        return ZoomTo({std::exp(s.low), std::exp(s.high)});
    }
    const double shift = fraction * (shown->high - shown->low);
    return ZoomTo(Fit({shown->low + shift, shown->high + shift}, 0.0, kPeriodsReach / f));
}

void CDiagram::ResetZoom() {
    ZoomOfView().reset();
    DropZoomedCurves();
}

const NoiseSpectrum& CDiagram::Noise(const Span& span) {
    if (!noise_) {
        noise_ = AnalyseNoise(session_.Filter(), session_.OpAmps(), span.low, span.high,
                              kCurvePoints, span.low, span.high);
    }
    return *noise_;
}

const DesignTransfers& CDiagram::Transfers() {
    if (!transfers_) {
        transfers_ = session_.Transfers().value_or(DesignTransfers{});
    }
    return *transfers_;
}

const FilterDynamics& CDiagram::Dynamics() {
    if (!dynamics_) {
        dynamics_ = ComputeDynamics(Transfers(), kCurvePoints);
    }
    return *dynamics_;
}

ResponseCurves& CDiagram::ZoomedCurves() {
    if (!zoomedCurves_) {
        const double f = session_.Filter().Frequency();
        zoomedCurves_ = session_.CurvesOver(frequencyZoom_->low / f, frequencyZoom_->high / f)
                            .value_or(ResponseCurves());
    }
    return *zoomedCurves_;
}

const FilterDynamics& CDiagram::ZoomedDynamics() {
    if (zoomedDynamics_) {
        return *zoomedDynamics_;
    }
    const DesignTransfers& t = Transfers();
    FilterDynamics d;
    if (frequencyZoom_) {
        const double w1 = 2.0 * std::numbers::pi * frequencyZoom_->low;
        const double ratio =
            std::pow(frequencyZoom_->high / frequencyZoom_->low, 1.0 / (kCurvePoints - 1));
        d.targetPhase = CascadePhaseFrom(t.target, t.firstOmega, w1, ratio, kCurvePoints);
        d.filterPhase = CascadePhaseFrom(t.filter, t.firstOmega, w1, ratio, kCurvePoints);
    }
    if (timeZoom_) {
        const double span = timeZoom_->high - timeZoom_->low;
        d.targetStep = CascadeTimeResponse(t.target, span, kCurvePoints, timeZoom_->low);
        d.filterStep = CascadeTimeResponse(t.filter, span, kCurvePoints, timeZoom_->low);
    }
    zoomedDynamics_ = std::move(d);
    return *zoomedDynamics_;
}

ViewCurves CDiagram::Curves() {
    const std::optional<Span> span = Shown();
    if (!span) {
        return {};
    }
    const CFilter& filter = session_.Filter();
    const bool zoomed = Zoomed();
    switch (view_) {
        case PlotViewKind::MAGNITUDE:
            return MagnitudeCurves(filter, zoomed ? ZoomedCurves() : session_.Curves(),
                                   CurveGrid(span->low, span->high));
        case PlotViewKind::PHASE: {
            const FilterDynamics& d = zoomed ? ZoomedDynamics() : Dynamics();
            return PhaseCurves(filter, d.targetPhase, d.filterPhase,
                               CurveGrid(span->low, span->high));
        }
        case PlotViewKind::STEP:
        case PlotViewKind::IMPULSE: {
            const FilterDynamics& d = zoomed ? ZoomedDynamics() : Dynamics();
            return TimeCurves(filter, d.targetStep, d.filterStep, view_ == PlotViewKind::IMPULSE);
        }
        case PlotViewKind::NOISE:
            return NoiseCurves(Noise(*span));
    }
    return {};
}

DiagramDrawing CDiagram::Draw(const PlotRect& page, const PlotScale& scale,
                              const std::string& summary, const PlotOverlay* overlay,
                              const ToleranceBand* band) {
    const bool designed = Prepare();
    if (designed && view_ != PlotViewKind::MAGNITUDE) {
        return DrawChart(page, summary);
    }
    const CFilter& filter = session_.Filter();
    const bool zoomed = designed && Zoomed();
    CPlotLayout layout(filter, zoomed ? ZoomedCurves() : session_.Curves(), summary);
    if (zoomed) {
        layout.SetRange(frequencyZoom_->low / filter.Frequency(),
                        frequencyZoom_->high / filter.Frequency());
        // The scheme's limits stay where the tolerance analysis puts them, whatever is shown.
        layout.SetSchemeReference(SchemeReference(session_.Curves().target.Values()));
    }
    layout.SetOverlay(overlay);
    layout.SetToleranceBand(band);
    DiagramDrawing out{layout.Draw(page, scale), {}};
    const PlotMapping& m = out.plot.mapping;
    if (m.designed && (m.magnitudeShown || m.delayShown)) {
        const double low = m.referenceFrequency * m.startFactor;
        out.axis = {true, true, m.left, m.right, m.top, m.bottom, low, low * std::exp(m.logSpan)};
    }
    return out;
}

const char* CDiagram::PanelLabel(const std::string& unit) const {
    switch (view_) {
        case PlotViewKind::PHASE:
            return kPhaseLabel;
        case PlotViewKind::STEP:
            return kStepLabel;
        case PlotViewKind::IMPULSE:
            return kImpulseLabel;
        case PlotViewKind::NOISE:
            return unit == kNoiseDensityUnit ? kNoiseDensityLabel : kStageGainLabel;
        case PlotViewKind::MAGNITUDE:
            break;
    }
    return "";
}

DiagramDrawing CDiagram::DrawChart(const PlotRect& page, const std::string& summary) {
    const CFilter& filter = session_.Filter();
    DiagramDrawing out;
    out.plot.title = filter.documentName + (filter.specModified ? "*" : "");
    const ViewCurves curves = Curves();
    if (curves.series.empty() || curves.x.size() < 2) {
        out.plot.primitives.emplace_back(PlotFill{page, kWhite});
        const PlotPoint centre{(page.left + page.right) / 2, (page.top + page.bottom) / 2};
        out.plot.primitives.emplace_back(
            PlotText{kNoCurveText, centre, HAlign::CENTER, VAlign::MIDDLE, kBlack});
        return out;
    }
    // A panel for each unit, in the order the series come.
    std::vector<ChartPanel> panels;
    const FilterDynamics* full = view_ == PlotViewKind::STEP ? &Dynamics() : nullptr;
    for (const ViewSeries& s : curves.series) {
        if (panels.empty() || panels.back().unit != s.unit) {
            panels.push_back({PanelLabel(s.unit), s.unit, {}});
        }
        std::string legend = s.name;
        // The figures of the whole step response, whatever stretch of it is shown.
        const std::optional<TimeResponse>* r =
            full == nullptr ? nullptr
                            : (s.name == kTargetLegend ? &full->targetStep : &full->filterStep);
        if (r != nullptr && r->has_value()) {
            const StepFigures& f = (*r)->figures;
            legend += ":   " + StepFiguresText(f.overshootPercent, f.riseTime, f.settlingTime);
        }
        panels.back().curves.push_back({legend, s.color, s.values});
    }
    const Chart chart{summary, curves.frequencyAxis ? ChartAxis::FREQUENCY : ChartAxis::TIME,
                      curves.x, std::move(panels)};
    const CChartLayout layout(chart);
    out.plot.primitives = layout.Draw(page);
    // The cursor runs over every panel.
    const std::vector<PlotRect> rects = layout.PanelRects(page);
    out.axis = {true,
                curves.frequencyAxis,
                rects.front().left,
                rects.front().right,
                rects.front().top,
                rects.back().bottom,
                curves.x.front(),
                curves.x.back()};
    return out;
}

}  // namespace vx
