#include "tables/knx_table.h"

#include "tables/access_list_xml.h"

#include <algorithm>

#include <pugixml.hpp>

#include "core/text_util.h"
#include "core/xml_util.h"
#include "tables/xml_read.h"

namespace ks {
namespace {

using R = KNX_Access_Row;

std::vector<std::string> Number_Choices(int count) {
    std::vector<std::string> v;
    v.reserve(count);
    for (int i = 0; i < count; ++i) v.push_back(std::to_string(i));
    return v;
}

ColumnSpec Col(EditorKind kind, std::vector<std::string> choices = {}) {
    return ColumnSpec{kind, 0, std::move(choices)};
}

constexpr uint32_t kOrange = 0xFFD8B0, kBlue = 0xE0FAFE, kYellow = 0xFFFFA8, kGreen = 0xA8FFA8,
                   kPink = 0xFCD6F4, kViolet = 0xD5D5FF;

std::vector<KNX_Column> Build_Columns() {
    using K = EditorKind;
    std::vector<std::string> bit_modes{"No"};
    for (const std::string& b : Number_Choices(8)) bit_modes.push_back(b);
    return {
        {"Enable", &R::Enable, 1415, 1431, 50, kOrange, Col(K::Check)},
        {"Source_Address", &R::Source_Address, 1416, 1432, 70, kBlue, Col(K::Text)},
        {"Destination_Address", &R::Destination_Address, 1417, 1433, 80, kBlue, Col(K::Text)},
        {"APCI", &R::APCI, 1418, 1434, 60, kBlue, Col(K::ListFree, {"Read", "Write"})},
        {"Priority", &R::Priority, 1419, 1435, 75, kBlue, Col(K::List, {"System", "Urgent", "Normal", "Low"})},
        {"Format", &R::Format, 1420, 1436, 110, kYellow,
         Col(K::List, {"None", "Swap16", "Swap32", "Swap All", "Int to Float", "Float to Int", "Float16 to Float32",
                       "Float16 to Int", "Float16 to Int * 10", "Float16 to Int * 100"})},
        {"MultiplicationFactor", &R::MultiplicationFactor, 1461, 1463, 85, kYellow, Col(K::Text)},
        {"Extended", &R::Extended, 1421, 1437, 50, kYellow, Col(K::Check)},
        {"ReTest", &R::ReTest, 1422, 1438, 52, kYellow, Col(K::Check)},
        {"On_Command", &R::On_Command, 1423, 1440, 71, kGreen, Col(K::Check)},
        {"On_Change", &R::On_Change, 1424, 1441, 62, kGreen, Col(K::Check)},
        {"On_Timer", &R::On_Timer, 1425, 1442, 67, kGreen, Col(K::Check)},
        {"Poll_Time", &R::Poll_Time, 1426, 1443, 55, kGreen, Col(K::Text)},
        {"Position", &R::Position, 1427, 1444, 55, kPink, Col(K::List, Number_Choices(Max_Num_Byte))},
        {"Bit_Mode", &R::Bit_Mode, 1428, 1445, 55, kPink, Col(K::List, bit_modes)},
        {"Length", &R::Length, 1429, 1446, 96, kPink, Col(K::Text)},
        {"TimeOut", &R::TimeOut, 1462, 1464, 65, kViolet, Col(K::Text)},
        {"Mnemonic", &R::Mnemonic, 1430, 1447, 96, Window_Colour, Col(K::Text)},
    };
}

bool Known_Priority(std::string_view p) { return p == "System" || p == "Urgent" || p == "Normal" || p == "Low"; }

// What an attribute that older files may lack reads as; nullptr when required.
const char* Fallback(std::string_view attr) {
    if (attr == "Enable") return "Y";
    if (attr == "Priority") return "Normal";
    if (attr == "Format") return "None";
    if (attr == "MultiplicationFactor") return "";
    if (attr == "On_Command" || attr == "On_Timer") return "N";
    if (attr == "TimeOut") return "0";
    return nullptr;
}

} // namespace

KNX_Access_Table::KNX_Access_Table() : KNX_in_Write(KNX_Rows) {}

bool KNX_Ends_List(const KNX_Access_Row& row) { return Trim(row.Source_Address).empty(); }

const std::vector<KNX_Column>& KNX_Columns() {
    static const std::vector<KNX_Column> cols = Build_Columns();
    return cols;
}

TableModel Make_KNX_Grid() {
    return Make_Access_Grid(KNX_Columns(), KNX_Rows);
}

void KNX_List_To_Grid(const std::vector<KNX_Access_Row>& rows, TableModel& grid) {
    Rows_To_Grid(rows, KNX_Columns(), grid);
}

std::vector<KNX_Access_Row> KNX_List_From_Grid(const TableModel& grid) {
    return Rows_From_Grid(grid, KNX_Columns(), KNX_Rows);
}

KNX_Load_Result Load_KNX_SetAccess_From_String(std::string_view xml) {
    KNX_Load_Result r;
    pugi::xml_document doc;
    r.error = Parse_Xml_Text(doc, xml, Parse_Options());
    if (!r.error.empty()) return r;
    const pugi::xml_node section = First_Node(doc).child("KNX_in_Write");
    if (!section) {
        r.error = "the first node of the document has no element KNX_in_Write";
        return r;
    }
    const Access_List_Read lr = Read_Access_List(section, "KNX_in_Write", KNX_Columns(), Fallback, r.table.KNX_in_Write);
    r.error = lr.error;
    for (int n = 0; n < lr.rows_read; ++n) {
        std::string& priority = r.table.KNX_in_Write[n].Priority;
        if (!Known_Priority(priority)) priority = "Normal";
    }
    return r;
}

KNX_Load_Result Load_KNX_SetAccess(const std::string& path) {
    return Load_Project_File<KNX_Load_Result>(path, Load_KNX_SetAccess_From_String);
}

std::string KNX_SetAccess_To_Xml(const KNX_Access_Table& table) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("BACnet_to_KNX");
    doc.append_child(pugi::node_comment).set_value("SW_VERSION = 1.001");
    pugi::xml_node section = root.append_child("KNX_in_Write");
    Write_Access_List(section, table.KNX_in_Write, KNX_Columns(), KNX_Rows, KNX_Ends_List);
    return Xml_To_String(doc);
}

std::string Save_KNX_SetAccess(const std::string& path, const KNX_Access_Table& table) {
    return Write_File_Atomic(path, KNX_SetAccess_To_Xml(table));
}

} // namespace ks
