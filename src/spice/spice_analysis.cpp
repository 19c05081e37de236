#include "spice/spice_analysis.h"

#include <cmath>
#include <stdexcept>
#include <utility>

#include "model/number_format.h"
#include "model/number_text.h"
#include "plot/plot_messages.h"
#include "spice/ngspice_sweep.h"
#include "spice/spice_messages.h"
#include "spice/verify.h"

namespace vx {

namespace {

struct TraceSpec {
    const char* name;
    const char* unit;
    const char* expression;  // in ngspice; "0UT" is quoted, or it reads as a number
};

constexpr TraceSpec kLevel{"VDB(0UT)", "dB", "db(v(\"0ut\"))"};
constexpr TraceSpec kMagnitude{"V(0UT)", "", kNgspiceMagnitude};
// Unwrapped, so that the phase of a high order runs on instead of jumping by 360°.
constexpr TraceSpec kPhase{"VP(0UT)", "°", "180/pi*cph(v(\"0ut\"))"};
constexpr TraceSpec kDelay{"VG(0UT)", "s", kNgspiceGroupDelay};
constexpr TraceSpec kStep{"V(0UT)", "V", "v(\"0ut\")"};

// The traces of a mode, top to bottom as the result window stacks them.
std::vector<TraceSpec> Traces(SpiceMode mode) {
    switch (mode) {
        case SpiceMode::AMPLITUDE_DB:
            return {kLevel};
        case SpiceMode::AMPLITUDE_LINEAR:
            return {kMagnitude};
        case SpiceMode::PHASE:
            return {kPhase};
        case SpiceMode::GROUP_DELAY:
            return {kDelay};
        case SpiceMode::STEP_RESPONSE:
            return {kStep};
        case SpiceMode::ALL:
            return {kLevel, kPhase, kDelay};
    }
    throw std::invalid_argument("Spice mode must be 1 to 6");
}

std::vector<std::string> Expressions(SpiceMode mode) {
    std::vector<std::string> expressions;
    for (const TraceSpec& trace : Traces(mode)) {
        expressions.emplace_back(trace.expression);
    }
    return expressions;
}

const char* AnalysisTitle(SpiceMode mode) {
    switch (mode) {
        case SpiceMode::AMPLITUDE_DB:
            return spice_text::kTitleAmplitudeDb;
        case SpiceMode::AMPLITUDE_LINEAR:
            return spice_text::kTitleAmplitudeLinear;
        case SpiceMode::PHASE:
            return spice_text::kTitlePhase;
        case SpiceMode::GROUP_DELAY:
            return spice_text::kTitleGroupDelay;
        case SpiceMode::STEP_RESPONSE:
            return spice_text::kTitleStepResponse;
        case SpiceMode::ALL:
            return spice_text::kTitleAll;
    }
    throw std::invalid_argument("Spice mode must be 1 to 6");
}

}  // namespace

CSpiceAnalysis::CSpiceAnalysis(const CFilter& filter, const COpv& opv, SpiceMode mode)
    : spice_(filter, opv),
      mode_(mode),
      job_(spice_, mode, Expressions(mode), CPspice::Caption(mode)) {}

std::variant<ProcessRequest, UserMessage> CSpiceAnalysis::Prepare() const {
    if (auto failure = spice_.WriteFiles(mode_)) {
        return *failure;
    }
    if (!ReadsBack()) {
        return ProcessRequest{spice_.SimulatorArguments(), {}, {}};
    }
    if (auto failure = job_.WriteControlFile()) {
        return *failure;
    }
    return job_.Request();
}

std::variant<SpiceResult, UserMessage> CSpiceAnalysis::Finish(const ProcessResult& end,
                                                              int limitSeconds) const {
    if (!end.started) {
        return UserMessage{spice_text::kCaptionError, spice_text::kCannotStart};
    }
    std::variant<SimulatedColumns, UserMessage> run = job_.Read(end, limitSeconds);
    if (auto* failure = std::get_if<UserMessage>(&run)) {
        return *failure;
    }
    SimulatedColumns& columns = std::get<SimulatedColumns>(run);
    SpiceResult result{mode_, std::move(columns.x), {}};
    const std::vector<TraceSpec> traces = Traces(mode_);
    for (size_t e = 0; e < traces.size(); ++e) {
        result.traces.push_back({traces[e].name, traces[e].unit, std::move(columns.values[e])});
    }
    return result;
}

std::optional<PlotOverlay> CSpiceAnalysis::AmplitudeOverlay(const SpiceResult& result,
                                                            CFilterStructure& structure) {
    const bool level = result.mode == SpiceMode::AMPLITUDE_DB || result.mode == SpiceMode::ALL;
    if ((!level && result.mode != SpiceMode::AMPLITUDE_LINEAR) || result.traces.empty()) {
        return std::nullopt;
    }
    PlotOverlay overlay{result.x, result.traces.front().values, 0.0};
    if (level) {
        for (double& m : overlay.magnitudes) {
            m = std::pow(10.0, m / 20.0);
        }
    }
    overlay.maxDeviationDb =
        CompareWithDesign(structure, overlay.frequencies, overlay.magnitudes).maxDeviationDb;
    return overlay;
}

Chart CSpiceAnalysis::ResultChart(const SpiceResult& result, const std::string& summary) {
    Chart chart;
    chart.title = std::string(AnalysisTitle(result.mode)) + " – " + summary;
    chart.axis = result.mode == SpiceMode::STEP_RESPONSE ? ChartAxis::TIME : ChartAxis::FREQUENCY;
    chart.x = result.x;
    for (const SpiceTrace& trace : result.traces) {
        chart.panels.push_back(
            {trace.name, trace.unit, {ChartCurve{"", {0, 0, 255}, trace.values}}});
    }
    return chart;
}

std::string CSpiceAnalysis::ResultText(const SpiceResult& result, const std::string& summary) {
    const Chart chart = ResultChart(result, summary);
    std::string text =
        chart.title + "\n" + (chart.axis == ChartAxis::TIME ? kChartTimeAxis : kChartFrequencyAxis);
    for (const SpiceTrace& trace : result.traces) {
        text += "\t" + (trace.unit.empty() ? trace.name : trace.name + " [" + trace.unit + "]");
    }
    text += "\n";
    for (size_t i = 0; i < result.x.size(); ++i) {
        text += WithDecimalComma(FormatG(result.x[i]));
        for (const SpiceTrace& trace : result.traces) {
            text += "\t";
            if (i < trace.values.size()) {
                text += WithDecimalComma(FormatG(trace.values[i]));
            }
        }
        text += "\n";
    }
    return text;
}

}  // namespace vx
