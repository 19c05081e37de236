#include "session/design_check.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/filter_rules.h"
#include "model/number_text.h"
#include "session/design_check_limits.h"
#include "session/design_check_messages.h"

namespace vx {

namespace {

double Db(double ratio) {
    return 20.0 * std::log10(ratio);
}

// A frequency to the three digits the other figures have, so that it takes its prefix:
// "993 kHz", not "993113 Hz".
std::string FrequencyText(double f) {
    return FormatQuantity(RoundSignificant(f, 3), "Hz", ValueKind::ANY);
}

// The largest gap between the final curve and the target where the target is in its pass band.
void CheckPassBand(const CFilter& filter, const ResponseCurves& curves,
                   std::vector<std::string>& findings) {
    const std::vector<double>& target = curves.target.Values();
    const std::vector<double>& actual = curves.filter.Values();
    const double floor = curves.target.GetMaximum() * std::pow(10.0, -check::kPassBandDb / 20.0);
    const double ratio = std::pow(filter.PlotMax() / filter.PlotMin(), 1.0 / (kCurvePoints - 1));
    double worst = 0.0;
    int worstAt = -1;
    for (size_t i = 0; i < target.size() && i < actual.size(); ++i) {
        if (target[i] < floor || target[i] <= 0.0 || actual[i] <= 0.0) {
            continue;
        }
        const double deviation = Db(actual[i] / target[i]);
        if (std::abs(deviation) > std::abs(worst)) {
            worst = deviation;
            worstAt = static_cast<int>(i);
        }
    }
    if (worstAt < 0 || std::abs(worst) <= check::kMaxPassBandDeviationDb) {
        return;
    }
    const double f = filter.Frequency() * filter.PlotMin() * std::pow(ratio, worstAt);
    findings.push_back(check::PassBandDeviationMessage(
        WithUnit(FormatValue(std::abs(worst), true, 3, ValueKind::ANY), "dB"), worst > 0.0,
        FrequencyText(f)));
}

void CheckGainBandwidth(const CFilter& filter, const CFilterStructure& structure, const COpv& opv,
                        std::vector<std::string>& findings) {
    const int opAmp = filter.OpAmp();
    if (opAmp <= 0 || opAmp >= opv.Count()) {
        return;  // the ideal op-amp has no limit
    }
    const double gbw = opv.DcGain(opAmp) / (2.0 * std::numbers::pi * opv.TimeConstant1(opAmp));
    for (int stage = 0; stage < structure.RecordCount(); ++stage) {
        const StageRecord& r = structure.Record(stage);
        // A first-order stage has no peaking: its peak gain is its gain.
        const double q = std::max(r.poleQuality, 1.0);
        const double needed = check::kGainBandwidthMargin * std::abs(r.gain) * q * r.poleFrequency;
        if (needed > gbw) {
            findings.push_back(check::GainBandwidthMessage(
                stage + 1, opv.Name(opAmp), FrequencyText(gbw), FrequencyText(needed)));
        }
    }
}

void CheckParts(const CFilter& filter, std::vector<std::string>& findings) {
    for (int stage = 0; stage < filter.StageCount(); ++stage) {
        for (int slot = 0; slot < filter.ComponentCount(stage); ++slot) {
            const std::string name = filter.ComponentName(stage, slot);
            const double x = filter.ComponentValue(slot, stage);
            if (name.empty() || x <= 0.0 || x >= kOpenResistor) {
                continue;  // an open resistor or an absent part is no part
            }
            const bool resistor = name.front() == 'R';
            const bool capacitor = name.front() == 'C';
            if (!resistor && !capacitor) {
                continue;
            }
            const double low = resistor ? check::kMinResistor : check::kMinCapacitor;
            const double high = resistor ? check::kMaxResistor : check::kMaxCapacitor;
            if (x >= low && x <= high) {
                continue;
            }
            const char* unit = resistor ? "Ohm" : "F";
            const ValueKind kind = resistor ? ValueKind::RESISTANCE : ValueKind::CAPACITANCE;
            findings.push_back(check::PartRangeMessage(
                stage + 1, name, FormatQuantity(x, unit, kind), FormatQuantity(low, unit, kind),
                FormatQuantity(high, unit, kind)));
        }
    }
}

// Where the search over every combination could not keep to the specified window.
void CheckSearchWindow(const CFilter& filter, const CFilterStructure& structure,
                       std::vector<std::string>& findings) {
    if (!filter.SearchesEveryCombination()) {
        return;
    }
    auto text = [](double window) { return FormatValue(window, false, 3, ValueKind::ANY); };
    const double asked = filter.ImpedanceWindow();
    for (int stage = 0; stage < structure.StageCount(); ++stage) {
        const double taken = structure.Outcome(stage).window;
        if (taken == 0.0) {
            findings.push_back(
                check::NoCombinationMessage(stage + 1, text(kWidestImpedanceWindow)));
        } else if (taken > asked) {
            findings.push_back(check::WidenedWindowMessage(stage + 1, text(asked), text(taken)));
        }
    }
}

}  // namespace

std::vector<std::string> CheckDesign(const CFilter& filter, const ResponseCurves& curves,
                                     const CFilterStructure& structure, const COpv& opv) {
    std::vector<std::string> findings;
    CheckPassBand(filter, curves, findings);
    CheckGainBandwidth(filter, structure, opv, findings);
    CheckParts(filter, findings);
    CheckSearchWindow(filter, structure, findings);
    return findings;
}

}  // namespace vx
