#pragma once
// The converter's communication settings of one project (ParGen.xml): the
// record, its defaults, its file and its validation. Text fields keep the
// characters exactly as typed; numbers are made of them only by validation
// and by the image compiler.
#include <cstdint>
#include <string>
#include <string_view>

namespace ks {

struct ParGenSettings {
    std::string S7_Protocol_IP1 = "192";
    std::string S7_Protocol_IP2 = "168";
    std::string S7_Protocol_IP3 = "0";
    std::string S7_Protocol_IP4 = "5";
    std::string S7_Protocol_SM1 = "255";
    std::string S7_Protocol_SM2 = "255";
    std::string S7_Protocol_SM3 = "255";
    std::string S7_Protocol_SM4 = "0";
    std::string S7_Protocol_GAT1 = "192";
    std::string S7_Protocol_GAT2 = "168";
    std::string S7_Protocol_GAT3 = "0";
    std::string S7_Protocol_GAT4 = "1";
    bool S7_Protocol_EN_GAT = false;
    std::string Eth_Conn_Device_Name;  // the dialog limits it to 31 characters
    bool Eth_Conn_DHCP_Cable = false;
    bool Eth_Conn_DHCP_WiFi = false;  // never set in this model; never read from the file
    bool Eth_Conn_Enable_DNS = false;
    std::string Eth_Conn_Primary_DNS1 = "8";
    std::string Eth_Conn_Primary_DNS2 = "8";
    std::string Eth_Conn_Primary_DNS3 = "8";
    std::string Eth_Conn_Primary_DNS4 = "8";
    std::string Eth_Conn_Secondary_DNS1 = "8";
    std::string Eth_Conn_Secondary_DNS2 = "8";
    std::string Eth_Conn_Secondary_DNS3 = "8";
    std::string Eth_Conn_Secondary_DNS4 = "8";
    int32_t KNX_TYPE = 0;  // 0 "KNX TP", 1 "KNXnet/IP"
    std::string KNX_ID_DEV = "1.1.200";

    bool operator==(const ParGenSettings&) const = default;
};

ParGenSettings Default_ParGen();

// A load gives a record in every case; `error` is set when the file exists
// but cannot be read or is not XML (the record is then the default one).
struct ParGenLoad {
    ParGenSettings settings;
    std::string error;
};

// Missing file or elements fall back to the defaults, field by field.
// A KNX_TYPE other than 0 or 1 names no medium and reads as 0.
ParGenLoad Load_ParGen(const std::string& path);
// The same from the file's contents (no disk access).
ParGenLoad Load_ParGen_From_String(std::string_view xml);

// The file's contents as Save_ParGen writes them.
std::string ParGen_To_Xml(const ParGenSettings& s);
// Writes the file anew, atomically. Empty on success, else the message.
std::string Save_ParGen(const std::string& path, const ParGenSettings& s);

// Result of Controllo_Dati when every rule passes.
inline constexpr int ParGen_Valid = 0;
// Runs the rules in their fixed order and returns the text index of the first
// one that fails (948 to 955, 451 to 462, 632), or ParGen_Valid. The caller
// shows that text.
int Controllo_Dati(const ParGenSettings& s);

} // namespace ks
