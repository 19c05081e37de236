#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/filter.h"

// The paired gain fields of the input dialogs (linear and dB) and the other number fields'
// texts.
namespace vx {

// What a number field was filled with: its text and the value behind the text.
struct ShownNumber {
    std::string text;
    double value = 0.0;
};
// A number field's value at OK. While the field still holds the text it was filled with, the
// value behind it, so that a value with more digits than the field shows (a centre frequency
// from band edges, a loaded file) is not rounded by opening and closing a dialog. Otherwise
// the typed number; NaN for a text that holds no finite number, which every range check
// refuses, so that the field's own range message names it.
double FieldNumber(std::string_view text, const ShownNumber& shown = {});

std::string GainDbText(double gainDb);
std::string GainLinearText(double gainDb);
// A linear gain as the gain fields show it (the stage gains of the gain dialog too).
std::string LinearGainText(double linear);
// The dB text that follows an edit of the linear field; nothing while it is not above 0.
std::optional<std::string> GainDbTextFromLinear(std::string_view linearText);
// The linear text that follows an edit of the dB field; nothing while it holds no number.
std::optional<std::string> GainLinearTextFromDb(std::string_view dbText);
// The gain of the pair at OK: the dB field's number, NaN while either field holds no number
// (both are "Verstärkung" to the user).
double PairedGainDb(std::string_view linearText, std::string_view dbText,
                    const ShownNumber& shownDb);
// The dB field with the gain distribution VALUES: 20 log10 of the product of the gains of the
// (order + 1) / 2 stages of an order (at most the 15 stages).
double StageGainProductDb(std::span<const double> stageGains, int order);
// The gain the dialog of `structure` opens with: the product of the stage gains for entered
// stage gains, and 0 dB instead of a negative gain for the Sallen-Key structures, which
// cannot attenuate; the record may hold a multiple-feedback design's negative gain.
double ShownGainDb(const CFilter& filter, StructureKind structure);
// A frequency, bandwidth, impedance or quality as the input dialogs show it.
std::string NumberFieldText(double x);
// The ripple as the dialog shows it: small values in exponent form with a decimal comma.
std::string RippleText(double rippleDb);

}  // namespace vx
