#pragma once

#include <optional>
#include <string>

#include "model/user_message.h"
#include "plot/graph_options.h"

// The frequency range dialog without its window: two ways to enter the range, factors of the
// filter frequency and frequencies in hertz, kept in step as the user types.
namespace vx {

class CFilter;

class CPlotRangeForm {
  public:
    // The fields as the record's range fills them.
    explicit CPlotRangeForm(const CFilter& filter);

    // "fg :" for low- and high-pass, "fm :" for band-pass and band-stop.
    const std::string& ReferenceLabel() const { return referenceLabel_; }
    // "( >= 10  und  < 1k )" and "( > 1k  und  <= 100k )" for a filter frequency of 1 kHz.
    std::string StartHzHint() const;
    std::string EndHzHint() const;

    const std::string& StartFactor() const { return startFactor_; }
    const std::string& EndFactor() const { return endFactor_; }
    const std::string& StartHz() const { return startHz_; }
    const std::string& EndHz() const { return endHz_; }

    // Typing into a field rewrites its partner and makes its kind the one OK takes.
    void EditStartFactor(const std::string& text);
    void EditEndFactor(const std::string& text);
    void EditStartHz(const std::string& text);
    void EditEndHz(const std::string& text);
    // "Standard": 0.5 and 2 times the filter frequency.
    void Standard();

    // OK: the pair of the kind edited last goes to the record; a refused pair gives the
    // message and changes nothing.
    std::optional<UserMessage> Apply(CFilter& filter) const;

  private:
    void SetFactors(double start, double end);
    // The range message of the first field of the pair OK takes whose text is no number.
    std::optional<UserMessage> CheckFields() const;

    double reference_;
    std::string referenceLabel_;
    std::string startFactor_;
    std::string endFactor_;
    std::string startHz_;
    std::string endHz_;
    RangeInput lastInput_ = RangeInput::FACTORS;
};

}  // namespace vx
