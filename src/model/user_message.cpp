#include "model/user_message.h"

namespace vx {

UserMessage InternalErrorMessage(const std::string& what) {
    return {"Interner Fehler",
            "Die Aktion wurde wegen eines internen Fehlers abgebrochen (" + what + ")."};
}

}  // namespace vx
