#include "plot/view_curves.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <utility>

#include "model/number_format.h"
#include "model/number_text.h"
#include "plot/plot_messages.h"

namespace vx {

namespace {

std::vector<double> Decibels(const CShowFregang& curve) {
    std::vector<double> db;
    db.reserve(curve.Values().size());
    for (const double v : curve.Values()) {
        db.push_back(20.0 * std::log10(v));
    }
    return db;
}

// A value with its unit as the readout shows it.
std::string ValueText(double v, const std::string& unit) {
    if (!std::isfinite(v)) {
        return "-";
    }
    if (unit == "dB") {
        return WithDecimalComma(FormatF(v, 2)) + " dB";
    }
    if (unit == "°") {
        return WithDecimalComma(FormatF(v, 1)) + "°";
    }
    // "250u" becomes "250 us": the prefix goes with the unit.
    std::string number = FormatValue(v, true, 4, ValueKind::ANY);
    std::string text;
    if (std::isalpha(static_cast<unsigned char>(number.back())) != 0) {
        text.append(number, 0, number.size() - 1);
        text.push_back(' ');
        text.push_back(number.back());
    } else {
        text.append(number);
        text.push_back(' ');
    }
    text.append(unit);
    return text;
}

std::string Heading(const std::string& name, const std::string& unit) {
    return name + " [" + unit + "]";
}

}  // namespace

bool TraditionalShown(const CFilter& filter) {
    return filter.Curves().traditional && filter.Structure() != StructureKind::SALLEN_KEY_X;
}

std::vector<double> CurveGrid(double first, double last) {
    std::vector<double> grid(kCurvePoints);
    // As the response grid builds it: by repeated multiplication.
    const double ratio = std::pow(last / first, 1.0 / (kCurvePoints - 1));
    double f = first;
    for (double& g : grid) {
        g = f;
        f *= ratio;
    }
    return grid;
}

ViewCurves MagnitudeCurves(const CFilter& filter, const ResponseCurves& curves,
                           std::vector<double> grid) {
    ViewCurves view{true, std::move(grid), {}};
    const CurveSelection shown = filter.Curves();
    if (shown.target) {
        view.series.push_back({kTargetLegend, "dB", kTargetColor, Decibels(curves.target)});
    }
    if (shown.filter) {
        view.series.push_back({kFilterLegend, "dB", kFilterColor, Decibels(curves.filter)});
    }
    if (TraditionalShown(filter)) {
        view.series.push_back(
            {kTraditionalLegend, "dB", kTraditionalColor, Decibels(curves.traditional)});
    }
    if (shown.delay) {
        view.series.push_back({kGroupDelayLegend, "s", kDelayColor, curves.groupDelay.Values()});
    }
    return view;
}

ViewCurves PhaseCurves(const CFilter& filter, const std::vector<double>& targetPhase,
                       const std::vector<double>& filterPhase, std::vector<double> grid) {
    ViewCurves view{true, std::move(grid), {}};
    const CurveSelection shown = filter.Curves();
    if (shown.target && targetPhase.size() == view.x.size()) {
        view.series.push_back({kTargetLegend, "°", kTargetColor, targetPhase});
    }
    if (shown.filter && filterPhase.size() == view.x.size()) {
        view.series.push_back({kFilterLegend, "°", kFilterColor, filterPhase});
    }
    return view;
}

ViewCurves TimeCurves(const CFilter& filter, const std::optional<TimeResponse>& targetResponse,
                      const std::optional<TimeResponse>& filterResponse, bool impulse) {
    ViewCurves view{false, {}, {}};
    const CurveSelection shown = filter.Curves();
    auto add = [&](bool selected, const std::optional<TimeResponse>& r, const char* name,
                   PlotColor color) {
        if (!selected || !r) {
            return;
        }
        if (view.x.empty()) {
            view.x = r->time;
        }
        view.series.push_back({name, impulse ? "1/s" : "V", color, impulse ? r->impulse : r->step});
    };
    add(shown.target, targetResponse, kTargetLegend, kTargetColor);
    add(shown.filter, filterResponse, kFilterLegend, kFilterColor);
    return view;
}

ViewCurves NoiseCurves(const NoiseSpectrum& spectrum) {
    ViewCurves view{true, spectrum.frequencies, {}};
    const std::pair<const std::vector<double>*, ViewSeries> kinds[] = {
        {&spectrum.total, {"Gesamt", kNoiseDensityUnit, {0, 0, 0}, {}}},
        {&spectrum.resistors, {"Widerstände", kNoiseDensityUnit, kTargetColor, {}}},
        {&spectrum.opAmpVoltage, {"OPV-Spannungsrauschen", kNoiseDensityUnit, kFilterColor, {}}},
        {&spectrum.opAmpCurrent, {"OPV-Stromrauschen", kNoiseDensityUnit, kTraditionalColor, {}}},
    };
    auto adds = [](const std::vector<double>* v) {
        return std::any_of(v->begin(), v->end(), [](double x) { return x > 0.0; });
    };
    // With one kind alone its curve would only hide under the total.
    const bool byKind = std::count_if(std::begin(kinds) + 1, std::end(kinds),
                                      [&](const auto& k) { return adds(k.first); }) > 1;
    for (const auto& [values, series] : kinds) {
        if (adds(values) && (values == &spectrum.total || byKind)) {
            view.series.push_back(series);
            for (const double v : *values) {
                view.series.back().values.push_back(v * 1e9);
            }
        }
    }
    // Neighbouring stages in colours apart.
    constexpr PlotColor kStageColors[] = {{0, 0, 255},   {0, 160, 0},   {255, 0, 0}, {160, 0, 160},
                                          {0, 150, 150}, {200, 120, 0}, {90, 90, 90}};
    for (size_t s = 0; s < spectrum.stageGains.size(); ++s) {
        ViewSeries series{"Stufe " + FormatInt(static_cast<long long>(s) + 1),
                          "dB",
                          kStageColors[s % std::size(kStageColors)],
                          {}};
        for (const double g : spectrum.stageGains[s]) {
            series.values.push_back(20.0 * std::log10(g));
        }
        view.series.push_back(std::move(series));
    }
    return view;
}

std::vector<double> ValuesAt(const ViewCurves& curves, double x) {
    const std::vector<double>& grid = curves.x;
    std::vector<double> values(curves.series.size(), NAN);
    if (grid.size() < 2 || !(x >= grid.front() && x <= grid.back())) {
        return values;
    }
    const size_t hi = std::max<size_t>(
        1, static_cast<size_t>(std::lower_bound(grid.begin(), grid.end(), x) - grid.begin()));
    const size_t lo = hi - 1;
    const double t = curves.frequencyAxis ? std::log(x / grid[lo]) / std::log(grid[hi] / grid[lo])
                                          : (x - grid[lo]) / (grid[hi] - grid[lo]);
    for (size_t s = 0; s < values.size(); ++s) {
        const std::vector<double>& v = curves.series[s].values;
        if (hi < v.size()) {
            values[s] = v[lo] + t * (v[hi] - v[lo]);
        }
    }
    return values;
}

std::vector<std::string> ReadoutLines(const ViewCurves& curves, double x) {
    if (curves.x.empty() || !(x >= curves.x.front() && x <= curves.x.back())) {
        return {};
    }
    const std::vector<double> values = ValuesAt(curves, x);
    std::vector<std::string> lines{ValueText(x, curves.frequencyAxis ? "Hz" : "s")};
    for (size_t s = 0; s < values.size(); ++s) {
        lines.push_back(curves.series[s].name + " " + ValueText(values[s], curves.series[s].unit));
    }
    return lines;
}

std::string ReadoutText(const ViewCurves& curves, double x) {
    std::string text;
    for (const std::string& line : ReadoutLines(curves, x)) {
        text += (text.empty() ? "" : "     ") + line;
    }
    return text;
}

std::string ValuesTable(const ViewCurves& curves) {
    std::string text =
        Heading(curves.frequencyAxis ? "Frequenz" : "Zeit", curves.frequencyAxis ? "Hz" : "s");
    for (const ViewSeries& s : curves.series) {
        text.push_back('\t');
        text.append(Heading(s.name, s.unit));
    }
    text.push_back('\n');
    for (size_t i = 0; i < curves.x.size(); ++i) {
        text.append(WithDecimalComma(FormatG(curves.x[i], 8)));
        for (const ViewSeries& s : curves.series) {
            text.push_back('\t');
            if (i < s.values.size()) {
                text.append(WithDecimalComma(FormatG(s.values[i], 8)));
            }
        }
        text.push_back('\n');
    }
    return text;
}

}  // namespace vx
