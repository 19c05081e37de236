#pragma once

#include <string>

#include "model/user_message.h"

// What the update check asks and tells.
namespace vx {

struct VersionInfo;

// The question when the server names a newer version: version, date and file of the download.
UserMessage NewVersionQuestion(const VersionInfo& info);

// The menu entry's caption and its two messages.
inline constexpr const char* kCheckUpdateCaption = "Auf Update prüfen";
inline constexpr const char* kCurrentVersionText = "Sie verwenden die aktuelle Programmversion.";
inline constexpr const char* kGoOnlineText =
    "Bitte gehen Sie online und prüfen Sie erneut auf ein Update !";

}  // namespace vx
