#include "tables/s7_table.h"

#include "tables/access_list_xml.h"

#include <algorithm>

#include <pugixml.hpp>

#include "core/text_util.h"
#include "core/xml_util.h"
#include "tables/xml_read.h"

namespace ks {
namespace {

using R = S7_Access_Row;

std::vector<std::string> Number_Choices(int count) {
    std::vector<std::string> v;
    v.reserve(count);
    for (int i = 0; i < count; ++i) v.push_back(std::to_string(i));
    return v;
}

ColumnSpec Text_Col() { return ColumnSpec{EditorKind::Text, 0, {}}; }
ColumnSpec Check_Col() { return ColumnSpec{EditorKind::Check, 0, {}}; }
ColumnSpec List_Col(std::vector<std::string> choices) { return ColumnSpec{EditorKind::List, 0, std::move(choices)}; }

constexpr uint32_t kOrange = 0xFFD8B0, kBlue = 0xE0FAFE, kGreen = 0xA8FFA8, kPink = 0xFCD6F4,
                   kYellow = 0xFFFFA8, kWhite = 0xFFFFFF;

// The first thirteen columns, alike in both lists but for their texts.
std::vector<S7_Column> Common_Columns(const int header[13], const int hint[13]) {
    return {
        {"Enable", &R::Enable, header[0], hint[0], 50, kOrange, Check_Col()},
        {"PLC_Address", &R::PLC_Address, header[1], hint[1], 100, kBlue, Text_Col()},
        {"PLC_Port", &R::PLC_Port, header[2], hint[2], 60, kBlue, Text_Col()},
        {"PLC_Type", &R::PLC_Type, header[3], hint[3], 80, kBlue,
         List_Col({"Logo0BA8", "S7200", "S7300", "S7400", "S71200", "S71500"})},
        {"Rack", &R::Rack, header[4], hint[4], 45, kBlue, Text_Col()},
        {"Slot", &R::Slot, header[5], hint[5], 45, kBlue, Text_Col()},
        {"Data_Type", &R::Data_Type, header[6], hint[6], 70, kBlue,
         List_Col({"Bit", "Byte", "Char", "Word", "Int", "DWord", "DInt", "Real"})},
        {"Data_Identifier", &R::Data_Identifier, header[7], hint[7], 90, kBlue,
         List_Col({"OB", "DB", "SDB", "FC", "SFC", "FB", "SFB"})},
        {"DB_Number", &R::DB_Number, header[8], hint[8], 80, kBlue, Text_Col()},
        {"PLC_Area", &R::PLC_Area, header[9], hint[9], 115, kBlue,
         List_Col({"Direct peripheral access (P)", "Inputs (I)", "Output (Q)", "Flags (M) (Merker)"})},
        {"PLC_Add", &R::PLC_Add, header[10], hint[10], 60, kBlue, Text_Col()},
        {"PLC_Bit", &R::PLC_Bit, header[11], hint[11], 60, kBlue, List_Col(Number_Choices(8))},
        {"PollTime", &R::PollTime, header[12], hint[12], 64, kGreen, Text_Col()},
    };
}

std::vector<S7_Column> Build_Read_Columns() {
    const int header[13] = {1217, 1218, 1219, 1220, 1313, 1314, 1221, 1222, 1289, 1290, 1291, 1292, 1223};
    const int hint[13] = {1244, 1245, 1246, 1247, 1317, 1318, 1248, 1249, 1297, 1298, 1299, 1300, 1250};
    std::vector<S7_Column> c = Common_Columns(header, hint);
    c.push_back({"Position", &R::Position, 1224, 1251, 60, kPink, List_Col(Number_Choices(NByte_IN))});
    c.push_back({"Bit", &R::Bit, 1225, 1252, 64, kPink, List_Col(Number_Choices(8))});
    c.push_back({"Swap", &R::Swap, 1226, 1253, 40, kYellow, Check_Col()});
    c.push_back({"SwapWord", &R::SwapWord, 1227, 1254, 80, kYellow, Check_Col()});
    c.push_back({"Mnemonic", &R::Mnemonic, 1228, 1255, 204, kWhite, Text_Col()});
    return c;
}

std::vector<S7_Column> Build_Write_Columns() {
    const int header[13] = {1230, 1231, 1232, 1233, 1315, 1316, 1234, 1235, 1293, 1294, 1295, 1296, 1236};
    const int hint[13] = {1256, 1257, 1258, 1259, 1319, 1320, 1260, 1261, 1301, 1302, 1303, 1304, 1262};
    std::vector<S7_Column> c = Common_Columns(header, hint);
    c.push_back({"OnChange", &R::OnChange, 1237, 1263, 70, kGreen, Check_Col()});
    c.push_back({"OnCMD", &R::OnCMD, 1238, 1264, 56, kGreen, Check_Col()});
    c.push_back({"Position", &R::Position, 1239, 1265, 60, kPink, List_Col(Number_Choices(NByte_OUT))});
    c.push_back({"Bit", &R::Bit, 1240, 1266, 64, kPink, List_Col(Number_Choices(8))});
    c.push_back({"Swap", &R::Swap, 1241, 1267, 40, kYellow, Check_Col()});
    c.push_back({"SwapWord", &R::SwapWord, 1242, 1268, 80, kYellow, Check_Col()});
    c.push_back({"Mnemonic", &R::Mnemonic, 1243, 1269, 78, kWhite, Text_Col()});
    return c;
}

const char* List_Name(S7_List l) { return l == S7_List::Read ? "S7_Protocol_Read" : "S7_Protocol_Write"; }

// Attributes that older files may lack, and what they then read as. Every
// other attribute of the list is required.
const char* Fallback(std::string_view attr) {
    if (attr == "Enable") return "Y";
    if (attr == "Rack" || attr == "Slot") return "0";
    return nullptr;
}

} // namespace

S7_Access_Table::S7_Access_Table() : S7_Protocol_Read(S7_Rows), S7_Protocol_Write(S7_Rows) {}

bool S7_Ends_List(const S7_Access_Row& row) { return Trim(row.PLC_Address).empty(); }

const std::vector<S7_Column>& S7_Columns(S7_List list) {
    static const std::vector<S7_Column> read = Build_Read_Columns();
    static const std::vector<S7_Column> write = Build_Write_Columns();
    return list == S7_List::Read ? read : write;
}

int S7_Row_Number_Header(S7_List list) { return list == S7_List::Read ? 1216 : 1229; }

TableModel Make_S7_Grid(S7_List list) {
    return Make_Access_Grid(S7_Columns(list), S7_Rows);
}

void S7_List_To_Grid(const std::vector<S7_Access_Row>& rows, S7_List list, TableModel& grid) {
    Rows_To_Grid(rows, S7_Columns(list), grid);
}

std::vector<S7_Access_Row> S7_List_From_Grid(const TableModel& grid, S7_List list) {
    return Rows_From_Grid(grid, S7_Columns(list), S7_Rows);
}

S7_Load_Result Load_S7_Protocol_From_String(std::string_view xml) {
    S7_Load_Result r;
    pugi::xml_document doc;
    r.error = Parse_Xml_Text(doc, xml, Parse_Options());
    if (!r.error.empty()) return r;
    const pugi::xml_node root = First_Node(doc);
    for (S7_List list : {S7_List::Read, S7_List::Write}) {
        const pugi::xml_node section = root.child(List_Name(list));
        if (!section) {
            Add_Error(r.error, std::string("the first node of the document has no element ") + List_Name(list));
            return r;
        }
        const Access_List_Read lr = Read_Access_List(section, List_Name(list), S7_Columns(list), Fallback, r.table.List(list));
        Add_Error(r.error, lr.error);
        if (lr.stopped) return r;
    }
    return r;
}

S7_Load_Result Load_S7_Protocol(const std::string& path) {
    return Load_Project_File<S7_Load_Result>(path, Load_S7_Protocol_From_String);
}

std::string S7_Protocol_To_Xml(const S7_Access_Table& table) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("S7_Protocol");
    doc.append_child(pugi::node_comment).set_value("SW_VERSION = 1.003");
    for (S7_List list : {S7_List::Read, S7_List::Write}) {
        pugi::xml_node section = root.append_child(List_Name(list));
        Write_Access_List(section, table.List(list), S7_Columns(list), S7_Rows, S7_Ends_List);
    }
    return Xml_To_String(doc);
}

std::string Save_S7_Protocol(const std::string& path, const S7_Access_Table& table) {
    return Write_File_Atomic(path, S7_Protocol_To_Xml(table));
}

} // namespace ks
