#include "model/user_message.h"

namespace vx {

UserMessage InternalErrorMessage(const std::string& what) {
    // An exception without a text of its own (not a std::exception) gives the sentence alone.
    const std::string detail = what.empty() ? "" : " (" + what + ")";
    return {"Interner Fehler",
            "Die Aktion wurde wegen eines internen Fehlers abgebrochen" + detail + "."};
}

}  // namespace vx
