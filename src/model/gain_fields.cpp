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
    return FormatValueNoMilli(std::pow(10.0, gainDb / 20.0), true, 4, ValueKind::ANY);
}

std::optional<std::string> GainDbTextFromLinear(std::string_view linearText) {
    const double linear = ParseValue(linearText);
    if (!(linear > 0.0)) {
        return std::nullopt;
    }
    return GainDbText(20.0 * std::log10(linear));
}

double ShownGainDb(const CFilter& filter) {
    double gainDb = filter.GainDb();
    if (filter.GetGainDistribution() == GainDistribution::VALUES) {
        double product = 1.0;
        for (int i = 0; i < (filter.Order() + 1) / 2; ++i) {
            product *= filter.GetStageGain(i);
        }
        gainDb = 20.0 * std::log10(product);
    }
    const bool sallenKey = filter.Structure() == StructureKind::SALLEN_KEY ||
                           filter.Structure() == StructureKind::SALLEN_KEY_X;
    return sallenKey && gainDb < 0.0 ? 0.0 : gainDb;
}

std::string RippleText(double rippleDb) {
    if (rippleDb >= 0.1) {
        return FormatValueNoMilli(rippleDb, false, 4, ValueKind::ANY);
    }
    std::string s = FormatE(rippleDb);
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

}  // namespace vx
