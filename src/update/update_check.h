#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/user_message.h"

namespace vx {

inline constexpr const char* kProgramVersion = "3.3.7";
// The resource on the update server that names the newest version, beside its downloads.
inline constexpr const char* kVersionInfoFile = "veltranix_version.txt";
// Overrides the build's base address of the update server (tests point it at a local server).
inline constexpr const char* kUpdateUrlVariable = "VELTRANIX_UPDATE_URL";
// How long a fetch may take. The quiet check at start-up gives up sooner: it runs in the
// background and must never keep a hanging network in the way.
inline constexpr int kQuietUpdateLimitMs = 5000;
inline constexpr int kInteractiveUpdateLimitMs = 10000;

enum class UpdateResult {
    CURRENT = 0,  // the program is the newest version
    OFFERED = 1,  // a newer version was offered
    FAILED = 2,   // the information could not be fetched or was incomplete
    SKIPPED = 3,  // the quiet check already ran today
};

// How the fetch of the version text ended, as the front end saw it.
struct UpdateAnswer {
    enum class Failure {
        NONE,           // the server sent `text`
        NO_CONNECTION,  // no network, the server's name unknown, the connection refused
        TIMEOUT,        // no whole answer within the time limit
        SERVER,         // the server refused the request (`httpStatus`, 0 when it gave none)
    };
    Failure failure = Failure::NONE;
    int httpStatus = 0;
    std::string text;
};

// What the server publishes: "version=V,date=D,filename=F,".
struct VersionInfo {
    std::string version;
    std::string date;
    std::string filename;
};

// Each value is the text after its key up to the next ","; a value without a following comma
// reads as empty. Nothing when any of the three is empty.
std::optional<VersionInfo> ParseVersionInfo(std::string_view text);
// Versions split at the full stops into three whole numbers (missing parts 0), compared major,
// minor, then patch: negative, 0 or positive as `a` is older, equal or newer than `b`.
int CompareVersions(std::string_view a, std::string_view b);
// "%d-%02d-%02d", as the setting "CheckDate" keeps the day of the last successful check.
std::string CheckDateText(int year, int month, int day);
// The server's base address ending in "/": the environment's kUpdateUrlVariable when set, else
// the build's default.
std::string UpdateBaseUrl();

// What an update check leads to.
struct UpdateOutcome {
    UpdateResult result = UpdateResult::FAILED;
    std::string dateToStore;              // empty: keep the stored date
    std::optional<UserMessage> question;  // OFFERED: asked before the download is opened
    std::string downloadUrl;
    std::optional<UserMessage> notice;  // interactive: the program is current, or why not known
};

// One run of the update check, quiet (at start-up, once a day) or interactive (the menu
// entry); the front end fetches and asks.
class CUpdateCheck {
  public:
    // `storedDate` is the setting "CheckDate", `today` CheckDateText of the local date.
    CUpdateCheck(bool interactive, std::string storedDate, std::string today,
                 std::string baseUrl = UpdateBaseUrl());

    // A quiet check on a day already checked asks nothing: the result is SKIPPED.
    bool Skipped() const;
    std::string InfoUrl() const { return baseUrl_ + kVersionInfoFile; }
    int TimeLimitMs() const {
        return interactive_ ? kInteractiveUpdateLimitMs : kQuietUpdateLimitMs;
    }
    // What the fetch leads to.
    UpdateOutcome Evaluate(const UpdateAnswer& answer) const;

  private:
    bool interactive_;
    std::string storedDate_;
    std::string today_;
    std::string baseUrl_;
};

}  // namespace vx
