// The version check against a small HTTP server on 127.0.0.1.
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <memory>

#include "app/app_state.h"
#include "app/ui/main_window.h"
#include "support/test_support.h"
#include "support/ui_test_support.h"
#include "texts/ui/soft_options.h"
#include "texts/ui/version_check.h"

using namespace ks;

namespace {

// Answers every request with a fixed status and body, or never answers.
class FakeService : public QObject {
public:
    enum class Mode { Answer, Silent };

    FakeService() {
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                sockets_.push_back(s);
                connect(s, &QTcpSocket::readyRead, this, [this, s] { Read(s); });
            }
        });
        server_.listen(QHostAddress::LocalHost, 0);
    }
    int Port() const { return server_.serverPort(); }

    Mode mode = Mode::Answer;
    QByteArray status = "200 OK";
    QByteArray body;
    QList<QByteArray> requests;  // head of every request received

private:
    void Read(QTcpSocket* s) {
        QByteArray& buf = pending_[s];
        buf += s->readAll();
        const int end = buf.indexOf("\r\n\r\n");
        if (end < 0) return;
        requests << buf.left(end);
        buf.clear();
        if (mode == Mode::Silent) return;
        s->write("HTTP/1.0 " + status + "\r\nContent-Type: text/html\r\nSet-Cookie: session=abc\r\n" +
                 "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        s->disconnectFromHost();
    }

    QTcpServer server_;
    QList<QTcpSocket*> sockets_;
    QHash<QTcpSocket*, QByteArray> pending_;
};

} // namespace

class VersionCheckTest : public QObject {
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void requestLine();
    void noServer();
    void serverThatNeverAnswersTimesOutWhileTheWindowRuns();
    void optionsButtonShowsTheResult();
    void timerTickShowsOrHidesTheLink();
};

void VersionCheckTest::answers_data() {
    QTest::addColumn<QByteArray>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("newer");
    QTest::newRow("newer") << QByteArray("200 OK") << QByteArray("VER. 1.002") << true;
    QTest::newRow("newer, blanks and line end") << QByteArray("200 OK") << QByteArray("  VER. 2.000\r\n") << true;
    QTest::newRow("equal") << QByteArray("200 OK") << QByteArray("VER. 1.001") << false;
    QTest::newRow("equal, lower case") << QByteArray("200 OK") << QByteArray("ver. 1.001") << false;
    QTest::newRow("older") << QByteArray("200 OK") << QByteArray("VER. 1.000") << false;
    QTest::newRow("unknown code") << QByteArray("200 OK") << QByteArray("VER. 0.000") << false;
    QTest::newRow("empty") << QByteArray("200 OK") << QByteArray() << false;
    QTest::newRow("two-digit major") << QByteArray("200 OK") << QByteArray("VER. 10.001") << false;
    QTest::newRow("other format") << QByteArray("200 OK") << QByteArray("<html>down</html>") << false;
    QTest::newRow("error status") << QByteArray("404 Not Found") << QByteArray("VER. 9.999") << false;
    QTest::newRow("server error") << QByteArray("500 Internal Server Error") << QByteArray("VER. 9.999") << false;
}

void VersionCheckTest::answers() {
    QFETCH(QByteArray, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, newer);
    FakeService svc;
    svc.status = status;
    svc.body = body;
    VersionCheck check;
    check.Set_Server(QStringLiteral("127.0.0.1"), svc.Port());
    QCOMPARE(check.Check_Version(), newer);
    QCOMPARE(svc.requests.size(), 1);
    QVERIFY(!check.Busy());
}

void VersionCheckTest::requestLine() {
    FakeService svc;
    svc.body = "VER. 1.001";
    VersionCheck check;
    check.Set_Server(QStringLiteral("127.0.0.1"), svc.Port());
    QVERIFY(!check.Check_Version());
    QVERIFY(!check.Check_Version());
    QCOMPARE(svc.requests.size(), 2);
    for (const QByteArray& head : svc.requests) {
        const QList<QByteArray> lines = head.split('\n');
        QCOMPARE(lines[0].trimmed(), QByteArray("GET /home/download/GetversionSW.asp?nomesw=CS82411 HTTP/1.1"));
        QVERIFY2(head.contains("\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"),
                 head.constData());
        QVERIFY(head.contains("\r\nConnection: close"));
        // The cookie the service set is not sent back.
        QVERIFY2(!head.toLower().contains("cookie"), head.constData());
    }
    // The vendor's host is the default target.
    QCOMPARE(VersionCheck().Query_Url(),
             QStringLiteral("http://www.morvane.com/home/download/GetversionSW.asp?nomesw=CS82411"));
}

void VersionCheckTest::noServer() {
    // A port nobody listens on: refused at once, no answer, no error shown.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();
    VersionCheck check;
    check.Set_Server(QStringLiteral("127.0.0.1"), port);
    QVERIFY(!check.Fetch().has_value());
    QVERIFY(!check.Check_Version());
}

void VersionCheckTest::serverThatNeverAnswersTimesOutWhileTheWindowRuns() {
    FakeService svc;
    svc.mode = FakeService::Mode::Silent;
    test::TempDir dir;
    AppState st;
    test::ScriptedMessages msg;
    TFKeystrelFirmWare w(st, msg, dir.Path());
    w.Create_Dialogs();
    w.show();
    VersionCheck& check = w.Version_Check;
    check.Set_Server(QStringLiteral("127.0.0.1"), svc.Port());
    check.Set_Timeout(300);

    // While the request hangs, events keep flowing and no second check starts.
    bool ticked = false, busy_seen = false, second_refused = false, button_disabled = false;
    auto* o = w.FSoftOptions;
    o->show();
    o->CB_En_Con->setChecked(true);
    o->CB_Update->setChecked(true);
    QVERIFY(o->Btn_Check_Update->isEnabled());
    QTimer::singleShot(30, [&] {
        ticked = true;
        busy_seen = check.Busy();
        second_refused = !check.Fetch().has_value();
        button_disabled = !o->Btn_Check_Update->isEnabled();
    });
    QTest::mouseClick(o->Btn_Check_Update, Qt::LeftButton);
    QVERIFY(ticked);
    QVERIFY(busy_seen);
    QVERIFY(second_refused);
    QVERIFY(button_disabled);
    QCOMPARE(svc.requests.size(), 1);  // the refused one never went out
    // Timed out: "no update", and the button is back.
    QVERIFY(!check.Busy());
    QCOMPARE(o->LL_Check_Update->text(), QStringLiteral("No Update Available"));
    QVERIFY(!o->LL_Check_Update->isHidden());
    QVERIFY(o->Btn_Check_Update->isEnabled());
    QVERIFY(msg.errors.empty());
}

void VersionCheckTest::optionsButtonShowsTheResult() {
    FakeService svc;
    svc.body = "VER. 1.002";
    test::TempDir dir;
    AppState st;
    test::ScriptedMessages msg;
    TFKeystrelFirmWare w(st, msg, dir.Path());
    std::vector<std::string> opened;
    w.Set_Url_Opener([&](const std::string& u) { opened.push_back(u); });
    w.Create_Dialogs();
    w.Version_Check.Set_Server(QStringLiteral("127.0.0.1"), svc.Port());
    auto* o = w.FSoftOptions;
    o->show();
    QVERIFY(o->LL_Check_Update->isHidden());
    o->CB_En_Con->setChecked(true);
    o->CB_Update->setChecked(true);
    QTest::mouseClick(o->Btn_Check_Update, Qt::LeftButton);
    QVERIFY(!o->LL_Check_Update->isHidden());
    QVERIFY(o->LL_Check_Update->text().contains(
        QStringLiteral("href=\"http://www.morvane.com/Home/download/download.asp#GD82411\"")));
    QVERIFY(o->LL_Check_Update->text().contains(QStringLiteral("New Version Available. Click Here for more Details")));
    emit o->LL_Check_Update->linkActivated(QStringLiteral("http://www.morvane.com/Home/download/download.asp#GD82411"));
    QCOMPARE(opened, std::vector<std::string>{"http://www.morvane.com/Home/download/download.asp#GD82411"});

    // The next showing hides the old result.
    o->hide();
    o->show();
    QVERIFY(o->LL_Check_Update->isHidden());
}

void VersionCheckTest::timerTickShowsOrHidesTheLink() {
    FakeService svc;
    svc.body = "VER. 1.002";
    test::TempDir dir;
    dir.Write("Keystrel.xml",
              "<Conf_Settings><lastinternet><enable_internet>1</enable_internet>"
              "<enable_update>1</enable_update></lastinternet></Conf_Settings>");
    AppState st;
    test::ScriptedMessages msg;
    TFKeystrelFirmWare w(st, msg, dir.Path());
    w.Create_Dialogs();
    w.show();
    w.Version_Check.Set_Server(QStringLiteral("127.0.0.1"), svc.Port());
    w.Timer_UpdateTimer();
    QVERIFY(w.LL_Update->isVisible());
    QVERIFY(w.LL_Update->text().contains(QStringLiteral("download.asp#GD82411")));
    QVERIFY(w.LL_Update->text().contains(QStringLiteral("New Version Available. Click Here for more Details")));
    QCOMPARE(w.Timer_Update.interval(), 7200000);
    QVERIFY(w.Timer_Update.isActive());

    svc.body = "VER. 0.000";
    w.Timer_UpdateTimer();
    QVERIFY(!w.LL_Update->isVisible());
    QCOMPARE(svc.requests.size(), 2);
}

QTEST_MAIN(VersionCheckTest)
#include "version_check_test.moc"
