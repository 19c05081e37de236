// Bytes as a typed number: the plain parsers must read what strtod and strtol read in the C
// locale, and a value the user typed, shown again and read back, must stay the same value.
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/number_format.h"
#include "model/number_text.h"

namespace {

// Blanks, signs, digits, point and exponent: the texts the plain parsers promise to read as
// the C library does (hexadecimal, "inf" and "nan" are beyond that promise).
bool IsPlainNumberText(const std::string& text) {
    return text.find_first_not_of(" \t\n\v\f\r+-.0123456789eE") == std::string::npos;
}

bool Same(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || (std::signbit(a) == std::signbit(b) && a == b);
}

void CheckPlainParsers(const std::string& text) {
    if (!IsPlainNumberText(text)) {
        return;
    }
    const double parsed = vx::ParseDouble(text);
    const double expected = std::strtod(text.c_str(), nullptr);
    if (!Same(parsed, expected)) {
        std::fprintf(stderr, "ParseDouble('%s') = %.17g, strtod gives %.17g\n", text.c_str(),
                     parsed, expected);
        std::abort();
    }
    const long long parsedInt = vx::ParseInt(text);
    const long long expectedInt = std::strtoll(text.c_str(), nullptr, 10);
    if (parsedInt != expectedInt) {
        std::fprintf(stderr, "ParseInt('%s') = %lld, strtoll gives %lld\n", text.c_str(), parsedInt,
                     expectedInt);
        std::abort();
    }
}

// Six digits are shown where the value is typed again; a tenth of a percent leaves room for
// their rounding while catching a wrong prefix.
void CheckShownValueReadsBack(double x) {
    constexpr double kTolerance = 1e-3;
    // Below and above these the text is "0", "Draht" or empty on purpose.
    if (!std::isfinite(x) || std::fabs(x) <= 1e-20 || std::fabs(x) >= 1e20) {
        return;
    }
    for (const vx::ValueKind kind : {vx::ValueKind::ANY, vx::ValueKind::CAPACITANCE,
                                     vx::ValueKind::RESISTANCE, vx::ValueKind::TIME}) {
        const std::string shown = vx::FormatValue(x, false, 6, kind);
        // The prefix for peta is a typed pico.
        if (shown.back() == 'P') {
            continue;
        }
        const double back = vx::ParseValue(shown);
        if (!(std::fabs(back - x) <= kTolerance * std::fabs(x))) {
            std::fprintf(stderr, "%.17g shown as '%s' reads back as %.17g\n", x, shown.c_str(),
                         back);
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckPlainParsers(text);
    CheckShownValueReadsBack(vx::ParseValue(text));
    return 0;
}
