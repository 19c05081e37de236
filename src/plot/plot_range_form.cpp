#include "plot/plot_range_form.h"

#include "model/filter.h"
#include "model/number_text.h"
#include "plot/graph_option_texts.h"
#include "plot/plot_messages.h"

namespace vx {

namespace {

std::string FactorText(double factor) {
    return FormatValueNoMilli(factor, true, 4, ValueKind::ANY);
}

std::string HzText(double hz) {
    return FormatValue(hz, true, 4, ValueKind::ANY);
}

}  // namespace

CPlotRangeForm::CPlotRangeForm(const CFilter& filter)
    : reference_(filter.Frequency()),
      referenceLabel_(filter.Type() == FilterType::LOWPASS || filter.Type() == FilterType::HIGHPASS
                          ? "fg :"
                          : "fm :") {
    SetFactors(filter.PlotMin(), filter.PlotMax());
}

void CPlotRangeForm::SetFactors(double start, double end) {
    startFactor_ = FactorText(start);
    endFactor_ = FactorText(end);
    startHz_ = HzText(start * reference_);
    endHz_ = HzText(end * reference_);
}

std::optional<UserMessage> CPlotRangeForm::CheckFields() const {
    // The fields are named as their labels, without the colon.
    const auto name = [](std::string_view label) {
        return std::string(label.substr(0, label.rfind(" :")));
    };
    std::optional<UserMessage> refused;
    if (lastInput_ == RangeInput::FREQUENCIES) {
        refused = CheckPlotRangeField(startHz_, name(kRangeStartHzLabel), StartHzHint());
        return refused ? refused : CheckPlotRangeField(endHz_, name(kRangeEndHzLabel), EndHzHint());
    }
    const std::string reference = name(referenceLabel_);
    refused = CheckPlotRangeField(
        startFactor_, std::string(kRangeStartFactorLabel) + ' ' + reference, kRangeStartFactorHint);
    return refused ? refused
                   : CheckPlotRangeField(endFactor_,
                                         std::string(kRangeEndFactorLabel) + ' ' + reference,
                                         kRangeEndFactorHint);
}

std::string CPlotRangeForm::StartHzHint() const {
    return "( >= " + HzText(0.01 * reference_) + "  und  < " + HzText(reference_) + " )";
}

std::string CPlotRangeForm::EndHzHint() const {
    return "( > " + HzText(reference_) + "  und  <= " + HzText(100.0 * reference_) + " )";
}

void CPlotRangeForm::EditStartFactor(const std::string& text) {
    startFactor_ = text;
    startHz_ = HzText(ParseValue(text) * reference_);
    lastInput_ = RangeInput::FACTORS;
}

void CPlotRangeForm::EditEndFactor(const std::string& text) {
    endFactor_ = text;
    endHz_ = HzText(ParseValue(text) * reference_);
    lastInput_ = RangeInput::FACTORS;
}

void CPlotRangeForm::EditStartHz(const std::string& text) {
    startHz_ = text;
    startFactor_ = FactorText(ParseValue(text) / reference_);
    lastInput_ = RangeInput::FREQUENCIES;
}

void CPlotRangeForm::EditEndHz(const std::string& text) {
    endHz_ = text;
    endFactor_ = FactorText(ParseValue(text) / reference_);
    lastInput_ = RangeInput::FREQUENCIES;
}

void CPlotRangeForm::Standard() {
    SetFactors(0.5, 2.0);
}

std::optional<UserMessage> CPlotRangeForm::Apply(CFilter& filter) const {
    if (const auto refused = CheckFields()) {
        return refused;
    }
    if (lastInput_ == RangeInput::FREQUENCIES) {
        return ApplyPlotRange(filter, ParseValue(startHz_), ParseValue(endHz_),
                              RangeInput::FREQUENCIES);
    }
    return ApplyPlotRange(filter, ParseValue(startFactor_), ParseValue(endFactor_),
                          RangeInput::FACTORS);
}

}  // namespace vx
