#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/option_table.h"
#include "model/character.h"
#include "model/enum_words.h"
#include "model/number_format.h"
#include "model/range_check.h"

namespace vx::cli {

namespace {

constexpr int kDigits = 15;

constexpr const char* kUsage =
    "usage: veltranix-cli poles --characteristic bessel|butterworth|chebyshev --order N\n"
    "                           [--ripple DB]\n"
    "\n"
    "Prints the normalised low-pass prototype: one line per stage with the coefficients a and b\n"
    "of 1 + a s + b s^2 (b = 0 for a first-order stage), the normalised pole frequency 1/sqrt(b)\n"
    "and the pole quality sqrt(b)/a. Omega = 1 is the 3 dB frequency (Bessel, Butterworth) or the\n"
    "edge of the ripple band (Chebyshev). A first-order Chebyshev has no ripple band: it is the\n"
    "first-order low-pass 1 + s whatever the ripple, 3 dB down at Omega = 1.\n"
    "\n"
    "options:\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "veltranix-cli poles: %s\n", message.c_str());
    return 2;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The whole text must be a decimal number: ParseDouble alone would accept "1x" as 1.
std::optional<double> StrictNumber(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        const size_t exponentStart = i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        if (i == exponentStart) {
            return std::nullopt;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    return ParseDouble(text);
}

// Like "%#.15g": keeps trailing zeros, so every number shows a decimal point and all digits.
std::string FormatNumber(double x) {
    std::string text = FormatG(x, kDigits);
    const size_t exponent = std::min(text.find('e'), text.size());
    std::string mantissa = text.substr(0, exponent);
    int significant = 0;
    bool leading = true;
    for (char c : mantissa) {
        if (IsDigit(c)) {
            leading = leading && c == '0';
            significant += leading ? 0 : 1;
        }
    }
    if (x == 0.0) {
        significant = 1;
    }
    if (mantissa.find('.') == std::string::npos) {
        mantissa += '.';
    }
    mantissa.append(static_cast<size_t>(std::max(0, kDigits - significant)), '0');
    return mantissa + text.substr(exponent);
}

// Right-aligned in `width`, after one blank that keeps columns apart whatever the values.
std::string Column(const std::string& text, size_t width) {
    return std::string(1 + (text.size() < width ? width - text.size() : 0), ' ') + text;
}

struct PolesOptions {
    std::optional<Characteristic> characteristic;
    std::optional<int> order;
    double rippleDb = 1.0;
    bool help = false;
};

std::string TakeCharacteristic(const std::string& value, PolesOptions& o) {
    o.characteristic = EnumOfWord<Characteristic>(value, WordColumn::COMMAND_LINE);
    if (!o.characteristic || *o.characteristic == Characteristic::INDIVIDUAL) {
        return "unknown characteristic '" + value + "' (bessel, butterworth or chebyshev)";
    }
    return {};
}

std::string TakeOrder(const std::string& value, PolesOptions& o) {
    const std::optional<double> n = StrictNumber(value);
    if (!n || *n != std::floor(*n) || !OrderAccepted(static_cast<int>(*n))) {
        return "order '" + value + "' is not a whole number from 1 to 30";
    }
    o.order = static_cast<int>(*n);
    return {};
}

std::string TakeRipple(const std::string& value, PolesOptions& o) {
    const std::optional<double> r = StrictNumber(value);
    if (!r || !RippleAccepted(*r)) {
        return "ripple '" + value + "' is not a number with 0 < ripple <= 20 dB";
    }
    o.rippleDb = *r;
    return {};
}

CommandGrammar PolesGrammar(PolesOptions& o) {
    const auto bind = [&o](std::string (*take)(const std::string&, PolesOptions&)) {
        return [&o, take](const std::string& value) { return take(value, o); };
    };
    const auto help = [&o](const std::string&) {
        o.help = true;
        return std::string();
    };
    constexpr OptionValue kValue = OptionValue::REQUIRED;
    return {
        {{"option ",
          {
              {"--characteristic", kValue,
               "  --characteristic NAME  bessel, butterworth or chebyshev\n",
               bind(TakeCharacteristic)},
              {"--order", kValue, "  --order N              filter order, 1 to 30\n",
               bind(TakeOrder)},
              {"--ripple", kValue,
               "  --ripple DB            pass-band ripple of the Chebyshev characteristic in "
               "dB,\n"
               "                         0 < DB <= 20 (default 1)\n",
               bind(TakeRipple)},
              {"--help", OptionValue::ENDS_LINE, "  --help                 show this text\n", help},
              {"-h", OptionValue::ENDS_LINE, "", help},
          }}},
        "",
        nullptr};
}

}  // namespace

int RunPoles(const Args& args) {
    PolesOptions o;
    if (const std::string error = ParseArguments(PolesGrammar(o), args); !error.empty()) {
        return Fail(error);
    }
    if (o.help) {
        PolesOptions unused;
        std::fputs((kUsage + OptionsHelp(PolesGrammar(unused))).c_str(), stdout);
        return 0;
    }
    if (!o.characteristic) {
        return Fail("missing --characteristic (see --help)");
    }
    if (!o.order) {
        return Fail("missing --order (see --help)");
    }
    const int order = *o.order;

    CCharacter prototype;
    std::string title;
    switch (*o.characteristic) {
        case Characteristic::BESSEL:
            prototype.SetBessel(order);
            title = "Bessel, 3 dB down at Omega = 1";
            break;
        case Characteristic::BUTTERWORTH:
            prototype.SetButterworth(order);
            title = "Butterworth, 3 dB down at Omega = 1";
            break;
        default:
            prototype.SetChebyshev(o.rippleDb, order);
            title = order == 1 ? "Chebyshev of first order: 1 + s whatever the ripple, 3 dB down "
                                 "at Omega = 1"
                               : "Chebyshev " + FormatG(o.rippleDb) +
                                     " dB ripple, ripple band ends at Omega = 1";
            break;
    }

    std::printf("# %s, order %s: stages 1 + a s + b s^2\n", title.c_str(),
                FormatInt(order).c_str());
    // The widest number has 15 significant digits in exponent form: "9.27554006356067e-05".
    constexpr size_t kWidth = 20;
    std::printf("%s\n", ("stage" + Column("a", kWidth) + Column("b", kWidth) +
                         Column("pole_frequency", kWidth) + Column("pole_quality", kWidth))
                            .c_str());
    for (int i = 0; i < prototype.Count(); ++i) {
        const double a = prototype.A(i);
        const double b = prototype.B(i);
        std::string line = Column(FormatInt(i + 1), 4) + Column(FormatNumber(a), kWidth) +
                           Column(FormatNumber(b), kWidth);
        if (b > 0.0) {
            line += Column(FormatNumber(1.0 / std::sqrt(b)), kWidth) +
                    Column(FormatNumber(std::sqrt(b) / a), kWidth);
        } else {
            line += Column("-", kWidth) + Column("-", kWidth);
        }
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

}  // namespace vx::cli
