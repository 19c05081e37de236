#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/user_message.h"

// The rules of the capacitor dialogs, for every front end: proposals, minimum checks, the
// repair of a stored pair whose ratio is too small, and the editing of all stages at once.
namespace vx {

class CFilter;
class CFilterStructure;

// The value a capacitor prompt opens with: below the minimum it becomes the smallest E12 value
// that is not below the minimum.
double CapacitorProposal(double value, double minimum);
// An entered value is accepted when it reaches the minimum (with 1e-20 of slack).
bool CapacitorEntryAccepted(double value, double minimum);
// Prompt title, for example "Kapazität vorgeben: C1 in Stufe 1 von 3".
std::string CapacitorPromptTitle(const std::string& caption, int stageNumber, int stageCount);
UserMessage CapacitorBelowMinimumMessage();
// The text of the capacitor prompt's field for `name` ("C1"): its value, or the range message
// naming the field for a text that is no number, or the minimum message.
std::variant<double, UserMessage> ReadCapacitorEntry(std::string_view text, const std::string& name,
                                                     double minimum);
// Capacitance as the dialogs show it (4 significant digits).
std::string FormatCapacitance(double farad);

// Option 3 of the repair asks for C1 with this minimum, then for C2 with the minimum r C1.
inline constexpr double kSmallestCapacitor = 1e-12;

// Smallest E12 value not below `minimum`: 1 pF for any smaller positive minimum, 0 for a
// minimum of 0 or less; a value that is not finite is returned as it is.
double E12AtOrAbove(double minimum);
// Largest E12 value not above `maximum`; 0 for a maximum of 0 or less.
double E12AtOrBelow(double maximum);

// The repair offered when C2/C1 is below the ratio r a stage needs.
struct MismatchOptions {
    std::string text;         // the explanation with stage, C1, C2 and r
    std::string changeC2;     // option 1 with its minimum
    std::string changeC1;     // option 2 with its maximum
    std::string changeBoth;   // option 3
    double proposedC2 = 0.0;  // smallest E12 value not below r C1
    double proposedC1 = 0.0;  // largest E12 value not above C2 / r
};
MismatchOptions MakeMismatchOptions(int stageNumber, double c1, double c2, double ratio);
// Option 1 (new C2) and option 2 (new C1): nothing when the pair now reaches the ratio. An
// entry that is no number (NaN), or a C1 not above 0, gets the range message naming it.
std::optional<UserMessage> CheckNewC2(double c1, double c2, double ratio);
std::optional<UserMessage> CheckNewC1(double c1, double c2, double ratio);

// Whether the capacitor entry after an accepted specification asks for new values: none were
// entered for this order yet, or the structure is the multiple-feedback high-pass, which
// always asks.
bool CapacitorsMustBeAsked(const CFilter& filter);
// Why the capacitors of a design cannot be changed, if they cannot: the third-order structure
// always searches its capacitors (its dialog and its file offer no entered ones), so edited
// values would not survive a save and a load.
std::optional<UserMessage> CapacitorEditRefusal(const CFilter& filter);
// After the user changed the capacitors of a design: they count as entered for its order, and
// the design that follows keeps them (capacitor mode "vorgeben") instead of searching new ones.
void KeepEditedCapacitors(CFilter& filter);

// The capacitors of every stage as the editing dialog holds them.
struct StageCapacitors {
    double first = 0.0;
    double second = 0.0;
};
// The values stored in the record, and their minima, for the editing dialog.
std::vector<StageCapacitors> StoredCapacitors(const CFilterStructure& structure);
// The minimum the editing dialog shows and checks for capacitor `which` of `stage`, given the
// edited first capacitor: the structure's minimum, but not above the value the design chose
// while the stage keeps its designed first capacitor. The capacitor searches step both values
// freely and may end under the ratio that dimensioning from the capacitors asks for, so the
// design's own values must pass.
double EditedCapacitorMinimum(const CFilterStructure& structure, int stage, int which,
                              double firstCapacitor);
// Checks every stage in order against its minima; the first failure is reported.
std::optional<UserMessage> CheckEditedCapacitors(const CFilterStructure& structure,
                                                 const std::vector<StageCapacitors>& caps);
// Recomputes every stage from the edited capacitors and stores it (the design runs afterwards).
void ApplyEditedCapacitors(CFilterStructure& structure, const std::vector<StageCapacitors>& caps);

}  // namespace vx
