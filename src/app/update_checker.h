#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "update/update_check.h"

class QNetworkReply;
class QWidget;

namespace vx {

class CSettingsStore;
struct ProgramSettings;

// Asks the update server for the newest version: quietly once a day at start-up, in the
// background, and on demand from the menu, with the wait cursor. A newer version is offered
// for download in the desktop's browser; the day of a successful check is stored at once.
class CUpdateChecker : public QObject {
    Q_OBJECT

  public:
    CUpdateChecker(QWidget* window, CSettingsStore& store, ProgramSettings& settings);

    // Tests give the day and shorter limits; by default the local date and the core's limits.
    void SetToday(std::function<std::string()> today) { today_ = std::move(today); }
    void SetTimeLimits(int quietMs, int interactiveMs);

    // Returns at once; the answer is handled when it arrives (quietFinished tells the result).
    void StartQuiet();
    // Waits for the answer (at most the interactive limit) and tells the user.
    UpdateResult CheckInteractive();

  signals:
    void quietFinished(int result);  // an UpdateResult

  private:
    QNetworkReply* Fetch(const CUpdateCheck& check, int limitMs);
    UpdateResult Conclude(const CUpdateCheck& check, QNetworkReply* reply);
    void AskWhenFree(UserMessage question, std::string url);

    QWidget* window_;
    CSettingsStore& store_;
    ProgramSettings& settings_;
    QNetworkAccessManager network_;
    std::function<std::string()> today_;
    int quietLimitMs_ = kQuietUpdateLimitMs;
    int interactiveLimitMs_ = kInteractiveUpdateLimitMs;
};

}  // namespace vx
