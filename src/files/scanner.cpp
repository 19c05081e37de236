#include "files/scanner.h"

#include <algorithm>

#include "files/scheme_keys.h"
#include "model/enum_words.h"

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
    // Value words (ids 39..68), each with its enumeration index; a reader takes a word's index
    // for whichever key it follows.
    const auto addWords = [this, &id](auto rows) {
        for (const auto& w : rows) {
            AddKeyword(std::string(w.file), id++, KeywordClass::VALUE, static_cast<int>(w.value));
        }
    };
    addWords(EnumWords<FilterType>());
    addWords(EnumWords<StructureKind>());
    addWords(EnumWords<Characteristic>());
    int fixedRipple = static_cast<int>(EnumWords<Characteristic>().size());
    for (const FixedRippleWord& w : FixedRippleWords()) {
        AddKeyword(std::string(w.file), id++, KeywordClass::VALUE, fixedRipple++);
    }
    addWords(EnumWords<ResistorSeries>());
    addWords(EnumWords<StageSequence>());
    addWords(EnumWords<CapacitorMode>());
    AddKeyword(std::string(kEqualCapacitorsFileWord), id++, KeywordClass::VALUE,
               static_cast<int>(EnumWords<CapacitorMode>().size()));
    AddKeyword("R2", id++, KeywordClass::VALUE, 0);
    addWords(EnumWords<GainDistribution>());
    AddKeyword("SEARCH", static_cast<int>(KeywordId::SEARCH), KeywordClass::KEY, 0);
    AddKeyword("IMPEDANCE_WINDOW", static_cast<int>(KeywordId::IMPEDANCE_WINDOW), KeywordClass::KEY,
               0);
    for (size_t f = 0; f < kSchemeFieldCount; ++f) {
        const int i = static_cast<int>(f);
        AddKeyword(SchemeKey(static_cast<SchemeField>(f)),
                   static_cast<int>(KeywordId::SCHEME_FIRST) + i, KeywordClass::KEY, i);
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
