#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/input_messages.h"

// The range checks of the input dialogs: every check runs, and the last one that failed names
// the message and the field that gets the focus.
namespace vx {

template <class Field>
struct InputError {
    UserMessage message;
    Field focus;
};

// Limits that the dialogs, the file reader and the command line share.
// Order of a low-pass or high-pass (the band-pass takes an even order from 2).
inline constexpr int kMinOrder = 1;
inline constexpr int kMaxOrder = 30;
bool OrderAccepted(int order);
// Chebyshev ripple in dB: above 0, at most 20.
bool RippleAccepted(double rippleDb);
// The ripple a dialog stores: only the Chebyshev characteristic reads the ripple field, so an
// unread field that holds no number (NaN) leaves the stored ripple as it was.
double RippleToStore(double typedRippleDb, double storedRippleDb);
// The impedance window of the exhaustive search, a factor from 1.5 to 100.
bool ImpedanceWindowAccepted(double window);

template <class Field>
class RangeChecks {
  public:
    void Check(bool accepted, Field field, std::string_view name, std::string_view range) {
        if (!accepted) {
            error_ = InputError<Field>{RangeMessage(name, range), field};
        }
    }
    const std::optional<InputError<Field>>& Result() const { return error_; }

  private:
    std::optional<InputError<Field>> error_;
};

}  // namespace vx
