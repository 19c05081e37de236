#pragma once

#include <string>

#include "model/user_message.h"

// What exporting the parts list tells the user, and its file dialog.
namespace vx {

inline constexpr const char* kPartsListTitle = "Stückliste exportieren";
inline constexpr const char* kPartsListFilter = "CSV-Dateien (*.csv)";
inline constexpr const char* kPartsListSuffix = "csv";

inline UserMessage SavePartsListFailedMessage(const std::string& path) {
    return {kPartsListTitle,
            path +
                " kann nicht gespeichert werden.\n\nBitte speichern Sie auf einem anderen "
                "Laufwerk."};
}

}  // namespace vx
