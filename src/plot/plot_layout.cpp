#include "plot/plot_layout.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include "analysis/tolerance_mask.h"
#include "analysis/tolerance_messages.h"
#include "model/number_format.h"
#include "model/number_text.h"
#include "plot/plot_messages.h"
#include "plot/plot_print_mapping.h"
#include "plot/view_curves.h"

namespace vx {

namespace {

constexpr PlotColor kWhite{255, 255, 255};
constexpr PlotColor kBlack{0, 0, 0};
constexpr PlotColor kRed{255, 0, 0};
constexpr PlotColor kGreen{0, 160, 0};
constexpr PlotColor kBlue{0, 0, 255};

constexpr PlotPen kMinorGridPen{PenStyle::SOLID, 1, {220, 220, 220}};
constexpr PlotPen kScreenMajorGridPen{PenStyle::SOLID, 1, {180, 180, 180}};
constexpr PlotPen kPrinterMajorGridPen{PenStyle::SOLID, 2, kBlack};
constexpr PlotPen kFilterPen{PenStyle::SOLID, 2, kBlue};
constexpr PlotPen kTargetPen{PenStyle::SOLID, 2, kGreen};
constexpr PlotPen kTraditionalPen{PenStyle::SOLID, 2, kRed};
constexpr PlotPen kDelayPen{PenStyle::SOLID, 2, kBlack};
constexpr PlotPen kCharacteristicPen{PenStyle::DASHED, 1, kRed};
constexpr PlotPen kMarkPen{PenStyle::DASHED, 1, kGreen};
constexpr PlotPen kEraserPen{PenStyle::SOLID, 2, kWhite};
// The tolerance band: a pale shade of the filter curve's blue.
constexpr PlotColor kBandColor{200, 212, 255};

// Device units between the hatch lines of a tolerance scheme's areas.
constexpr double kHatchStep = 7.0;

// Tolerance for ticks that land on a range end only up to rounding.
constexpr double kTickTolerance = 1e-9;

// Half away from zero; far-off values are clamped so a wild sample cannot overflow an int.
int Round(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    return static_cast<int>(std::lround(std::clamp(v, -1e9, 1e9)));
}

// A coordinate of a curve; a wild sample is kept where a painter can still draw it.
double Coordinate(double v) {
    return std::isnan(v) ? 0.0 : std::clamp(v, -1e9, 1e9);
}

double Decibel(double x) {
    return x > 0.0 ? 20.0 * std::log10(x) : 0.0;
}

std::string DbLabel(int level) {
    std::string text = FormatInt(level);
    if (text.size() < 3) {
        text = std::string(3 - text.size(), ' ') + text;
    }
    return text + " dB";
}

struct LevelSteps {
    int major;
    int minor;
};

// Grid steps in dB by pixels per dB (negative: y grows downwards).
LevelSteps StepsForPixelsPerDb(double e) {
    if (e < -14.0) {
        return {1, 1};
    }
    if (e < -7.0) {
        return {2, 1};
    }
    if (e < -5.0) {
        return {3, 1};
    }
    if (e < -4.0) {
        return {4, 1};
    }
    if (e < -3.0) {
        return {5, 1};
    }
    if (e < -1.4) {
        return {10, 2};
    }
    return {20, 5};
}

}  // namespace

PlotScale PlotScale::Printer(const PlotRect& page) {
    PlotScale s;
    s.sx = page.Width() / 1276.0;
    s.sy = page.Height() / 920.0;
    s.ux = static_cast<int>(std::lround(s.sx));
    s.uy = static_cast<int>(std::lround(s.sy));
    s.printer = true;
    s.digitWidth = kPrintFontShare * page.Width() * kDigitPerFontSize;
    return s;
}

PlotScale PlotScale::ForFontSize(double size) {
    PlotScale s;
    s.digitWidth = size * kDigitPerFontSize;
    return s;
}

CPlotLayout::CPlotLayout(const CFilter& filter, ResponseCurves& curves, std::string summary)
    : filter_(filter),
      curves_(curves),
      summary_(std::move(summary)),
      startFactor_(filter.PlotMin()),
      endFactor_(filter.PlotMax()) {}

void CPlotLayout::SetRange(double startFactor, double endFactor) {
    startFactor_ = startFactor;
    endFactor_ = endFactor;
}

int CPlotLayout::Sx(double v) const {
    return Round(v * scale_.sx);
}
int CPlotLayout::Sy(double v) const {
    return Round(v * scale_.sy);
}

void CPlotLayout::Line(const PlotPen& pen, int x1, int y1, int x2, int y2) {
    out_.primitives.emplace_back(PlotPolyline{pen, {{x1, y1}, {x2, y2}}});
}

void CPlotLayout::Text(std::string text, int x, int y, HAlign h, PlotColor color) {
    out_.primitives.emplace_back(PlotText{std::move(text), {x, y}, h, VAlign::TOP, color});
}

void CPlotLayout::Fill(PlotColor color) {
    out_.primitives.emplace_back(PlotFill{page_, color});
}

void CPlotLayout::CentredText(const char* text) {
    Fill(kWhite);
    const PlotPoint centre{(page_.left + page_.right) / 2, (page_.top + page_.bottom) / 2};
    out_.primitives.emplace_back(PlotText{text, centre, HAlign::CENTER, VAlign::MIDDLE, kBlack});
}

PlotDrawing CPlotLayout::Draw(const PlotRect& page, const PlotScale& scale) {
    out_ = PlotDrawing{};
    page_ = page;
    scale_ = scale;
    out_.title = filter_.documentName + (filter_.specModified ? "*" : "");

    PlotMapping& map = out_.mapping;
    const int mx = Sx(55);
    const int my = Sy(36);
    map.left = page.left + mx;
    map.right = page.right - mx;
    map.top = page.top + my;
    map.bottom = page.bottom - my;
    width_ = map.right - map.left + 1;
    samples_ = std::max(2, Round((width_ - 1) * scale.resolution) + 1);

    switch (filter_.GetDesignState()) {
        case DesignState::NONE:
        case DesignState::SPECIFIED:
            Fill(kWhite);
            out_.primitives.emplace_back(PlotStartPicture{page});
            return std::move(out_);
        case DesignState::CANCELLED:
            CentredText(kCancelledText);
            return std::move(out_);
        case DesignState::DESIGNED:
            break;
    }
    map.designed = true;
    map.referenceFrequency = filter_.Frequency();
    map.startFactor = startFactor_;
    map.logSpan = std::log(endFactor_ / startFactor_);
    for (CShowFregang* curve :
         {&curves_.target, &curves_.traditional, &curves_.filter, &curves_.groupDelay}) {
        curve->SetDisplayPoints(samples_);
    }

    if (!FindVerticalRange()) {
        CentredText(kNoCurveText);
        return std::move(out_);
    }
    const SchemeShading scheme = ShadedScheme();
    out_.primitives.insert(out_.primitives.end(), scheme.areas.begin(), scheme.areas.end());
    DrawToleranceBand();
    DrawLevelGrid();
    DrawFrequencyAxis();
    DrawCharacteristicFrequencies();
    DrawMarks();
    out_.primitives.insert(out_.primitives.end(), scheme.borders.begin(), scheme.borders.end());
    if (!scheme.areas.empty()) {
        DrawSchemeLegend();
    }
    DrawCurves();
    DrawOverlay();
    Text(summary_, map.left, page.top + 2, HAlign::LEFT, kBlack);
    Text(filter_.CreationStamp(), map.left, page.bottom - my / 2, HAlign::LEFT, kBlack);
    return std::move(out_);
}

// How far below the highest level the scale reaches at most.
constexpr double kDeepestLevelDb = 100.0;

namespace {

// Extremes of linear magnitudes.
struct MagnitudeRange {
    double low = 1e20;
    double high = 0.0;
    bool shown = false;  // some magnitude curve is selected
};

MagnitudeRange SelectedMagnitudes(const CFilter& filter, const ResponseCurves& curves) {
    const CurveSelection shown = filter.Curves();
    MagnitudeRange range;
    auto take = [&range](const CShowFregang& curve) {
        range.low = std::min(range.low, curve.GetMinimum());
        range.high = std::max(range.high, curve.GetMaximum());
        range.shown = true;
    };
    if (shown.target) {
        take(curves.target);
    }
    if (shown.filter) {
        take(curves.filter);
    }
    if (TraditionalShown(filter)) {
        take(curves.traditional);
    }
    return range;
}

struct LevelRange {
    double low;  // dB
    double high;
};

// The ends of the level scale: out to whole decibels, unless the extreme lies within a
// thousandth of the range of one.
LevelRange WholeDecibels(const MagnitudeRange& range) {
    double high = Decibel(range.high);
    // The exact notch of a band-stop computes to about -300 dB, which would squash everything
    // else; deeper parts of a curve are cut off at the bottom.
    double low = std::max(Decibel(range.low), high - kDeepestLevelDb);
    const double t = std::round(high);
    if (t > high) {
        high = t;
    } else if (high - t > 0.001 * (high - low)) {
        high = t + 1.0;
    }
    const double b = std::round(low);
    if (b < low) {
        low = b;
    } else if (b - low > 0.001 * (high - low)) {
        low = b - 1.0;
    }
    // A flat response would give no scale at all.
    if (high - low < 1e-9) {
        low = high - 1.0;
    }
    return {low, high};
}

}  // namespace

bool CPlotLayout::FindVerticalRange() {
    PlotMapping& map = out_.mapping;
    delayMin_ = curves_.groupDelay.GetMinimum();
    delayMax_ = curves_.groupDelay.GetMaximum();
    MagnitudeRange range = SelectedMagnitudes(filter_, curves_);
    map.magnitudeShown = range.shown;
    if (BandShown()) {
        // A band that reaches above the curves is not cut off; one that reaches zero (a run
        // with a perfect notch) would have no level in dB.
        range.high = std::max(range.high, band_->q95.GetMaximum());
        if (band_->q05.GetMinimum() > 0.0) {
            range.low = std::min(range.low, band_->q05.GetMinimum());
        }
    }
    map.delayShown = filter_.Curves().delay;
    if (!map.magnitudeShown) {
        if (!map.delayShown) {
            return false;
        }
        range.low = curves_.filter.GetMinimum();
        range.high = curves_.filter.GetMaximum();
    }
    const LevelRange levels = WholeDecibels(range);
    low_ = levels.low;
    high_ = levels.high;
    map.dbScale = (map.bottom - map.top) / (low_ - high_);
    map.dbOffset = map.top - high_ * map.dbScale;
    if (map.delayShown) {
        const double span = delayMin_ - delayMax_;
        map.delayScale = (map.bottom - map.top) / (span < 0.0 ? span : -1.0);
        map.delayOffset = map.top - delayMax_ * map.delayScale;
    }
    return true;
}

void CPlotLayout::DrawLevelGrid() {
    const PlotMapping& map = out_.mapping;
    const PlotPen& majorPen = scale_.printer ? kPrinterMajorGridPen : kScreenMajorGridPen;
    const LevelSteps steps = StepsForPixelsPerDb(map.dbScale / scale_.sy);
    const int first = Round(low_);
    const int last = Round(high_);
    std::string previousDelay;
    for (int level = first; level <= last; ++level) {
        const int y = Round(level * map.dbScale + map.dbOffset);
        if (level % steps.major == 0) {
            Line(majorPen, map.left, y, map.right, y);
            if (level == first) {
                continue;
            }
            const int labelTop = y - Sy(8);
            if (map.magnitudeShown) {
                Text(DbLabel(level), map.left - scale_.ux, labelTop, HAlign::RIGHT, kBlack);
            }
            if (map.delayShown) {
                const double d =
                    delayMin_ + (level - first) / (high_ - low_) * (delayMax_ - delayMin_);
                std::string label = FormatTime(d);
                if (label != previousDelay) {
                    Text(label, page_.right - scale_.ux, labelTop, HAlign::RIGHT, kBlack);
                    previousDelay = std::move(label);
                }
            }
        } else if (level % steps.minor == 0) {
            Line(kMinorGridPen, map.left, y, map.right, y);
        }
    }
}

double CPlotLayout::SampleX(int k) const {
    return out_.mapping.left + k * (width_ - 1.0) / (samples_ - 1);
}

int CPlotLayout::FrequencyX(double f) const {
    const PlotMapping& map = out_.mapping;
    const double f1 = map.referenceFrequency * map.startFactor;
    return Round(std::log(f / f1) * (width_ - 1) / map.logSpan + map.left);
}

std::string CPlotLayout::MarkerLabel(double f) const {
    return FormatValue(f, true, labelDigits_ + 2, ValueKind::ANY);
}

namespace {

// Which ticks get a label first where labels would collide; higher ranks only fill gaps.
enum class LabelRank { RANGE_END, DECADE, MAJOR, FILL, MINOR_FILL, NONE };

bool IsPowerOfTen(double f) {
    const double e = std::log10(f);
    return std::fabs(e - std::round(e)) < kTickTolerance;
}

}  // namespace

struct CPlotLayout::FrequencyTick {
    double f;
    int x;
    bool major;
    LabelRank rank;
    std::string label;  // empty: unlabelled
};

// Linear ticks at multiples of a nice step; below the lowest of them, where their spacing gets
// wide on the logarithmic axis, a tick at every digit of each decade. The range ends are ticks
// of their own unless one lies there already.
std::vector<CPlotLayout::FrequencyTick> CPlotLayout::FrequencyTicks(double f1, double f2,
                                                                    const AxisStep& axis) const {
    const double f1Low = f1 * (1.0 - kTickTolerance);
    const double f2High = f2 * (1.0 + kTickTolerance);
    const double minorStep = axis.step / axis.subdivisions;
    const double t0 = std::trunc(f1 / axis.step + 1e-9) * axis.step;
    const double firstMajor = t0 >= f1Low ? t0 : t0 + axis.step;
    std::vector<FrequencyTick> ticks;
    auto add = [&](double f, bool major, LabelRank rank) {
        if (f >= f1Low && f <= f2High) {
            ticks.push_back(
                {f, FrequencyX(f), major, IsPowerOfTen(f) ? LabelRank::DECADE : rank, {}});
        }
    };
    for (int i = 0; t0 + i * axis.step <= f2High; ++i) {
        const double k = t0 + i * axis.step;
        add(k, true, LabelRank::MAJOR);
        // Minor ticks are labelled only left of the first major one.
        for (int j = 1; j < axis.subdivisions; ++j) {
            const double m = k + j * minorStep;
            add(m, false, m < firstMajor ? LabelRank::FILL : LabelRank::NONE);
        }
    }
    const double lowest = ticks.empty() ? f2High : ticks.front().f;
    for (int e = static_cast<int>(std::floor(std::log10(f1))); std::pow(10.0, e) < lowest; ++e) {
        const double decade = std::pow(10.0, e);
        for (int digit = 1; digit <= 9; ++digit) {
            const double f = digit * decade;
            if (f < lowest * (1.0 - kTickTolerance)) {
                const bool oneTwoFive = digit == 2 || digit == 5;
                add(f, digit == 1, oneTwoFive ? LabelRank::FILL : LabelRank::MINOR_FILL);
            }
        }
    }
    for (const double end : {f1, f2}) {
        auto at = std::find_if(ticks.begin(), ticks.end(), [&](const FrequencyTick& t) {
            return std::fabs(t.f - end) <= kTickTolerance * end;
        });
        if (at == ticks.end()) {
            ticks.push_back({end, FrequencyX(end), true, LabelRank::RANGE_END, {}});
        } else {
            at->rank = LabelRank::RANGE_END;
        }
    }
    std::sort(ticks.begin(), ticks.end(),
              [](const FrequencyTick& a, const FrequencyTick& b) { return a.f < b.f; });
    return ticks;
}

// Labels by rank, and within a rank from the roundest value and from left to right, each where
// it keeps a gap of a digit to every label placed before it; the range ends are always labelled.
void CPlotLayout::LabelFrequencyTicks(std::vector<FrequencyTick>& ticks) const {
    std::vector<FrequencyTick*> order;
    for (FrequencyTick& t : ticks) {
        if (t.rank != LabelRank::NONE) {
            order.push_back(&t);
        }
    }
    // Within a rank the rounder values go first: 1, 2, 3 before 1,5 and 2,5.
    constexpr int kAllDigits = std::numeric_limits<double>::digits10;
    auto key = [](const FrequencyTick* t) {
        return std::pair(t->rank, SignificantDigits(t->f, kAllDigits));
    };
    std::stable_sort(
        order.begin(), order.end(),
        [&](const FrequencyTick* a, const FrequencyTick* b) { return key(a) < key(b); });
    const double gap = scale_.digitWidth;
    const int shift = Sx(11);
    struct Span {
        double left;
        double right;
    };
    std::vector<Span> placed;
    for (FrequencyTick* t : order) {
        // A range end need not be a nice value: it shows as many digits as the ticks.
        std::string text = t->rank == LabelRank::RANGE_END ? AxisFrequencyLabel(t->f, labelDigits_)
                                                           : AxisFrequencyLabel(t->f, kAllDigits);
        const Span span{double(t->x - shift), t->x - shift + LabelWidth(text, scale_.digitWidth)};
        const bool free = std::all_of(placed.begin(), placed.end(), [&](const Span& p) {
            return span.right + gap <= p.left || p.right + gap <= span.left;
        });
        if (free || t->rank == LabelRank::RANGE_END) {
            placed.push_back(span);
            t->label = std::move(text);
        }
    }
}

void CPlotLayout::DrawFrequencyAxis() {
    const PlotMapping& map = out_.mapping;
    const double f1 = map.referenceFrequency * startFactor_;
    const double f2 = map.referenceFrequency * endFactor_;
    const AxisStep axis = NiceStep((f2 - f1) / 16.0);
    labelDigits_ = static_cast<int>(std::trunc(std::log10(f2 / axis.step) + 1.8));
    std::vector<FrequencyTick> ticks = FrequencyTicks(f1, f2, axis);
    LabelFrequencyTicks(ticks);
    const PlotPen& majorPen = scale_.printer ? kPrinterMajorGridPen : kScreenMajorGridPen;
    const int top = map.top + scale_.uy;
    const int bottom = map.bottom - scale_.uy + 1;
    for (const FrequencyTick& t : ticks) {
        // A labelled tick stands out as a major one.
        Line(t.major || !t.label.empty() ? majorPen : kMinorGridPen, t.x, top, t.x, bottom);
    }
    for (FrequencyTick& t : ticks) {
        if (!t.label.empty()) {
            Text(std::move(t.label), t.x - Sx(11), map.bottom + scale_.uy, HAlign::LEFT, kBlack);
        }
    }
}

void CPlotLayout::DrawMarker(const PlotPen& pen, double f, int level) {
    const PlotMapping& map = out_.mapping;
    const int ux = scale_.ux;
    const int uy = scale_.uy;
    const int x = FrequencyX(f);
    Line(kEraserPen, x, map.top + uy, x, map.bottom - uy);
    Line(pen, x, map.top + uy, x, map.bottom - uy + 1);
    const int yb = map.bottom - uy + 1 - Round(20.0 * level * uy);
    Line(pen, x, yb, x + 16 * ux, yb - 8 * uy);
    Text(MarkerLabel(f), x + 17 * ux, yb - 21 * uy, HAlign::LEFT, pen.color);
}

void CPlotLayout::DrawCharacteristicFrequencies() {
    const double fref = filter_.Frequency();
    if (filter_.Type() != FilterType::BANDPASS) {
        if (startFactor_ <= 1.0 && endFactor_ >= 1.0) {
            DrawMarker(kCharacteristicPen, fref, 0);
        }
        return;
    }
    const double q = filter_.Bandwidth() / (2.0 * fref);
    const double a = std::sqrt(q * q + 1.0) - q;
    auto inRange = [&](double factor) { return factor >= startFactor_ && factor <= endFactor_; };
    if (inRange(a)) {
        DrawMarker(kCharacteristicPen, fref * a, 0);
    }
    if (inRange(1.0 / a)) {
        DrawMarker(kCharacteristicPen, fref / a, 1);
    }
}

void CPlotLayout::DrawMarks() {
    const PlotMapping& map = out_.mapping;
    for (const Mark& mark : filter_.amplitudeMarks) {
        if (mark.enabled && mark.value >= low_ && mark.value <= high_) {
            const int y = Round(mark.value * map.dbScale + map.dbOffset);
            Line(kMarkPen, map.left, y, map.right, y);
        }
    }
    const double fref = filter_.Frequency();
    for (int k = 0; k < kFrequencyMarks; ++k) {
        const Mark& mark = filter_.frequencyMarks[static_cast<size_t>(k)];
        const double factor = mark.value / fref;
        if (mark.enabled && factor >= startFactor_ && factor <= endFactor_) {
            DrawMarker(kMarkPen, mark.value, k + 2);
        }
    }
}

void CPlotLayout::DrawCurve(CShowFregang& curve, const PlotPen& pen, const char* legend,
                            int legendX) {
    const PlotMapping& map = out_.mapping;
    const bool delay = &curve == &curves_.groupDelay;
    PlotCurve line{pen, {}};
    line.points.reserve(static_cast<size_t>(samples_));
    for (int k = 0; k < samples_; ++k) {
        const double v = curve.GetDisplayValue(k);
        const double y =
            delay ? v * map.delayScale + map.delayOffset
                  : std::min(Decibel(v) * map.dbScale + map.dbOffset, double(map.bottom));
        line.points.push_back({SampleX(k), Coordinate(y)});
    }
    out_.primitives.emplace_back(std::move(line));
    const int legendY = page_.top + Sy(36) / 2;
    Text(legend, legendX, legendY, delay ? HAlign::RIGHT : HAlign::LEFT, pen.color);
}

bool CPlotLayout::BandShown() const {
    return band_ != nullptr && out_.mapping.magnitudeShown && band_->OnGridOf(filter_) &&
           startFactor_ == filter_.PlotMin() && endFactor_ == filter_.PlotMax();
}

void CPlotLayout::DrawToleranceBand() {
    const PlotMapping& map = out_.mapping;
    if (!BandShown()) {
        return;
    }
    CShowFregang upper = band_->q95;
    CShowFregang lower = band_->q05;
    upper.SetDisplayPoints(samples_);
    lower.SetDisplayPoints(samples_);
    auto y = [&](double v) {
        return std::clamp(Coordinate(Decibel(v) * map.dbScale + map.dbOffset), double(map.top),
                          double(map.bottom));
    };
    PlotPolygon area{kBandColor, {}};
    area.points.reserve(2 * static_cast<size_t>(samples_));
    for (int k = 0; k < samples_; ++k) {
        area.points.push_back({SampleX(k), y(upper.GetDisplayValue(k))});
    }
    for (int k = samples_; k-- > 0;) {
        area.points.push_back({SampleX(k), y(lower.GetDisplayValue(k))});
    }
    out_.primitives.emplace_back(std::move(area));
    // The legend goes on the date line below the filter curve's own legend (a Spice overlay's
    // takes the line's right end): a swatch, and the text right of it.
    const int legendX = map.left + width_ / 3 - Sx(30);
    const int legendY = page_.bottom - Sy(36) / 2;
    const PlotRect swatch{legendX, legendY + Sy(2), legendX + Sx(24), legendY + Sy(12)};
    out_.primitives.emplace_back(PlotFill{swatch, kBandColor});
    Text(tolerance_text::kBandLegend, legendX + Sx(30), legendY, HAlign::LEFT, kBlack);
}

PlotPen CPlotLayout::SchemeBorderPen() const {
    PlotPen pen = kSchemeBorderPen;
    pen.width = scale_.printer ? kPrinterMajorGridPen.width : pen.width;
    return pen;
}

SchemeShading CPlotLayout::ShadedScheme() const {
    const ToleranceScheme* scheme = filter_.SchemeOfType();
    if (scheme == nullptr || !out_.mapping.magnitudeShown) {
        return {};
    }
    const double reference = schemeReference_.value_or(SchemeReference(curves_.target.Values()));
    if (!(reference > 0.0)) {
        return {};
    }
    return ShadeScheme(*scheme, Decibel(reference), out_.mapping, std::max(2, Sx(kHatchStep)),
                       SchemeBorderPen());
}

// On the date line in the band's place, or right after the band's legend (whose letters are
// about a digit wide each), so that a Spice legend at the line's right end keeps its room.
void CPlotLayout::DrawSchemeLegend() {
    int legendX = out_.mapping.left + width_ / 3 - Sx(30);
    if (BandShown()) {
        legendX += Sx(46) + Round(std::strlen(tolerance_text::kBandLegend) * scale_.digitWidth);
    }
    const int legendY = page_.bottom - Sy(36) / 2;
    const PlotRect swatch{legendX, legendY + Sy(2), legendX + Sx(24), legendY + Sy(12)};
    for (PlotPrimitive& p : SchemeSwatch(swatch, std::max(2, Sx(kHatchStep)), SchemeBorderPen())) {
        out_.primitives.push_back(std::move(p));
    }
    Text(kSchemeTitle, legendX + Sx(30), legendY, HAlign::LEFT, kBlack);
}

// At the right end of the date line; a tolerance band's legend sits further left on it.
void CPlotLayout::DrawOverlay() {
    const PlotMapping& map = out_.mapping;
    if (overlay_ == nullptr || !map.magnitudeShown) {
        return;
    }
    out_.primitives.emplace_back(PlotCurve{kOverlayPen, OverlayPoints(*overlay_, map, samples_)});
    Text(OverlayLegend(*overlay_), map.right, page_.bottom - Sy(36) / 2, HAlign::RIGHT,
         kOverlayPen.color);
}

void CPlotLayout::DrawCurves() {
    const PlotMapping& map = out_.mapping;
    const CurveSelection shown = filter_.Curves();
    if (shown.target) {
        DrawCurve(curves_.target, kTargetPen, kTargetLegend, map.left);
    }
    if (TraditionalShown(filter_)) {
        DrawCurve(curves_.traditional, kTraditionalPen, kTraditionalLegend,
                  map.left + 2 * width_ / 3 - Sx(30));
    }
    if (shown.filter) {
        DrawCurve(curves_.filter, kFilterPen, kFilterLegend, map.left + width_ / 3 - Sx(30));
    }
    if (shown.delay) {
        DrawCurve(curves_.groupDelay, kDelayPen, kGroupDelayLegend, map.right);
    }
}

}  // namespace vx
