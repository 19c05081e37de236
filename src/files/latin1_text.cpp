#include "files/latin1_text.h"

#include "model/number_format.h"

namespace vx {

namespace {

struct Decoded {
    bool valid = false;
    unsigned code = 0;
    size_t length = 1;
};

Decoded DecodeAt(std::string_view utf8, size_t i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    Decoded d;
    if ((c & 0xE0) == 0xC0) {
        d.length = 2;
        d.code = c & 0x1Fu;
    } else if ((c & 0xF0) == 0xE0) {
        d.length = 3;
        d.code = c & 0x0Fu;
    } else if ((c & 0xF8) == 0xF0) {
        d.length = 4;
        d.code = c & 0x07u;
    } else {
        return d;
    }
    if (i + d.length > utf8.size()) {
        return {};
    }
    for (size_t k = 1; k < d.length; ++k) {
        const auto b = static_cast<unsigned char>(utf8[i + k]);
        if ((b & 0xC0) != 0x80) {
            return {};
        }
        d.code = (d.code << 6) | (b & 0x3Fu);
    }
    d.valid = d.code <= 0x10FFFF && (d.code < 0xD800 || d.code > 0xDFFF);
    return d.valid ? d : Decoded{};
}

// Surrogates never decode; U+FFFE and U+FFFF are the other code points XML excludes above
// the control characters.
bool XmlAllows(unsigned code) {
    return code != 0xFFFE && code != 0xFFFF;
}

}  // namespace

std::string Utf8ToLatin1(std::string_view utf8, Latin1Fallback fallback) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        const Decoded d = DecodeAt(utf8, i);
        i += d.length;
        if (!d.valid) {
            out += '?';
        } else if (d.code <= 0xFF) {
            out += static_cast<char>(d.code);
        } else if (fallback == Latin1Fallback::CHARACTER_REFERENCE && XmlAllows(d.code)) {
            out += "&#" + FormatInt(d.code) + ";";
        } else {
            out += '?';
        }
    }
    return out;
}

}  // namespace vx
