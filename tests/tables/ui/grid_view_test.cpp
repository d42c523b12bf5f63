// The shared grid, driven with mouse and keys: editors by column kind, yes/no
// toggling, row selection by the row number, Enter jump and header auto-size
// with the options read at the moment of use.
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "app/app_state.h"
#include "tables/ui/grid_view.h"

using namespace ks;

namespace {

// Columns: 0 row number, 1 yes/no, 2 text (at most 5 characters), 3 fixed
// list, 4 list with free text, 5 plain text.
std::vector<ColumnSpec> Columns() {
    std::vector<ColumnSpec> c(6);
    c[1].kind = EditorKind::Check;
    c[2].kind = EditorKind::Text;
    c[2].max_length = 5;
    c[3].kind = EditorKind::List;
    c[3].choices = {"Alpha", "Beta", "Gamma"};
    c[4].kind = EditorKind::ListFree;
    c[4].choices = {"Read", "Write"};
    c[5].kind = EditorKind::Text;
    return c;
}

}  // namespace

class GridViewTest : public QObject {
    Q_OBJECT

    AppState st;
    std::unique_ptr<TableModel> table;
    std::unique_ptr<GridView> view;
    std::vector<std::string> hints{"h1", "h2", "h3", "h4", "h5"};

    QRect Cell_Rect(int col, int row) { return view->visualRect(view->model()->index(row - 1, col)); }

    void Click_Cell(int col, int row) {
        view->scrollTo(view->model()->index(row - 1, col));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, Cell_Rect(col, row).center());
    }

    // Types `text` into the current cell: the first key opens the editor,
    // the rest go to the editor.
    void Type(const QString& text) {
        QTest::keyClick(view.get(), text.at(0).toLatin1());
        QWidget* ed = QApplication::focusWidget();
        QVERIFY(ed && ed != view.get());
        if (text.size() > 1) QTest::keyClicks(ed, text.mid(1));
    }

    // Enter in the open editor; the view closes editors on a later turn of
    // the event loop.
    void Enter_In_Editor() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    std::string Cell(int col, int row) { return table->Cell(col, row); }

private slots:
    void init() {
        st = AppState();
        table = std::make_unique<TableModel>(41, Columns());
        for (int c = 0; c < table->Col_Count(); ++c) table->Set_Cell(c, 0, "H" + std::to_string(c));
        for (int r = 1; r <= table->Data_Rows(); ++r) table->Set_Cell(1, r, "Y");
        view = std::make_unique<GridView>(*table, st);
        view->Set_Hints(&hints);
        for (int c = 1; c < table->Col_Count(); ++c) view->Set_Column_Look(c, 60, QColor(0xE0, 0xFA, 0xFE));
        view->resize(500, 300);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        view->activateWindow();
        view->setFocus();
    }

    void cleanup() {
        view.reset();
        table.reset();
    }

    void shows_table_text_headers_row_numbers_and_colours() {
        const QAbstractItemModel* m = view->model();
        QCOMPARE(m->rowCount(), 40);
        QCOMPARE(m->headerData(3, Qt::Horizontal).toString(), QString("H3"));
        QCOMPARE(m->headerData(39, Qt::Vertical).toString(), QString("40"));
        QCOMPARE(m->headerData(2, Qt::Horizontal, Qt::ToolTipRole).toString(), QString("h2"));
        QVERIFY(!m->headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid());
        QVERIFY(!m->data(m->index(0, 2), Qt::ToolTipRole).isValid());
        QCOMPARE(m->data(m->index(5, 2), Qt::BackgroundRole).value<QColor>(), QColor(0xE0, 0xFA, 0xFE));
        QCOMPARE(m->data(m->index(5, 1), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QVERIFY(view->isColumnHidden(0));
        QCOMPARE(view->columnWidth(4), 60);
        // A hint list refilled in another language shows at once.
        hints[1] = "neu";
        QCOMPARE(m->headerData(2, Qt::Horizontal, Qt::ToolTipRole).toString(), QString("neu"));
    }

    void text_editor_keeps_the_length_limit() {
        Click_Cell(2, 3);
        Type("abcdefgh");
        Enter_In_Editor();
        QCOMPARE(Cell(2, 3), std::string("abcde"));
        QVERIFY(!view->Is_Editing());
        // A longer text from a file is neither cut when edited nor allowed
        // to grow; shortening it works.
        table->Set_Cell(2, 4, "0123456789");
        view->Grid_Model()->Rows_Changed(4, 4);
        Click_Cell(2, 4);
        QTest::keyClick(view.get(), Qt::Key_F2);
        QWidget* ed = QApplication::focusWidget();
        QTest::keyClick(ed, Qt::Key_End);
        QTest::keyClick(ed, Qt::Key_X);
        Enter_In_Editor();
        QCOMPARE(Cell(2, 4), std::string("0123456789"));
        QTest::keyClick(view.get(), Qt::Key_F2);
        ed = QApplication::focusWidget();
        QTest::keyClick(ed, Qt::Key_End);
        QTest::keyClick(ed, Qt::Key_Backspace);
        Enter_In_Editor();
        QCOMPARE(Cell(2, 4), std::string("012345678"));
    }

    void fixed_list_offers_only_its_items_and_keeps_an_outside_value() {
        table->Set_Cell(3, 2, "Legacy");
        view->Grid_Model()->Rows_Changed(2, 2);
        Click_Cell(3, 2);
        QTest::keyClick(view.get(), Qt::Key_F2);
        auto* cb = qobject_cast<QComboBox*>(QApplication::focusWidget());
        QVERIFY(cb);
        QVERIFY(!cb->isEditable());
        QCOMPARE(cb->count(), 3);
        QCOMPARE(cb->itemText(2), QString("Gamma"));
        // Closing without a choice leaves the loaded value alone.
        Enter_In_Editor();
        QCOMPARE(Cell(3, 2), std::string("Legacy"));
        // Choosing an item stores it.
        Click_Cell(3, 2);
        QTest::keyClick(view.get(), Qt::Key_F2);
        cb = qobject_cast<QComboBox*>(QApplication::focusWidget());
        QVERIFY(cb);
        cb->setCurrentIndex(1);
        Enter_In_Editor();
        QCOMPARE(Cell(3, 2), std::string("Beta"));
    }

    void list_with_free_text_takes_typed_text() {
        Click_Cell(4, 1);
        QTest::keyClick(view.get(), Qt::Key_F2);
        auto* cb = qobject_cast<QComboBox*>(QApplication::focusWidget()->parentWidget());
        if (!cb) cb = qobject_cast<QComboBox*>(QApplication::focusWidget());
        QVERIFY(cb);
        QVERIFY(cb->isEditable());
        QCOMPARE(cb->itemText(1), QString("Write"));
        cb->lineEdit()->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), "Wr5");
        Enter_In_Editor();
        // No completion into "Write", no item added.
        QCOMPARE(Cell(4, 1), std::string("Wr5"));
    }

    void check_cells_toggle_on_click_and_space() {
        table->Set_Cell(1, 4, "");
        view->Grid_Model()->Rows_Changed(4, 4);
        QCOMPARE(Cell(1, 3), std::string("Y"));
        Click_Cell(1, 3);
        QCOMPARE(Cell(1, 3), std::string("N"));
        Click_Cell(1, 3);
        QCOMPARE(Cell(1, 3), std::string("Y"));
        // An empty cell means no; a click makes it yes.
        Click_Cell(1, 4);
        QCOMPARE(Cell(1, 4), std::string("Y"));
        QTest::keyClick(view.get(), Qt::Key_Space);
        QCOMPARE(Cell(1, 4), std::string("N"));
        // No editor opens on a yes/no cell.
        QTest::keyClick(view.get(), Qt::Key_A);
        QVERIFY(!view->Is_Editing());
        QCOMPARE(Cell(1, 4), std::string("N"));
    }

    void click_on_row_number_selects_the_row() {
        Click_Cell(5, 1);
        QHeaderView* vh = view->verticalHeader();
        const int y = vh->sectionViewportPosition(6) + vh->sectionSize(6) / 2;
        QTest::mouseClick(vh->viewport(), Qt::LeftButton, {}, QPoint(vh->width() / 2, y));
        QCOMPARE(view->Current_Row(), 7);
        QCOMPARE(table->Row, 7);
        QVERIFY(view->selectionModel()->isRowSelected(6, QModelIndex()));
        QVERIFY(!view->selectionModel()->isRowSelected(0, QModelIndex()));
    }

    void enter_jump_follows_the_option_at_each_key() {
        // Off: Enter moves nothing.
        Click_Cell(2, 1);
        QTest::keyClick(view.get(), Qt::Key_Return);
        QCOMPARE(view->Current_Col(), 2);
        QCOMPARE(view->Current_Row(), 1);

        st.Enable_Jump_Field_Tables = true;
        QTest::keyClick(view.get(), Qt::Key_Return);
        QCOMPARE(view->Current_Col(), 3);
        QCOMPARE(view->Current_Row(), 1);
        // From the last column to column 1 of the next row.
        view->Set_Current(5, 6);
        QTest::keyClick(view.get(), Qt::Key_Enter);
        QCOMPARE(view->Current_Col(), 1);
        QCOMPARE(view->Current_Row(), 7);
        // From the last cell back to row 1.
        view->Set_Current(5, 40);
        QTest::keyClick(view.get(), Qt::Key_Return);
        QCOMPARE(view->Current_Col(), 1);
        QCOMPARE(view->Current_Row(), 1);
        QVERIFY(!view->Is_Editing());

        // Enter inside an editor keeps the typed text and moves on.
        Click_Cell(5, 2);
        Type("xy");
        Enter_In_Editor();
        QCOMPARE(Cell(5, 2), std::string("xy"));
        QCOMPARE(view->Current_Col(), 1);
        QCOMPARE(view->Current_Row(), 3);
        QVERIFY(!view->Is_Editing());

        st.Enable_Jump_Field_Tables = false;
        Click_Cell(2, 2);
        Type("q");
        Enter_In_Editor();
        QCOMPARE(Cell(2, 2), std::string("q"));
        QCOMPARE(view->Current_Col(), 2);
        QCOMPARE(view->Current_Row(), 2);
    }

    void header_double_click_sizes_only_with_the_option() {
        table->Set_Cell(5, 10, std::string(60, 'W'));
        view->Grid_Model()->Rows_Changed(10, 10);
        view->Set_Current(5, 10);
        QHeaderView* hh = view->horizontalHeader();
        auto header_point = [&] { return QPoint(hh->sectionViewportPosition(5) + 20, hh->height() / 2); };

        QTest::mouseDClick(hh->viewport(), Qt::LeftButton, {}, header_point());
        QCOMPARE(view->columnWidth(5), 60);

        st.Enable_Double_Click_Auto_Size = true;
        // A double click on a data cell sizes nothing.
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, Cell_Rect(5, 10).center());
        if (view->Is_Editing())
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(view->columnWidth(5), 60);

        QTest::mouseDClick(hh->viewport(), Qt::LeftButton, {}, header_point());
        QVERIFY2(view->columnWidth(5) > 200, qPrintable(QString::number(view->columnWidth(5))));
    }

    void row_commands_repaint_from_the_table() {
        table->Set_Cell(5, 1, "one");
        table->Set_Cell(5, 2, "two");
        view->Reload();
        view->Insert_Row(1, true);
        QCOMPARE(view->model()->data(view->model()->index(0, 5)).toString(), QString());
        QCOMPARE(view->model()->data(view->model()->index(1, 5)).toString(), QString("one"));
        view->Delete_Row(1);
        view->Delete_Row(1);
        QCOMPARE(view->model()->data(view->model()->index(0, 5)).toString(), QString("two"));
        QCOMPARE(view->model()->data(view->model()->index(39, 1)).toString(), QString());
    }
};

QTEST_MAIN(GridViewTest)
#include "grid_view_test.moc"
