#include "files/scanner.h"

#include <algorithm>

namespace vx {

CScanner::CScanner() {
    AddKeyword("[FILTER]", 1, KeywordClass::SECTION, 0);
    for (int n = 1; n <= 15; ++n) {
        AddKeyword("[STAGE " + std::to_string(n) + "]", n + 1, KeywordClass::SECTION, n - 1);
    }
    struct Word {
        const char* text;
        int number;
    };
    // Keys (ids 17..38); the numbers of C2, C3 and OMEGA are carried but never used.
    constexpr Word kKeys[] = {{"TYPE", 0},       {"STRUCTURE", 0}, {"FREQUENCY", 0},
                              {"GAIN_DB", 0},    {"RIPPLE_DB", 0}, {"CHARACTERISTIC", 0},
                              {"ORDER", 0},      {"QUALITY", 0},   {"IMPEDANCE", 0},
                              {"RESISTORS", 0},  {"OPAMP", 0},     {"SEQUENCE", 0},
                              {"CAPACITORS", 0}, {"C1", 0},        {"C2", 1},
                              {"C3", 2},         {"Q", 0},         {"OMEGA", 1},
                              {"GAIN", 0},       {"BANDWIDTH", 0}, {"STEPLESS", 0},
                              {"GAINDISTRIB", 0}};
    int id = 17;
    for (const Word& w : kKeys) {
        AddKeyword(w.text, id++, KeywordClass::KEY, w.number);
    }
    // Value words (ids 39..68), each with its enumeration index.
    constexpr Word kValues[] = {{"LOWPASS", 0},
                                {"HIGHPASS", 1},
                                {"BANDPASS", 2},
                                {"BANDREJECT", 3},
                                {"SK", 0},
                                {"SKX", 1},
                                {"MFB", 2},
                                {"TWIN-T", 3},
                                {"BESSEL", 0},
                                {"BUTTERWORTH", 1},
                                {"CHEBYCHEV", 2},
                                {"INDIVIDUAL", 3},
                                {"CHEBYCHEV0.5DB", 4},
                                {"CHEBYCHEV1DB", 5},
                                {"CHEBYCHEV2DB", 6},
                                {"CHEBYCHEV3DB", 7},
                                {"E12", 0},
                                {"E24", 1},
                                {"E48", 2},
                                {"E96", 3},
                                {"E192", 4},
                                {"HIGH_LEVEL", 0},
                                {"LOW_NOISE", 1},
                                {"ENTER", 0},
                                {"OPTIMIZE", 1},
                                {"OPTIMIZE_EQUAL", 2},
                                {"R2", 0},
                                {"EQUAL", 0},
                                {"EQUAL_GBP", 1},
                                {"VALUES", 2}};
    for (const Word& w : kValues) {
        AddKeyword(w.text, id++, KeywordClass::VALUE, w.number);
    }
}

void CScanner::AddKeyword(std::string text, int id, KeywordClass keywordClass, int number) {
    const auto at =
        std::lower_bound(table_.begin(), table_.end(), text,
                         [](const Entry& e, const std::string& t) { return e.text < t; });
    table_.insert(at, Entry{std::move(text), id, keywordClass, number});
}

ScanToken CScanner::Scan(std::string_view line) const {
    const size_t eq = line.find('=');
    const std::string_view key = eq == std::string_view::npos ? line : line.substr(0, eq);
    const auto at = std::lower_bound(table_.begin(), table_.end(), key,
                                     [](const Entry& e, std::string_view k) { return e.text < k; });
    if (at == table_.end() || at->text != key) {
        return {};
    }
    ScanToken token;
    token.id = at->id;
    token.keywordClass = at->keywordClass;
    token.number = at->number;
    if (eq != std::string_view::npos) {
        token.value = std::string(line.substr(eq + 1));
    }
    return token;
}

}  // namespace vx
