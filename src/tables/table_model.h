#pragma once
// A fixed rectangle of text cells: row 0 is the header, column 0 the row
// number; rows are never added or removed.
#include <string>
#include <vector>

namespace ks {

class Messages;
class TextTable;

enum class EditorKind { Text, List, ListFree, Check };

struct ColumnSpec {
    EditorKind kind = EditorKind::Text;
    int max_length = 0;                // 0: no limit
    std::vector<std::string> choices;  // for List and ListFree
};

class TableModel {
public:
    // `rows` counts the header row; `columns` counts column 0 (row numbers).
    TableModel(int rows, std::vector<ColumnSpec> columns);

    int Row_Count() const { return rows_; }
    int Col_Count() const { return static_cast<int>(columns_.size()); }
    int Data_Rows() const { return rows_ - 1; }

    const std::string& Cell(int col, int row) const;
    void Set_Cell(int col, int row, std::string text);
    const ColumnSpec& Column(int col) const { return columns_[col]; }
    ColumnSpec& Column(int col) { return columns_[col]; }
    EditorKind Kind(int col) const { return columns_[col].kind; }

    // Check-box cells: only the trimmed text "Y" counts as yes.
    bool Is_Yes(int col, int row) const;
    // Clears every data cell of rows 1.. (headers and row numbers stay).
    void Clear_Data();

    // The current cell (column, row).
    int Col = 1;
    int Row = 1;

private:
    int rows_;
    std::vector<ColumnSpec> columns_;
    std::vector<std::string> cells_;  // row-major
};

// Row commands; they never touch column 0. A row outside 1..Row_Count()-1
// changes nothing.
void Grid_Delete_Row(TableModel& t, int row);
void Grid_Insert_Row(TableModel& t, int row, bool enable);
void Grid_Copy_Row(const TableModel& t, int row, std::vector<std::string>& copied_row);
// May report text 1102 or 1101 and ask text 1100 through `msg`.
void Grid_Paste_Row(TableModel& t, int row, bool copied_flag, const std::vector<std::string>& copied_row,
                    const TextTable& texts, Messages& msg);
// With the option on and key == 13: moves the current cell and sets key to 0.
// `last_visible_col` is the last column the grid shows.
void Grid_Enter_Jump(TableModel& t, int& key, bool option_on, int last_visible_col);

// Rows from the first empty key cell (column `key_col`, trimmed) on are
// neither validated nor saved. When any of them still holds data (a data cell
// outside the check-box columns that is not blank; in the empty row itself
// every such cell but the key), returns that empty row's number so the
// dialog can warn; else 0.
int First_Empty_Row_With_Data_After(const TableModel& t, int key_col);

} // namespace ks
