#pragma once

#include <string>
#include <string_view>
#include <vector>

// The keyword scanner of the specification file: splits a KEY=VALUE line and looks the key up
// in a table of section headers, keys and value words.
namespace vx {

enum class KeywordClass : int { NONE = 0, SECTION = 1, KEY = 2, VALUE = 3 };

// Keyword ids of the specification file.
enum class KeywordId : int {
    NONE = 0,
    FILTER = 1,
    STAGE_1 = 2,  // "[STAGE n]" is STAGE_1 + n - 1
    STAGE_15 = 16,
    TYPE = 17,
    STRUCTURE,
    FREQUENCY,
    GAIN_DB,
    RIPPLE_DB,
    CHARACTERISTIC,
    ORDER,
    QUALITY,
    IMPEDANCE,
    RESISTORS,
    OPAMP,
    SEQUENCE,
    CAPACITORS,
    C1,
    C2,
    C3,
    Q,
    OMEGA,
    GAIN,
    BANDWIDTH,
    STEPLESS,
    GAINDISTRIB,  // 38; value words follow from 39
    // Keys added later follow the value words, so that the older ids stay as they were.
    SEARCH = 69,
    IMPEDANCE_WINDOW,
    SCHEME_FIRST,  // the tolerance scheme's keys, in the order of SchemeField
    SCHEME_LAST = SCHEME_FIRST + 7,
};

struct ScanToken {
    std::string value;  // text after the first "=", untrimmed
    int id = 0;
    KeywordClass keywordClass = KeywordClass::NONE;
    int number = 0;  // the entry's value: enumeration index of a value word, stage index
};

class CScanner {
  public:
    // Fills the table with every section, key and value word of the file.
    CScanner();

    // Inserts an entry at its place in byte order.
    void AddKeyword(std::string text, int id, KeywordClass keywordClass, int number);
    // The key is the text before the first "=" (the whole line without one); exact,
    // case-sensitive lookup. Unknown keys give an empty token.
    ScanToken Scan(std::string_view line) const;

  private:
    struct Entry {
        std::string text;
        int id;
        KeywordClass keywordClass;
        int number;
    };
    std::vector<Entry> table_;
};

}  // namespace vx
