#include "plot/graph_options.h"

#include <cmath>
#include <numbers>

#include "model/number_format.h"
#include "model/number_text.h"
#include "plot/plot_messages.h"
#include "session/design_session.h"

namespace vx {

namespace {

// "%9.2E": two decimals, a signed exponent of at least two digits, right-aligned in 9.
std::string ExponentText(double x) {
    int exponent = static_cast<int>(std::floor(std::log10(std::fabs(x))));
    double mantissa = x / std::pow(10.0, exponent);
    if (std::fabs(std::round(mantissa * 100.0)) >= 1000.0) {
        mantissa /= 10.0;
        ++exponent;
    }
    std::string digits = FormatInt(std::abs(exponent));
    if (digits.size() < 2) {
        digits = "0" + digits;
    }
    std::string text = FormatF(mantissa, 2) + (exponent < 0 ? "E-" : "E+") + digits;
    if (text.size() < 9) {
        text = std::string(9 - text.size(), ' ') + text;
    }
    return text;
}

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

std::optional<UserMessage> ApplyPlotRange(CFilter& filter, double start, double end,
                                          RangeInput input) {
    if (input == RangeInput::FREQUENCIES) {
        start /= filter.Frequency();
        end /= filter.Frequency();
    }
    if (!filter.SetPlotRange(start, end)) {
        return PlotRangeRefusedMessage();
    }
    return std::nullopt;
}

std::optional<double> FrequencyMarkLevelDb(CDesignSession& session, double f) {
    CFilterStructure* structure = session.Current();
    if (session.Filter().GetDesignState() != DesignState::DESIGNED || structure == nullptr) {
        return std::nullopt;
    }
    const double product = structure->StoredMagnitude(2.0 * std::numbers::pi * f);
    return std::round(2000.0 * std::log10(product)) * 0.01;
}

std::string MarkLevelText(std::optional<double> levelDb) {
    // A zero magnitude (0 Hz into a high-pass) has no level in dB.
    if (!levelDb || !std::isfinite(*levelDb)) {
        return {};
    }
    if (std::fabs(*levelDb) < 1000.0) {
        return WithDecimalComma(FormatF(*levelDb, 2)) + " dB";
    }
    return WithDecimalComma(ExponentText(*levelDb)) + " dB";
}

std::array<MarkField, kFrequencyMarks> FrequencyMarkFields(const CFilter& filter) {
    std::array<MarkField, kFrequencyMarks> rows;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Mark& mark = filter.frequencyMarks[i];
        rows[i] = {mark.enabled,
                   mark.value < 0.0 ? "" : FormatValue(mark.value, true, 5, ValueKind::ANY)};
    }
    return rows;
}

std::array<MarkField, kAmplitudeMarks> AmplitudeMarkFields(const CFilter& filter) {
    std::array<MarkField, kAmplitudeMarks> rows;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Mark& mark = filter.amplitudeMarks[i];
        rows[i] = {mark.enabled,
                   mark.enabled ? FormatValueNoMilli(mark.value, true, 5, ValueKind::ANY) : ""};
    }
    return rows;
}

std::string FrequencyMarkLevelText(CDesignSession& session, const std::string& field) {
    if (IsBlank(field)) {
        return {};
    }
    return MarkLevelText(FrequencyMarkLevelDb(session, ParseValue(field)));
}

void ApplyFrequencyMarks(CFilter& filter, const std::array<MarkField, kFrequencyMarks>& rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
        Mark& mark = filter.frequencyMarks[i];
        mark.enabled = rows[i].checked;
        const double value = IsBlank(rows[i].text) ? -1.0 : ParseValue(rows[i].text);
        if (value >= 0.0) {
            mark.value = RoundSignificant(value, 5);
        } else {
            mark.enabled = false;
            mark.value = -1.0;
        }
    }
}

void ApplyAmplitudeMarks(CFilter& filter, const std::array<MarkField, kAmplitudeMarks>& rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
        Mark& mark = filter.amplitudeMarks[i];
        mark.enabled = rows[i].checked;
        if (IsBlank(rows[i].text)) {
            mark.enabled = false;
        } else {
            mark.value = ParseValue(rows[i].text);
        }
    }
}

}  // namespace vx
