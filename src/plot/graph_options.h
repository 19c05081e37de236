#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/filter.h"
#include "model/user_message.h"

// What the graph option dialogs decide, without the dialogs: the plot range and the frequency
// and amplitude marks (the curve selection is the record's CurveSelection).
namespace vx {

class CDesignSession;

// Which pair of fields the user edited last in the frequency range dialog.
enum class RangeInput { FACTORS, FREQUENCIES };

// Stores the range given as factors of the filter frequency or as frequencies in Hz; a pair
// the record refuses gives the message for the user and leaves the range unchanged.
std::optional<UserMessage> ApplyPlotRange(CFilter& filter, double start, double end,
                                          RangeInput input);

// Level in dB of the stored design at frequency f (Hz), to a hundredth of a dB, with the
// selected op-amp; nothing when no design is computed.
std::optional<double> FrequencyMarkLevelDb(CDesignSession& session, double f);
// "%.2f dB", or "%9.2E dB" from 1000 dB on; empty for no level.
std::string MarkLevelText(std::optional<double> levelDb);

// One row of a mark dialog: its check box and its field text.
struct MarkField {
    bool checked = false;
    std::string text;
};

// The rows as the mark dialogs open: a frequency with 5 significant digits (empty while the
// mark holds no frequency), an enabled level with 5 significant digits (empty when disabled).
std::array<MarkField, kFrequencyMarks> FrequencyMarkFields(const CFilter& filter);
std::array<MarkField, kAmplitudeMarks> AmplitudeMarkFields(const CFilter& filter);
// The level text beside a frequency mark's field: empty for an empty field or no design.
std::string FrequencyMarkLevelText(CDesignSession& session, const std::string& field);

// OK of the frequency marks: a non-negative value is kept to 5 significant digits; an empty
// field or a negative value disables the mark and stores -1.
void ApplyFrequencyMarks(CFilter& filter, const std::array<MarkField, kFrequencyMarks>& rows);
// OK of the amplitude marks: any level is accepted; an empty field disables the mark.
void ApplyAmplitudeMarks(CFilter& filter, const std::array<MarkField, kAmplitudeMarks>& rows);

}  // namespace vx
