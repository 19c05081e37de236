#include <QAbstractButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <memory>

#include "app/gui_test.h"
#include "app/main_window.h"
#include "app/settings_store.h"
#include "app/update_checker.h"
#include "update/update_check.h"

namespace vx::test {

namespace {

constexpr const char* kToday = "2024-05-02";
constexpr const char* kNewer = "version=3.4.0,date=2024-05-01,filename=veltranix_3.4.0.deb,";
constexpr const char* kEqual = "version=3.3.7,date=2023-11-20,filename=veltranix_3.3.7.deb,";

// An update server on 127.0.0.1 that counts its requests and answers each with a status and a
// body, or not at all.
class LocalServer : public QObject {
  public:
    QByteArray status = "200 OK";
    QByteArray body;
    bool silent = false;
    int requests = 0;

    LocalServer() {
        QVERIFY(server_.listen(QHostAddress::LocalHost));
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                ++requests;
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    request_[socket] += socket->readAll();
                    if (silent || !request_[socket].contains("\r\n\r\n")) {
                        return;
                    }
                    socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\n" +
                                  "Content-Length: " + QByteArray::number(body.size()) +
                                  "\r\nConnection: close\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
            }
        });
        qputenv(kUpdateUrlVariable, Url().toUtf8());
    }
    ~LocalServer() override { qunsetenv(kUpdateUrlVariable); }

    QString Url() const { return QString("http://127.0.0.1:%1/vx/").arg(server_.serverPort()); }

  private:
    QTcpServer server_;
    std::map<QTcpSocket*, QByteArray> request_;
};

// The next message or question box, closed (a question answered "Nein"): its caption and text.
std::shared_ptr<SeenMessage> CloseNextBox() {
    auto seen = std::make_shared<SeenMessage>();
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        seen->caption = box->windowTitle();
        seen->text = box->text();
        auto* no = box->findChild<QAbstractButton*>("noButton");
        (no != nullptr ? no : box->buttons().front())->click();
    });
    timer->start(10);
    return seen;
}

}  // namespace

class UpdateCheckTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QWidget> window_;
    std::unique_ptr<QSettings> qsettings_;
    std::unique_ptr<CSettingsStore> store_;
    ProgramSettings settings_;

    std::unique_ptr<CUpdateChecker> Checker() {
        auto checker = std::make_unique<CUpdateChecker>(window_.get(), *store_, settings_);
        checker->SetToday([] { return std::string(kToday); });
        // Short limits: the test waits for a server that never answers.
        checker->SetTimeLimits(300, 300);
        return checker;
    }

    // A quiet check, run until its answer has been handled.
    int Quiet(CUpdateChecker& checker) {
        QSignalSpy finished(&checker, &CUpdateChecker::quietFinished);
        checker.StartQuiet();
        if (finished.isEmpty() && !finished.wait(5000)) {
            return -1;
        }
        return finished.front().front().toInt();
    }

  private slots:
    void init() {
        window_ = std::make_unique<QWidget>();
        qsettings_ = std::make_unique<QSettings>();
        qsettings_->clear();
        store_ = std::make_unique<CSettingsStore>(*qsettings_);
        settings_ = store_->Read();
    }

    void cleanup() {
        store_.reset();
        qsettings_.reset();
        window_.reset();
    }

    void InteractiveCheck_data() {
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        const QString later = "\n\nBitte prüfen Sie später erneut auf ein Update.";
        QTest::newRow("newer") << QByteArray("200 OK") << QByteArray(kNewer) << false << 1
                               << "Neue Version verfügbar !"
                               << "Eine neue Version der Software Veltranix steht zum Download "
                                  "bereit.\n\nVersion: 3.4.0\nerstellt am 2024-05-01\nDateiname: "
                                  "veltranix_3.4.0.deb\n\nWollen Sie die neue Version jetzt "
                                  "herunterladen ?";
        QTest::newRow("equal") << QByteArray("200 OK") << QByteArray(kEqual) << false << 0
                               << "Auf Update prüfen"
                               << "Sie verwenden die aktuelle Programmversion.";
        QTest::newRow("no last comma")
            << QByteArray("200 OK")
            << QByteArray("version=3.4.0,date=2024-05-01,filename=veltranix_3.4.0.deb") << false
            << 2 << "Auf Update prüfen"
            << "Die Antwort des Update-Servers nennt keine Version." + later;
        QTest::newRow("404") << QByteArray("404 Not Found") << QByteArray("fehlt") << false << 2
                             << "Auf Update prüfen"
                             << "Der Update-Server hat die Anfrage mit dem Fehler 404 abgelehnt." +
                                    later;
        QTest::newRow("no answer")
            << QByteArray("200 OK") << QByteArray(kEqual) << true << 2 << "Auf Update prüfen"
            << "Der Update-Server hat nicht innerhalb von 10 Sekunden geantwortet." + later;
    }

    void InteractiveCheck() {
        QFETCH(QByteArray, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, silent);
        QFETCH(int, result);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        LocalServer server;
        server.status = status;
        server.body = body;
        server.silent = silent;
        const auto checker = Checker();
        // A question is answered "Nein": no browser opens.
        const auto seen = CloseNextBox();
        QCOMPARE(static_cast<int>(checker->CheckInteractive()), result);
        QCOMPARE(seen->caption, caption);
        QCOMPARE(seen->text, text);
        QCOMPARE(server.requests, 1);
        QCOMPARE(QString::fromStdString(settings_.checkDate), result == 2 ? QString() : kToday);
    }

    void TheMenuEntryChecksInteractively() {
        LocalServer server;
        server.body = kEqual;
        CMainWindow window(*store_);
        const auto seen = CloseNextMessage();
        window.RunCommand(Command::CHECK_UPDATE);
        QCOMPARE(seen->caption, QString("Auf Update prüfen"));
        QCOMPARE(seen->text, QString("Sie verwenden die aktuelle Programmversion."));
        QCOMPARE(server.requests, 1);
    }

    void QuietChecksAskOncePerDayAfterASuccess() {
        LocalServer server;
        server.body = kNewer;
        const auto checker = Checker();
        // The question comes when the answer has arrived.
        const auto seen = CloseNextBox();
        QCOMPARE(Quiet(*checker), 1);
        QCOMPARE(seen->caption, QString("Neue Version verfügbar !"));
        QCOMPARE(Quiet(*checker), 3);
        QCOMPARE(server.requests, 1);
        // The day is stored at once, for the next start.
        QCOMPARE(store_->Read().checkDate, std::string(kToday));
    }

    void QuietChecksAskAgainAfterAFailure() {
        LocalServer server;
        server.status = "404 Not Found";
        const auto checker = Checker();
        QCOMPARE(Quiet(*checker), 2);
        QCOMPARE(Quiet(*checker), 2);
        QCOMPARE(server.requests, 2);
        QCOMPARE(store_->Read().checkDate, std::string());
    }

    void ARefusedConnectionSaysTheServerCannotBeReached() {
        // A port nobody listens on: the one a server just gave up.
        quint16 port = 0;
        {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            port = closed.serverPort();
        }
        qputenv(kUpdateUrlVariable, QString("http://127.0.0.1:%1/vx/").arg(port).toUtf8());
        const auto checker = Checker();
        const auto seen = CloseNextBox();
        QCOMPARE(static_cast<int>(checker->CheckInteractive()), 2);
        qunsetenv(kUpdateUrlVariable);
        QCOMPARE(seen->text, QString("Der Update-Server ist nicht erreichbar.\n\nBitte gehen Sie "
                                     "online und prüfen Sie erneut auf ein Update !"));
    }

    void TheQuietCheckNeverWaitsForTheServer() {
        LocalServer server;
        server.silent = true;
        const auto checker = Checker();
        QSignalSpy finished(checker.get(), &CUpdateChecker::quietFinished);
        checker->StartQuiet();
        // Returned before any answer: the window goes on at once.
        QVERIFY(finished.isEmpty());
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.front().front().toInt(), 2);
        QCOMPARE(server.requests, 1);
    }
};

VX_GUI_TEST(UpdateCheckTest);

}  // namespace vx::test

#include "update_check_test.moc"
