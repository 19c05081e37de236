#pragma once

#include <string>

#include "model/user_message.h"

// What saving the HTML report tells the user, and its file dialog.
namespace vx {

inline constexpr const char* kSaveHtmlTitle = "Ergebnis speichern";
inline constexpr const char* kHtmlFilter = "HTML-Dateien (*.htm)";
inline constexpr const char* kHtmlSuffix = "htm";

inline UserMessage SaveHtmlReportFailedMessage(const std::string& path) {
    return {kSaveHtmlTitle,
            path +
                " kann nicht gespeichert werden.\n\nBitte speichern Sie auf einem anderen "
                "Laufwerk."};
}

}  // namespace vx
