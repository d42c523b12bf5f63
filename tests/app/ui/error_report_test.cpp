// The general error report: an exception escaping an event handler reaches
// the user as a modal box with its text, and the program goes on.
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "app/ui/error_report.h"
#include "support/test_support.h"
#include "support/ui_test_support.h"

using namespace ks;

class ErrorReportTest : public QObject {
    Q_OBJECT
private slots:
    void exceptionInAHandlerIsShownAndTheProgramGoesOn();
    void guardedRunReportsThroughMessages();
};

void ErrorReportTest::exceptionInAHandlerIsShownAndTheProgramGoesOn() {
    QPushButton button(QStringLiteral("Save"));
    int done_before_error = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++done_before_error;
        throw std::runtime_error("Cannot write C:\\x\\ParGen.xml");
    });
    button.show();
    QString shown;
    test::ModalWatch watch([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box);
        shown = box->text();
        box->accept();
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    QVERIFY(watch.Seen());
    QCOMPARE(shown, QStringLiteral("Cannot write C:\\x\\ParGen.xml"));
    // What the handler did before the error stays done; the next event works.
    QCOMPARE(done_before_error, 1);
    test::RejectNextModal again;
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(done_before_error, 2);
}

void ErrorReportTest::guardedRunReportsThroughMessages() {
    test::ScriptedMessages msg;
    QVERIFY(Run_Guarded(msg, [] {}));
    QVERIFY(!Run_Guarded(msg, [] { throw std::runtime_error("bad file"); }));
    QVERIFY(!Run_Guarded(msg, [] { throw 42; }));
    QCOMPARE(msg.errors, (std::vector<std::string>{"bad file", "Unknown error"}));
}

int main(int argc, char** argv) {
    KsApplication app(argc, argv);
    ErrorReportTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "error_report_test.moc"
