// The KNX access dialog driven through its buttons, grid and keys.
#include <QApplication>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/app_state.h"
#include "core/text_util.h"
#include "support/qt_test_support.h"
#include "support/test_support.h"
#include "tables/knx_table.h"
#include "tables/ui/knx_access_dialog.h"
#include "tables/ui/s7_access_dialog.h"

using namespace ks;

namespace {

KNX_Access_Row Rule(int n) {
    KNX_Access_Row r;
    r.Source_Address = "1.1." + std::to_string(n % 256);
    r.Destination_Address = "1/2/" + std::to_string(1 + n % 255);
    r.APCI = "Write";
    r.Priority = "Normal";
    r.Format = "None";
    r.Extended = "N";
    r.ReTest = "N";
    r.On_Command = "N";
    r.On_Change = "Y";
    r.On_Timer = "N";
    r.Position = std::to_string(n % 1400);
    r.Bit_Mode = "No";
    r.Length = "2";
    r.TimeOut = "0";
    r.Mnemonic = "rule " + std::to_string(n);
    return r;
}

constexpr int Mnemonic_Col = 18;
constexpr int Length_Col = 16;

}  // namespace

class KNXAccessDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> dir;
    AppState st;
    test::ScriptedMessages msg;
    std::unique_ptr<TFKNXAccess> dlg;

    std::string File() const { return st.Files.File_KNX_SetAccess; }
    GridView* Grid() { return dlg->ACG_KNX_in_Write; }
    std::string Cell(int col, int row) { return Grid()->Table().Cell(col, row); }

    void Write_File(int rows) {
        KNX_Access_Table t;
        for (int i = 0; i < rows; ++i) t.KNX_in_Write[i] = Rule(i + 1);
        QVERIFY(Save_KNX_SetAccess(File(), t).empty());
    }

    QStringList Open() {
        const QStringList boxes = test::Answer_Message_Boxes([&] { dlg->show(); });
        if (!QTest::qWaitForWindowExposed(dlg.get())) qWarning("dialog not exposed");
        QApplication::setActiveWindow(dlg.get());
        return boxes;
    }

    QStringList Click(QPushButton* b) {
        return test::Answer_Message_Boxes([&] { QTest::mouseClick(b, Qt::LeftButton); });
    }

    void Click_Cell(int col, int row) {
        const QModelIndex i = Grid()->model()->index(row - 1, col);
        Grid()->scrollTo(i);
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->visualRect(i).center());
        QCOMPARE(Grid()->Current_Row(), row);
    }

private slots:
    void init() {
        dir = std::make_unique<test::TempDir>();
        test::Open_Test_Project(st, dir->Path());
        msg = test::ScriptedMessages();
        dlg = std::make_unique<TFKNXAccess>(st, msg);
    }

    void cleanup() {
        dlg.reset();
        dir.reset();
    }

    void texts_columns_and_hints() {
        Open();
        QCOMPARE(dlg->windowTitle(), QString("KNX Set Access"));
        QCOMPARE(dlg->Btn_CopyRow->text(), QString("Copy Row"));
        QCOMPARE(Grid()->model()->rowCount(), 1024);
        QCOMPARE(Grid()->model()->columnCount(), 19);
        QCOMPARE(Grid()->columnWidth(Length_Col), 96);
        QAbstractItemModel* m = Grid()->model();
        QCOMPARE(m->headerData(7, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QString("Insert the Multiplicator Factor of KNX Variable"));
        QCOMPARE(m->headerData(17, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QString("Insert the TimeOut in milliseconds of Data of KNX Message"));
        QVERIFY(!m->data(m->index(3, 7), Qt::ToolTipRole).isValid());
        QCOMPARE(m->headerData(7, Qt::Horizontal).toString(), QString("Mul. Factor"));
        QCOMPARE(Grid()->Table().Column(15).choices.front(), std::string("No"));
        QCOMPARE(Grid()->Table().Column(14).choices.size(), size_t(1500));
    }

    void ok_with_an_empty_grid_writes_an_empty_list() {
        Open();
        QVERIFY(Click(dlg->Btn_OK).isEmpty());
        QVERIFY(msg.errors.empty() && msg.questions.empty());
        QVERIFY(!dlg->isVisible());
        QCOMPARE(*Read_File(File()),
                 std::string("<BACnet_to_KNX><KNX_in_Write/></BACnet_to_KNX><!--SW_VERSION = 1.001-->"));
    }

    void full_table_round_trip_and_priority_read_as_normal() {
        Write_File(1024);
        std::string xml = *Read_File(File());
        const size_t p = xml.find("Priority=\"Normal\"");
        xml.replace(p, std::string("Priority=\"Normal\"").size(), "Priority=\"URGENT\"");
        dir->Write("KNX_SetAccess.xml", xml);
        Open();
        QCOMPARE(Cell(5, 1), std::string("Normal"));
        QCOMPARE(Cell(Mnemonic_Col, 1024), std::string("rule 1024"));
        QVERIFY(Click(dlg->Btn_OK).isEmpty());
        QVERIFY(msg.errors.empty());
        QVERIFY(Load_KNX_SetAccess(File()).table.KNX_in_Write[1023] == Rule(1024));
    }

    void delete_last_row_and_insert() {
        Write_File(1024);
        Open();
        Click_Cell(2, 1024);
        msg.answers = {false};
        Click(dlg->Btn_DelRow);
        QCOMPARE(msg.questions.back(), std::string("Are you sure to delete the Row number 1024"));
        QCOMPARE(Cell(Mnemonic_Col, 1024), std::string("rule 1024"));
        msg.answers = {true};
        Click(dlg->Btn_DelRow);
        for (int c = 1; c <= Mnemonic_Col; ++c) QCOMPARE(Cell(c, 1024), std::string());
        // Insert on row 1 of a full table drops the last row without a question.
        Write_File(1024);
        dlg->reject();
        Open();
        Click_Cell(2, 1);
        msg.questions.clear();
        Click(dlg->Btn_InsRow);
        QVERIFY(msg.questions.empty());
        QCOMPARE(Cell(1, 1), std::string("Y"));
        QCOMPARE(Cell(2, 1), std::string());
        QCOMPARE(Cell(Mnemonic_Col, 1024), std::string("rule 1023"));
    }

    void a_row_copied_in_the_s7_dialog_does_not_paste_here() {
        TFS7_Protocol_Set_Access s7(st, msg);
        test::Answer_Message_Boxes([&] { s7.show(); });
        QTest::mouseClick(s7.Btn_CopyRow, Qt::LeftButton);
        QVERIFY(!st.Copied_Row.empty());
        s7.reject();
        Open();
        Click(dlg->Btn_PasteRow);
        QCOMPARE(msg.errors, std::vector<std::string>{"Error!!! Copy a valid row before Paste it"});
        // Its own copy pastes.
        Write_File(2);
        dlg->reject();
        Open();
        Click_Cell(2, 2);
        Click(dlg->Btn_CopyRow);
        QVERIFY(dlg->Do_Copy_In_Write && !dlg->Do_Copy_In_Read);
        QCOMPARE(st.Copied_Row.size(), size_t(18));
        Click_Cell(2, 3);
        Click(dlg->Btn_PasteRow);
        QCOMPARE(Cell(Mnemonic_Col, 3), std::string("rule 2"));
    }

    void validation_fault_shows_the_composed_message_and_writes_nothing() {
        Write_File(4);
        const std::string before = *Read_File(File());
        Open();
        // The user types a length of 20 bytes into row 4 of a standard frame.
        Click_Cell(Length_Col, 4);
        QTest::keyClick(Grid(), Qt::Key_2);
        QTest::keyClicks(QApplication::focusWidget(), "0");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(Click(dlg->Btn_OK).isEmpty());
        QCOMPARE(msg.errors, std::vector<std::string>{"Error row 4!! [KNX in Write] Length must be between 1 and 14"});
        QVERIFY(dlg->isVisible());
        QCOMPARE(Cell(Length_Col, 4), std::string("20"));
        QCOMPARE(*Read_File(File()), before);
    }

    void rows_after_an_empty_row_are_not_dropped_in_silence() {
        Write_File(3);
        Open();
        Grid()->Table().Set_Cell(2, 1, "");
        const std::string before = *Read_File(File());
        msg.answers = {false};
        Click(dlg->Btn_OK);
        QCOMPARE(msg.questions, std::vector<std::string>{"Rows after row 1 hold data but will not be saved, because "
                                                         "that row is empty. Save anyway?"});
        QVERIFY(dlg->isVisible());
        QCOMPARE(*Read_File(File()), before);
        msg.answers = {true};
        Click(dlg->Btn_OK);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(*Read_File(File()),
                 std::string("<BACnet_to_KNX><KNX_in_Write/></BACnet_to_KNX><!--SW_VERSION = 1.001-->"));
    }

    void enter_jump_moves_to_the_next_row_with_the_option_on() {
        Open();
        Click_Cell(Mnemonic_Col, 5);
        QTest::keyClick(Grid(), Qt::Key_Return);
        QCOMPARE(Grid()->Current_Row(), 5);
        st.Enable_Jump_Field_Tables = true;
        QTest::keyClick(Grid(), Qt::Key_Return);
        QCOMPARE(Grid()->Current_Row(), 6);
        QCOMPARE(Grid()->Current_Col(), 1);
    }

    void damaged_file_and_failed_save() {
        Write_File(3);
        std::string xml = *Read_File(File());
        const size_t second = xml.find("<row", xml.find("<row") + 1);
        const size_t len = xml.find(" Length=\"2\"", second);
        xml.erase(len, std::string(" Length=\"2\"").size());
        dir->Write("KNX_SetAccess.xml", xml);
        QCOMPARE(Open().size(), 1);
        QCOMPARE(Cell(Mnemonic_Col, 1), std::string("rule 1"));
        QCOMPARE(Cell(Mnemonic_Col, 2), std::string());

        Grid()->Table().Set_Cell(Mnemonic_Col, 1, "edited");
        const KNX_Access_Table typed = dlg->Table_From_Grid();
        std::filesystem::remove_all(dir->Path());
        QCOMPARE(Click(dlg->Btn_OK).size(), 1);
        QVERIFY(dlg->isVisible());
        QVERIFY(dlg->Table_From_Grid() == typed);
    }

    // The grid is built on the first showing; a language change before it
    // must still reach the grid's headers and hints.
    void language_change_before_the_first_showing() {
        Write_File(2);
        st.Text_Table.Set(1416, "Quelladresse");
        st.Text_Table.Set(1447, "Beschreibung der Regel");
        dlg->Set_Lang();
        Open();
        QCOMPARE(Grid()->model()->headerData(2, Qt::Horizontal).toString(), QString("Quelladresse"));
        QCOMPARE(Grid()->model()->headerData(18, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QString("Beschreibung der Regel"));
        QCOMPARE(Grid()->columnWidth(Length_Col), 96);
        QVERIFY(Grid()->isVisible());
        QCOMPARE(Cell(Mnemonic_Col, 2), std::string("rule 2"));
    }

    void language_change_while_the_grid_holds_data() {
        Write_File(2);
        Open();
        st.Text_Table.Set(1416, "Quelladresse");
        st.Text_Table.Set(1447, "Beschreibung der Regel");
        st.Text_Table.Set(1401, "KNX Zugriff");
        dlg->Set_Lang();
        QCOMPARE(Grid()->model()->headerData(2, Qt::Horizontal).toString(), QString("Quelladresse"));
        QCOMPARE(Grid()->model()->headerData(18, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QString("Beschreibung der Regel"));
        QCOMPARE(dlg->L_SW_Desc->text(), QString("KNX Zugriff"));
        QCOMPARE(Cell(Mnemonic_Col, 2), std::string("rule 2"));
    }
};

QTEST_MAIN(KNXAccessDialogTest)
#include "knx_access_dialog_test.moc"
