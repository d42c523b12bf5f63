// The main window driven as a user would: first start, the steps, step 1's
// two dialogs, the options with a language switch, closing.
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/app_state.h"
#include "app/ui/about.h"
#include "app/ui/click_label.h"
#include "app/ui/main_window.h"
#include "app/ui/new_project.h"
#include "app/ui/open_conf.h"
#include "core/text_util.h"
#include "support/test_support.h"
#include "support/ui_test_support.h"
#include "texts/ui/soft_options.h"

using namespace ks;
namespace fs = std::filesystem;

namespace {

// One program folder with the main window and all its dialogs.
struct Program {
    explicit Program(const std::function<void(const test::TempDir&)>& prepare = {}) {
        if (prepare) prepare(dir);
        win = std::make_unique<TFKeystrelFirmWare>(st, msg, dir.Path());
        win->Set_Url_Opener([this](const std::string& url) { opened.push_back(url); });
        win->Create_Dialogs();
        win->show();
    }
    std::string Settings() const { return Read_File(dir / "Keystrel.xml").value_or(""); }

    test::TempDir dir;
    AppState st;
    test::ScriptedMessages msg;
    std::vector<std::string> opened;
    std::unique_ptr<TFKeystrelFirmWare> win;
};

// UTF-8 with its byte-order mark (without one the file counts as 8-bit text).
const std::string Deutsch =
    "\xEF\xBB\xBF"
    "STR9 = ¶Keine Konfiguration ¶\n"
    "STR10 = Mit Schritt 1 eine Konfiguration öffnen\n"
    "STR15 = Neue Konfiguration\n"
    "STR100 = Neue Konfiguration anlegen\n"
    "STR200 = Konfiguration öffnen\n"
    "STR300 = Software-Optionen\n"
    "STR302 = Sprache\n";

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartInAnEmptyProgramFolder();
    void stepsWithoutAProjectReportText18_data();
    void stepsWithoutAProjectReportText18();
    void rememberedProjectWhoseFolderIsGone();
    void newConfigurationThroughStep1();
    void newConfigurationRefusesBadNames_data();
    void newConfigurationRefusesBadNames();
    void openDialogPreselection();
    void openWithEmptyProjectsLeavesNoProject();
    void cancelKeepsTheOpenProject();
    void languageSwitchWhileWindowsAreOpen();
    void optionsOkSavesAtOnceAndSwitchesTheTimer();
    void timerTicksOnlyWhileBothOptionsAreOn();
    void closeButtonSavesTheSettings();
    void webAddressLabelsOpenTheHomePage();
    void updateDeviceWritesBothBanks();
    void updateDeviceReportsFailuresAndStops_data();
    void updateDeviceReportsFailuresAndStops();
};

void MainWindowTest::firstStartInAnEmptyProgramFolder() {
    Program p;
    for (const char* d : {"MASTER", "PROJECTS", "LANGUAGE"}) QVERIFY2(Is_Directory(p.dir / d), d);
    auto& w = *p.win;
    QCOMPARE(w.windowTitle(), QStringLiteral("Morvane - Configurator CS82411 - S7comm / KNX "));
    QCOMPARE(w.size(), QSize(694, 440));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(w.L_SW_Code->text(), QStringLiteral("CS82411"));
    QCOMPARE(w.L_SW_Desc->text(), QStringLiteral("S7comm / KNX - Converter"));
    QCOMPARE(w.L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
    QCOMPARE(w.L_Name_Conf_L2->text(), QStringLiteral("Use Step1 to open or create new configuration"));
    QCOMPARE(p.st.Language_Name, std::string("English"));
    QVERIFY(!p.st.Enable_Internet && !p.st.Enable_Update && !p.st.Enable_Jump_Field_Tables &&
            !p.st.Enable_Double_Click_Auto_Size);
    QVERIFY(!w.Timer_Update.isActive());
    QVERIFY(!w.LL_Update->isVisible());

    // Layout of this model: the five steps 44 pixels apart, labels 16 below.
    QCOMPARE(w.Btn_New->geometry(), QRect(80, 112, 170, 36));
    QCOMPARE(w.Btn_Open->geometry(), QRect(258, 112, 170, 36));
    QCOMPARE(w.Btn_CreateBin->geometry(), QRect(80, 288, 170, 36));
    QCOMPARE(w.L_Step_5->pos(), QPoint(16, 304));
    QCOMPARE(w.L_Morvane->pos(), QPoint(565, 304));
    QCOMPARE(w.Shape1->geometry(), QRect(10, 339, 674, 1));
    QCOMPARE(w.Btn_Close->geometry(), QRect(632, 8, 50, 50));
    QVERIFY(!w.L_Step_6->isVisible() && !w.Btn_PROFIBUS_GSD->isVisible());
    QCOMPARE(w.Btn_PROFIBUS_GSD->text(), QStringLiteral("PROFIBUS GSD"));  // texts applied while hidden
    QCOMPARE(w.Btn_CreateBin->toolTip(),
             QStringLiteral("Update the actual Firmware and/or Configuration in the device"));

    // The other windows exist from start-up on, the software code in their headers.
    QVERIFY(w.Dialogs().size() >= 7);
    QVERIFY(w.FParGen && w.FS7_Protocol_Set_Access && w.FKNXAccess);
    QCOMPARE(w.FParGen->L_SW_Code->text(), QStringLiteral("CS82411"));
    QCOMPARE(w.FNew_Project->L_SW_Code->text(), QStringLiteral("CS82411"));

    QVERIFY(p.Settings().empty());
    w.close();
    const std::string xml = p.Settings();
    QVERIFY(xml.rfind("<Conf_Settings>", 0) == 0);
    QVERIFY(xml.find("<lastproj><projectname") != std::string::npos);
    QVERIFY(xml.find("<projectname></projectname>") != std::string::npos ||
            xml.find("<projectname />") != std::string::npos || xml.find("<projectname/>") != std::string::npos);
    QVERIFY(xml.find("<ipaddress>192.168.2.205</ipaddress>") != std::string::npos);
    QVERIFY(xml.find("<language>English</language>") != std::string::npos);
}

void MainWindowTest::stepsWithoutAProjectReportText18_data() {
    QTest::addColumn<QString>("button");
    for (const char* b : {"Btn_Prm_Gen", "Btn_S7_Protocol_Access", "Btn_KNX_Access", "Btn_CreateBin"})
        QTest::newRow(b) << QString::fromLatin1(b);
}

void MainWindowTest::stepsWithoutAProjectReportText18() {
    QFETCH(QString, button);
    Program p;
    auto* b = p.win->findChild<QPushButton*>(button);
    QVERIFY(b);
    test::RejectNextModal opened;
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(p.msg.errors, std::vector<std::string>{"Error! Project not Valid"});
    QTest::qWait(20);
    QVERIFY2(!opened.Seen(), "no window may open without a project");
}

void MainWindowTest::rememberedProjectWhoseFolderIsGone() {
    Program p([](const test::TempDir& d) {
        d.Write("Keystrel.xml",
                "<Conf_Settings><lastproj><projectname>Gone</projectname></lastproj>"
                "<lastlang><language>Deutsch</language></lastlang></Conf_Settings>");
        d.Write("LANGUAGE/Deutsch.lng", Deutsch);
    });
    auto& w = *p.win;
    QVERIFY(!p.st.Project_Open());
    QCOMPARE(w.L_Name_Conf->text(), QStringLiteral("Keine Konfiguration "));
    QCOMPARE(w.L_Name_Conf_L2->text(), QString::fromUtf8("Mit Schritt 1 eine Konfiguration öffnen"));
    QCOMPARE(w.Btn_New->text(), QStringLiteral("Neue Konfiguration"));

    // Back to the built-in English: the labels still say "no project".
    p.st.Text_Table.Load_Default_Texts();
    w.Change_Language();
    QCOMPARE(w.L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));

    QTest::mouseClick(w.Btn_KNX_Access, Qt::LeftButton);
    QCOMPARE(p.msg.errors.size(), size_t(1));
    w.close();
    QVERIFY(p.Settings().find("<projectname>Gone</projectname>") != std::string::npos);
}

void MainWindowTest::newConfigurationThroughStep1() {
    Program p;
    auto& w = *p.win;
    bool focused = false, cleared = false;
    p.win->FNew_Project->E_New_Proj->setText(QStringLiteral("left over"));
    test::ModalWatch seen([&](QWidget* m) {
        auto* d = qobject_cast<TFNew_Project*>(m);
        QVERIFY(d);
        cleared = d->E_New_Proj->text().isEmpty();
        focused = d->focusWidget() == d->E_New_Proj;
        QTest::keyClicks(d->E_New_Proj, QStringLiteral("Plant A"));
        QTest::keyClick(d->E_New_Proj, Qt::Key_Return);  // Enter acts as OK
    });
    QTest::mouseClick(w.Btn_New, Qt::LeftButton);
    QVERIFY(seen.Seen());
    QVERIFY(cleared);
    QVERIFY(focused);
    QVERIFY(p.msg.errors.empty());
    const std::string folder = p.dir / "PROJECTS" + Path_Sep() + "Plant A";
    QVERIFY(Is_Directory(folder));
    QVERIFY(Is_Directory(Join_Path(folder, "bin")));
    QCOMPARE(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1L);  // only bin
    QCOMPARE(p.st.Project_Path, folder);
    QCOMPARE(p.st.Files.File_ParGen, Join_Path(folder, "ParGen.xml"));
    QCOMPARE(w.L_Name_Conf->text(), QStringLiteral("Opened Configuration of the Converter : "));
    QCOMPARE(w.L_Name_Conf_L2->text(), QStringLiteral("Plant A"));

    // With a project open, step 2 opens its dialog instead of complaining.
    test::RejectNextModal opened;
    QTest::mouseClick(w.Btn_Prm_Gen, Qt::LeftButton);
    QVERIFY(opened.Seen());
    QVERIFY(p.msg.errors.empty());
}

void MainWindowTest::newConfigurationRefusesBadNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QString() << QStringLiteral("Error! Name Project is not valid");
    QTest::newRow("exists") << QStringLiteral("Old") << QStringLiteral(
                                   "Error! Name project is not valid because directory already exists");
    QTest::newRow("separator") << QStringLiteral("a/b")
                               << QStringLiteral("Error! Name project is not valid");
    QTest::newRow("parent") << QStringLiteral("..") << QStringLiteral("Error! Name project is not valid");
}

void MainWindowTest::newConfigurationRefusesBadNames() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    Program p([](const test::TempDir& d) { fs::create_directories(d / "PROJECTS" + "/Old"); });
    auto* d = p.win->FNew_Project;
    d->show();
    d->E_New_Proj->setText(name);
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QCOMPARE(p.msg.errors, std::vector<std::string>{message.toStdString()});
    // The dialog stays open with the typed name, nothing opened.
    QVERIFY(d->isVisible());
    QCOMPARE(d->E_New_Proj->text(), name);
    QVERIFY(!p.st.Project_Open());
    QCOMPARE(p.win->L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
    d->reject();
}

void MainWindowTest::openDialogPreselection() {
    Program p([](const test::TempDir& d) {
        for (const char* n : {"Alpha", "beta", "Gamma"}) fs::create_directories(d / "PROJECTS" + "/" + n);
        d.Write("PROJECTS/file.xml", "<x/>");  // a plain file is no project
    });
    auto* d = p.win->FOpenConf;
    // No project open: the first listed folder.
    d->show();
    QCOMPARE(d->ListBox1->count(), 3);
    QCOMPARE(d->ListBox1->currentRow(), 0);
    QCOMPARE(d->Name_Conf, d->SL[0]);
    d->hide();

    // The open project is found even when its path spells it with other capitals.
    p.st.Project_Path = Join_Path(p.st.Projects_Dir, "BETA");
    d->show();
    const int row = d->Search_Open_Conf("beta");
    QVERIFY(row >= 0);
    QCOMPARE(d->ListBox1->currentRow(), row);
    QCOMPARE(d->Name_Conf, std::string("beta"));

    // A selection by keys changes what OK opens; double-click only selects.
    const int other = (row + 1) % 3;
    d->ListBox1->setFocus();
    QTest::keyClick(d->ListBox1, other > row ? Qt::Key_Down : Qt::Key_Home);
    QCOMPARE(d->Name_Conf, d->SL[static_cast<size_t>(other)]);
    d->hide();

    // Through the main window: OK opens the selection.
    p.st.Project_Path.clear();
    test::ModalWatch watch1([](QWidget* m) {
        auto* o = qobject_cast<TFOpenConf*>(m);
        QVERIFY(o);
        o->ListBox1->setCurrentRow(2);
        QTest::mouseClick(o->Btn_OK, Qt::LeftButton);
    });
    QTest::mouseClick(p.win->Btn_Open, Qt::LeftButton);
    QCOMPARE(p.st.Project_Name, d->SL[2]);
    QCOMPARE(p.st.Project_Path, Join_Path(p.st.Projects_Dir, d->SL[2]));
    QCOMPARE(p.win->L_Name_Conf_L2->text(), QString::fromStdString(d->SL[2]));
}

void MainWindowTest::openWithEmptyProjectsLeavesNoProject() {
    Program p;
    p.st.Project_Name = "Stale";
    test::ModalWatch seen([](QWidget* m) {
        auto* o = qobject_cast<TFOpenConf*>(m);
        QVERIFY(o);
        QCOMPARE(o->ListBox1->count(), 0);
        QVERIFY(o->Name_Conf.empty());
        QTest::mouseClick(o->Btn_OK, Qt::LeftButton);
    });
    QTest::mouseClick(p.win->Btn_Open, Qt::LeftButton);
    QVERIFY(seen.Seen());
    QVERIFY(!p.st.Project_Open());
    QVERIFY(p.st.Project_Name.empty());
    QCOMPARE(p.win->L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
    QCOMPARE(p.win->L_Name_Conf_L2->text(), QStringLiteral("Use Step1 to open or create new configuration"));
}

void MainWindowTest::cancelKeepsTheOpenProject() {
    Program p([](const test::TempDir& d) {
        fs::create_directories(d / "PROJECTS" + "/Kept");
        fs::create_directories(d / "PROJECTS" + "/Other");
        d.Write("Keystrel.xml", "<Conf_Settings><lastproj><projectname>Kept</projectname></lastproj></Conf_Settings>");
    });
    QVERIFY(p.st.Project_Open());
    QCOMPARE(p.win->L_Name_Conf_L2->text(), QStringLiteral("Kept"));
    test::ModalWatch watch2([](QWidget* m) {
        auto* o = qobject_cast<TFOpenConf*>(m);
        o->ListBox1->setCurrentRow(o->Search_Open_Conf("Other"));
        QTest::mouseClick(o->Btn_Cancel, Qt::LeftButton);
    });
    QTest::mouseClick(p.win->Btn_Open, Qt::LeftButton);
    test::ModalWatch watch3([](QWidget* m) {
        auto* n = qobject_cast<TFNew_Project*>(m);
        QTest::keyClicks(n->E_New_Proj, QStringLiteral("Never"));
        QTest::mouseClick(n->Btn_Cancel, Qt::LeftButton);
    });
    QTest::mouseClick(p.win->Btn_New, Qt::LeftButton);
    QCOMPARE(p.st.Project_Name, std::string("Kept"));
    QCOMPARE(p.win->L_Name_Conf_L2->text(), QStringLiteral("Kept"));
    QVERIFY(!Is_Directory(p.dir / "PROJECTS" + "/Never"));
}

void MainWindowTest::languageSwitchWhileWindowsAreOpen() {
    Program p([](const test::TempDir& d) { d.Write("LANGUAGE/Deutsch.lng", Deutsch); });
    auto& w = *p.win;
    w.FNew_Project->show();
    w.FOpenConf->show();
    w.FAbout->show();
    p.msg.answers = {true};
    QString options_title, tab_caption;
    test::ModalWatch watch4([&](QWidget* m) {
        auto* o = qobject_cast<TFSoftOptions*>(m);
        QVERIFY(o);
        QCOMPARE(o->L_L[0]->text(), QStringLiteral("Deutsch"));
        QTest::mouseClick(o->L_L[0], Qt::LeftButton);
        options_title = o->windowTitle();
        tab_caption = o->PC_Options->tabText(0);
        QTest::mouseClick(o->Btn_Cancel, Qt::LeftButton);
    });
    QTest::mouseClick(w.Btn_Opz, Qt::LeftButton);
    QCOMPARE(p.msg.questions,
             std::vector<std::string>{"Do you want to change the Language from English to Deutsch?"});
    // Every window shows the new texts at once.
    QCOMPARE(options_title, QStringLiteral("Software-Optionen"));
    QCOMPARE(tab_caption, QStringLiteral("Sprache"));
    QCOMPARE(w.Btn_New->text(), QStringLiteral("Neue Konfiguration"));
    QCOMPARE(w.L_Name_Conf->text(), QStringLiteral("Keine Konfiguration "));
    QCOMPARE(w.FNew_Project->windowTitle(), QStringLiteral("Neue Konfiguration anlegen"));
    QCOMPARE(w.FOpenConf->windowTitle(), QString::fromUtf8("Konfiguration öffnen"));
    // Texts the file leaves out stay English.
    QCOMPARE(w.Btn_Open->text(), QStringLiteral("Open Configuration"));
    // The information box keeps its English texts.
    QCOMPARE(w.FAbout->windowTitle(), QStringLiteral("About..."));
    QCOMPARE(w.FAbout->Label6->text(), QStringLiteral("Software Code : "));
    // Cancel: the committed language stays, nothing was saved.
    QCOMPARE(p.st.Language_Name, std::string("English"));
    QVERIFY(p.Settings().empty());
}

void MainWindowTest::optionsOkSavesAtOnceAndSwitchesTheTimer() {
    Program p;
    auto& w = *p.win;
    test::ModalWatch watch5([](QWidget* m) {
        auto* o = qobject_cast<TFSoftOptions*>(m);
        o->CB_En_Con->setChecked(true);
        o->CB_Update->setChecked(true);
        o->CB_Soft_Set_Jump_Table->setChecked(true);
        QTest::mouseClick(o->Btn_OK, Qt::LeftButton);
    });
    QTest::mouseClick(w.Btn_Opz, Qt::LeftButton);
    const std::string xml = p.Settings();
    QVERIFY2(xml.find("<enable_internet>1</enable_internet><enable_update>1</enable_update>"
                      "<enable_jump_field_tables>1</enable_jump_field_tables>"
                      "<Double_Click_Auto_Size>0</Double_Click_Auto_Size>") != std::string::npos,
             xml.c_str());
    QVERIFY(w.Timer_Update.isActive());
    QCOMPARE(w.Timer_Update.interval(), 60000);

    // Switching the internet connection off stops the timer (and is saved).
    test::ModalWatch watch6([](QWidget* m) {
        auto* o = qobject_cast<TFSoftOptions*>(m);
        QVERIFY(o->CB_En_Con->isChecked() && o->CB_Update->isEnabled());
        o->CB_En_Con->setChecked(false);
        QVERIFY(!o->CB_Update->isEnabled());
        QTest::mouseClick(o->Btn_OK, Qt::LeftButton);
    });
    QTest::mouseClick(w.Btn_Opz, Qt::LeftButton);
    QVERIFY(!w.Timer_Update.isActive());
    QVERIFY(p.Settings().find("<enable_internet>0</enable_internet><enable_update>1</enable_update>") !=
            std::string::npos);
}

void MainWindowTest::timerTicksOnlyWhileBothOptionsAreOn() {
    Program p([](const test::TempDir& d) {
        d.Write("Keystrel.xml",
                "<Conf_Settings><lastinternet><enable_internet>1</enable_internet>"
                "<enable_update>1</enable_update></lastinternet></Conf_Settings>");
    });
    auto& w = *p.win;
    QVERIFY(w.Timer_Update.isActive());
    QCOMPARE(w.Timer_Update.interval(), 60000);  // the first check after one minute
    QVERIFY(w.Timer_Update.remainingTime() > 50000);
    QVERIFY(!w.LL_Update->isVisible());

    // One tick against a server that is not there: no link, next tick in two hours.
    w.Version_Check.Set_Server(QStringLiteral("127.0.0.1"), 1);
    w.Version_Check.Set_Timeout(2000);
    w.Timer_UpdateTimer();
    QVERIFY(!w.LL_Update->isVisible());
    QVERIFY(w.Timer_Update.isActive());
    QCOMPARE(w.Timer_Update.interval(), 7200000);

    // Switched off in the options meanwhile: a tick does not start it again.
    p.st.Enable_Update = false;
    w.Apply_Timer_Rule();
    QVERIFY(!w.Timer_Update.isActive());
    w.Timer_UpdateTimer();
    QVERIFY(!w.Timer_Update.isActive());

    // Switched on again: the stopped timer restarts with its current interval;
    // a running timer is not restarted.
    p.st.Enable_Update = true;
    w.Apply_Timer_Rule();
    QVERIFY(w.Timer_Update.isActive());
    QCOMPARE(w.Timer_Update.interval(), 7200000);
}

void MainWindowTest::closeButtonSavesTheSettings() {
    Program p;
    p.st.Last_IP_Address = "10.1.2.3";
    QSignalSpy spy(p.win.get(), &QObject::destroyed);
    QTest::mouseClick(p.win->Btn_Close, Qt::LeftButton);
    QVERIFY(!p.win->isVisible());
    QVERIFY(p.Settings().find("<ipaddress>10.1.2.3</ipaddress>") != std::string::npos);
}

void MainWindowTest::webAddressLabelsOpenTheHomePage() {
    Program p;
    QTest::mouseClick(p.win->L_Morvane, Qt::LeftButton);
    p.win->FAbout->show();
    QTest::mouseClick(p.win->FAbout->Label4, Qt::LeftButton);
    QTest::mouseClick(p.win->FAbout->Image2, Qt::LeftButton);
    const std::string home = "http://www.morvane.com/HOME/default.asp?frompg=CS82411";
    QCOMPARE(p.opened, (std::vector<std::string>{home, home, home}));
    // The information box from the icon button, with its fixed texts.
    test::ModalWatch seen([](QWidget* m) {
        auto* a = qobject_cast<TFAbout*>(m);
        QVERIFY(a);
        QCOMPARE(a->size(), QSize(425, 148));
        QCOMPARE(a->Label2->text(), QStringLiteral("S7comm / KNX - Converter"));
        QCOMPARE(a->Label9->text(), QStringLiteral("CS82411"));
        QCOMPARE(a->Label10->text(), QStringLiteral("1.001"));
        QCOMPARE(a->Label12->text(), QStringLiteral("UM82411"));
        QTest::mouseClick(a->LbButton1, Qt::LeftButton);
    });
    p.win->FAbout->hide();
    QTest::mouseClick(p.win->Btn_Info, Qt::LeftButton);
    QVERIFY(seen.Seen());
}

void MainWindowTest::updateDeviceWritesBothBanks() {
    Program p([](const test::TempDir& d) {
        fs::create_directories(d / "PROJECTS/Plant/bin");
        d.Write("PROJECTS/Plant/bin/bank1.bin", "old");
        d.Write("Keystrel.xml", "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj></Conf_Settings>");
    });
    // Whatever the update dialog then does (here: cancelled), the banks are new.
    test::RejectNextModal cancel_update;
    QTest::mouseClick(p.win->Btn_CreateBin, Qt::LeftButton);
    QVERIFY2(p.msg.errors.empty(), p.msg.errors.empty() ? "" : p.msg.errors[0].c_str());
    QCOMPARE(fs::file_size(p.dir / "PROJECTS/Plant/bin/bank1.bin"), uintmax_t(2048));
    QCOMPARE(fs::file_size(p.dir / "PROJECTS/Plant/bin/bank2.bin"), uintmax_t(53248));
}

void MainWindowTest::updateDeviceReportsFailuresAndStops_data() {
    QTest::addColumn<bool>("bin_folder");
    QTest::addColumn<QString>("pargen");
    QTest::newRow("unreadable ParGen.xml") << true << "<ParGen><unclosed>";
    QTest::newRow("no bin folder") << false << QString();
}

void MainWindowTest::updateDeviceReportsFailuresAndStops() {
    QFETCH(bool, bin_folder);
    QFETCH(QString, pargen);
    Program p([&](const test::TempDir& d) {
        fs::create_directories(d / (bin_folder ? "PROJECTS/Plant/bin" : "PROJECTS/Plant"));
        if (!pargen.isEmpty()) d.Write("PROJECTS/Plant/ParGen.xml", pargen.toStdString());
        d.Write("Keystrel.xml", "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj></Conf_Settings>");
    });
    test::RejectNextModal opened;
    QTest::mouseClick(p.win->Btn_CreateBin, Qt::LeftButton);
    QCOMPARE(p.msg.errors.size(), size_t(1));
    QVERIFY(!p.msg.errors[0].empty());
    QTest::qWait(20);
    QVERIFY2(!opened.Seen(), "the update dialog must not open");
    QVERIFY(!Is_File(p.dir / "PROJECTS/Plant/bin/bank1.bin"));
    QVERIFY(!Is_File(p.dir / "PROJECTS/Plant/bin/bank2.bin"));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
