#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "model/number_format.h"
#include "model/number_text.h"

namespace vx {
namespace {

// Switches the process to a locale for one test and restores the previous one afterwards.
class LocaleGuard {
  public:
    explicit LocaleGuard(const char* name) : previous_(std::setlocale(LC_ALL, nullptr)) {
        active_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~LocaleGuard() { std::setlocale(LC_ALL, previous_.c_str()); }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;
    bool Active() const { return active_; }

  private:
    std::string previous_;
    bool active_ = false;
};

// The desktop front end runs under the user's locale; number text must not follow it.
TEST(NumberTextLocale, GermanLocaleChangesNothing) {
    const double k = ParseValue("1.5k");
    const double n = ParseValue("2,2n");
    const std::string value = FormatValue(4700.0, false, 3, ValueKind::RESISTANCE);
    const std::string small = FormatValue(1.5e-9, true, 3, ValueKind::CAPACITANCE);
    const std::string e = FormatE(1234.5);
    const double d = ParseDouble("1.5");

    const LocaleGuard german("de_DE.UTF-8");
    ASSERT_TRUE(german.Active())
        << "the locale de_DE.UTF-8 is not installed: run scripts/install-deps.sh";
    // Make sure the C library really writes a decimal comma now, or the test proves nothing.
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
    ASSERT_STREQ(buffer, "1,5");

    EXPECT_EQ(ParseValue("1.5k"), k);
    EXPECT_EQ(ParseValue("2,2n"), n);
    EXPECT_DOUBLE_EQ(k, 1500.0);
    EXPECT_DOUBLE_EQ(n, 2.2e-9);
    EXPECT_EQ(FormatValue(4700.0, false, 3, ValueKind::RESISTANCE), value);
    EXPECT_EQ(FormatValue(1.5e-9, true, 3, ValueKind::CAPACITANCE), small);
    EXPECT_EQ(value, "4,7 k");
    EXPECT_EQ(FormatE(1234.5), e);
    EXPECT_EQ(e, "1.234500E+03");
    EXPECT_EQ(ParseDouble("1.5"), d);
    EXPECT_EQ(d, 1.5);
}

}  // namespace
}  // namespace vx
