#include "image/image_decode.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <utility>

#include "image/image_layout.h"

namespace ks {

namespace {

std::string Hex(uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", v);
    return buf;
}

DumpField Number(std::string name, uint32_t v) {
    return {std::move(name), std::to_string(v), std::to_string(v)};
}
DumpField Hex_Number(std::string name, uint32_t v) { return {std::move(name), Hex(v), std::to_string(v)}; }
DumpField Text(std::string name, const std::string& v) { return {std::move(name), v, Json_String(v)}; }
// A name, or "unknown (N)" when the code has none.
DumpField Code(std::string name, const char* known, uint32_t code) {
    const std::string t = known ? std::string(known) : "unknown (" + std::to_string(code) + ")";
    return Text(std::move(name), t);
}
DumpField List(std::string name, const std::vector<std::string>& items) {
    std::string text, json = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        text += (i ? ", " : "") + items[i];
        json += (i ? "," : "") + Json_String(items[i]);
    }
    json += "]";
    return {std::move(name), items.empty() ? "none" : text, json};
}

std::vector<std::string> Flag_Names(uint32_t value,
                                    std::initializer_list<std::pair<uint32_t, const char*>> names,
                                    uint32_t ignore_mask = 0) {
    std::vector<std::string> out;
    uint32_t known = ignore_mask;
    for (const auto& [mask, name] : names) {
        known |= mask;
        if (value & mask) out.emplace_back(name);
    }
    for (int b = 0; b < 32; ++b)
        if ((value & ~known) & (1u << b)) out.push_back("bit " + std::to_string(b));
    return out;
}

std::string Dotted(const uint8_t* p) {
    return std::to_string(p[0]) + "." + std::to_string(p[1]) + "." + std::to_string(p[2]) + "." +
           std::to_string(p[3]);
}

// Bank bytes are one character each (the low 8 bits of the name's
// characters); shown as Latin-1 turned into UTF-8.
std::string Latin1_To_Utf8(const uint8_t* p, size_t n) {
    std::string out;
    for (size_t i = 0; i < n && p[i]; ++i) {
        if (p[i] < 0x80) {
            out += static_cast<char>(p[i]);
        } else {
            out += static_cast<char>(0xC0 | (p[i] >> 6));
            out += static_cast<char>(0x80 | (p[i] & 0x3F));
        }
    }
    return out;
}

DumpRecord KNX_Record(int index, const uint8_t* p) {
    const KNX_Rule_Rec r = Parse_KNX_Rule(p);
    DumpRecord d;
    d.Index = index;
    auto& f = d.Fields;
    f.push_back(Number("Poll_Time", r.Poll_Time));
    f.push_back(Number("Time_Out", r.Time_Out));
    f.push_back(Text("Priority", KNX_Priority_Name(r.Priority)));
    f.push_back(Number("Length", r.Length));
    f.push_back(List("Flags", Flag_Names(r.Flags,
                                         {{knx_flag::On_Change, "On_Change"},
                                          {knx_flag::ReTest, "ReTest"},
                                          {knx_flag::On_Command, "On_Command"},
                                          {knx_flag::Extended, "Extended"},
                                          {knx_flag::Group, "Group"},
                                          {knx_flag::Bit_Mode, "Bit_Mode"}},
                                         knx_flag::Format_Mask)));
    f.push_back(Text("Format", KNX_Format_Name(r.Flags)));
    if (r.APCI == 0x80)
        f.push_back(Text("APCI", "Write"));
    else if (r.APCI == 0)
        f.push_back(Text("APCI", "Read"));
    else
        f.push_back(Number("APCI", r.APCI));
    f.push_back(Text("Source_Address", Individual_Address_Text(r.Source_Address)));
    f.push_back(Text("Destination_Address", (r.Flags & knx_flag::Group)
                                                ? Group_Address_Text(r.Destination_Address)
                                                : Individual_Address_Text(r.Destination_Address)));
    if (r.Flags & knx_flag::Bit_Mode) {
        f.push_back(Number("Position", r.Position / 8u));
        f.push_back(Number("Start_Bit", r.Position % 8u));
    } else {
        f.push_back(Number("Position", r.Position));
    }
    const std::string factor = Real_Text(r.Multiplication_Factor);
    f.push_back({"Multiplication_Factor", factor,
                 std::isfinite(r.Multiplication_Factor) ? factor : Json_String(factor)});
    return d;
}

DumpRecord S7_Record(int index, const uint8_t* p) {
    const S7comm_Rule_Rec r = Parse_S7_Rule(p);
    DumpRecord d;
    d.Index = index;
    auto& f = d.Fields;
    const uint8_t ip[4] = {static_cast<uint8_t>(r.PLC_Address >> 24),
                           static_cast<uint8_t>(r.PLC_Address >> 16),
                           static_cast<uint8_t>(r.PLC_Address >> 8), static_cast<uint8_t>(r.PLC_Address)};
    f.push_back(Text("Kind", (r.Flags & s7_flag::Write) ? "Write" : "Read"));
    f.push_back(Text("PLC_Address", Dotted(ip)));
    f.push_back(Number("PLC_Port", r.PLC_Port));
    f.push_back(Code("PLC_Type", Name_Of(S7_PLC_Types, r.PLC_Type), r.PLC_Type));
    f.push_back(Number("Rack", r.Rack_Slot >> 5));
    f.push_back(Number("Slot", r.Rack_Slot & 31u));
    f.push_back(Code("Data_Type", Name_Of(S7_Data_Types, r.Data_Type), r.Data_Type));
    f.push_back(Code("Data_Identifier", Name_Of(S7_Data_Identifiers, r.Data_Identifier), r.Data_Identifier));
    f.push_back(Number("DB_Number", r.DB_Number));
    f.push_back(Code("PLC_Area", Name_Of(S7_Areas, r.PLC_Area), r.PLC_Area));
    f.push_back(Number("PLC_Add", r.PLC_Add));
    f.push_back(Number("PLC_Bit", r.PLC_Bit));
    f.push_back(Number("Poll_Time", r.Poll_Time));
    f.push_back(Number("Position", r.Position));
    f.push_back(Number("Bit", r.Bit));
    f.push_back(List("Flags", Flag_Names(r.Flags, {{s7_flag::On_Change, "OnChange"},
                                                   {s7_flag::Swap, "Swap"},
                                                   {s7_flag::Swap_Word, "SwapWord"},
                                                   {s7_flag::On_CMD, "OnCMD"},
                                                   {s7_flag::Write, "Write"}})));
    return d;
}

} // namespace

std::string Individual_Address_Text(uint16_t w) {
    return std::to_string(w >> 12) + "." + std::to_string((w >> 8) & 0x0F) + "." + std::to_string(w & 0xFF);
}

std::string Group_Address_Text(uint16_t w) {
    return std::to_string(w >> 11) + "/" + std::to_string((w >> 8) & 0x07) + "/" + std::to_string(w & 0xFF);
}

std::string KNX_Priority_Name(uint8_t code) {
    static constexpr const char* names[] = {"System", "Normal", "Urgent", "Low"};
    return code < 4 ? names[code] : "unknown (" + std::to_string(code) + ")";
}

std::string KNX_Format_Name(uint16_t flags) {
    static constexpr const char* names[] = {"None",
                                            "Swap16",
                                            "Swap32",
                                            "Swap All",
                                            "Int to Float",
                                            "Float to Int",
                                            "Float16 to Float32",
                                            "Float16 to Int",
                                            "Float16 to Int * 10",
                                            "Float16 to Int * 100"};
    const unsigned code = flags >> 12;
    return code < 10 ? names[code] : "unknown (" + Hex(code << 12) + ")";
}

std::string Json_String(const std::string& text) {
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (b < 0x20 || b == 0x7F) {
                    out += "\\u00";
                    out += hex[b >> 4];
                    out += hex[b & 0x0F];
                } else {
                    out += ch;
                }
        }
    }
    return out + "\"";
}

std::string Real_Text(float v) {
    if (std::isnan(v)) return "nan";
    if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string Decode_Image(const std::vector<uint8_t>& bank1, const std::vector<uint8_t>& bank2,
                         ImageDump& out) {
    out = ImageDump{};
    if (bank1.size() != Bank1_Size)
        return "bank1.bin holds " + std::to_string(bank1.size()) + " bytes instead of " +
               std::to_string(Bank1_Size);
    if (bank2.size() != Bank2_Size)
        return "bank2.bin holds " + std::to_string(bank2.size()) + " bytes instead of " +
               std::to_string(Bank2_Size);
    const uint8_t* b = bank1.data();
    const uint32_t stored = Get_U32(b + bank1::Checksum), computed = Bank1_Checksum(b);
    if (stored != computed)
        return "bank1.bin is damaged: its checksum is " + std::to_string(stored) +
               " but its bytes add up to " + std::to_string(computed);
    const uint32_t knx_count = Get_U32(b + bank1::KNX_Count), s7_count = Get_U32(b + bank1::S7_Count);
    if (knx_count > Rule_Table_Capacity || s7_count > Rule_Table_Capacity)
        return "bank1.bin is damaged: it counts " + std::to_string(knx_count) + " KNX rules and " +
               std::to_string(s7_count) + " S7comm requests, but a table holds at most " +
               std::to_string(Rule_Table_Capacity);

    auto& f = out.Bank1;
    f.push_back(Number("Fixed_Word_000", Get_U32(b + bank1::Fixed_Word_0)));
    f.push_back(Number("Fixed_Word_004", Get_U32(b + bank1::Fixed_Word_1)));
    f.push_back(Number("Fixed_Word_008", Get_U32(b + bank1::Fixed_Word_2)));
    f.push_back(Number("Fixed_Word_00C", Get_U32(b + bank1::Fixed_Word_3)));
    f.push_back(Text("IP_Address", Dotted(b + bank1::IP_Address)));
    f.push_back(Text("Subnet_Mask", Dotted(b + bank1::Subnet_Mask)));
    f.push_back(Text("Gateway", Dotted(b + bank1::Gateway)));
    f.push_back(Number("Fixed_Word_034", Get_U16(b + bank1::Fixed_Port_0)));
    f.push_back(Number("Fixed_Word_036", Get_U16(b + bank1::Fixed_Port_1)));
    f.push_back(Number("Fixed_Word_038", Get_U16(b + bank1::Fixed_Port_2)));
    {
        std::string text, json = "[";
        for (int i = 0; i < 8; ++i) {
            text += (i ? " " : "") + std::to_string(b[bank1::Fixed_Bytes + i]);
            json += (i ? "," : "") + std::to_string(b[bank1::Fixed_Bytes + i]);
        }
        f.push_back({"Fixed_Bytes_1B4", text, json + "]"});
    }
    f.push_back(Hex_Number("KNX_Table_Address", Get_U32(b + bank1::KNX_Table)));
    f.push_back(Hex_Number("KNX_Table_Address_Copy", Get_U32(b + bank1::KNX_Table_Copy)));
    f.push_back(Number("KNX_Count_2", Get_U32(b + bank1::KNX_Count_2)));
    f.push_back(Number("KNX_Count", knx_count));
    f.push_back(Text("KNX_Device_Address", Individual_Address_Text(Get_U16(b + bank1::KNX_Device_Address))));
    f.push_back(List("DHCP_Flags", Flag_Names(Get_U16(b + bank1::DHCP_Flags),
                                              {{bank1::DHCP_Cable, "Cable"}, {bank1::DHCP_WiFi, "WiFi"}})));
    f.push_back(Text("Device_Name", Latin1_To_Utf8(b + bank1::Device_Name, bank1::Device_Name_Size)));
    f.push_back(Text("Secondary_DNS", Dotted(b + bank1::Secondary_DNS)));
    f.push_back(Text("Primary_DNS", Dotted(b + bank1::Primary_DNS)));
    f.push_back(Hex_Number("S7_Table_Address", Get_U32(b + bank1::S7_Table)));
    f.push_back(Number("S7_Count", s7_count));
    f.push_back(Text("Version", Latin1_To_Utf8(b + bank1::Version, bank1::Version_Size)));
    f.push_back(Number("Checksum", stored));

    // Bytes that no field covers should be zero; list any that are not.
    static constexpr std::pair<size_t, size_t> fields[] = {
        {bank1::Fixed_Word_0, 16}, {bank1::IP_Address, 12},  {bank1::Fixed_Port_0, 6},
        {bank1::Fixed_Bytes, 8},   {bank1::KNX_Table, 16},   {bank1::KNX_Device_Address, 2},
        {bank1::DHCP_Flags, 2},    {bank1::Device_Name, 32}, {bank1::Secondary_DNS, 4},
        {bank1::Primary_DNS, 4},   {bank1::S7_Table, 8},     {bank1::Version, 8},
        {bank1::Checksum, 4}};
    std::vector<std::string> stray;
    for (size_t i = 0; i < Bank1_Size; ++i) {
        bool covered = false;
        for (const auto& [off, len] : fields) covered = covered || (i >= off && i < off + len);
        if (!covered && b[i] != 0) stray.push_back(Hex(static_cast<uint32_t>(i)));
    }
    f.push_back(List("Unlisted_Nonzero_Offsets", stray));

    for (uint32_t i = 0; i < knx_count; ++i)
        out.KNX_Rules.push_back(KNX_Record(static_cast<int>(i), bank2.data() + KNX_Rule_Size * i));
    for (uint32_t i = 0; i < s7_count; ++i)
        out.S7_Rules.push_back(
            S7_Record(static_cast<int>(i), bank2.data() + Bank2_S7_Offset + S7_Rule_Size * i));
    return {};
}

std::string Dump_Text(const ImageDump& d) {
    // A device name may hold control characters: keep every field on one line.
    auto one_line = [](const std::string& t) {
        std::string r;
        for (const char ch : t) {
            const auto b = static_cast<unsigned char>(ch);
            if (b < 0x20 || b == 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02X", b);
                r += buf;
            } else {
                r += ch;
            }
        }
        return r;
    };
    auto fields = [&](std::string& out, const std::vector<DumpField>& fs, const char* indent) {
        size_t w = 0;
        for (const auto& f : fs) w = std::max(w, f.Name.size());
        for (const auto& f : fs)
            out += indent + f.Name + std::string(w - f.Name.size() + 2, ' ') + one_line(f.Text) + "\n";
    };
    std::string out = "Bank 1 (settings)\n";
    fields(out, d.Bank1, "  ");
    out += "\nKNX rules: " + std::to_string(d.KNX_Rules.size()) + "\n";
    for (const auto& r : d.KNX_Rules) {
        out += "  KNX rule " + std::to_string(r.Index) + "\n";
        fields(out, r.Fields, "    ");
    }
    out += "\nS7comm requests: " + std::to_string(d.S7_Rules.size()) + "\n";
    for (const auto& r : d.S7_Rules) {
        out += "  S7comm request " + std::to_string(r.Index) + "\n";
        fields(out, r.Fields, "    ");
    }
    return out;
}

std::string Dump_Json(const ImageDump& d) {
    auto object = [](std::string& out, const std::vector<DumpField>& fs, const std::string& indent) {
        out += "{\n";
        for (size_t i = 0; i < fs.size(); ++i)
            out += indent + "  " + Json_String(fs[i].Name) + ": " + fs[i].Json +
                   (i + 1 < fs.size() ? ",\n" : "\n");
        out += indent + "}";
    };
    auto records = [&](std::string& out, const std::vector<DumpRecord>& rs) {
        out += "[";
        for (size_t i = 0; i < rs.size(); ++i) {
            std::vector<DumpField> fs;
            fs.push_back(Number("Index", static_cast<uint32_t>(rs[i].Index)));
            fs.insert(fs.end(), rs[i].Fields.begin(), rs[i].Fields.end());
            out += (i ? ", " : "\n    ");
            object(out, fs, "    ");
        }
        out += rs.empty() ? "]" : "\n  ]";
    };
    std::string out = "{\n  \"bank1\": ";
    object(out, d.Bank1, "  ");
    out += ",\n  \"knx_rules\": ";
    records(out, d.KNX_Rules);
    out += ",\n  \"s7_rules\": ";
    records(out, d.S7_Rules);
    out += "\n}\n";
    return out;
}

} // namespace ks
