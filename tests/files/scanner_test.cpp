#include "files/scanner.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(Scanner, FindsSectionsKeysAndValueWords) {
    const CScanner scanner;
    struct Case {
        const char* line;
        int id;
        KeywordClass keywordClass;
        int number;
        const char* value;
    };
    const Case cases[] = {
        {"[FILTER]", 1, KeywordClass::SECTION, 0, ""},
        {"[STAGE 1]", 2, KeywordClass::SECTION, 0, ""},
        {"[STAGE 15]", 16, KeywordClass::SECTION, 14, ""},
        {"TYPE=LOWPASS", 17, KeywordClass::KEY, 0, "LOWPASS"},
        {"GAINDISTRIB=VALUES", 38, KeywordClass::KEY, 0, "VALUES"},
        {"C3=1.0E-09", 32, KeywordClass::KEY, 2, "1.0E-09"},
        {"OMEGA=", 34, KeywordClass::KEY, 1, ""},
        {"LOWPASS", 39, KeywordClass::VALUE, 0, ""},
        {"TWIN-T", 46, KeywordClass::VALUE, 3, ""},
        {"CHEBYCHEV0.5DB", 51, KeywordClass::VALUE, 4, ""},
        {"E192", 59, KeywordClass::VALUE, 4, ""},
        {"VALUES", 68, KeywordClass::VALUE, 2, ""},
        {"IMPEDANCE_WINDOW=3.16", 70, KeywordClass::KEY, 0, "3.16"},
        // The value keeps everything after the first "=", blanks and further "=" included.
        {"OPAMP= a=b ", 27, KeywordClass::KEY, 0, " a=b "},
    };
    for (const Case& c : cases) {
        const ScanToken t = scanner.Scan(c.line);
        EXPECT_EQ(t.id, c.id) << c.line;
        EXPECT_EQ(t.keywordClass, c.keywordClass) << c.line;
        EXPECT_EQ(t.number, c.number) << c.line;
        EXPECT_EQ(t.value, c.value) << c.line;
    }
}

TEST(Scanner, UnknownKeysGiveAnEmptyToken) {
    const CScanner scanner;
    for (const char* line : {"TYPE =LOWPASS", "type=LOWPASS", "[STAGE 16]", "[CREATION]", "",
                             "LOWPASS ", "E1", "E1920"}) {
        const ScanToken t = scanner.Scan(line);
        EXPECT_EQ(t.id, 0) << line;
        EXPECT_EQ(t.keywordClass, KeywordClass::NONE) << line;
        EXPECT_TRUE(t.value.empty()) << line;
    }
}

TEST(Scanner, AddedKeywordsAreFoundWhateverTheInsertionOrder) {
    CScanner scanner;
    scanner.AddKeyword("ZZZ", 100, KeywordClass::VALUE, 7);
    scanner.AddKeyword("AAA", 101, KeywordClass::VALUE, 8);
    scanner.AddKeyword("M", 102, KeywordClass::VALUE, 9);
    EXPECT_EQ(scanner.Scan("ZZZ").number, 7);
    EXPECT_EQ(scanner.Scan("AAA").number, 8);
    EXPECT_EQ(scanner.Scan("M").number, 9);
    EXPECT_EQ(scanner.Scan("TYPE").id, 17);
}

}  // namespace
}  // namespace vx
