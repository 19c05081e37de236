#include "cli/search_options.h"

#include "model/enum_words.h"
#include "model/gain_fields.h"
#include "model/number_format.h"

namespace vx::cli {

std::variant<SearchOverride, std::string> ReadSearchOverride(
    const std::optional<std::string>& search, const std::optional<std::string>& window) {
    SearchOverride over;
    if (search) {
        over.method = EnumOfWord<SearchMethod>(*search, WordColumn::COMMAND_LINE);
        if (!over.method) {
            return "unknown word '" + *search + "' for --search (exhaustive or neighbours)";
        }
    }
    if (window) {
        over.window = FieldNumber(*window);
        if (!ImpedanceWindowAccepted(*over.window)) {
            return "--window needs a factor from " + FormatG(kLowestImpedanceWindow) + " to " +
                   FormatG(kHighestImpedanceWindow) + ", not '" + *window + "'";
        }
    }
    return over;
}

}  // namespace vx::cli
