#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "model/user_message.h"

// The short help ("Hilfe, Kurzanleitung", F1): the part of README.md for the users of the
// window. The README ships with the program as its other data does.
namespace vx {

// The README's sections ("## ...") that the help shows after its introduction; the others are
// for building, testing and developing the program.
inline constexpr std::array<const char*, 6> kHelpSections = {
    "Desktop application", "Tolerance analysis", "Op-amp models", "Noise and headroom", "Spice",
    "Update check"};

inline constexpr const char* kHelpTitle = "Veltranix - Kurzanleitung";

// The help as Markdown: the README's title and introduction and the kHelpSections, in the
// README's order. Pictures are left out, as they are not shipped, and links within the README
// become their text, as the sections they lead to may be missing.
std::string HelpMarkdown(std::string_view readme);

// HelpMarkdown of the shipped README, or the message that it is missing.
std::variant<std::string, UserMessage> LoadHelp();

}  // namespace vx
