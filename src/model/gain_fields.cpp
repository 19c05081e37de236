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

double FieldNumber(std::string_view text, const ShownNumber& shown) {
    if (!shown.text.empty() && text == shown.text) {
        return shown.value;
    }
    const std::optional<double> value = ParseValueText(text);
    return value && std::isfinite(*value) ? *value : std::nan("");
}

std::optional<std::string> GainLinearTextFromDb(std::string_view dbText) {
    const double db = FieldNumber(dbText);
    if (std::isnan(db)) {
        return std::nullopt;
    }
    return GainLinearText(db);
}

double PairedGainDb(std::string_view linearText, std::string_view dbText,
                    const ShownNumber& shownDb) {
    return std::isnan(FieldNumber(linearText)) ? std::nan("") : FieldNumber(dbText, shownDb);
}

std::optional<std::string> GainDbTextFromLinear(std::string_view linearText) {
    const double linear = FieldNumber(linearText);
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
