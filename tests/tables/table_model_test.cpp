#include "tables/table_model.h"

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "texts/text_table.h"

namespace ks {
namespace {

// Enable (check box), a key column, a list column and another check box.
TableModel Small_Table(int data_rows = 4) {
    std::vector<ColumnSpec> cols(5);
    cols[1].kind = EditorKind::Check;
    cols[2].kind = EditorKind::Text;
    cols[3].kind = EditorKind::List;
    cols[4].kind = EditorKind::Check;
    return TableModel(data_rows + 1, std::move(cols));
}

void Fill_Row(TableModel& t, int row, const std::vector<std::string>& cells) {
    for (size_t c = 0; c < cells.size(); ++c) t.Set_Cell(static_cast<int>(c) + 1, row, cells[c]);
}

std::vector<std::string> Row_Of(const TableModel& t, int row) {
    std::vector<std::string> r;
    for (int c = 1; c < t.Col_Count(); ++c) r.push_back(t.Cell(c, row));
    return r;
}

// Rows 1..4 hold "Y","k<i>","L<i>","N".
TableModel Full_Table() {
    TableModel t = Small_Table();
    for (int r = 1; r <= 4; ++r) Fill_Row(t, r, {"Y", "k" + std::to_string(r), "L" + std::to_string(r), "N"});
    return t;
}

using Row = std::vector<std::string>;

TEST(TableModel, ShapeAndRowNumbers) {
    TableModel t = Small_Table();
    EXPECT_EQ(t.Row_Count(), 5);
    EXPECT_EQ(t.Data_Rows(), 4);
    EXPECT_EQ(t.Cell(0, 1), "1");
    EXPECT_EQ(t.Cell(0, 4), "4");
    EXPECT_THROW(t.Cell(5, 0), std::out_of_range);
    EXPECT_THROW(t.Set_Cell(1, 5, "x"), std::out_of_range);
    t.Set_Cell(1, 2, " Y ");
    EXPECT_TRUE(t.Is_Yes(1, 2));
    t.Set_Cell(1, 2, "y");
    EXPECT_FALSE(t.Is_Yes(1, 2));
}

TEST(GridRows, DeleteMovesUpAndEmptiesTheLastRow) {
    for (int r = 1; r <= 4; ++r) {
        TableModel t = Full_Table();
        Grid_Delete_Row(t, r);
        for (int i = 1; i < r; ++i) EXPECT_EQ(Row_Of(t, i)[1], "k" + std::to_string(i));
        for (int i = r; i < 4; ++i) EXPECT_EQ(Row_Of(t, i)[1], "k" + std::to_string(i + 1));
        // Check cells too: the last row's Enable is empty, not "Y".
        EXPECT_EQ(Row_Of(t, 4), (Row{"", "", "", ""})) << "deleted row " << r;
        EXPECT_EQ(t.Cell(0, 4), "4");  // row numbers stay
    }
}

TEST(GridRows, InsertMovesDownLosingTheLastRow) {
    TableModel t = Full_Table();
    Grid_Insert_Row(t, 1, true);
    EXPECT_EQ(Row_Of(t, 1), (Row{"Y", "", "", ""}));
    EXPECT_EQ(Row_Of(t, 2)[1], "k1");
    EXPECT_EQ(Row_Of(t, 4)[1], "k3");  // k4 is gone without a question
    EXPECT_EQ(t.Cell(0, 1), "1");

    TableModel last = Full_Table();
    Grid_Insert_Row(last, 4, true);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(Row_Of(last, i)[1], "k" + std::to_string(i));
    EXPECT_EQ(Row_Of(last, 4), (Row{"Y", "", "", ""}));

    TableModel off = Full_Table();
    Grid_Insert_Row(off, 2, false);
    EXPECT_EQ(Row_Of(off, 2), (Row{"", "", "", ""}));
}

TEST(GridRows, OutOfRangeRowChangesNothing) {
    for (int r : {0, 5, -1}) {
        TableModel t = Full_Table();
        Grid_Delete_Row(t, r);
        Grid_Insert_Row(t, r, true);
        for (int i = 1; i <= 4; ++i) EXPECT_EQ(Row_Of(t, i)[1], "k" + std::to_string(i));
    }
}

struct PasteFixture : ::testing::Test {
    PasteFixture() {
        texts.Load_Default_Texts();
        texts.Set(1100, "ask-1100");
        texts.Set(1101, "err-1101");
        texts.Set(1102, "err-1102");
    }
    TextTable texts;
    test::ScriptedMessages msg;
    TableModel t = Full_Table();
    std::vector<std::string> copied;
};

TEST_F(PasteFixture, CopyThenPasteIntoFreeRows) {
    Grid_Copy_Row(t, 2, copied);
    EXPECT_EQ(copied, (Row{"Y", "k2", "L2", "N"}));

    // Only check-box content, or blanks in text cells: free, no question.
    const Row free_rows[] = {{"N", "", "", "Y"}, {"Y", "   ", "", "N"}, {"", "", "\t", ""}};
    for (const Row& before : free_rows) {
        Fill_Row(t, 4, before);
        Grid_Paste_Row(t, 4, true, copied, texts, msg);
        EXPECT_EQ(Row_Of(t, 4), copied);
    }
    EXPECT_TRUE(msg.questions.empty());
    EXPECT_TRUE(msg.errors.empty());

    // The buffer stays: pasting again works.
    Fill_Row(t, 3, {"", "", "", ""});
    Grid_Paste_Row(t, 3, true, copied, texts, msg);
    EXPECT_EQ(Row_Of(t, 3), copied);
}

TEST_F(PasteFixture, RowInUseAsks) {
    Grid_Copy_Row(t, 1, copied);
    for (bool yes : {false, true}) {
        Fill_Row(t, 3, {"N", "", " x", "N"});  // one non-blank in a list column
        msg.answers = {yes};
        Grid_Paste_Row(t, 3, true, copied, texts, msg);
        EXPECT_EQ(Row_Of(t, 3), yes ? copied : (Row{"N", "", " x", "N"}));
    }
    EXPECT_EQ(msg.questions, (std::vector<std::string>{"ask-1100", "ask-1100"}));
}

TEST_F(PasteFixture, ErrorsChangeNothing) {
    Grid_Copy_Row(t, 1, copied);
    Fill_Row(t, 4, {"", "", "", ""});
    Grid_Paste_Row(t, 4, false, copied, texts, msg);  // nothing copied in this grid
    std::vector<std::string> wrong_width{"Y", "a"};
    Grid_Paste_Row(t, 4, true, wrong_width, texts, msg);
    EXPECT_EQ(msg.errors, (std::vector<std::string>{"err-1102", "err-1101"}));
    EXPECT_TRUE(msg.questions.empty());
    EXPECT_EQ(Row_Of(t, 4), (Row{"", "", "", ""}));
}

TEST(GridEnterJump, MovesAndSwallows) {
    struct Case {
        int col, row;
        bool option;
        int key;
        int want_col, want_row, want_key;
    };
    // 4 data rows; last visible column 3 (column 4 hidden by the grid).
    const Case cases[] = {
        {1, 1, true, 13, 2, 1, 0},
        {3, 2, true, 13, 1, 3, 0},   // last visible column: next row
        {4, 2, true, 13, 1, 3, 0},   // beyond it: next row as well
        {3, 4, true, 13, 1, 1, 0},   // last row wraps to row 1
        {0, 2, true, 13, 0, 2, 0},   // column 0: no move, still swallowed
        {2, 0, true, 13, 2, 0, 0},   // header row: no move, still swallowed
        {1, 1, false, 13, 1, 1, 13}, // option off
        {1, 1, true, 9, 1, 1, 9},    // another key
    };
    for (const auto& c : cases) {
        TableModel t = Small_Table();
        t.Col = c.col;
        t.Row = c.row;
        int key = c.key;
        Grid_Enter_Jump(t, key, c.option, 3);
        EXPECT_EQ(t.Col, c.want_col) << c.col << "," << c.row;
        EXPECT_EQ(t.Row, c.want_row) << c.col << "," << c.row;
        EXPECT_EQ(key, c.want_key) << c.col << "," << c.row;
    }
}

TEST(FirstEmptyRowWithDataAfter, Cases) {
    struct Case {
        std::vector<Row> rows;  // rows 1..4; the key is column 2
        int want;
    };
    const Case cases[] = {
        {{{"Y", "k", "", ""}, {"Y", "k", "", ""}, {"Y", "k", "", ""}, {"Y", "k", "", ""}}, 0},  // full
        {{{"Y", "k", "", ""}, {"Y", "", "", ""}, {"Y", "", "", ""}, {"Y", "", "", ""}}, 0},     // reset rows
        {{{"Y", "k", "", ""}, {"N", "", "", "Y"}, {"", " ", "  ", "N"}, {"Y", "", "", ""}}, 0}, // checks, blanks
        {{{"Y", "k", "", ""}, {"Y", "", "", ""}, {"Y", "k3", "", ""}, {"Y", "", "", ""}}, 2},
        {{{"Y", "k", "", ""}, {"Y", "", "", ""}, {"Y", "", "", ""}, {"Y", "", "L", ""}}, 2},
        {{{"Y", "k", "", ""}, {"Y", " ", "L", ""}, {"Y", "", "", ""}, {"Y", "", "", ""}}, 2},   // same row
        {{{"Y", "", "", ""}, {"Y", "k2", "", ""}, {"Y", "", "", ""}, {"Y", "", "", ""}}, 1},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        TableModel t = Small_Table();
        for (size_t r = 0; r < 4; ++r) Fill_Row(t, static_cast<int>(r) + 1, cases[i].rows[r]);
        EXPECT_EQ(First_Empty_Row_With_Data_After(t, 2), cases[i].want) << "case " << i;
    }
}

} // namespace
} // namespace ks
