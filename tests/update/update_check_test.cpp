#include "update/update_check.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace vx {
namespace {

constexpr const char* kBase = "http://127.0.0.1:8080/vx/";

TEST(VersionInfo, TakesEachValueUpToItsComma) {
    struct Case {
        const char* text;
        std::optional<VersionInfo> expected;
    };
    const Case cases[] = {
        {"version=3.4.0,date=2024-05-01,filename=veltranix_3.4.0.deb,",
         VersionInfo{"3.4.0", "2024-05-01", "veltranix_3.4.0.deb"}},
        {"filename=v.deb,\nversion=4,date=heute,", VersionInfo{"4", "heute", "v.deb"}},
        // The last value without its comma reads as empty: the answer is incomplete.
        {"version=3.4.0,date=2024-05-01,filename=veltranix_3.4.0.deb", std::nullopt},
        {"version=,date=2024-05-01,filename=v.deb,", std::nullopt},
        {"date=2024-05-01,filename=v.deb,", std::nullopt},
        {"<html>Anmeldung erforderlich</html>", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<VersionInfo> info = ParseVersionInfo(c.text);
        ASSERT_EQ(info.has_value(), c.expected.has_value());
        if (info) {
            EXPECT_EQ(info->version, c.expected->version);
            EXPECT_EQ(info->date, c.expected->date);
            EXPECT_EQ(info->filename, c.expected->filename);
        }
    }
}

TEST(VersionInfo, ComparesMajorMinorAndPatchAsNumbers) {
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"3.3.7", "3.3.7", 0},    {"3.3.10", "3.3.7", 1},  {"3.10.0", "3.9.9", 1},
        {"4", "3.9.9", 1},        {"3.3", "3.3.0", 0},     {"3.3.6", "3.3.7", -1},
        {"2.99.99", "3.0.0", -1}, {"3.3.7.9", "3.3.7", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        EXPECT_EQ(CompareVersions(c.a, c.b), c.expected);
        EXPECT_EQ(CompareVersions(c.b, c.a), -c.expected);
    }
}

TEST(UpdateCheck, TheQuietCheckRunsOnceADayTheInteractiveOneAlways) {
    EXPECT_EQ(CheckDateText(2024, 3, 7), "2024-03-07");
    EXPECT_TRUE(CUpdateCheck(false, "2024-03-07", "2024-03-07", kBase).Skipped());
    EXPECT_FALSE(CUpdateCheck(false, "2024-03-06", "2024-03-07", kBase).Skipped());
    EXPECT_FALSE(CUpdateCheck(false, "", "2024-03-07", kBase).Skipped());
    EXPECT_FALSE(CUpdateCheck(true, "2024-03-07", "2024-03-07", kBase).Skipped());
    EXPECT_EQ(CUpdateCheck(true, "", "2024-03-07", kBase).InfoUrl(),
              std::string(kBase) + "veltranix_version.txt");
}

// The interactive answers and their texts are checked against a local server in the Qt tests.
TEST(UpdateCheck, QuietAnswersStoreTheDayOnlyAfterASuccessAndTellNothing) {
    const std::string newer = "version=3.4.0,date=2024-05-01,filename=veltranix_3.4.0.deb,";
    const std::string older = "version=3.2.9,date=2022-01-01,filename=veltranix_3.2.9.deb,";
    using Failure = UpdateAnswer::Failure;
    struct Case {
        UpdateAnswer answer;
        UpdateResult result;
        bool dateStored;
    };
    const Case cases[] = {
        {{Failure::NONE, 0, newer}, UpdateResult::OFFERED, true},
        {{Failure::NONE, 0, older}, UpdateResult::CURRENT, true},
        {{Failure::NO_CONNECTION, 0, ""}, UpdateResult::FAILED, false},
        {{Failure::SERVER, 200, newer}, UpdateResult::FAILED, false},
        {{Failure::NONE, 0, "version=3.4.0,date=2024-05-01,filename=x.deb"},
         UpdateResult::FAILED,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.text);
        const UpdateOutcome o = CUpdateCheck(false, "", "2024-05-02", kBase).Evaluate(c.answer);
        EXPECT_EQ(o.result, c.result);
        EXPECT_EQ(o.dateToStore, c.dateStored ? "2024-05-02" : "");
        EXPECT_FALSE(o.notice.has_value());
        EXPECT_EQ(o.question.has_value(), c.result == UpdateResult::OFFERED);
    }
    const UpdateOutcome offer =
        CUpdateCheck(false, "", "2024-05-02", kBase).Evaluate({Failure::NONE, 0, newer});
    EXPECT_EQ(offer.downloadUrl, std::string(kBase) + "veltranix_3.4.0.deb");
}

TEST(UpdateCheck, TheEnvironmentOverridesTheBaseAddress) {
    const char* saved = std::getenv(kUpdateUrlVariable);
    const std::string previous = saved != nullptr ? saved : "";
    setenv(kUpdateUrlVariable, "http://127.0.0.1:9/updates", 1);
    EXPECT_EQ(UpdateBaseUrl(), "http://127.0.0.1:9/updates/");
    unsetenv(kUpdateUrlVariable);
    const std::string builtIn = UpdateBaseUrl();
    EXPECT_EQ(builtIn.back(), '/');
    EXPECT_NE(builtIn, "http://127.0.0.1:9/updates/");
    if (saved != nullptr) {
        setenv(kUpdateUrlVariable, previous.c_str(), 1);
    }
}

}  // namespace
}  // namespace vx
