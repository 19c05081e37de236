#include "model/number_format.h"

#include <cctype>
#include <charconv>
#include <limits>
#include <system_error>

namespace vx {

namespace {

std::string ToChars(double x, std::chars_format format, int precision) {
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, format, precision);
    return std::string(buffer, result.ptr);
}

// Skips blanks and an optional sign, as strtod does; returns the sign. A second sign leaves
// no number.
double SkipSign(std::string_view& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    const auto isSign = [&text](size_t at) {
        return at < text.size() && (text[at] == '+' || text[at] == '-');
    };
    double sign = 1.0;
    if (isSign(i)) {
        sign = text[i] == '-' ? -1.0 : 1.0;
        ++i;
    }
    // strtod stops at a second sign, but from_chars would read a minus there.
    text = isSign(i) ? std::string_view() : text.substr(i);
    return sign;
}

}  // namespace

std::string FormatG(double x, int precision) {
    return ToChars(x, std::chars_format::general, precision < 1 ? 1 : precision);
}

std::string FormatE(double x) {
    std::string s = ToChars(x, std::chars_format::scientific, 6);
    for (char& c : s) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return s;
}

std::string FormatF(double x, int precision, int width) {
    std::string s = ToChars(x, std::chars_format::fixed, precision);
    if (static_cast<int>(s.size()) < width) {
        s.insert(0, static_cast<size_t>(width) - s.size(), ' ');
    }
    return s;
}

std::string FormatInt(long long n) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
    return std::string(buffer, result.ptr);
}

double ParseDouble(std::string_view text) {
    const double sign = SkipSign(text);
    double value = 0.0;
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument) {
        return 0.0;
    }
    if (result.ec == std::errc::result_out_of_range) {
        // As strtod: an overflow gives infinity, an underflow 0.
        const std::string_view consumed(text.data(), static_cast<size_t>(result.ptr - text.data()));
        const size_t e = consumed.find_first_of("eE");
        const bool underflow =
            e != std::string_view::npos && e + 1 < consumed.size() && consumed[e + 1] == '-';
        value = underflow ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return sign * value;
}

long long ParseInt(std::string_view text) {
    const double sign = SkipSign(text);
    long long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // As strtol: an overflow gives the limit on its side.
        return sign < 0 ? std::numeric_limits<long long>::min()
                        : std::numeric_limits<long long>::max();
    }
    if (result.ec != std::errc()) {
        return 0;
    }
    return sign < 0 ? -value : value;
}

}  // namespace vx
