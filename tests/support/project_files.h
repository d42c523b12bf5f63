#pragma once
// Builds the texts of a project's three XML files the way the program writes
// them (no declaration, no indentation, the version comment after the root),
// so tests can write projects by hand and vary single values.
#include <string>
#include <utility>
#include <vector>

namespace ks::test {

// Attributes or elements in order: name and text.
using Fields = std::vector<std::pair<std::string, std::string>>;

inline std::string Xml_Escape(const std::string& s) {
    std::string r;
    for (const char c : s) {
        switch (c) {
            case '&':
                r += "&amp;";
                break;
            case '<':
                r += "&lt;";
                break;
            case '>':
                r += "&gt;";
                break;
            case '"':
                r += "&quot;";
                break;
            default:
                r += c;
        }
    }
    return r;
}

// A copy of `f` with `name` set to `value` (appended when missing).
inline Fields With(Fields f, const std::string& name, const std::string& value) {
    for (auto& [n, v] : f)
        if (n == name) {
            v = value;
            return f;
        }
    f.emplace_back(name, value);
    return f;
}

// A copy of `f` without `name`.
inline Fields Without(Fields f, const std::string& name) {
    for (auto it = f.begin(); it != f.end(); ++it)
        if (it->first == name) {
            f.erase(it);
            break;
        }
    return f;
}

inline std::string Row(const Fields& attrs) {
    std::string r = "<row";
    for (const auto& [n, v] : attrs) r += " " + n + "=\"" + Xml_Escape(v) + "\"";
    return r + "/>";
}

inline std::string KNX_File(const std::vector<Fields>& rows) {
    std::string s = "<BACnet_to_KNX><KNX_in_Write>";
    for (const auto& r : rows) s += Row(r);
    return s + "</KNX_in_Write></BACnet_to_KNX><!--SW_VERSION = 1.001-->";
}

inline std::string S7_File(const std::vector<Fields>& read, const std::vector<Fields>& write) {
    std::string s = "<S7_Protocol><S7_Protocol_Read>";
    for (const auto& r : read) s += Row(r);
    s += "</S7_Protocol_Read><S7_Protocol_Write>";
    for (const auto& r : write) s += Row(r);
    return s + "</S7_Protocol_Write></S7_Protocol><!--SW_VERSION = 1.003-->";
}

inline std::string ParGen_File(const Fields& elements) {
    std::string s = "<Par_Gen>";
    for (const auto& [n, v] : elements) s += "<" + n + ">" + Xml_Escape(v) + "</" + n + ">";
    return s + "</Par_Gen><!--SW_VERSION = 1.001-->";
}

// The 27 elements of a settings file as the dialog saves its defaults.
inline Fields Default_ParGen() {
    return {{"S7_Protocol_IP1", "192"},       {"S7_Protocol_IP2", "168"},
            {"S7_Protocol_IP3", "0"},         {"S7_Protocol_IP4", "5"},
            {"S7_Protocol_SM1", "255"},       {"S7_Protocol_SM2", "255"},
            {"S7_Protocol_SM3", "255"},       {"S7_Protocol_SM4", "0"},
            {"S7_Protocol_GAT1", "192"},      {"S7_Protocol_GAT2", "168"},
            {"S7_Protocol_GAT3", "0"},        {"S7_Protocol_GAT4", "1"},
            {"S7_Protocol_EN_GAT", "0"},      {"Eth_Conn_Device_Name", ""},
            {"Eth_Conn_DHCP_Cable", "0"},     {"Eth_Conn_DHCP_WiFi", "0"},
            {"Eth_Conn_Enable_DNS", "0"},     {"Eth_Conn_Primary_DNS1", "8"},
            {"Eth_Conn_Primary_DNS2", "8"},   {"Eth_Conn_Primary_DNS3", "8"},
            {"Eth_Conn_Primary_DNS4", "8"},   {"Eth_Conn_Secondary_DNS1", "8"},
            {"Eth_Conn_Secondary_DNS2", "8"}, {"Eth_Conn_Secondary_DNS3", "8"},
            {"Eth_Conn_Secondary_DNS4", "8"}, {"KNX_TYPE", "0"},
            {"KNX_ID_DEV", "1.1.200"}};
}

// A KNX rule with every attribute the dialog writes: source 1.1.20 to 1/2/3,
// Write, Low, Swap16, on change and every 2000 ms, 2 bytes at position 10.
inline Fields KNX_Rule_Row() {
    return {{"Enable", "Y"},
            {"Source_Address", "1.1.20"},
            {"Destination_Address", "1/2/3"},
            {"APCI", "Write"},
            {"Priority", "Low"},
            {"Format", "Swap16"},
            {"MultiplicationFactor", ""},
            {"Extended", "N"},
            {"ReTest", "N"},
            {"On_Command", "N"},
            {"On_Change", "Y"},
            {"On_Timer", "Y"},
            {"Poll_Time", "2000"},
            {"Position", "10"},
            {"Bit_Mode", "No"},
            {"Length", "2"},
            {"TimeOut", "0"},
            {"Mnemonic", "Light kitchen"}};
}

// An S7comm read request: PLC 192.168.1.125:102, S71500 rack 0 slot 1,
// Word of DB 10 in the flag area at 20, every 500 ms to position 3, swapped.
inline Fields S7_Read_Row() {
    return {{"Enable", "Y"},       {"PLC_Address", "192.168.1.125"},
            {"PLC_Port", "102"},   {"PLC_Type", "S71500"},
            {"Rack", "0"},         {"Slot", "1"},
            {"Data_Type", "Word"}, {"Data_Identifier", "DB"},
            {"DB_Number", "10"},   {"PLC_Area", "Flags (M) (Merker)"},
            {"PLC_Add", "20"},     {"PLC_Bit", "0"},
            {"PollTime", "500"},   {"Position", "3"},
            {"Bit", "0"},          {"Swap", "Y"},
            {"SwapWord", "N"},     {"Mnemonic", "Tank level"}};
}

// The same request in the write list: on change, not on command.
inline Fields S7_Write_Row() {
    Fields f = S7_Read_Row();
    Fields w;
    for (auto& p : f) {
        if (p.first == "Position") {
            w.emplace_back("OnChange", "Y");
            w.emplace_back("OnCMD", "N");
        }
        w.push_back(p);
    }
    return w;
}

} // namespace ks::test
