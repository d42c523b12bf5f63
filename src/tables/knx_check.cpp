#include <string>

#include "core/text_util.h"
#include "tables/conversions.h"
#include "tables/knx_table.h"
#include "texts/text_table.h"

namespace ks {
namespace {

constexpr int kErrorRowText = 1448;
constexpr int32_t kMaxTime = 100000000;

bool In_Range(const std::string& text, int32_t lo, int32_t hi) {
    const int32_t v = Int_Value(text, -1);
    return v >= lo && v <= hi;
}

struct Fault {
    int text = 0;
    std::string suffix;  // the limit that follows an open text
};

Fault Check_Row(const KNX_Access_Row& row, char separator) {
    if (!Check_KNX_Address(Trim(row.Source_Address), /*group_mode=*/false, /*zero_allowed=*/true)) return {1449, {}};

    const std::string dest = Trim(row.Destination_Address);
    const bool group = Is_KNX_Group_Text(dest);
    if (!Check_KNX_Address(dest, group, /*zero_allowed=*/true)) return {group ? 1451 : 1450, {}};

    const std::string apci = Upper_Ascii(row.APCI);
    if (apci != "READ" && apci != "WRITE" && !In_Range(row.APCI, 0, 1023)) return {1452, {}};

    const std::string& p = row.Priority;  // case counts here, unlike the other names
    if (p != "System" && p != "Urgent" && p != "Normal" && p != "Low") return {1453, {}};

    if (Trim(row.Format).empty()) return {1454, {}};

    if (!Trim(Upper_Ascii(row.MultiplicationFactor)).empty() &&
        !Text_To_Real(row.MultiplicationFactor, separator).ok)
        return {1465, {}};

    if (Upper_Ascii(row.On_Timer) == "Y" && !In_Range(row.Poll_Time, 1, kMaxTime)) return {1455, {}};

    if (!In_Range(row.Position, 0, Max_Num_Byte - 1)) return {1456, std::to_string(Max_Num_Byte - 1)};
    const int32_t position = Int_Value(row.Position, -1);

    const bool byte_mode = Upper_Ascii(row.Bit_Mode) == "NO";
    if (!byte_mode && !In_Range(row.Bit_Mode, 0, 7)) return {1457, {}};
    const int32_t start_bit = byte_mode ? 0 : Int_Value(row.Bit_Mode, -1);

    const bool extended = Upper_Ascii(row.Extended) == "Y";
    const int32_t limit = byte_mode ? (extended ? 255 : 14) : (extended ? 2040 : 112);
    if (!In_Range(row.Length, 1, limit)) return {1458, std::to_string(limit)};
    const int32_t length = Int_Value(row.Length, -1);

    const int32_t used = byte_mode ? length : (length + start_bit + 7) / 8;
    if (position + used > Max_Num_Byte) return {1459, std::to_string(Max_Num_Byte)};

    if (!In_Range(row.TimeOut, 0, kMaxTime)) return {1466, {}};
    return {};
}

} // namespace

std::string Controllo_dati(const KNX_Access_Table& table, const TextTable& texts, char decimal_separator) {
    const char sep = (decimal_separator == '.' || decimal_separator == ',') ? decimal_separator : ',';
    const auto& rows = table.KNX_in_Write;
    for (size_t i = 0; i < rows.size() && i < static_cast<size_t>(KNX_Rows); ++i) {
        const KNX_Access_Row& row = rows[i];
        if (KNX_Ends_List(row)) break;
        if (Trim(row.Enable) != "Y") continue;
        const Fault f = Check_Row(row, sep);
        if (f.text != 0) return texts[kErrorRowText] + std::to_string(i + 1) + texts[f.text] + f.suffix;
    }
    return {};
}

std::string Controllo_dati(const KNX_Access_Table& table, const TextTable& texts) {
    return Controllo_dati(table, texts, Decimal_Separator());
}

} // namespace ks
