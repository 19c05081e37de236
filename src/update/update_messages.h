#pragma once

#include <string>

#include "model/user_message.h"

// What the update check asks and tells.
namespace vx {

struct UpdateAnswer;
struct VersionInfo;

// The question when the server names a newer version: version, date and file of the download.
UserMessage NewVersionQuestion(const VersionInfo& info);

// The menu entry's caption and its two messages.
inline constexpr const char* kCheckUpdateCaption = "Auf Update prüfen";
inline constexpr const char* kCurrentVersionText = "Sie verwenden die aktuelle Programmversion.";
// Why the newest version is not known: the fetch failed (after `limitSeconds` for a timeout),
// or the server's text names no version.
UserMessage UpdateFailedMessage(const UpdateAnswer& answer, int limitSeconds);

}  // namespace vx
