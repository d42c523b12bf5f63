#pragma once
// KNX and IPv4 conversions shared by validation and the image compiler.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ks {

// See the validity table of KNX address forms. The caller trims the text.
bool Check_KNX_Address(std::string_view text, bool group_mode, bool zero_allowed);
bool Is_KNX_Group_Text(std::string_view text);
uint32_t APCI_Code(std::string_view text);
int Priority_Code(std::string_view text);
uint16_t Format_Code(std::string_view text);

// The regional decimal separator, "," or "." (implemented under platform/).
char Decimal_Separator();

struct RealResult {
    bool ok;
    float value;  // 1.0 on failure
};
RealResult Text_To_Real(std::string_view text, char separator);

struct IpBytes {
    std::array<uint8_t, 4> bytes{};
    bool error = false;
};
// Strict reading of a PLC address.
IpBytes IP_Text_To_Bytes(std::string_view text);

struct IpParts {
    bool valid = false;
    std::array<std::string, 4> parts;
};
// Tolerant reading of the remembered device address.
IpParts Check_IP_Text(std::string_view text);

} // namespace ks
