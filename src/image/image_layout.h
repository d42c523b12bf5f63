#pragma once
// Layout of the converter's configuration image: the settings block (bank 1),
// the KNX and S7comm rule records (bank 2) and their little-endian coding.
// Shared by the compiler, which writes the banks, and the decoder, which
// reads them back.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace ks {

inline constexpr size_t Bank1_Size = 2048;
inline constexpr size_t Bank2_Size = 53248;

// Both rule tables always hold this many records, used or not.
inline constexpr int Rule_Table_Capacity = 1024;
inline constexpr size_t KNX_Rule_Size = 24;
inline constexpr size_t S7_Rule_Size = 28;
inline constexpr size_t Bank2_S7_Offset = KNX_Rule_Size * Rule_Table_Capacity;  // 24,576
static_assert(Bank2_S7_Offset + S7_Rule_Size * Rule_Table_Capacity == Bank2_Size);

// Addresses of the two tables in the converter's memory.
inline constexpr uint32_t KNX_Table_Address = 0x80000;
inline constexpr uint32_t S7_Table_Address = 0x80000 + Bank2_S7_Offset;  // 0x86000

// Version text written into bank 1 when the project has communication settings.
inline constexpr const char* Image_Version_Text = "1.001";

// Offsets of the fields of bank 1.
namespace bank1 {
inline constexpr size_t Fixed_Word_0 = 0x000;  // u32 250000
inline constexpr size_t Fixed_Word_1 = 0x004;  // u32 250000
inline constexpr size_t Fixed_Word_2 = 0x008;  // u32 0
inline constexpr size_t Fixed_Word_3 = 0x00C;  // u32 9600
inline constexpr size_t IP_Address = 0x028;    // 4 x u8, first octet first
inline constexpr size_t Subnet_Mask = 0x02C;
inline constexpr size_t Gateway = 0x030;
inline constexpr size_t Fixed_Port_0 = 0x034;  // u16 10000
inline constexpr size_t Fixed_Port_1 = 0x036;  // u16 10001
inline constexpr size_t Fixed_Port_2 = 0x038;  // u16 10001
inline constexpr size_t Fixed_Bytes = 0x1B4;   // 8 x u8, each 8
inline constexpr size_t KNX_Table = 0x1BC;     // u32
inline constexpr size_t KNX_Table_Copy = 0x1C0;
inline constexpr size_t KNX_Count_2 = 0x1C4;  // u32, always 0
inline constexpr size_t KNX_Count = 0x1C8;
inline constexpr size_t KNX_Device_Address = 0x1CE;  // u16
inline constexpr size_t DHCP_Flags = 0x4E8;          // u16
inline constexpr size_t Device_Name = 0x514;         // 32 bytes, zero-terminated
inline constexpr size_t Device_Name_Size = 32;
inline constexpr size_t Secondary_DNS = 0x53C;
inline constexpr size_t Primary_DNS = 0x58C;
inline constexpr size_t S7_Table = 0x654;  // u32
inline constexpr size_t S7_Count = 0x658;  // u32
inline constexpr size_t Version = 0x66C;   // 8 bytes ASCII
inline constexpr size_t Version_Size = 8;
inline constexpr size_t Checksum = 0x7FC;  // u32: sum of bytes 0x000..0x7FB

inline constexpr uint16_t DHCP_Cable = 0x0001;
inline constexpr uint16_t DHCP_WiFi = 0x0002;
} // namespace bank1

// Flags word of a KNX record (its top four bits hold the data format).
namespace knx_flag {
inline constexpr uint16_t On_Change = 0x0001;
inline constexpr uint16_t ReTest = 0x0002;
inline constexpr uint16_t On_Command = 0x0008;
inline constexpr uint16_t Extended = 0x0010;
inline constexpr uint16_t Group = 0x0020;
inline constexpr uint16_t Bit_Mode = 0x0040;
inline constexpr uint16_t Format_Mask = 0xF000;
} // namespace knx_flag

// The codes of the S7comm record's fixed lists and the names the files and
// the grid use for them; the compiler reads them one way, the decoder the other.
struct Code_Name {
    uint8_t code;
    const char* name;
};
inline constexpr Code_Name S7_PLC_Types[] = {{0, "S7200"},   {1, "Logo0BA8"}, {10, "S7300"},
                                             {20, "S7400"},  {30, "S71200"},  {40, "S71500"}};
inline constexpr Code_Name S7_Data_Types[] = {{1, "Bit"}, {2, "Byte"},  {3, "Char"}, {4, "Word"},
                                              {5, "Int"}, {6, "DWord"}, {7, "DInt"}, {8, "Real"}};
inline constexpr Code_Name S7_Data_Identifiers[] = {{8, "OB"},   {10, "DB"}, {11, "SDB"}, {12, "FC"},
                                                    {13, "SFC"}, {14, "FB"}, {15, "SFB"}};
inline constexpr Code_Name S7_Areas[] = {{0x80, "Direct peripheral access (P)"},
                                         {0x81, "Inputs (I)"},
                                         {0x82, "Output (Q)"},
                                         {0x83, "Flags (M) (Merker)"}};

// The code of `name` (exact spelling), else `fallback`.
template <size_t N>
constexpr uint8_t Code_Of(const Code_Name (&list)[N], std::string_view name, uint8_t fallback) {
    for (const Code_Name& c : list)
        if (name == c.name) return c.code;
    return fallback;
}
// The name of `code`, nullptr when the list has none.
template <size_t N>
constexpr const char* Name_Of(const Code_Name (&list)[N], uint8_t code) {
    for (const Code_Name& c : list)
        if (c.code == code) return c.name;
    return nullptr;
}

// Flags byte of an S7comm record.
namespace s7_flag {
inline constexpr uint8_t On_Change = 0x01;
inline constexpr uint8_t Swap = 0x04;
inline constexpr uint8_t Swap_Word = 0x08;
inline constexpr uint8_t On_CMD = 0x10;
inline constexpr uint8_t Write = 0x20;
} // namespace s7_flag

// One KNX rule; the reset record is all zero with a factor of 1.0.
struct KNX_Rule_Rec {
    uint32_t Poll_Time = 0;
    uint32_t Time_Out = 0;
    uint8_t Priority = 0;
    uint8_t Length = 0;
    uint16_t Flags = 0;
    uint16_t APCI = 0;
    uint16_t Source_Address = 0;
    uint16_t Destination_Address = 0;
    uint16_t Position = 0;
    float Multiplication_Factor = 1.0f;

    bool operator==(const KNX_Rule_Rec&) const = default;
};

// One S7comm request; the reset record is all zero.
struct S7comm_Rule_Rec {
    uint32_t PLC_Address = 0;  // first octet in the top byte
    uint32_t Poll_Time = 0;
    uint16_t PLC_Add = 0;
    uint16_t DB_Number = 0;
    uint16_t PLC_Port = 0;
    uint16_t Position = 0;
    uint16_t Reserved_16 = 0;
    uint8_t Bit = 0;
    uint8_t PLC_Type = 0;
    uint8_t Data_Type = 0;
    uint8_t Data_Identifier = 0;
    uint8_t Reserved_22 = 0;
    uint8_t Flags = 0;
    uint8_t PLC_Bit = 0;
    uint8_t PLC_Area = 0;
    uint8_t Rack_Slot = 0;  // rack x 32 + slot
    uint8_t Reserved_27 = 0;

    bool operator==(const S7comm_Rule_Rec&) const = default;
};

// Little-endian access to image bytes.
inline void Put_U16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void Put_U32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void Put_F32(uint8_t* p, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    Put_U32(p, bits);
}
inline uint16_t Get_U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t Get_U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline float Get_F32(const uint8_t* p) {
    const uint32_t bits = Get_U32(p);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// Record coding, field by field in record order. `out`/`in` hold the
// record's 24 or 28 bytes.
void Serialise_KNX_Rule(const KNX_Rule_Rec& r, uint8_t* out);
void Serialise_S7_Rule(const S7comm_Rule_Rec& r, uint8_t* out);
KNX_Rule_Rec Parse_KNX_Rule(const uint8_t* in);
S7comm_Rule_Rec Parse_S7_Rule(const uint8_t* in);

// Plain unsigned sum of bytes 0x000 to 0x7FB of a bank 1 image.
uint32_t Bank1_Checksum(const uint8_t* bank1);

} // namespace ks
