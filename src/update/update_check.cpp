#include "update/update_check.h"

#include <array>
#include <cstdlib>
#include <vector>

#include "model/number_format.h"
#include "model/text_split.h"
#include "update/update_messages.h"

#ifndef VX_UPDATE_URL
#error "the build defines VX_UPDATE_URL, the default base address of the update server"
#endif

namespace vx {

namespace {

std::string ValueOf(std::string_view text, std::string_view key) {
    const size_t at = text.find(key);
    if (at == std::string_view::npos) {
        return {};
    }
    const size_t begin = at + key.size();
    const size_t comma = text.find(',', begin);
    if (comma == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(begin, comma - begin));
}

// Missing parts count as 0 and parts after the third are ignored.
std::array<long long, 3> VersionParts(std::string_view version) {
    std::array<long long, 3> parts{};
    const std::vector<std::string> pieces = SplitText(version, '.');
    for (size_t i = 0; i < parts.size() && i < pieces.size(); ++i) {
        parts[i] = ParseInt(pieces[i]);
    }
    return parts;
}

}  // namespace

std::optional<VersionInfo> ParseVersionInfo(std::string_view text) {
    VersionInfo info{ValueOf(text, "version="), ValueOf(text, "date="), ValueOf(text, "filename=")};
    if (info.version.empty() || info.date.empty() || info.filename.empty()) {
        return std::nullopt;
    }
    return info;
}

int CompareVersions(std::string_view a, std::string_view b) {
    const auto pa = VersionParts(a);
    const auto pb = VersionParts(b);
    for (size_t i = 0; i < pa.size(); ++i) {
        if (pa[i] != pb[i]) {
            return pa[i] < pb[i] ? -1 : 1;
        }
    }
    return 0;
}

std::string CheckDateText(int year, int month, int day) {
    auto two = [](int n) { return std::string(n < 10 ? 1 : 0, '0') + FormatInt(n); };
    return FormatInt(year) + "-" + two(month) + "-" + two(day);
}

std::string UpdateBaseUrl() {
    const char* configured = std::getenv(kUpdateUrlVariable);
    std::string url = configured != nullptr && *configured != '\0' ? configured : VX_UPDATE_URL;
    if (url.empty() || url.back() != '/') {
        url += '/';
    }
    return url;
}

CUpdateCheck::CUpdateCheck(bool interactive, std::string storedDate, std::string today,
                           std::string baseUrl)
    : interactive_(interactive),
      storedDate_(std::move(storedDate)),
      today_(std::move(today)),
      baseUrl_(std::move(baseUrl)) {}

bool CUpdateCheck::Skipped() const {
    return !interactive_ && storedDate_ == today_;
}

UpdateOutcome CUpdateCheck::Evaluate(const UpdateAnswer& answer) const {
    UpdateOutcome outcome;
    const std::optional<VersionInfo> info = answer.failure == UpdateAnswer::Failure::NONE
                                                ? ParseVersionInfo(answer.text)
                                                : std::optional<VersionInfo>();
    if (!info) {
        // The date stays, so that the next start asks again.
        if (interactive_) {
            outcome.notice = UpdateFailedMessage(answer, TimeLimitMs() / 1000);
        }
        return outcome;
    }
    outcome.dateToStore = today_;
    if (CompareVersions(info->version, kProgramVersion) > 0) {
        outcome.result = UpdateResult::OFFERED;
        outcome.question = NewVersionQuestion(*info);
        outcome.downloadUrl = baseUrl_ + info->filename;
        return outcome;
    }
    outcome.result = UpdateResult::CURRENT;
    if (interactive_) {
        outcome.notice = UserMessage{kCheckUpdateCaption, kCurrentVersionText};
    }
    return outcome;
}

}  // namespace vx
