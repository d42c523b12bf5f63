#include <string>

#include "core/text_util.h"
#include "tables/conversions.h"
#include "tables/s7_table.h"
#include "texts/text_table.h"

namespace ks {
namespace {

// Text indices of one list's checks.
struct S7_Texts {
    int address, port, connections, plc_type, rack, slot, data_type, data_identifier, db_number, plc_area,
        plc_add, plc_bit, poll_time, position, start_bit;
    int min_poll_time;
    int position_size;
};

constexpr S7_Texts kReadTexts{1271, 1272, 1287, 1273, 1321, 1322, 1274, 1275, 1305,
                              1306, 1307, 1308, 1276, 1277, 1278, 1,    NByte_IN};
constexpr S7_Texts kWriteTexts{1279, 1280, 1288, 1281, 1323, 1324, 1282, 1283, 1309,
                               1310, 1311, 1312, 1284, 1285, 1286, 0,    NByte_OUT};
constexpr int kErrorRowText = 1270;
constexpr int32_t kMaxPollTime = 100000000;

bool In_Range(const std::string& text, int32_t lo, int32_t hi) {
    const int32_t v = Int_Value(text, -1);
    return v >= lo && v <= hi;
}

bool Filled(const std::string& text) { return !Trim(text).empty(); }

// The failed check's text (and the limit that follows it), or nothing.
struct Fault {
    int text = 0;
    std::string suffix;
};

Fault Check_Row(const S7_Access_Row& row, const S7_Texts& t, IP_Port_Array& conns) {
    const IpBytes ip = IP_Text_To_Bytes(row.PLC_Address);  // untrimmed: a trailing blank is an error
    if (ip.error) return {t.address, {}};
    if (!In_Range(row.PLC_Port, 0, 65535)) return {t.port, {}};
    if (Check_IP_Port(conns, ip.bytes[0], ip.bytes[1], ip.bytes[2], ip.bytes[3], Int_Value(row.PLC_Port, -1)) < 0)
        return {t.connections, {}};
    if (!Filled(row.PLC_Type)) return {t.plc_type, {}};
    if (!In_Range(row.Rack, 0, 3)) return {t.rack, {}};
    if (!In_Range(row.Slot, 0, 31)) return {t.slot, {}};
    if (!Filled(row.Data_Type)) return {t.data_type, {}};
    if (!Filled(row.Data_Identifier)) return {t.data_identifier, {}};
    if (!In_Range(row.DB_Number, 0, 65535)) return {t.db_number, {}};
    if (!Filled(row.PLC_Area)) return {t.plc_area, {}};
    if (!In_Range(row.PLC_Add, 0, 65535)) return {t.plc_add, {}};
    if (!Filled(row.PLC_Bit)) return {t.plc_bit, {}};
    if (!In_Range(row.PollTime, t.min_poll_time, kMaxPollTime)) return {t.poll_time, {}};
    if (!In_Range(row.Position, 0, t.position_size - 1)) return {t.position, std::to_string(t.position_size - 1)};
    if (!Filled(row.Bit)) return {t.start_bit, {}};
    return {};
}

} // namespace

int Check_IP_Port(IP_Port_Array& array_ip_Port, int32_t b1, int32_t b2, int32_t b3, int32_t b4, int32_t p) {
    for (int i = 0; i < Max_PLC_Connections; ++i) {
        TIPPort& e = array_ip_Port[i];
        if (e.IP1 == -1) {
            e = TIPPort{b1, b2, b3, b4, p};
            return i;
        }
        if (e.IP1 == b1 && e.IP2 == b2 && e.IP3 == b3 && e.IP4 == b4 && e.Port == p) return i;
    }
    return -1;
}

std::string Controllo_dati(const S7_Access_Table& table, const TextTable& texts, IP_Port_Array& array_ip_Port) {
    array_ip_Port.fill(TIPPort{});
    // Both lists share the converter's connections, so the table is not reset between them.
    for (S7_List list : {S7_List::Read, S7_List::Write}) {
        const S7_Texts& t = list == S7_List::Read ? kReadTexts : kWriteTexts;
        const auto& rows = table.List(list);
        for (size_t i = 0; i < rows.size() && i < static_cast<size_t>(S7_Rows); ++i) {
            const S7_Access_Row& row = rows[i];
            if (S7_Ends_List(row)) break;
            if (Trim(row.Enable) != "Y") continue;
            const Fault f = Check_Row(row, t, array_ip_Port);
            if (f.text != 0) return texts[kErrorRowText] + std::to_string(i + 1) + texts[f.text] + f.suffix;
        }
    }
    return {};
}

std::string Controllo_dati(const S7_Access_Table& table, const TextTable& texts) {
    IP_Port_Array conns;
    return Controllo_dati(table, texts, conns);
}

} // namespace ks
