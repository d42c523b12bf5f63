// Starting the external tool: argument list without a shell, the bounded
// wait, and a tool left running after the wait.
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <string>

#include "core/text_util.h"
#include "platform/ui/start_program.h"
#include "support/test_support.h"

#ifdef Q_OS_UNIX
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace ks;

class StartProgramTest : public QObject {
    Q_OBJECT
private slots:
    void missingProgramIsNotStarted();
    void argumentsArePassedLiterally();
    void programStillRunningAfterTheWaitIsLeftRunning();
};

void StartProgramTest::missingProgramIsNotStarted() {
    test::TempDir dir;
    QCOMPARE(Start_Program(dir / "Ethernet_Update.exe", {}, false), StartOutcome::Not_Started);
}

void StartProgramTest::argumentsArePassedLiterally() {
#ifdef Q_OS_UNIX
    const QString touch = QStandardPaths::findExecutable(QStringLiteral("touch"));
    if (touch.isEmpty()) QSKIP("no touch program");
    test::TempDir dir;
    // A shell would split this and run the second command.
    const std::string odd = dir / "a b; touch injected";
    QCOMPARE(Start_Program(touch.toStdString(), {odd}, false, 10000), StartOutcome::Ended);
    QVERIFY(Is_File(odd));
    QVERIFY(!Is_File("injected"));
    QVERIFY(!Is_File(dir / "injected"));
#else
    QSKIP("POSIX only");
#endif
}

void StartProgramTest::programStillRunningAfterTheWaitIsLeftRunning() {
#ifdef Q_OS_UNIX
    const QString sleep = QStandardPaths::findExecutable(QStringLiteral("sleep"));
    if (sleep.isEmpty()) QSKIP("no sleep program");
    // Timers keep running during the wait (the windows are repainted).
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    int64_t pid = 0;
    QCOMPARE(Start_Program(sleep.toStdString(), {"30"}, true, 200, &pid), StartOutcome::Still_Running);
    QVERIFY(ticks > 0);
    QVERIFY(pid > 0);
    // Still alive after the wait: it was not killed.
    QCOMPARE(::kill(static_cast<pid_t>(pid), 0), 0);
    ::kill(static_cast<pid_t>(pid), SIGKILL);
#else
    QSKIP("POSIX only");
#endif
}

QTEST_MAIN(StartProgramTest)
#include "start_program_test.moc"
