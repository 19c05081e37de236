#include "model/gain_fields.h"

#include <algorithm>
#include <cmath>

#include "model/filter.h"
#include "model/number_format.h"
#include "model/number_text.h"

namespace vx {

std::string GainDbText(double gainDb) {
    return FormatValueNoMilli(gainDb, false, 4, ValueKind::ANY);
}

std::string GainLinearText(double gainDb) {
    return LinearGainText(std::pow(10.0, gainDb / 20.0));
}

std::string LinearGainText(double linear) {
    return FormatValueNoMilli(linear, true, 4, ValueKind::ANY);
}

std::optional<std::string> GainDbTextFromLinear(std::string_view linearText) {
    const double linear = ParseValue(linearText);
    if (!(linear > 0.0)) {
        return std::nullopt;
    }
    return GainDbText(20.0 * std::log10(linear));
}

double StageGainProductDb(std::span<const double> stageGains, int order) {
    const size_t stages = std::min({stageGains.size(), static_cast<size_t>(kMaxStages),
                                    static_cast<size_t>(std::max(0, (order + 1) / 2))});
    double product = 1.0;
    for (size_t i = 0; i < stages; ++i) {
        product *= stageGains[i];
    }
    return 20.0 * std::log10(product);
}

double ShownGainDb(const CFilter& filter, StructureKind structure) {
    double gainDb = filter.GainDb();
    if (filter.GetGainDistribution() == GainDistribution::VALUES) {
        gainDb = StageGainProductDb(filter.Specification().stageGain, filter.Order());
    }
    const bool sallenKey =
        structure == StructureKind::SALLEN_KEY || structure == StructureKind::SALLEN_KEY_X;
    return sallenKey && gainDb < 0.0 ? 0.0 : gainDb;
}

std::string NumberFieldText(double x) {
    return FormatValue(x, false, 4, ValueKind::ANY);
}

std::string RippleText(double rippleDb) {
    if (rippleDb >= 0.1) {
        return FormatValueNoMilli(rippleDb, false, 4, ValueKind::ANY);
    }
    return WithDecimalComma(FormatE(rippleDb));
}

}  // namespace vx
