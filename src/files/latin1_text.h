#pragma once

#include <string>
#include <string_view>

// Our texts are UTF-8; the files other programs read are 8-bit ISO-8859-1.
namespace vx {

enum class Latin1Fallback {
    QUESTION_MARK,        // a letter outside Latin-1 becomes '?'
    CHARACTER_REFERENCE,  // ... becomes "&#NNNN;", so XML and HTML readers lose nothing
};

// Letters of the Latin-1 range become single bytes. A broken UTF-8 sequence, and with
// CHARACTER_REFERENCE a code point XML does not allow, becomes '?'.
std::string Utf8ToLatin1(std::string_view utf8, Latin1Fallback fallback);

}  // namespace vx
