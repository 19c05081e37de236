#pragma once

#include <string>

#include "model/user_message.h"

// What saving the HTML report tells the user.
namespace vx {

inline UserMessage SaveHtmlReportFailedMessage(const std::string& path) {
    return {"Ergebnis speichern",
            path +
                " kann nicht gespeichert werden.\n\nBitte speichern Sie auf einem anderen "
                "Laufwerk."};
}

}  // namespace vx
