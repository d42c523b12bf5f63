// The device update dialog driven through its controls, with a stand-in echo
// client and clock for the reachability check and a stand-in update tool (a
// shell script) in the program folder.
#include <QApplication>
#include <QtTest>

#include <deque>
#include <fstream>
#include <functional>
#include <pugixml.hpp>

#include "app/app_state.h"
#include "app/projects.h"
#include "app/ui/main_window.h"
#include "core/text_util.h"
#include "image/ui/boot_dialog.h"
#include "platform/update_tool.h"
#include "support/test_support.h"
#include "support/ui_test_support.h"

using namespace ks;

namespace {

struct FakeTime {
    int64_t now = 0;
    PingClock Clock() {
        return PingClock{[this] { return now; }, [this](int ms) { now += ms; }};
    }
};

// Answers every request with the same outcome; calls `inside` while the
// request is under way, as a window event would.
class StandInEcho : public EchoClient {
public:
    StandInEcho(FakeTime& t, EchoOutcome outcome, std::size_t bytes) : t_(t), outcome_(outcome), bytes_(bytes) {}
    EchoResult Request(const std::string& address, const std::string&, std::chrono::milliseconds,
                       const std::function<void()>& waiting) override {
        addresses.push_back(address);
        if (inside) inside();
        if (waiting) waiting();
        t_.now += outcome_ == EchoOutcome::NoReply ? 400 : 1;
        EchoResult r{outcome_, bytes_, {}};
        if (outcome_ == EchoOutcome::Error) r.error = "stand-in error";
        return r;
    }
    std::vector<std::string> addresses;
    std::function<void()> inside;

private:
    FakeTime& t_;
    EchoOutcome outcome_;
    std::size_t bytes_;
};

std::string Read(const std::string& path) { return Read_File(path).value_or(std::string()); }

}  // namespace

class BootDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> dir_;
    std::unique_ptr<AppState> st_;
    test::ScriptedMessages msg_;
    std::unique_ptr<TFBoot> dlg_;
    FakeTime time_;

    std::string Job_Path() const { return Join_Path(st_->Program_Dir, "Ethernet_Update.xml"); }
    std::string Tool_Path() const { return Join_Path(st_->Program_Dir, Update_Tool_Name); }

    // A stand-in update tool: notes each run and keeps the job file it found
    // in its own folder.
    void Place_Tool() {
        const std::string script =
            "#!/bin/sh\n"
            "d=$(dirname \"$0\")\n"
            "echo ran >> \"$d/tool_runs.txt\"\n"
            "cp \"$d/Ethernet_Update.xml\" \"$d/job_seen.xml\"\n";
        dir_->Write(std::string("prog/") + Update_Tool_Name, script);
        std::filesystem::permissions(Tool_Path(), std::filesystem::perms::owner_all);
    }

    void Show() {
        dlg_->show();
        QApplication::setActiveWindow(dlg_.get());
        QVERIFY(QTest::qWaitForWindowActive(dlg_.get()));
    }

    void Type_Address(const QString& a, const QString& b, const QString& c, const QString& d) {
        dlg_->E_IP1->setText(a);
        dlg_->E_IP2->setText(b);
        dlg_->E_IP3->setText(c);
        dlg_->E_IP4->setText(d);
    }

    int Tool_Runs() const {
        const std::string s = Read(Join_Path(st_->Program_Dir, "tool_runs.txt"));
        return int(std::count(s.begin(), s.end(), '\n'));
    }

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDir>();
        st_ = std::make_unique<AppState>();
        st_->Text_Table.Load_Default_Texts();
        st_->Program_Dir = *dir_ / "prog";
        st_->Master_Dir = Join_Path(st_->Program_Dir, "MASTER");
        st_->Project_Path = Join_Path(Join_Path(st_->Program_Dir, "PROJECTS"), "Plant 1");
        std::filesystem::create_directories(st_->Project_Path);
        msg_ = test::ScriptedMessages();
        time_ = FakeTime();
        dlg_ = std::make_unique<TFBoot>(*st_, msg_);
        dlg_->Set_Ping_Clock(time_.Clock());
    }

    void cleanup() {
        dlg_.reset();
        dir_.reset();
    }

    void ethernetLayoutAndTexts() {
        Show();
        QCOMPARE(dlg_->size(), QSize(449, 230));
        QCOMPARE(dlg_->windowTitle(), QString("Update Device by Ethernet (UDP)"));
        QCOMPARE(dlg_->L_SW_Desc->text(), QString("Update Device Using the Ethernet Port"));
        QCOMPARE(dlg_->L_SW_Code->text(), QString("CS82411"));
        QVERIFY(dlg_->P_IP_Address->isVisible());
        QVERIFY(dlg_->P_Options->isVisible());
        QVERIFY(!dlg_->P_Serial->isVisible());
        QVERIFY(!dlg_->P_Eth_Search->isVisible());
        QCOMPARE(dlg_->CB_Update_Options->count(), 3);
        QCOMPARE(dlg_->CB_Update_Options->itemText(0), QString("Firmware + Configuration"));
        QCOMPARE(dlg_->CB_Update_Options->itemText(2), QString("Configuration"));
        QCOMPARE(dlg_->Btn_Update->text(), QString("Execute Update Firmware"));
        QCOMPARE(dlg_->E_IP3->toolTip(), QString("Insert third byte of IP Address"));
        QCOMPARE(dlg_->P_IP_Address->mapTo(dlg_.get(), QPoint(0, 0)).y(), 69);
        QCOMPARE(dlg_->P_Options->mapTo(dlg_.get(), QPoint(0, 0)).y(), 69 + 49);
        QVERIFY(dlg_->E_IP1->hasFocus());
    }

    // The remembered address fills the boxes only when it reads as four
    // parts of 0 to 255; otherwise the boxes keep what they had.
    void formShowRestoresRememberedValues() {
        st_->Last_IP_Address = " 192 . 168 .2. 205 ";
        st_->Update_Option_Index = 2;
        st_->Update_Read_Back = false;
        Show();
        QCOMPARE(QString::fromStdString(dlg_->Device_Address()), QString("192.168.2.205"));
        QCOMPARE(dlg_->CB_Update_Options->currentIndex(), 2);
        QVERIFY(!dlg_->CB_Update_Option_Read_Back->isChecked());
        dlg_->hide();

        for (const char* bad : {"10.0.0", "10.0.0.256", "a.b.c.d", ""}) {
            st_->Last_IP_Address = bad;
            Show();
            QCOMPARE(QString::fromStdString(dlg_->Device_Address()), QString("192.168.2.205"));
            dlg_->hide();
        }
    }

    void firstShowingWithoutValidAddressShowsZeros() {
        st_->Last_IP_Address = "10.0.0";
        Show();
        QCOMPARE(QString::fromStdString(dlg_->Device_Address()), QString("0.0.0.0"));
        QVERIFY(dlg_->CB_Update_Option_Read_Back->isChecked());
    }

    // "." moves on to the next box and is never typed; in the last box it
    // is just dropped.
    void dotMovesToTheNextBox() {
        Show();
        Type_Address("", "", "", "");
        dlg_->E_IP1->setFocus();
        for (char c : std::string("10.1.22.7")) QTest::keyClick(QApplication::focusWidget(), c);
        QCOMPARE(QString::fromStdString(dlg_->Device_Address()), QString("10.1.22.7"));
        QVERIFY(dlg_->E_IP4->hasFocus());
        QTest::keyClicks(dlg_->E_IP4, ".");
        QCOMPARE(dlg_->E_IP4->text(), QString("7"));
        QVERIFY(dlg_->E_IP4->hasFocus());
        // Other characters are not filtered.
        QTest::keyClicks(dlg_->E_IP4, "x ");
        QCOMPARE(dlg_->E_IP4->text(), QString("7x "));
    }

    // A failed check shows its message and changes nothing: no remembered
    // value, no job file, no tool run.
    void failedCheckChangesNothing_data() {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<bool>("warning");
        QTest::addColumn<QString>("text");
        QTest::newRow("no reply at all") << int(EchoOutcome::NoReply) << 0 << true << "Device Not Found!";
        QTest::newRow("replies without data") << int(EchoOutcome::Reply) << 0 << true << "Device Not Found!";
        QTest::newRow("echo client error")
            << int(EchoOutcome::Error) << 0 << false << "Error!!! Check the Ip Address";
    }
    void failedCheckChangesNothing() {
        QFETCH(int, outcome);
        QFETCH(int, bytes);
        QFETCH(bool, warning);
        QFETCH(QString, text);
        Place_Tool();
        StandInEcho echo(time_, EchoOutcome(outcome), std::size_t(bytes));
        dlg_->Set_Echo_Client(&echo);
        Show();
        Type_Address("10", "1", "2", "3");
        dlg_->CB_Update_Options->setCurrentIndex(1);
        dlg_->CB_Update_Option_Read_Back->setChecked(false);
        QTest::mouseClick(dlg_->Btn_Update, Qt::LeftButton);

        const auto& shown = warning ? msg_.warnings : msg_.errors;
        QCOMPARE(int(shown.size()), 1);
        QCOMPARE(QString::fromStdString(shown[0]), text);
        QCOMPARE(int(msg_.errors.size() + msg_.warnings.size()), 1);
        if (outcome != int(EchoOutcome::Error)) {
            QVERIFY(time_.now > 5000 && time_.now < 5500);  // about 5 s of (stand-in) time
        } else {
            QCOMPARE(int(echo.addresses.size()), 1);
        }
        QCOMPARE(st_->Last_IP_Address, std::string("192.168.2.205"));
        QCOMPARE(st_->Update_Option_Index, 0);
        QCOMPARE(st_->Update_Read_Back, true);
        QVERIFY(!Is_File(Job_Path()));
        QCOMPARE(Tool_Runs(), 0);
        QVERIFY(dlg_->isVisible());
        QVERIFY(!dlg_->Busy());
        QVERIFY(dlg_->Btn_Update->isEnabled());
    }

    // Success: the values are remembered, the job file of the chosen option
    // is written beside the program, the tool runs once and finds it, and the
    // dialog stays open. A later failed check does not undo the choice.
    void successfulUpdateWritesJobAndRunsTool() {
        Place_Tool();
        StandInEcho echo(time_, EchoOutcome::Reply, 9);
        dlg_->Set_Echo_Client(&echo);
        Show();
        Type_Address("10", "1", "2", "3 ");  // not trimmed on its way to the job file
        dlg_->CB_Update_Options->setCurrentIndex(2);
        dlg_->CB_Update_Option_Read_Back->setChecked(false);
        QTest::mouseClick(dlg_->Btn_Update, Qt::LeftButton);

        QVERIFY2(msg_.errors.empty(), msg_.errors.empty() ? "" : msg_.errors[0].c_str());
        QCOMPARE(int(echo.addresses.size()), 2);
        QCOMPARE(echo.addresses[0], std::string("10.1.2.3 "));
        QCOMPARE(st_->Last_IP_Address, std::string("10.1.2.3 "));
        QCOMPARE(st_->Update_Option_Index, 2);
        QCOMPARE(st_->Update_Read_Back, false);
        QCOMPARE(Tool_Runs(), 1);
        QVERIFY(dlg_->isVisible());

        pugi::xml_document doc;
        QVERIFY(doc.load_string(Read(Join_Path(st_->Program_Dir, "job_seen.xml")).c_str()));
        const pugi::xml_node root = doc.first_child();
        QCOMPARE(QString(root.name()), QString("Ethernet_Update"));
        QCOMPARE(QString(root.child("IP_Address_Dev").text().get()), QString("10.1.2.3 "));
        std::vector<pugi::xml_node> ops;
        for (auto op : root.child("Operations").children("Operation")) ops.push_back(op);
        QCOMPARE(int(ops.size()), 2);
        QCOMPARE(QString(ops[0].child("Ope_FileName").text().get()),
                 QString::fromStdString(Join_Path(Join_Path(st_->Project_Path, "bin"), "bank1.bin")));
        QCOMPARE(QString(ops[1].child("Ope_Start_Address").text().get()), QString("0x80000"));
        QCOMPARE(QString(ops[0].child("Ope_Read_Back").text().get()), QString("0"));

        // Another choice, then a failed check: the last successful one stays.
        StandInEcho silent(time_, EchoOutcome::NoReply, 0);
        dlg_->Set_Echo_Client(&silent);
        dlg_->CB_Update_Options->setCurrentIndex(1);
        dlg_->CB_Update_Option_Read_Back->setChecked(true);
        QTest::mouseClick(dlg_->Btn_Update, Qt::LeftButton);
        QCOMPARE(int(msg_.warnings.size()), 1);
        QCOMPARE(Tool_Runs(), 1);
        dlg_->hide();
        Show();
        QCOMPARE(dlg_->CB_Update_Options->currentIndex(), 2);
        QVERIFY(!dlg_->CB_Update_Option_Read_Back->isChecked());
        QCOMPARE(QString::fromStdString(dlg_->Device_Address()), QString("10.1.2.3"));
    }

    // While the check runs the dialog says so and takes no second click.
    void checkShowsThatItRuns() {
        Place_Tool();
        StandInEcho echo(time_, EchoOutcome::Reply, 9);
        bool seen = false;
        echo.inside = [&] {
            if (seen) return;
            seen = true;
            QVERIFY(dlg_->Busy());
            QVERIFY(QApplication::overrideCursor() != nullptr);
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            QVERIFY(dlg_->L_Status->text().contains("10.1.2.3"));
            QVERIFY(!dlg_->Btn_Update->isEnabled());
            QVERIFY(!dlg_->Btn_Cancel->isEnabled());
            dlg_->Btn_UpdateClick();  // ignored while busy
            dlg_->reject();           // so is Escape
        };
        dlg_->Set_Echo_Client(&echo);
        Show();
        Type_Address("10", "1", "2", "3");
        QTest::mouseClick(dlg_->Btn_Update, Qt::LeftButton);
        QVERIFY(seen);
        QCOMPARE(int(echo.addresses.size()), 2);
        QCOMPARE(Tool_Runs(), 1);
        QVERIFY(dlg_->isVisible());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(dlg_->L_Status->text().isEmpty());
    }

    // While the tool runs the dialog is painted but takes no input, and says
    // what runs.
    void toolRunShowsThatItRuns() {
        dir_->Write(std::string("prog/") + Update_Tool_Name,
                    "#!/bin/sh\nsleep 0.5\necho ran >> \"$(dirname \"$0\")/tool_runs.txt\"\n");
        std::filesystem::permissions(Tool_Path(), std::filesystem::perms::owner_all);
        StandInEcho echo(time_, EchoOutcome::Reply, 9);
        dlg_->Set_Echo_Client(&echo);
        Show();
        bool checked = false;
        QTimer::singleShot(250, [&] {
            checked = true;
            QVERIFY(dlg_->Busy());
            QVERIFY(dlg_->L_Status->text().contains(QString::fromLatin1(Update_Tool_Name)));
            QVERIFY(!dlg_->Btn_Update->isEnabled());
            QVERIFY(!dlg_->E_IP1->isEnabled());
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            QVERIFY(!dlg_->close());  // the close box does nothing meanwhile
        });
        QTest::mouseClick(dlg_->Btn_Update, Qt::LeftButton);
        QVERIFY(checked);
        QCOMPARE(Tool_Runs(), 1);
        QVERIFY(!dlg_->Busy());
        QVERIFY(dlg_->Btn_Update->isEnabled());
        QVERIFY(dlg_->isVisible());
    }

    void missingToolIsReportedWithItsPath() {
        StandInEcho echo(time_, EchoOutcome::Reply, 9);
        dlg_->Set_Echo_Client(&echo);
        Show();
        Type_Address("10", "1", "2", "3");
        QTest::mouseClick(dlg_->Btn_Update, Qt::LeftButton);
        QCOMPARE(int(msg_.errors.size()), 1);
        QVERIFY(msg_.errors[0].find(Tool_Path()) != std::string::npos);
        QVERIFY(Is_File(Job_Path()));  // the job was written before the tool was looked for
    }

    void toolThatCannotStartIsReported() {
        dir_->Write(std::string("prog/") + Update_Tool_Name, "not a program");
        std::filesystem::permissions(Tool_Path(), std::filesystem::perms::owner_read);
        StandInEcho echo(time_, EchoOutcome::Reply, 9);
        dlg_->Set_Echo_Client(&echo);
        Show();
        QTest::mouseClick(dlg_->Btn_Update, Qt::LeftButton);
        QCOMPARE(int(msg_.errors.size()), 1);
        QVERIFY(msg_.errors[0].find(Tool_Path()) != std::string::npos);
    }

    // The system echo client: the loopback address answers; texts that are
    // not numeric IPv4 addresses are refused before anything is sent.
    void realEchoOnLoopback_data() {
        QTest::addColumn<QStringList>("octets");
        QTest::addColumn<bool>("reachable");
        QTest::newRow("loopback") << QStringList{"127", "0", "0", "1"} << true;
        QTest::newRow("octet over 255") << QStringList{"300", "0", "0", "1"} << false;
        QTest::newRow("letter") << QStringList{"127", "0", "0", "x"} << false;
        QTest::newRow("blank after octet") << QStringList{"127", "0", "0", "1 "} << false;
        QTest::newRow("empty octet") << QStringList{"127", "0", "", "1"} << false;
    }
    void realEchoOnLoopback() {
        QFETCH(QStringList, octets);
        QFETCH(bool, reachable);
        Place_Tool();
        auto probe = Make_System_Echo_Client();
        const EchoResult r = probe->Request("127.0.0.1", "x", std::chrono::milliseconds(400));
        if (r.outcome == EchoOutcome::Error) QSKIP(("no ICMP socket on this machine: " + r.error).c_str());
        dlg_->Set_Ping_Clock(System_Ping_Clock());
        Show();
        Type_Address(octets[0], octets[1], octets[2], octets[3]);
        QTest::mouseClick(dlg_->Btn_Update, Qt::LeftButton);
        if (reachable) {
            QVERIFY2(msg_.errors.empty(), msg_.errors.empty() ? "" : msg_.errors[0].c_str());
            QCOMPARE(Tool_Runs(), 1);
            QCOMPARE(st_->Last_IP_Address, std::string("127.0.0.1"));
        } else {
            QCOMPARE(int(msg_.errors.size()), 1);
            QCOMPARE(msg_.errors[0], std::string("Error!!! Check the Ip Address"));
            QVERIFY(msg_.warnings.empty());
            QVERIFY(!Is_File(Job_Path()));
            QCOMPARE(Tool_Runs(), 0);
        }
    }

    void serialAndUsbLayouts() {
        Place_Tool();
        dlg_->Form_Type = TFBoot::Serial;
        Show();
        QCOMPARE(dlg_->windowTitle(), QString("Update Device by Serial"));
        QCOMPARE(dlg_->L_SW_Desc->text(), QString("Update Device Using the Serial Port"));
        QVERIFY(dlg_->P_Serial->isVisible());
        QVERIFY(!dlg_->P_IP_Address->isVisible());
        QVERIFY(dlg_->P_Serial->geometry().bottom() < dlg_->P_Options->geometry().top());
        // Update only keeps the choice: no job, no tool.
        dlg_->CB_Update_Options->setCurrentIndex(1);
        dlg_->CB_Update_Option_Read_Back->setChecked(false);
        QTest::mouseClick(dlg_->Btn_Update, Qt::LeftButton);
        QCOMPARE(st_->Update_Option_Index, 1);
        QCOMPARE(st_->Update_Read_Back, false);
        QVERIFY(!Is_File(Job_Path()));
        QCOMPARE(Tool_Runs(), 0);
        dlg_->hide();

        dlg_->Form_Type = TFBoot::Usb;
        Show();
        QCOMPARE(dlg_->windowTitle(), QString("Update Device by USB"));
        QCOMPARE(dlg_->L_SW_Desc->text(), QString("Update Device Using the USB Port"));
        QVERIFY(!dlg_->Btn_Update->isEnabled());
        dlg_->hide();

        dlg_->Form_Type = TFBoot::Ethernet;
        Show();
        QCOMPARE(dlg_->size(), QSize(449, 230));
        QVERIFY(dlg_->Btn_Update->isEnabled());
    }

    // Step 5 of the main window writes both banks, then opens this dialog
    // in its Ethernet layout; cancelling it leaves the banks written.
    void step5WritesBanksThenOpensTheDialog() {
        test::TempDir prog;
        AppState st;
        test::ScriptedMessages msg;
        TFKeystrelFirmWare win(st, msg, prog.Path());
        win.Create_Dialogs();
        win.show();
        QCOMPARE(Create_Project(st, "Plant"), CreateResult::Ok);
        const std::string bank1 = Join_Path(Join_Path(st.Project_Path, "bin"), "bank1.bin");
        const std::string bank2 = Join_Path(Join_Path(st.Project_Path, "bin"), "bank2.bin");
        QVERIFY(!Is_File(bank1));

        bool banks_before = false;
        int layout = -1;
        test::ModalWatch watch([&](QWidget* w) {
            banks_before = Is_File(bank1) && Is_File(bank2);
            if (auto* boot = qobject_cast<TFBoot*>(w)) {
                layout = boot->Form_Type;
                QTest::mouseClick(boot->Btn_Cancel, Qt::LeftButton);
            } else if (auto* d = qobject_cast<QDialog*>(w)) {
                d->reject();
            }
        });
        QTest::mouseClick(win.Btn_CreateBin, Qt::LeftButton);
        QVERIFY(watch.Seen());
        QVERIFY2(msg.errors.empty(), msg.errors.empty() ? "" : msg.errors[0].c_str());
        QVERIFY(banks_before);
        QCOMPARE(layout, int(TFBoot::Ethernet));
        QVERIFY(Is_File(bank1) && Is_File(bank2));
        QVERIFY(!win.FBoot->isVisible());
    }
};

QTEST_MAIN(BootDialogTest)
#include "boot_dialog_test.moc"
