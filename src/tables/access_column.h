#pragma once
// One data column of an access table: the row field it shows, the file
// attribute of the same name, its grid editor and its texts. The access
// tables list their columns in grid order, which is also the attribute order
// of their files.
#include <cstdint>
#include <algorithm>
#include <string>
#include <vector>

#include "tables/table_model.h"

namespace ks {

// Stands for the platform's window colour instead of a fixed one.
inline constexpr uint32_t Window_Colour = 0xFFFFFFFFu;

template <class Row>
struct Access_Column {
    const char* field;  // the attribute name, equal to the field's name
    std::string Row::*member;
    int header_text;
    int hint_text;
    int width;
    uint32_t colour;  // 0xRRGGBB or Window_Colour
    ColumnSpec spec;  // editor kind and choices
};

// An empty grid of `capacity` rows over these columns: row numbers in
// column 0, and every row's Enable cell (column 1) "Y", as a reset row is.
template <class Row>
TableModel Make_Access_Grid(const std::vector<Access_Column<Row>>& cols, int capacity) {
    std::vector<ColumnSpec> specs{ColumnSpec{}};
    for (const Access_Column<Row>& c : cols) specs.push_back(c.spec);
    TableModel grid(capacity + 1, std::move(specs));
    for (int r = 1; r <= capacity; ++r) {
        grid.Set_Cell(0, r, std::to_string(r));
        grid.Set_Cell(1, r, "Y");
    }
    return grid;
}

// Fills the grid's data cells from the rows, column by column.
template <class Row>
void Rows_To_Grid(const std::vector<Row>& rows, const std::vector<Access_Column<Row>>& cols, TableModel& grid) {
    const int n = std::min(static_cast<int>(rows.size()), grid.Data_Rows());
    const int ncols = std::min(static_cast<int>(cols.size()), grid.Col_Count() - 1);
    for (int r = 0; r < n; ++r)
        for (int k = 0; k < ncols; ++k) grid.Set_Cell(k + 1, r + 1, rows[r].*cols[k].member);
}

// The grid's data cells as `capacity` rows.
template <class Row>
std::vector<Row> Rows_From_Grid(const TableModel& grid, const std::vector<Access_Column<Row>>& cols, int capacity) {
    std::vector<Row> rows(capacity);
    const int n = std::min(capacity, grid.Data_Rows());
    const int ncols = std::min(static_cast<int>(cols.size()), grid.Col_Count() - 1);
    for (int r = 0; r < n; ++r)
        for (int k = 0; k < ncols; ++k) rows[r].*cols[k].member = grid.Cell(k + 1, r + 1);
    return rows;
}

} // namespace ks
