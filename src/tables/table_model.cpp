#include "tables/table_model.h"

#include <stdexcept>

#include "core/messages.h"
#include "core/text_util.h"
#include "texts/text_table.h"

namespace ks {

TableModel::TableModel(int rows, std::vector<ColumnSpec> columns)
    : rows_(rows), columns_(std::move(columns)) {
    if (rows_ < 1 || columns_.empty()) throw std::invalid_argument("table needs a header row and a column");
    cells_.resize(static_cast<size_t>(rows_) * columns_.size());
    for (int r = 1; r < rows_; ++r) Set_Cell(0, r, std::to_string(r));
}

const std::string& TableModel::Cell(int col, int row) const {
    if (col < 0 || col >= Col_Count() || row < 0 || row >= rows_) throw std::out_of_range("cell outside the table");
    return cells_[static_cast<size_t>(row) * columns_.size() + static_cast<size_t>(col)];
}

void TableModel::Set_Cell(int col, int row, std::string text) {
    if (col < 0 || col >= Col_Count() || row < 0 || row >= rows_) throw std::out_of_range("cell outside the table");
    cells_[static_cast<size_t>(row) * columns_.size() + static_cast<size_t>(col)] = std::move(text);
}

bool TableModel::Is_Yes(int col, int row) const { return Trim(Cell(col, row)) == "Y"; }

void TableModel::Clear_Data() {
    for (int r = 1; r < rows_; ++r)
        for (int c = 1; c < Col_Count(); ++c) Set_Cell(c, r, std::string());
}

namespace {

bool Valid_Data_Row(const TableModel& t, int row) { return row >= 1 && row < t.Row_Count(); }

void Move_Row(TableModel& t, int from, int to) {
    for (int c = 1; c < t.Col_Count(); ++c) t.Set_Cell(c, to, t.Cell(c, from));
}

void Clear_Row(TableModel& t, int row) {
    for (int c = 1; c < t.Col_Count(); ++c) t.Set_Cell(c, row, std::string());
}

// A row is in use when a data cell other than a check box holds something
// besides blanks.
bool Row_Has_Data(const TableModel& t, int row, int skip_col = -1) {
    for (int c = 1; c < t.Col_Count(); ++c) {
        if (c == skip_col || t.Kind(c) == EditorKind::Check) continue;
        if (!Trim(t.Cell(c, row)).empty()) return true;
    }
    return false;
}

} // namespace

void Grid_Delete_Row(TableModel& t, int row) {
    if (!Valid_Data_Row(t, row)) return;
    const int last = t.Row_Count() - 1;
    for (int i = row; i < last; ++i) Move_Row(t, i + 1, i);
    Clear_Row(t, last);
}

void Grid_Insert_Row(TableModel& t, int row, bool enable) {
    if (!Valid_Data_Row(t, row)) return;
    for (int i = t.Row_Count() - 2; i >= row; --i) Move_Row(t, i, i + 1);
    Clear_Row(t, row);
    if (enable && t.Col_Count() > 1) t.Set_Cell(1, row, "Y");
}

void Grid_Copy_Row(const TableModel& t, int row, std::vector<std::string>& copied_row) {
    copied_row.clear();
    if (!Valid_Data_Row(t, row)) return;
    for (int c = 1; c < t.Col_Count(); ++c) copied_row.push_back(t.Cell(c, row));
}

void Grid_Paste_Row(TableModel& t, int row, bool copied_flag, const std::vector<std::string>& copied_row,
                    const TextTable& texts, Messages& msg) {
    if (!copied_flag) {
        msg.Error(texts[1102]);
        return;
    }
    if (static_cast<size_t>(t.Col_Count() - 1) != copied_row.size()) {
        msg.Error(texts[1101]);
        return;
    }
    if (!Valid_Data_Row(t, row)) return;
    if (Row_Has_Data(t, row) && !msg.Confirm(texts[1100])) return;
    for (size_t k = 0; k < copied_row.size(); ++k) t.Set_Cell(static_cast<int>(k) + 1, row, copied_row[k]);
}

void Grid_Enter_Jump(TableModel& t, int& key, bool option_on, int last_visible_col) {
    if (!option_on || key != 13) return;
    if (t.Col > 0 && t.Row > 0) {
        if (t.Col < last_visible_col) {
            ++t.Col;
        } else {
            t.Col = 1;
            t.Row = t.Row < t.Row_Count() - 1 ? t.Row + 1 : 1;
        }
    }
    key = 0;
}

int First_Empty_Row_With_Data_After(const TableModel& t, int key_col) {
    for (int r = 1; r < t.Row_Count(); ++r) {
        if (!Trim(t.Cell(key_col, r)).empty()) continue;
        // The rest of the empty row counts too: it is dropped just the same.
        if (Row_Has_Data(t, r, key_col)) return r;
        for (int i = r + 1; i < t.Row_Count(); ++i)
            if (Row_Has_Data(t, i)) return r;
        return 0;
    }
    return 0;
}

} // namespace ks
