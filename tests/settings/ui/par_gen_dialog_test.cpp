// The communication settings dialog driven as a user would: defaults of a new
// project, DHCP greying, the "." key, the wheel, validation, failed saves and
// a change of language.
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/app_state.h"
#include "core/text_util.h"
#include "settings/par_gen.h"
#include "settings/ui/par_gen_dialog.h"
#include "support/qt_test_support.h"
#include "support/test_support.h"

using namespace ks;

class ParGenDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> dir;
    AppState st;
    test::ScriptedMessages msg;
    std::unique_ptr<TFParGen> dlg;

    std::string File() const { return st.Files.File_ParGen; }

    // Shows the dialog as the main window does; returns the texts of the
    // error reports shown while it opens.
    QStringList Open() {
        const QStringList boxes = test::Answer_Message_Boxes([&] { dlg->show(); });
        if (!QTest::qWaitForWindowExposed(dlg.get())) qWarning("dialog not exposed");
        dlg->activateWindow();
        QApplication::setActiveWindow(dlg.get());
        return boxes;
    }

    QStringList Click_OK() {
        return test::Answer_Message_Boxes([&] { QTest::mouseClick(dlg->Btn_OK, Qt::LeftButton); });
    }

    std::vector<QWidget*> S7_Fields() {
        std::vector<QWidget*> w;
        for (auto* a : {&dlg->E_S7_Protocol_IP, &dlg->E_S7_Protocol_SM, &dlg->E_S7_Protocol_GAT})
            for (QLineEdit* f : *a) w.push_back(f);
        w.push_back(dlg->CB_S7_Protocol_En_GAT);
        return w;
    }

    void Click_Check(QCheckBox* cb) { QTest::mouseClick(cb, Qt::LeftButton, {}, QPoint(8, cb->height() / 2)); }

    void Type_Into(QLineEdit* e, const QString& text) {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
    }

private slots:
    void init() {
        dir = std::make_unique<test::TempDir>();
        test::Open_Test_Project(st, dir->Path());
        msg = test::ScriptedMessages();
        dlg = std::make_unique<TFParGen>(st, msg);
    }

    void cleanup() {
        dlg.reset();
        dir.reset();
    }

    void creation_numbers_the_three_panels_in_order() {
        QCOMPARE(dlg->CP_Ethernet_Connection->Title(), QString("1. Ethernet Connection"));
        QCOMPARE(dlg->CP_S7_Protocol->Title(), QString("2. S7comm"));
        QCOMPARE(dlg->CP_KNX->Title(), QString("3. KNX"));
        Open();
        QVERIFY(dlg->CP_Ethernet_Connection->y() < dlg->CP_S7_Protocol->y());
        QVERIFY(dlg->CP_S7_Protocol->y() < dlg->CP_KNX->y());
        QCOMPARE(dlg->CP_Ethernet_Connection->height(), 206);
        QCOMPARE(dlg->CP_S7_Protocol->height(), 123);
        QCOMPARE(dlg->CP_KNX->height(), 94);
        QCOMPARE(dlg->windowTitle(), QString("Set Communication"));
        QCOMPARE(dlg->E_S7_Protocol_IP[2]->toolTip(), QString("Insert Third byte of IP Address"));
        QVERIFY(!dlg->CB_KNX_Type->isEnabled());
        QVERIFY(!dlg->CB_EthConn_En_DHCP_WiFi->isEnabled());
        // Collapsing a panel moves the next one up.
        const int knx_top = dlg->CP_KNX->y();
        QTest::mouseClick(dlg->CP_S7_Protocol, Qt::LeftButton, {}, QPoint(40, 10));
        QTRY_COMPARE(dlg->CP_KNX->y(), knx_top - 123 + CollapsiblePanel::Header_Height);
        QVERIFY(!dlg->E_S7_Protocol_IP[0]->isVisible());
    }

    void new_project_shows_defaults_and_cancel_writes_nothing() {
        QVERIFY(Open().isEmpty());
        QCOMPARE(dlg->Settings_From_Controls(), Default_ParGen());
        QCOMPARE(dlg->E_KNX_IDDevice->text(), QString("1.1.200"));
        QCOMPARE(dlg->CB_KNX_Type->currentText(), QString("KNX TP"));
        QTest::mouseClick(dlg->Btn_Cancel, Qt::LeftButton);
        QCOMPARE(dlg->result(), int(QDialog::Rejected));
        QVERIFY(!dlg->isVisible());
        QVERIFY(!Is_File(File()));
        // OK creates the file with the defaults.
        Open();
        QVERIFY(Click_OK().isEmpty());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QVERIFY(Is_File(File()));
        QCOMPARE(Load_ParGen(File()).settings, Default_ParGen());
    }

    void dhcp_on_the_cable_greys_the_s7_fields_and_keeps_their_values() {
        Open();
        for (QWidget* w : S7_Fields()) QVERIFY(w->isEnabled());
        Click_Check(dlg->CB_EthConn_En_DHCP_Cable);
        QVERIFY(dlg->CB_EthConn_En_DHCP_Cable->isChecked());
        for (QWidget* w : S7_Fields()) QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QCOMPARE(dlg->E_S7_Protocol_IP[3]->text(), QString("5"));
        // Neither DNS nor the gateway box switch any field.
        for (QLineEdit* f : dlg->E_EthConn_Pri_DNS_IP) QVERIFY(f->isEnabled());
        Click_Check(dlg->CB_EthConn_En_DHCP_Cable);
        for (QWidget* w : S7_Fields()) QVERIFY(w->isEnabled());
        Click_Check(dlg->CB_S7_Protocol_En_GAT);
        for (QLineEdit* f : dlg->E_S7_Protocol_GAT) QVERIFY(f->isEnabled());
        // Wi-Fi DHCP can never be checked.
        Click_Check(dlg->CB_EthConn_En_DHCP_WiFi);
        QVERIFY(!dlg->CB_EthConn_En_DHCP_WiFi->isChecked());
    }

    void file_with_dhcp_opens_greyed_and_knx_medium_is_kept() {
        ParGenSettings s = Default_ParGen();
        s.Eth_Conn_DHCP_Cable = true;
        s.KNX_TYPE = 1;
        s.S7_Protocol_IP1 = "010";
        QVERIFY(Save_ParGen(File(), s).empty());
        Open();
        for (QWidget* w : S7_Fields()) QVERIFY(!w->isEnabled());
        QCOMPARE(dlg->CB_KNX_Type->currentText(), QString("KNXnet/IP"));
        QVERIFY(Click_OK().isEmpty());
        QCOMPARE(Load_ParGen(File()).settings, s);
    }

    void dot_key_moves_to_the_successor_field() {
        Open();
        struct Case {
            QLineEdit* field;
            QWidget* focus_after;  // null: the focus stays
        };
        const Case cases[] = {
            {dlg->E_S7_Protocol_IP[0], dlg->E_S7_Protocol_IP[1]},
            {dlg->E_S7_Protocol_IP[3], dlg->E_S7_Protocol_SM[0]},
            {dlg->E_S7_Protocol_SM[3], dlg->E_S7_Protocol_GAT[0]},
            {dlg->E_EthConn_Pri_DNS_IP[3], dlg->E_EthConn_Sec_DNS_IP[0]},
            {dlg->E_EthConn_Sec_DNS_IP[2], dlg->E_EthConn_Sec_DNS_IP[3]},
            {dlg->E_S7_Protocol_GAT[3], nullptr},
            {dlg->E_EthConn_Sec_DNS_IP[3], nullptr},
        };
        for (const Case& c : cases) {
            const QString before = c.field->text();
            c.field->setFocus();
            c.field->end(false);
            QTest::keyClick(c.field, '.');
            QCOMPARE(c.field->text(), before);
            QWidget* expect = c.focus_after ? c.focus_after : c.field;
            QVERIFY2(QApplication::focusWidget() == expect, qPrintable(c.field->objectName()));
        }
        for (QLineEdit* e : dlg->findChildren<QLineEdit*>()) QVERIFY(!e->text().contains('.') || e == dlg->E_KNX_IDDevice);
        // A disabled successor cannot take the focus: the key is dropped.
        Click_Check(dlg->CB_EthConn_En_DHCP_Cable);
        dlg->E_EthConn_Pri_DNS_IP[3]->setFocus();
        QTest::keyClick(dlg->E_EthConn_Pri_DNS_IP[3], '.');
        QCOMPARE(QApplication::focusWidget(), dlg->E_EthConn_Sec_DNS_IP[0]);
        // The KNX address and the device name take "." as text.
        Type_Into(dlg->E_KNX_IDDevice, "1.2.3");
        QCOMPARE(dlg->E_KNX_IDDevice->text(), QString("1.2.3"));
        Type_Into(dlg->E_EthConn_Device_Name, "a.b");
        QCOMPARE(dlg->E_EthConn_Device_Name->text(), QString("a.b"));
    }

    void device_name_limit_and_longer_file_text() {
        Open();
        Type_Into(dlg->E_EthConn_Device_Name, QString(40, 'x'));
        QCOMPARE(dlg->E_EthConn_Device_Name->text().size(), 31);
        dlg->reject();
        // A longer name written by hand is shown and saved whole.
        ParGenSettings s = Default_ParGen();
        s.Eth_Conn_Device_Name = std::string(40, 'n');
        QVERIFY(Save_ParGen(File(), s).empty());
        Open();
        QCOMPARE(dlg->E_EthConn_Device_Name->text().size(), 40);
        dlg->E_EthConn_Device_Name->setFocus();
        dlg->E_EthConn_Device_Name->end(false);
        QTest::keyClick(dlg->E_EthConn_Device_Name, 'z');
        QCOMPARE(dlg->E_EthConn_Device_Name->text().size(), 40);
        QVERIFY(Click_OK().isEmpty());
        QCOMPARE(Load_ParGen(File()).settings.Eth_Conn_Device_Name, s.Eth_Conn_Device_Name);
    }

    void validation_fault_shows_its_message_and_writes_nothing() {
        struct Case {
            const char* name;
            std::function<void(TFParGen&)> edit;
            const char* message;
        };
        const Case cases[] = {
            {"dns byte with dns on",
             [](TFParGen& d) {
                 d.CB_EthConn_Enable_DNS->setChecked(true);
                 d.E_EthConn_Pri_DNS_IP[2]->setText("256");
                 d.E_S7_Protocol_IP[0]->setText("abc");
             },
             "Error Primary DNS!! DNS 3 must be between 0 and 255"},
            {"address byte empty", [](TFParGen& d) { d.E_S7_Protocol_IP[0]->setText(""); },
             "Error S7comm!! IP Address 1 must be between 0 and 255"},
            {"greyed byte still checked",
             [](TFParGen& d) {
                 d.E_S7_Protocol_IP[1]->setText("300");
                 d.CB_EthConn_En_DHCP_Cable->click();
             },
             "Error S7comm!! IP Address 2 must be between 0 and 255"},
            {"knx address", [](TFParGen& d) { d.E_KNX_IDDevice->setText("1/1/1"); },
             "Error KNX!! ID Device must be a valid KNX Address (Ex. 1.1.20)"},
        };
        for (const Case& c : cases) {
            msg.errors.clear();
            Open();
            c.edit(*dlg);
            const ParGenSettings typed = dlg->Settings_From_Controls();
            QVERIFY(Click_OK().isEmpty());
            QCOMPARE(msg.errors.size(), size_t(1));
            QCOMPARE(QString::fromStdString(msg.errors[0]), QString(c.message));
            QVERIFY2(dlg->isVisible(), c.name);
            QCOMPARE(dlg->Settings_From_Controls(), typed);
            QVERIFY(!Is_File(File()));
            dlg->reject();
        }
        // Gateway off: its bytes are not checked and are saved as typed.
        msg.errors.clear();
        Open();
        dlg->E_S7_Protocol_GAT[0]->setText("abc");
        QVERIFY(Click_OK().isEmpty());
        QVERIFY(msg.errors.empty());
        QCOMPARE(Load_ParGen(File()).settings.S7_Protocol_GAT1, std::string("abc"));
    }

    void failed_save_is_reported_and_keeps_every_value() {
        Open();
        Type_Into(dlg->E_EthConn_Device_Name, "plant-7");
        Type_Into(dlg->E_S7_Protocol_IP[3], "77");
        const ParGenSettings typed = dlg->Settings_From_Controls();
        // The project folder vanished under the program.
        std::filesystem::remove_all(dir->Path());
        const QStringList boxes = Click_OK();
        QCOMPARE(boxes.size(), 1);
        QVERIFY(msg.errors.empty());
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->Settings_From_Controls(), typed);
        QVERIFY(!std::filesystem::exists(File()));
        // Once the folder is back, OK saves the same values.
        std::filesystem::create_directories(dir->Path());
        QVERIFY(Click_OK().isEmpty());
        QCOMPARE(Load_ParGen(File()).settings, typed);
    }

    void damaged_file_is_reported_and_opens_with_defaults() {
        dir->Write("ParGen.xml", "<Par_Gen><S7_Protocol_IP1>1</S7_Protocol_IP1");
        const QStringList boxes = Open();
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes[0].contains("ParGen.xml"));
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->Settings_From_Controls(), Default_ParGen());
        // Loading never writes: the damaged file is still there until OK.
        QCOMPARE(*Read_File(File()), std::string("<Par_Gen><S7_Protocol_IP1>1</S7_Protocol_IP1"));
    }

    void width_stays_460_height_follows_and_wheel_scrolls_only_the_panels() {
        Open();
        dlg->resize(700, 300);
        QTRY_COMPARE(dlg->width(), 460);
        QCOMPARE(dlg->height(), 300);
        QScrollBar* bar = dlg->CPG->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), 0);

        auto wheel = [](QWidget* w, int delta) {
            const QPoint local(w->width() / 2, w->height() / 2);
            QWheelEvent ev(local, w->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                           Qt::NoScrollPhase, false);
            QApplication::sendEvent(w, &ev);
        };
        // Over the title band: nothing scrolls.
        wheel(dlg->L_SW_Desc, -120);
        QCOMPARE(bar->value(), 0);
        // Over a field inside the group: the group scrolls down, then up.
        wheel(dlg->E_EthConn_Device_Name, -120);
        const int down = bar->value();
        QCOMPARE(down, std::min(bar->maximum(), QApplication::wheelScrollLines() * bar->singleStep()));
        wheel(dlg->CP_Ethernet_Connection->Body(), 120);
        QCOMPARE(bar->value(), 0);
        // Over the button band: nothing.
        wheel(dlg->Btn_OK, -120);
        QCOMPARE(bar->value(), 0);
    }

    void language_change_renames_everything_but_the_panel_headers() {
        Open();
        Type_Into(dlg->E_KNX_IDDevice, "2.3.4");
        st.Text_Table.Set(406, "S7 neu");
        st.Text_Table.Set(407, "IP-Adresse");
        st.Text_Table.Set(408, "Erstes Byte");
        st.Text_Table.Set(402, "Bestaetigen");
        dlg->Set_Lang();
        QCOMPARE(dlg->L_S7_Protocol_IP->text(), QString("IP-Adresse"));
        QCOMPARE(dlg->E_S7_Protocol_IP[0]->toolTip(), QString("Erstes Byte"));
        QCOMPARE(dlg->Btn_OK->text(), QString("Bestaetigen"));
        QCOMPARE(dlg->CP_S7_Protocol->Title(), QString("2. S7comm"));
        QCOMPARE(dlg->E_KNX_IDDevice->text(), QString("2.3.4"));
    }
};

QTEST_MAIN(ParGenDialogTest)
#include "par_gen_dialog_test.moc"
