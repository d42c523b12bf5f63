// The software options: language pages, flags, language pick, the enabling
// rule of the connection options and what OK and Cancel commit.
#include <QImage>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/app_state.h"
#include "app/ui/click_label.h"
#include "app/ui/main_window.h"
#include "support/test_support.h"
#include "support/ui_test_support.h"
#include "texts/ui/soft_options.h"

using namespace ks;
namespace fs = std::filesystem;

namespace {

struct Options {
    explicit Options(const std::vector<std::string>& languages) {
        for (const auto& l : languages) dir.Write("LANGUAGE/" + l + ".lng", "STR300 = " + l + " options\n");
        win = std::make_unique<TFKeystrelFirmWare>(st, msg, dir.Path());
        win->Create_Dialogs();
        dlg = win->FSoftOptions;
    }
    void Write_Flag(const std::string& name, QColor colour) const {
        QImage img(16, 12, QImage::Format_RGB32);
        img.fill(colour);
        img.setPixelColor(0, img.height() - 1, Qt::white);  // the transparent colour
        img.save(QString::fromStdString(dir / "LANGUAGE/" + name), "BMP");
    }
    // Slots shown, as "name" or "name*" when its picture shows too.
    QStringList Shown() const {
        QStringList out;
        for (int i = 0; i < TFSoftOptions::Slots; ++i)
            if (!dlg->L_L[i]->isHidden()) out << dlg->L_L[i]->text() + (dlg->I_L[i]->isHidden() ? "" : "*");
        return out;
    }

    test::TempDir dir;
    AppState st;
    test::ScriptedMessages msg;
    std::unique_ptr<TFKeystrelFirmWare> win;
    TFSoftOptions* dlg = nullptr;
};

} // namespace

class SoftOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void sevenLanguagesMakeTwoPages();
    void pageCounts_data();
    void pageCounts();
    void onlyWritableLngFilesAreListed();
    void flagsAndTheDefaultFlag();
    void pickingALanguageThenCancel();
    void pickAnsweredNoChangesNothing();
    void pickedLanguageCommittedByOk();
    void enablingRule();
    void showingStartsFromTheCommittedState();
};

void SoftOptionsTest::sevenLanguagesMakeTwoPages() {
    Options o({"Gamma", "alpha", "Beta", "Delta", "epsilon", "Zeta", "Eta"});
    o.dlg->show();
    QCOMPARE(o.dlg->PC_Options->currentWidget(), o.dlg->TS_Language);
    // Sorted without regard to case; left column then right column.
    QCOMPARE(o.Shown(), (QStringList{"alpha", "Beta", "Delta", "epsilon", "Eta", "Gamma"}));
    QCOMPARE(o.dlg->L_L[3]->pos(), QPoint(310, 56));
    QCOMPARE(o.dlg->L_Page_Lang->text(), QStringLiteral("Page 1 / 2"));
    QVERIFY(!o.dlg->Btn_Next->isHidden());
    QVERIFY(o.dlg->Btn_Prev->isHidden());
    QCOMPARE(o.dlg->L_Sel_Lang->text(), QStringLiteral("Selected Language : English"));

    QTest::mouseClick(o.dlg->Btn_Next, Qt::LeftButton);
    QCOMPARE(o.dlg->Show_Page, 2);
    QCOMPARE(o.Shown(), QStringList{"Zeta"});
    QCOMPARE(o.dlg->L_Page_Lang->text(), QStringLiteral("Page 2 / 2"));
    QVERIFY(o.dlg->Btn_Next->isHidden());
    QVERIFY(!o.dlg->Btn_Prev->isHidden());
    // Paging past the end does nothing.
    o.dlg->Btn_NextClick(true);
    QCOMPARE(o.dlg->Show_Page, 2);
    QTest::mouseClick(o.dlg->Btn_Prev, Qt::LeftButton);
    QCOMPARE(o.dlg->Show_Page, 1);
    o.dlg->Btn_NextClick(false);
    QCOMPARE(o.dlg->Show_Page, 1);
}

void SoftOptionsTest::pageCounts_data() {
    QTest::addColumn<int>("files");
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("shown");
    QTest::newRow("none") << 0 << "Page 1 / 0" << 0;
    QTest::newRow("one") << 1 << "Page 1 / 1" << 1;
    QTest::newRow("six") << 6 << "Page 1 / 1" << 6;
    QTest::newRow("twelve") << 12 << "Page 1 / 2" << 6;
}

void SoftOptionsTest::pageCounts() {
    QFETCH(int, files);
    QFETCH(QString, page);
    QFETCH(int, shown);
    std::vector<std::string> names;
    for (int i = 0; i < files; ++i) names.push_back("L" + std::to_string(10 + i));
    Options o(names);
    o.dlg->show();
    QCOMPARE(o.dlg->L_Page_Lang->text(), page);
    QCOMPARE(o.Shown().size(), shown);
    QVERIFY(o.dlg->Btn_Prev->isHidden());
    QCOMPARE(o.dlg->Btn_Next->isHidden(), files <= 6);
}

void SoftOptionsTest::onlyWritableLngFilesAreListed() {
    Options o({"Deutsch"});
    o.dir.Write("LANGUAGE/readme.txt", "x");
    o.dir.Write("LANGUAGE/Locked.lng", "x");
    fs::permissions(o.dir / "LANGUAGE/Locked.lng", fs::perms::owner_write | fs::perms::group_write |
                                                      fs::perms::others_write, fs::perm_options::remove);
    fs::create_directories(o.dir / "LANGUAGE/Folder.lng");
    o.dlg->show();
    QCOMPARE(o.Shown(), QStringList{"Deutsch"});
}

void SoftOptionsTest::flagsAndTheDefaultFlag() {
    Options o({"Deutsch", "English", "Italiano"});
    o.Write_Flag("Deutsch.bmp", Qt::red);
    o.dlg->show();
    // Without DefaultFlag.bmp a language without a flag shows only its name.
    QCOMPARE(o.Shown(), (QStringList{"Deutsch*", "English", "Italiano"}));
    QCOMPARE(o.dlg->I_L[0]->geometry(), QRect(24, 40, 48, 48));
    o.Write_Flag("DefaultFlag.bmp", Qt::blue);
    o.dlg->hide();
    o.dlg->show();
    QCOMPARE(o.Shown(), (QStringList{"Deutsch*", "English*", "Italiano*"}));
    // The own flag wins over the default one.
    const QImage own = o.dlg->I_L[0]->pixmap().toImage();
    QCOMPARE(own.pixelColor(5, 5), QColor(Qt::red));
    QCOMPARE(own.pixelColor(0, own.height() - 1).alpha(), 0);
    QCOMPARE(o.dlg->I_L[1]->pixmap().toImage().pixelColor(5, 5), QColor(Qt::blue));
}

void SoftOptionsTest::pickingALanguageThenCancel() {
    Options o({"Deutsch", "Italiano"});
    o.dlg->show();
    o.msg.answers = {true};
    QTest::mouseClick(o.dlg->I_L[1], Qt::LeftButton);  // the picture picks too
    QCOMPARE(o.msg.questions,
             std::vector<std::string>{"Do you want to change the Language from English to Italiano?"});
    QCOMPARE(o.dlg->Language_In_Use, std::string("Italiano"));
    QCOMPARE(o.dlg->windowTitle(), QStringLiteral("Italiano options"));
    QCOMPARE(o.dlg->L_Sel_Lang->text(), QStringLiteral("Selected Language : Italiano"));
    QCOMPARE(o.st.Language_Name, std::string("English"));  // not committed yet

    // A second pick from a language whose file names fewer texts: nothing of
    // the first one is left.
    o.dir.Write("LANGUAGE/Deutsch.lng", "STR301 = Optionen\n");
    o.msg.answers = {true};
    QTest::mouseClick(o.dlg->L_L[0], Qt::LeftButton);
    QCOMPARE(o.msg.questions.back(), std::string("Do you want to change the Language from Italiano to Deutsch?"));
    QCOMPARE(o.dlg->windowTitle(), QStringLiteral("Software Options"));
    QCOMPARE(o.dlg->L_SW_Desc->text(), QStringLiteral("Optionen"));

    QTest::mouseClick(o.dlg->Btn_Cancel, Qt::LeftButton);
    QVERIFY(!o.dlg->isVisible());
    // The texts stay in the picked language; the committed one does not change.
    QCOMPARE(o.dlg->L_SW_Desc->text(), QStringLiteral("Optionen"));
    QCOMPARE(o.st.Language_Name, std::string("English"));
}

void SoftOptionsTest::pickAnsweredNoChangesNothing() {
    Options o({"Deutsch"});
    o.dlg->show();
    o.msg.answers = {false};
    QTest::mouseClick(o.dlg->L_L[0], Qt::LeftButton);
    QCOMPARE(o.msg.questions.size(), size_t(1));
    QCOMPARE(o.dlg->Language_In_Use, std::string("English"));
    QCOMPARE(o.dlg->windowTitle(), QStringLiteral("Software Options"));
}

void SoftOptionsTest::pickedLanguageCommittedByOk() {
    Options o({"Deutsch"});
    o.dlg->show();
    o.msg.answers = {true};
    QTest::mouseClick(o.dlg->L_L[0], Qt::LeftButton);
    // After a pick the page label reads page 1 of 1 until the user pages.
    QCOMPARE(o.dlg->L_Page_Lang->text(), QStringLiteral("Page 1 / 1"));
    QTest::mouseClick(o.dlg->Btn_OK, Qt::LeftButton);
    QCOMPARE(o.dlg->result(), int(QDialog::Accepted));
    QCOMPARE(o.st.Language_Name, std::string("Deutsch"));
}

void SoftOptionsTest::enablingRule() {
    Options o({});
    auto* d = o.dlg;
    d->show();
    d->PC_Options->setCurrentWidget(d->TS_Con_Options);
    QVERIFY(!d->CB_En_Con->isChecked());
    QVERIFY(!d->CB_Update->isEnabled());
    QVERIFY(!d->Btn_Check_Update->isEnabled());
    QTest::mouseClick(d->CB_En_Con, Qt::LeftButton);
    QVERIFY(d->CB_Update->isEnabled());
    QVERIFY(!d->Btn_Check_Update->isEnabled());
    QTest::mouseClick(d->CB_Update, Qt::LeftButton);
    QVERIFY(d->Btn_Check_Update->isEnabled());
    // Unchecking the connection disables both at once.
    QTest::mouseClick(d->CB_En_Con, Qt::LeftButton);
    QVERIFY(!d->CB_Update->isEnabled());
    QVERIFY(!d->Btn_Check_Update->isEnabled());
    // The table options are not affected.
    QVERIFY(d->CB_Soft_Set_Jump_Table->isEnabled() && d->CB_DoubleClick_Auto_Size->isEnabled());

    // OK: the checked state of a disabled box still counts.
    d->CB_DoubleClick_Auto_Size->setChecked(true);
    QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    QVERIFY(!o.st.Enable_Internet);
    QVERIFY(o.st.Enable_Update);
    QVERIFY(!o.st.Enable_Jump_Field_Tables);
    QVERIFY(o.st.Enable_Double_Click_Auto_Size);
}

void SoftOptionsTest::showingStartsFromTheCommittedState() {
    Options o({"Deutsch"});
    auto* d = o.dlg;
    d->show();
    d->CB_En_Con->setChecked(true);
    d->CB_Soft_Set_Jump_Table->setChecked(true);
    d->PC_Options->setCurrentWidget(d->TS_Soft_Settings);
    QTest::mouseClick(d->Btn_Cancel, Qt::LeftButton);
    QVERIFY(!o.st.Enable_Internet && !o.st.Enable_Jump_Field_Tables);
    d->show();
    QVERIFY(!d->CB_En_Con->isChecked());
    QVERIFY(!d->CB_Soft_Set_Jump_Table->isChecked());
    QCOMPARE(d->PC_Options->currentWidget(), d->TS_Language);
    QCOMPARE(d->Language_In_Use, std::string("English"));
}

QTEST_MAIN(SoftOptionsTest)
#include "soft_options_test.moc"
