#pragma once
// The S7 access table (S7_Protocol.xml): the read and write request lists,
// their file, their validation and their grids.
//
// Shape: the rows (S7_Access_Row) are the one representation that loading,
// saving and validation work on. The dialog keeps its data in two TableModel
// grids while it is open; it fills them with S7_List_To_Grid after a load and
// takes the rows back with S7_List_From_Grid before validating and saving.
// Grid column k (k >= 1) is field k-1 of S7_Columns(list), which is also the
// file's attribute order, so both directions are a plain column-for-field copy.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tables/access_column.h"
#include "tables/table_model.h"

namespace ks {

class TextTable;

// One request. Every field holds the text exactly as typed or chosen.
struct S7_Access_Row {
    std::string Enable = "Y";
    std::string PLC_Address;
    std::string PLC_Port;
    std::string PLC_Type;
    std::string Rack;
    std::string Slot;
    std::string Data_Type;
    std::string Data_Identifier;
    std::string DB_Number;
    std::string PLC_Area;
    std::string PLC_Add;
    std::string PLC_Bit;
    std::string PollTime;
    std::string OnChange;  // write list only
    std::string OnCMD;     // write list only
    std::string Position;
    std::string Bit;
    std::string Swap;
    std::string SwapWord;
    std::string Mnemonic;

    bool operator==(const S7_Access_Row&) const = default;
};

enum class S7_List { Read, Write };

inline constexpr int S7_Rows = 512;  // capacity of each list
inline constexpr int NByte_IN = 1500;   // internal data array for the read list
inline constexpr int NByte_OUT = 1500;  // internal data array for the write list

// Both lists always hold exactly S7_Rows rows; a fresh table is reset
// (every row enabled, everything else empty).
struct S7_Access_Table {
    S7_Access_Table();
    std::vector<S7_Access_Row> S7_Protocol_Read;
    std::vector<S7_Access_Row> S7_Protocol_Write;

    std::vector<S7_Access_Row>& List(S7_List l) { return l == S7_List::Read ? S7_Protocol_Read : S7_Protocol_Write; }
    const std::vector<S7_Access_Row>& List(S7_List l) const {
        return l == S7_List::Read ? S7_Protocol_Read : S7_Protocol_Write;
    }
    bool operator==(const S7_Access_Table&) const = default;
};

// A row whose PLC_Address is empty after trimming ends its list.
bool S7_Ends_List(const S7_Access_Row& row);

using S7_Column = Access_Column<S7_Access_Row>;
// The data columns of a list, grid column 1 onwards: 18 for the read list,
// 20 for the write list. The position column's choices are "0" to "1499".
const std::vector<S7_Column>& S7_Columns(S7_List list);
// The header text of grid column 0 ("N").
int S7_Row_Number_Header(S7_List list);

// A grid of 513 rows for a list: editor kinds and choices set, row numbers
// in column 0, every data row reset. Headers are the dialog's (texts).
TableModel Make_S7_Grid(S7_List list);
// Copies the rows into the grid (rows beyond the grid are not shown).
void S7_List_To_Grid(const std::vector<S7_Access_Row>& rows, S7_List list, TableModel& grid);
// The rows of the grid, always S7_Rows of them (missing ones reset).
std::vector<S7_Access_Row> S7_List_From_Grid(const TableModel& grid, S7_List list);

// A load always gives a table. When `error` is set the file is damaged: either
// loading stopped there (not XML, a list missing, a row without a required
// attribute) and the table holds the rows read before, the rest reset; or a
// list held more rows than its capacity, and only the first S7_Rows were kept
// (the other list is still read).
struct S7_Load_Result {
    S7_Access_Table table;
    std::string error;
};
// A missing file gives the reset table without an error.
S7_Load_Result Load_S7_Protocol(const std::string& path);
// The same from the file's contents (no disk access).
S7_Load_Result Load_S7_Protocol_From_String(std::string_view xml);

// The file's contents as Save_S7_Protocol writes them: each list up to its
// first row without an address.
std::string S7_Protocol_To_Xml(const S7_Access_Table& table);
// Writes the file anew, atomically. Empty on success, else the message.
std::string Save_S7_Protocol(const std::string& path, const S7_Access_Table& table);

// One PLC connection (address and port); -1 everywhere when free.
struct TIPPort {
    int32_t IP1 = -1;
    int32_t IP2 = -1;
    int32_t IP3 = -1;
    int32_t IP4 = -1;
    int32_t Port = -1;
};
inline constexpr int Max_PLC_Connections = 10;
using IP_Port_Array = std::array<TIPPort, Max_PLC_Connections>;

// Index of the entry of this address and port in `array_ip_Port`, taking the
// first free entry for a new pair; -1 when the pair is new and all are taken.
int Check_IP_Port(IP_Port_Array& array_ip_Port, int32_t b1, int32_t b2, int32_t b3, int32_t b4, int32_t p);

// Validates the enabled rows of both lists up to their first row without an
// address. Empty when all pass; else the message the dialog shows, composed
// as "Error row " + row number + the failed check's text (+ the largest
// position for the position checks). `array_ip_Port` receives the
// connections of the validated rows.
std::string Controllo_dati(const S7_Access_Table& table, const TextTable& texts, IP_Port_Array& array_ip_Port);
std::string Controllo_dati(const S7_Access_Table& table, const TextTable& texts);

} // namespace ks
