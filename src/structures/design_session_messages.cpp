#include "structures/design_session_messages.h"

#include "model/number_format.h"

namespace vx {

UserMessage CapacitorNotStoredMessage(const std::string& promptTitle) {
    return {promptTitle, "Die Kapazität ist nicht gespeichert."};
}

UserMessage StoredCapacitorMismatchMessage(const std::string& explanation) {
    return {"Kapazitäten", explanation};
}

std::string DesignProgressLine(const DesignProgress& progress) {
    std::string line = "Stufe ";
    line += FormatInt(progress.stage + 1);
    line += ", Durchlauf ";
    line += FormatInt(progress.retry + 1);
    line += ": ";
    line += FormatInt(progress.percent);
    line += " %";
    return line;
}

}  // namespace vx
