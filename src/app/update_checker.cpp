#include "app/update_checker.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "app/settings_store.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"
#include "shell/program_settings.h"

namespace vx {

namespace {

// An answer is a line of text; anything much longer is no answer of the update server.
constexpr qint64 kMaxAnswerBytes = 64 * 1024;
// How often a question waits for the window to be free of other dialogs.
constexpr int kAskRetryMs = 500;

// What the reply brought, or why it brought nothing.
UpdateAnswer AnswerOf(QNetworkReply& reply) {
    UpdateAnswer answer;
    switch (reply.error()) {
        case QNetworkReply::NoError:
            answer.text = reply.read(kMaxAnswerBytes).toStdString();
            break;
        // The time limit aborts the reply.
        case QNetworkReply::OperationCanceledError:
        case QNetworkReply::TimeoutError:
            answer.failure = UpdateAnswer::Failure::TIMEOUT;
            break;
        case QNetworkReply::ConnectionRefusedError:
        case QNetworkReply::HostNotFoundError:
        case QNetworkReply::NetworkSessionFailedError:
        case QNetworkReply::TemporaryNetworkFailureError:
        case QNetworkReply::UnknownNetworkError:
        case QNetworkReply::ProxyConnectionRefusedError:
        case QNetworkReply::ProxyNotFoundError:
            answer.failure = UpdateAnswer::Failure::NO_CONNECTION;
            break;
        default:
            answer.failure = UpdateAnswer::Failure::SERVER;
            answer.httpStatus = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            break;
    }
    return answer;
}

std::string LocalToday() {
    const QDate today = QDate::currentDate();
    return CheckDateText(today.year(), today.month(), today.day());
}

}  // namespace

CUpdateChecker::CUpdateChecker(QWidget* window, CSettingsStore& store, ProgramSettings& settings)
    : QObject(window), window_(window), store_(store), settings_(settings), today_(LocalToday) {}

void CUpdateChecker::SetTimeLimits(int quietMs, int interactiveMs) {
    quietLimitMs_ = quietMs;
    interactiveLimitMs_ = interactiveMs;
}

QNetworkReply* CUpdateChecker::Fetch(const CUpdateCheck& check, int limitMs) {
    QNetworkRequest request(QUrl(Qs(check.InfoUrl())));
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QString("Veltranix/") + Qs(kProgramVersion));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = network_.get(request);
    // The whole exchange, not only a silence, is bounded: a server may trickle.
    QTimer::singleShot(limitMs, reply, [reply] { reply->abort(); });
    return reply;
}

UpdateResult CUpdateChecker::Conclude(const CUpdateCheck& check, QNetworkReply* reply) {
    const UpdateAnswer answer = AnswerOf(*reply);
    reply->deleteLater();
    const UpdateOutcome outcome = check.Evaluate(answer);
    if (!outcome.dateToStore.empty()) {
        settings_.checkDate = outcome.dateToStore;
        store_.WriteValue(settings_, "CheckDate");
    }
    if (outcome.notice) {
        ShowMessage(window_, *outcome.notice,
                    outcome.result == UpdateResult::FAILED ? MessageIcon::WARNING
                                                           : MessageIcon::INFORMATION);
    }
    if (outcome.question) {
        AskWhenFree(*outcome.question, outcome.downloadUrl);
    }
    return outcome.result;
}

// A question that arrives while another dialog is open (a design runs, the user types a
// specification) waits until that dialog has closed.
void CUpdateChecker::AskWhenFree(UserMessage question, std::string url) {
    if (QApplication::activeModalWidget() != nullptr) {
        QTimer::singleShot(kAskRetryMs, this,
                           [this, question, url] { AskWhenFree(question, url); });
        return;
    }
    if (AskYesNo(window_, question)) {
        QDesktopServices::openUrl(QUrl(Qs(url)));
    }
}

void CUpdateChecker::StartQuiet() {
    const CUpdateCheck check(false, settings_.checkDate, today_());
    if (check.Skipped()) {
        emit quietFinished(static_cast<int>(UpdateResult::SKIPPED));
        return;
    }
    QNetworkReply* reply = Fetch(check, quietLimitMs_);
    connect(reply, &QNetworkReply::finished, this,
            [this, check, reply] { emit quietFinished(static_cast<int>(Conclude(check, reply))); });
}

UpdateResult CUpdateChecker::CheckInteractive() {
    const CUpdateCheck check(true, settings_.checkDate, today_());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QNetworkReply* reply = Fetch(check, interactiveLimitMs_);
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // The window keeps painting, but takes no command meanwhile.
    if (!reply->isFinished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    QApplication::restoreOverrideCursor();
    return Conclude(check, reply);
}

}  // namespace vx
