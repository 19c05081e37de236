#include "report/tolerance_rows.h"

#include <algorithm>
#include <cmath>

#include "analysis/tolerance_messages.h"
#include "model/number_format.h"
#include "model/number_text.h"

namespace vx {

namespace t = tolerance_text;

namespace {

// Four significant digits: a spread of a few per mille must show.
std::string Number(double x, const char* unit) {
    if (std::isnan(x)) {
        return "-";
    }
    std::string s = std::fabs(x) > 0.0 ? FormatValueNoMilli(std::fabs(x), false, 4, ValueKind::ANY)
                                       : std::string("0");
    if (x < 0.0) {
        s.insert(0, 1, '-');
    }
    return WithUnit(std::move(s), unit);
}

std::string Frequency(double hz) {
    if (std::isnan(hz)) {
        return "-";
    }
    return WithUnit(FormatValue(hz, false, 4, ValueKind::ANY), "Hz");
}

std::string Percent(double share) {
    return Number(100.0 * share, "%");
}

// Three decimals with a decimal comma.
std::string Fixed(double x) {
    if (std::isnan(x)) {
        return "-";
    }
    // A sensitivity that rounds to zero shows no sign.
    return FormatFixed(std::fabs(x) < 5e-4 ? 0.0 : x, 3);
}

std::string Db(double db) {
    return Number(db, "dB");
}

std::vector<std::string> FigureRow(std::string name, const FigureSummary& s, bool frequency) {
    auto text = [&](double x) { return frequency ? Frequency(x) : Db(x); };
    std::string deviation = text(s.deviation);
    if (frequency && s.count > 0 && s.mean > 0.0) {
        deviation += " (" + Percent(s.deviation / s.mean) + ")";
    }
    return {std::move(name), text(s.nominal), text(s.mean),
            deviation,       text(s.minimum), text(s.maximum)};
}

void AppendRows(const std::vector<LabelRow>& rows, std::string& out) {
    for (const LabelRow& row : rows) {
        out += row.label + ": " + row.value + "\n";
    }
}

void AppendTable(const TextTable& table, std::string& out) {
    for (const std::vector<std::string>& cells : table.HeaderAndRows()) {
        for (size_t k = 0; k < cells.size(); ++k) {
            out += cells[k];
            out += k + 1 < cells.size() ? '\t' : '\n';
        }
    }
}

}  // namespace

std::vector<LabelRow> ToleranceSettingRows(const ToleranceResult& result) {
    const ToleranceSettings& s = result.settings;
    return {
        {t::kResistors, Percent(s.resistorTolerance)},
        {t::kCapacitors, Percent(s.capacitorTolerance)},
        {t::kGainBandwidth,
         s.gainBandwidthSpread > 0.0 ? Percent(s.gainBandwidthSpread) : t::kNone},
        {t::kDistribution,
         s.distribution == ToleranceDistribution::UNIFORM ? t::kUniform : t::kNormal},
        {t::kRuns, FormatInt(s.runs)},
        // A seed may exceed the range of a signed number.
        {t::kSeed, std::to_string(s.seed)},
    };
}

TextTable ToleranceFigureTable(const ToleranceResult& result) {
    TextTable table{{t::kFigure, t::kNominal, t::kMean, t::kDeviation, t::kMinimum, t::kMaximum},
                    {}};
    switch (result.type) {
        case FilterType::LOWPASS:
        case FilterType::HIGHPASS:
            table.rows.push_back(
                FigureRow(t::CutoffFigure(Db(result.cutoffDropDb)), result.frequency, true));
            table.rows.push_back(FigureRow(
                t::PassBandGainFigure(Frequency(result.passBandFrequency)), result.level, false));
            break;
        case FilterType::BANDPASS:
            table.rows.push_back(FigureRow(t::kCentre, result.frequency, true));
            table.rows.push_back(FigureRow(t::kCentreGain, result.level, false));
            break;
        case FilterType::BANDREJECT:
            table.rows.push_back(FigureRow(t::kNotch, result.frequency, true));
            table.rows.push_back(FigureRow(t::kNotchDepth, result.level, false));
            break;
    }
    return table;
}

std::vector<std::string> ToleranceFigureNotes(const ToleranceResult& result) {
    const int missing = result.settings.runs - std::min(result.frequency.count, result.level.count);
    if (missing <= 0) {
        return {};
    }
    return {t::RunsWithoutValueNote(missing, result.settings.runs)};
}

std::vector<LabelRow> ToleranceYieldRows(const ToleranceResult& result) {
    return {
        {t::kYield, t::YieldText(Percent(result.Yield()), result.passed, result.settings.runs)},
        {t::kMask, result.scheme ? t::SchemeMaskText(*result.scheme) : t::kMaskText},
        {t::kNominalInMask, result.nominalPasses ? t::kYes : t::kNo},
    };
}

TextTable SensitivityTable(const ToleranceResult& result) {
    TextTable table{
        {t::kStage, t::kPole, t::kComponent, t::kFrequencySensitivity, t::kQualitySensitivity}, {}};
    for (const SensitivityRow& row : result.sensitivities) {
        table.rows.push_back({FormatInt(row.stage + 1), row.realPole ? t::kRealPole : t::kPolePair,
                              row.component, Fixed(row.frequency), Fixed(row.quality)});
    }
    return table;
}

std::string ToleranceText(const ToleranceResult& result) {
    std::string s = std::string(t::kCaption) + "\n";
    AppendRows(ToleranceSettingRows(result), s);
    s += "\n";
    AppendTable(ToleranceFigureTable(result), s);
    for (const std::string& note : ToleranceFigureNotes(result)) {
        s += note + "\n";
    }
    s += "\n";
    AppendRows(ToleranceYieldRows(result), s);
    s += "\n";
    s += t::kSensitivities;
    s += "\n";
    AppendTable(SensitivityTable(result), s);
    return s;
}

std::string ToleranceProgressLine(int percent) {
    return std::string(t::kCaption) + ": " + FormatInt(percent) + " %";
}

}  // namespace vx
