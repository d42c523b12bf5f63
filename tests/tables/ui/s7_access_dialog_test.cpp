// The S7 access dialog driven through its buttons, grids and keys: empty
// tables, row commands with their questions and copy flags, validation,
// rows that would be dropped, damaged files, failed saves, a change of
// language.
#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/app_state.h"
#include "core/text_util.h"
#include "support/qt_test_support.h"
#include "support/test_support.h"
#include "tables/s7_table.h"
#include "tables/ui/s7_access_dialog.h"

using namespace ks;

namespace {

S7_Access_Row Request(int n) {
    S7_Access_Row r;
    r.PLC_Address = "192.168.1." + std::to_string(10 + n % 5);
    r.PLC_Port = "102";
    r.PLC_Type = "S71200";
    r.Rack = "0";
    r.Slot = "1";
    r.Data_Type = "Word";
    r.Data_Identifier = "DB";
    r.DB_Number = std::to_string(n);
    r.PLC_Area = "Direct peripheral access (P)";
    r.PLC_Add = "0";
    r.PLC_Bit = "0";
    r.PollTime = "1000";
    r.OnChange = "N";
    r.OnCMD = "Y";
    r.Position = std::to_string(n % 1500);
    r.Bit = "0";
    r.Swap = "N";
    r.SwapWord = "N";
    r.Mnemonic = "request " + std::to_string(n);
    return r;
}

// The read list has no OnChange and OnCMD.
S7_Access_Row Read_Request(int n) {
    S7_Access_Row r = Request(n);
    r.OnChange.clear();
    r.OnCMD.clear();
    return r;
}

constexpr int Port_Col = 3;
constexpr int Mnemonic_Col_Read = 18;

}  // namespace

class S7AccessDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> dir;
    AppState st;
    test::ScriptedMessages msg;
    std::unique_ptr<TFS7_Protocol_Set_Access> dlg;

    std::string File() const { return st.Files.File_S7_Protocol; }

    void Write_File(int read_rows, int write_rows) {
        S7_Access_Table t;
        for (int i = 0; i < read_rows; ++i) t.S7_Protocol_Read[i] = Read_Request(i + 1);
        for (int i = 0; i < write_rows; ++i) t.S7_Protocol_Write[i] = Request(100 + i);
        QVERIFY(Save_S7_Protocol(File(), t).empty());
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

    void Show_Page(QWidget* page) {
        QTabBar* bar = dlg->PageControl1->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(dlg->PageControl1->indexOf(page)).center());
        QCOMPARE(dlg->PageControl1->currentWidget(), page);
    }

    // Clicks the cell (col, row) of a grid, as the user picks the current row.
    void Click_Cell(GridView* g, int col, int row) {
        const QModelIndex i = g->model()->index(row - 1, col);
        g->scrollTo(i);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(i).center());
        QCOMPARE(g->Current_Row(), row);
    }

    std::string Cell(GridView* g, int col, int row) { return g->Table().Cell(col, row); }

private slots:
    void init() {
        dir = std::make_unique<test::TempDir>();
        test::Open_Test_Project(st, dir->Path());
        msg = test::ScriptedMessages();
        dlg = std::make_unique<TFS7_Protocol_Set_Access>(st, msg);
    }

    void cleanup() {
        dlg.reset();
        dir.reset();
    }

    void texts_columns_and_hints() {
        Open();
        QCOMPARE(dlg->windowTitle(), QString("S7comm Access"));
        QCOMPARE(dlg->PageControl1->tabText(1), QString("S7comm Write"));
        QCOMPARE(dlg->Btn_PasteRow->toolTip(), QString("Paste the Copied Fields in the Selected Row"));
        QCOMPARE(dlg->Btn_DelRow->x(), 252);
        QCOMPARE(dlg->ACG_S7_Read->model()->rowCount(), 512);
        QCOMPARE(dlg->ACG_S7_Read->model()->columnCount(), 19);
        QCOMPARE(dlg->ACG_S7_Write->model()->columnCount(), 21);
        QAbstractItemModel* w = dlg->ACG_S7_Write->model();
        QCOMPARE(w->headerData(20, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QString("Insert the Description of S7comm Rule"));
        QCOMPARE(w->headerData(9, Qt::Horizontal, Qt::ToolTipRole).toString(), QString("Insert the DB Number"));
        QCOMPARE(w->headerData(14, Qt::Horizontal).toString(), QString("On Change"));
        QCOMPARE(dlg->ACG_S7_Read->columnWidth(18), 204);
        QCOMPARE(dlg->ACG_S7_Read->model()->data(dlg->ACG_S7_Read->model()->index(0, 13), Qt::BackgroundRole)
                     .value<QColor>(),
                 QColor(0xA8, 0xFF, 0xA8));
        // A new project: every row enabled and empty.
        QCOMPARE(Cell(dlg->ACG_S7_Write, 1, 512), std::string("Y"));
        QCOMPARE(Cell(dlg->ACG_S7_Write, 2, 512), std::string());
    }

    void ok_with_empty_tables_writes_two_empty_lists_and_cancel_nothing() {
        Open();
        QTest::mouseClick(dlg->Btn_Cancel, Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QVERIFY(!Is_File(File()));
        Open();
        QVERIFY(Click(dlg->Btn_OK).isEmpty());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QVERIFY(msg.questions.empty() && msg.errors.empty());
        QCOMPARE(*Read_File(File()), std::string("<S7_Protocol><S7_Protocol_Read/><S7_Protocol_Write/></S7_Protocol>"
                                                 "<!--SW_VERSION = 1.003-->"));
    }

    void shows_the_file_and_saves_it_back_unchanged() {
        Write_File(512, 3);
        Open();
        QCOMPARE(Cell(dlg->ACG_S7_Read, Mnemonic_Col_Read, 512), std::string("request 512"));
        QCOMPARE(Cell(dlg->ACG_S7_Write, 15, 3), std::string("Y"));
        const std::string before = *Read_File(File());
        QVERIFY(Click(dlg->Btn_OK).isEmpty());
        QVERIFY(msg.errors.empty());
        QCOMPARE(*Read_File(File()), before);
    }

    void delete_row_asks_with_the_row_number() {
        Write_File(0, 10);
        Open();
        Show_Page(dlg->TS_S7_Write);
        Click_Cell(dlg->ACG_S7_Write, 2, 7);
        msg.answers = {false};
        QVERIFY(Click(dlg->Btn_DelRow).isEmpty());
        QCOMPARE(msg.questions.back(), std::string("Are you sure to delete the Row number 7"));
        QCOMPARE(Cell(dlg->ACG_S7_Write, 20, 7), std::string("request 106"));
        msg.answers = {true};
        Click(dlg->Btn_DelRow);
        QCOMPARE(Cell(dlg->ACG_S7_Write, 20, 7), std::string("request 107"));
        QCOMPARE(Cell(dlg->ACG_S7_Write, 20, 9), std::string("request 109"));
        QCOMPARE(Cell(dlg->ACG_S7_Write, 20, 10), std::string());
        QCOMPARE(Cell(dlg->ACG_S7_Write, 1, 512), std::string());
        // The read page was not touched.
        QCOMPARE(Cell(dlg->ACG_S7_Read, 1, 512), std::string("Y"));
    }

    void insert_row_moves_rows_down_and_enables_the_new_one() {
        Write_File(512, 0);
        Open();
        Click_Cell(dlg->ACG_S7_Read, 5, 2);
        Click(dlg->Btn_InsRow);
        QVERIFY(msg.questions.empty());
        QCOMPARE(Cell(dlg->ACG_S7_Read, 1, 2), std::string("Y"));
        QCOMPARE(Cell(dlg->ACG_S7_Read, 2, 2), std::string());
        QCOMPARE(Cell(dlg->ACG_S7_Read, Mnemonic_Col_Read, 3), std::string("request 2"));
        QCOMPARE(Cell(dlg->ACG_S7_Read, Mnemonic_Col_Read, 512), std::string("request 511"));
    }

    void copy_and_paste_follow_the_grid_flags() {
        Write_File(3, 2);
        Open();
        // Nothing copied during this showing.
        Click_Cell(dlg->ACG_S7_Read, 2, 5);
        Click(dlg->Btn_PasteRow);
        QCOMPARE(msg.errors.back(), std::string("Error!!! Copy a valid row before Paste it"));

        // Into a free row (only its Enable cell set): no question.
        Click_Cell(dlg->ACG_S7_Read, 2, 2);
        Click(dlg->Btn_CopyRow);
        QVERIFY(dlg->Do_Copy_In_Read && !dlg->Do_Copy_In_Write);
        Click_Cell(dlg->ACG_S7_Read, 2, 5);
        msg.errors.clear();
        Click(dlg->Btn_PasteRow);
        QVERIFY(msg.errors.empty() && msg.questions.empty());
        QCOMPARE(Cell(dlg->ACG_S7_Read, Mnemonic_Col_Read, 5), std::string("request 2"));

        // Into a row in use: asked; No keeps it, Yes overwrites it.
        Click_Cell(dlg->ACG_S7_Read, 2, 3);
        msg.answers = {false};
        Click(dlg->Btn_PasteRow);
        QCOMPARE(msg.questions.back(), std::string("Row Already used. Do you want to overwrite the values?"));
        QCOMPARE(Cell(dlg->ACG_S7_Read, Mnemonic_Col_Read, 3), std::string("request 3"));
        msg.answers = {true};
        Click(dlg->Btn_PasteRow);
        QCOMPARE(Cell(dlg->ACG_S7_Read, Mnemonic_Col_Read, 3), std::string("request 2"));

        // A row copied on the read page does not paste on the write page.
        Show_Page(dlg->TS_S7_Write);
        Click_Cell(dlg->ACG_S7_Write, 2, 4);
        Click(dlg->Btn_PasteRow);
        QCOMPARE(msg.errors.back(), std::string("Error!!! Copy a valid row before Paste it"));
        QCOMPARE(Cell(dlg->ACG_S7_Write, 2, 4), std::string());
        // Copy on the write page clears the read flag.
        Click_Cell(dlg->ACG_S7_Write, 2, 1);
        Click(dlg->Btn_CopyRow);
        QVERIFY(!dlg->Do_Copy_In_Read && dlg->Do_Copy_In_Write);
        QCOMPARE(st.Copied_Row.size(), size_t(20));

        // Cancel and reopen: the flags start cleared.
        dlg->reject();
        Open();
        Show_Page(dlg->TS_S7_Write);
        msg.errors.clear();
        Click(dlg->Btn_PasteRow);
        QCOMPARE(msg.errors.size(), size_t(1));
        QCOMPARE(msg.errors.back(), std::string("Error!!! Copy a valid row before Paste it"));
    }

    void validation_fault_shows_the_composed_message_and_writes_nothing() {
        Write_File(5, 0);
        const std::string before = *Read_File(File());
        Open();
        // The user types a bad port into read row 3.
        Click_Cell(dlg->ACG_S7_Read, Port_Col, 3);
        QTest::keyClick(dlg->ACG_S7_Read, Qt::Key_9);
        QTest::keyClicks(QApplication::focusWidget(), "9999");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(Cell(dlg->ACG_S7_Read, Port_Col, 3), std::string("99999"));
        QVERIFY(Click(dlg->Btn_OK).isEmpty());
        QCOMPARE(msg.errors, std::vector<std::string>{"Error row 3!! [S7comm Read] PLC Port must be between 0 and 65535"});
        QVERIFY(dlg->isVisible());
        QCOMPARE(Cell(dlg->ACG_S7_Read, Port_Col, 3), std::string("99999"));
        QCOMPARE(*Read_File(File()), before);

        // A position fault in the write list names the largest position.
        dlg->ACG_S7_Read->Table().Set_Cell(Port_Col, 3, "102");
        S7_Access_Row w = Request(7);
        w.Position = "1500";
        S7_List_To_Grid({Request(1), Request(2), Request(3), Request(4), Request(5), Request(6), w}, S7_List::Write,
                        dlg->ACG_S7_Write->Table());
        msg.errors.clear();
        Click(dlg->Btn_OK);
        QCOMPARE(msg.errors,
                 std::vector<std::string>{"Error row 7!! [S7comm Write] Position must be between 0 and 1499"});
        QCOMPARE(*Read_File(File()), before);
    }

    void rows_after_an_empty_row_are_not_dropped_in_silence() {
        Write_File(4, 0);
        Open();
        // Row 2 loses its address: rows 3 and 4 would be dropped.
        dlg->ACG_S7_Read->Table().Set_Cell(2, 2, "  ");
        const std::string before = *Read_File(File());
        msg.answers = {false};
        QVERIFY(Click(dlg->Btn_OK).isEmpty());
        QCOMPARE(msg.questions, std::vector<std::string>{"Rows after row 2 hold data but will not be saved, because "
                                                         "that row is empty. Save anyway?"});
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->ACG_S7_Read->Current_Row(), 2);
        QCOMPARE(*Read_File(File()), before);

        msg.answers = {true};
        Click(dlg->Btn_OK);
        QVERIFY(!dlg->isVisible());
        const S7_Load_Result r = Load_S7_Protocol(File());
        QVERIFY(r.error.empty());
        QCOMPARE(r.table.S7_Protocol_Read[0], Read_Request(1));
        QCOMPARE(r.table.S7_Protocol_Read[1], S7_Access_Row());

        // The write page is asked about too, and shown while it is.
        Open();
        dlg->ACG_S7_Write->Table().Set_Cell(20, 9, "left over");
        msg.answers = {false};
        msg.questions.clear();
        Click(dlg->Btn_OK);
        QCOMPARE(msg.questions.size(), size_t(1));
        QVERIFY(msg.questions[0].rfind("Rows after row 1 ", 0) == 0);
        QCOMPARE(dlg->PageControl1->currentWidget(), dlg->TS_S7_Write);
        QVERIFY(dlg->isVisible());
    }

    void damaged_file_shows_the_rows_read_before_the_fault() {
        Write_File(4, 0);
        std::string xml = *Read_File(File());
        // Row 3 lacks its required port.
        const size_t third = xml.find("<row", xml.find("<row", xml.find("<row") + 1) + 1);
        const size_t port = xml.find(" PLC_Port=\"102\"", third);
        xml.erase(port, std::string(" PLC_Port=\"102\"").size());
        dir->Write("S7_Protocol.xml", xml);
        const QStringList boxes = Open();
        QCOMPARE(boxes.size(), 1);
        QVERIFY(dlg->isVisible());
        QCOMPARE(Cell(dlg->ACG_S7_Read, Mnemonic_Col_Read, 2), std::string("request 2"));
        QCOMPARE(Cell(dlg->ACG_S7_Read, Mnemonic_Col_Read, 3), std::string());
        QCOMPARE(Cell(dlg->ACG_S7_Read, 1, 3), std::string("Y"));
    }

    void failed_save_keeps_every_value() {
        Write_File(2, 1);
        Open();
        dlg->ACG_S7_Read->Table().Set_Cell(Mnemonic_Col_Read, 1, "edited");
        const S7_Access_Table typed = dlg->Table_From_Grids();
        std::filesystem::remove_all(dir->Path());
        const QStringList boxes = Click(dlg->Btn_OK);
        QCOMPARE(boxes.size(), 1);
        QVERIFY(dlg->isVisible());
        QVERIFY(dlg->Table_From_Grids() == typed);
        QVERIFY(!std::filesystem::exists(dir->Path()));
        std::filesystem::create_directories(dir->Path());
        QVERIFY(Click(dlg->Btn_OK).isEmpty());
        QVERIFY(Load_S7_Protocol(File()).table == typed);
    }

    // The grids are built on the first showing; a language change before it
    // must still reach both grids' headers and hints.
    void language_change_before_the_first_showing() {
        Write_File(3, 3);
        st.Text_Table.Set(1218, "SPS-Adresse");
        st.Text_Table.Set(1269, "Beschreibung");
        dlg->Set_Lang();
        Open();
        QCOMPARE(dlg->ACG_S7_Read->model()->headerData(2, Qt::Horizontal).toString(), QString("SPS-Adresse"));
        QCOMPARE(dlg->ACG_S7_Write->model()->headerData(20, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QString("Beschreibung"));
        QVERIFY(dlg->ACG_S7_Read->isVisible());
        QCOMPARE(dlg->ACG_S7_Read->columnWidth(18), 204);
        QCOMPARE(Cell(dlg->ACG_S7_Write, 2, 1), Request(100).PLC_Address);
    }

    void language_change_while_the_grids_hold_data() {
        Write_File(3, 3);
        Open();
        dlg->ACG_S7_Read->Table().Set_Cell(Mnemonic_Col_Read, 2, "typed");
        st.Text_Table.Set(1218, "SPS-Adresse");
        st.Text_Table.Set(1269, "Beschreibung");
        st.Text_Table.Set(1204, "Zeile loeschen");
        st.Text_Table.Set(1215, "S7comm Schreiben");
        dlg->Set_Lang();
        QCOMPARE(dlg->ACG_S7_Read->model()->headerData(2, Qt::Horizontal).toString(), QString("SPS-Adresse"));
        QCOMPARE(dlg->ACG_S7_Write->model()->headerData(20, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QString("Beschreibung"));
        QCOMPARE(dlg->Btn_DelRow->text(), QString("Zeile loeschen"));
        QCOMPARE(dlg->PageControl1->tabText(1), QString("S7comm Schreiben"));
        QCOMPARE(Cell(dlg->ACG_S7_Read, Mnemonic_Col_Read, 2), std::string("typed"));
        QCOMPARE(Cell(dlg->ACG_S7_Write, 2, 1), Request(100).PLC_Address);
    }
};

QTEST_MAIN(S7AccessDialogTest)
#include "s7_access_dialog_test.moc"
