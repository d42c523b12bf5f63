#pragma once
// The KNX access table (KNX_SetAccess.xml): the list of KNX rules, its file,
// its validation and its grid.
//
// Shape, as for the S7 table: the rows (KNX_Access_Row) are what loading,
// saving and validation work on. The dialog keeps a TableModel grid while it
// is open, fills it with KNX_List_To_Grid after a load and takes the rows back
// with KNX_List_From_Grid before validating and saving. Grid column k (k >= 1)
// is field k-1 of KNX_Columns(), which is also the file's attribute order.
#include <string>
#include <string_view>
#include <vector>

#include "tables/access_column.h"
#include "tables/table_model.h"

namespace ks {

class TextTable;

// One rule. Every field holds the text exactly as typed or chosen.
struct KNX_Access_Row {
    std::string Enable = "Y";
    std::string Source_Address;
    std::string Destination_Address;
    std::string APCI;
    std::string Priority;
    std::string Format;
    std::string MultiplicationFactor;
    std::string Extended;
    std::string ReTest;
    std::string On_Command;
    std::string On_Change;
    std::string On_Timer;
    std::string Poll_Time;
    std::string Position;
    std::string Bit_Mode;
    std::string Length;
    std::string TimeOut;
    std::string Mnemonic;

    bool operator==(const KNX_Access_Row&) const = default;
};

inline constexpr int KNX_Rows = 1024;       // capacity of the list
inline constexpr int Max_Num_Byte = 1500;   // internal data array for KNX

// The list always holds exactly KNX_Rows rows; a fresh table is reset (every
// row enabled, everything else empty).
struct KNX_Access_Table {
    KNX_Access_Table();
    std::vector<KNX_Access_Row> KNX_in_Write;
    bool operator==(const KNX_Access_Table&) const = default;
};

// A row whose Source_Address is empty after trimming ends the list.
bool KNX_Ends_List(const KNX_Access_Row& row);

using KNX_Column = Access_Column<KNX_Access_Row>;
// The 18 data columns, grid column 1 onwards. The position column's choices
// are "0" to "1499".
const std::vector<KNX_Column>& KNX_Columns();
// The header text of grid column 0 ("N").
inline constexpr int KNX_Row_Number_Header = 1414;

// A grid of 1025 rows: editor kinds and choices set, row numbers in column 0,
// every data row reset. Headers are the dialog's (texts).
TableModel Make_KNX_Grid();
// Copies the rows into the grid (rows beyond the grid are not shown).
void KNX_List_To_Grid(const std::vector<KNX_Access_Row>& rows, TableModel& grid);
// The rows of the grid, always KNX_Rows of them (missing ones reset).
std::vector<KNX_Access_Row> KNX_List_From_Grid(const TableModel& grid);

// A load always gives a table. When `error` is set the file is damaged: either
// loading stopped there (not XML, no KNX_in_Write, a row without a required
// attribute) and the table holds the rows read before, the rest reset; or the
// list held more rows than its capacity and only the first KNX_Rows were kept.
struct KNX_Load_Result {
    KNX_Access_Table table;
    std::string error;
};
// A missing file gives the reset table without an error. A Priority other than
// "System", "Urgent", "Normal" or "Low" (case counts) reads as "Normal".
KNX_Load_Result Load_KNX_SetAccess(const std::string& path);
// The same from the file's contents (no disk access).
KNX_Load_Result Load_KNX_SetAccess_From_String(std::string_view xml);

// The file's contents as Save_KNX_SetAccess writes them: the rows up to the
// first one without a source address.
std::string KNX_SetAccess_To_Xml(const KNX_Access_Table& table);
// Writes the file anew, atomically. Empty on success, else the message.
std::string Save_KNX_SetAccess(const std::string& path, const KNX_Access_Table& table);

// Validates the enabled rows up to the first row without a source address.
// Empty when all pass; else the message the dialog shows: "Error row " + row
// number + the failed check's text (+ the limit for the position and length
// checks). Real numbers are read with `decimal_separator`.
std::string Controllo_dati(const KNX_Access_Table& table, const TextTable& texts, char decimal_separator);
// The same with the system's decimal separator.
std::string Controllo_dati(const KNX_Access_Table& table, const TextTable& texts);

} // namespace ks
