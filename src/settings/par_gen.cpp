#include "settings/par_gen.h"

#include <pugixml.hpp>

#include "core/text_util.h"
#include "core/xml_util.h"
#include "tables/xml_read.h"

namespace ks {
namespace {

// The 27 elements of the file in the order they are written. Exactly one of
// `text` and `flag` is set, except for KNX_TYPE (neither).
struct Element {
    const char* name;
    std::string ParGenSettings::*text;
    bool ParGenSettings::*flag;
};

using P = ParGenSettings;
constexpr Element kElements[] = {
    {"S7_Protocol_IP1", &P::S7_Protocol_IP1, nullptr},
    {"S7_Protocol_IP2", &P::S7_Protocol_IP2, nullptr},
    {"S7_Protocol_IP3", &P::S7_Protocol_IP3, nullptr},
    {"S7_Protocol_IP4", &P::S7_Protocol_IP4, nullptr},
    {"S7_Protocol_SM1", &P::S7_Protocol_SM1, nullptr},
    {"S7_Protocol_SM2", &P::S7_Protocol_SM2, nullptr},
    {"S7_Protocol_SM3", &P::S7_Protocol_SM3, nullptr},
    {"S7_Protocol_SM4", &P::S7_Protocol_SM4, nullptr},
    {"S7_Protocol_GAT1", &P::S7_Protocol_GAT1, nullptr},
    {"S7_Protocol_GAT2", &P::S7_Protocol_GAT2, nullptr},
    {"S7_Protocol_GAT3", &P::S7_Protocol_GAT3, nullptr},
    {"S7_Protocol_GAT4", &P::S7_Protocol_GAT4, nullptr},
    {"S7_Protocol_EN_GAT", nullptr, &P::S7_Protocol_EN_GAT},
    {"Eth_Conn_Device_Name", &P::Eth_Conn_Device_Name, nullptr},
    {"Eth_Conn_DHCP_Cable", nullptr, &P::Eth_Conn_DHCP_Cable},
    {"Eth_Conn_DHCP_WiFi", nullptr, &P::Eth_Conn_DHCP_WiFi},
    {"Eth_Conn_Enable_DNS", nullptr, &P::Eth_Conn_Enable_DNS},
    {"Eth_Conn_Primary_DNS1", &P::Eth_Conn_Primary_DNS1, nullptr},
    {"Eth_Conn_Primary_DNS2", &P::Eth_Conn_Primary_DNS2, nullptr},
    {"Eth_Conn_Primary_DNS3", &P::Eth_Conn_Primary_DNS3, nullptr},
    {"Eth_Conn_Primary_DNS4", &P::Eth_Conn_Primary_DNS4, nullptr},
    {"Eth_Conn_Secondary_DNS1", &P::Eth_Conn_Secondary_DNS1, nullptr},
    {"Eth_Conn_Secondary_DNS2", &P::Eth_Conn_Secondary_DNS2, nullptr},
    {"Eth_Conn_Secondary_DNS3", &P::Eth_Conn_Secondary_DNS3, nullptr},
    {"Eth_Conn_Secondary_DNS4", &P::Eth_Conn_Secondary_DNS4, nullptr},
    {"KNX_TYPE", nullptr, nullptr},
    {"KNX_ID_DEV", &P::KNX_ID_DEV, nullptr},
};

// The text of an element that holds plain text only (character data, any
// number of pieces, or nothing); empty when it holds anything else.
std::optional<std::string> Plain_Text(pugi::xml_node e) {
    std::string text;
    for (pugi::xml_node c : e.children()) {
        if (c.type() != pugi::node_pcdata && c.type() != pugi::node_cdata) return std::nullopt;
        text += c.value();
    }
    return text;
}

// Element text is kept as typed: blank-only texts survive and no line-end
// translation changes a carriage return.
unsigned int ParGen_Parse_Options() { return (Parse_Options() | pugi::parse_ws_pcdata) & ~pugi::parse_eol; }

} // namespace

ParGenSettings Default_ParGen() { return ParGenSettings{}; }

ParGenLoad Load_ParGen_From_String(std::string_view xml) {
    ParGenLoad r;
    pugi::xml_document doc;
    r.error = Parse_Xml_Text(doc, xml, ParGen_Parse_Options());
    if (r.error.empty()) r.error = Root_Element_Error(doc);
    if (!r.error.empty()) return r;
    const pugi::xml_node root = First_Node(doc);
    for (const Element& el : kElements) {
        if (el.flag == &P::Eth_Conn_DHCP_WiFi) continue;  // never read: this model has no Wi-Fi
        const pugi::xml_node e = root.child(el.name);
        if (!e) continue;
        const auto text = Plain_Text(e);
        if (!text) continue;
        if (el.text) {
            r.settings.*el.text = *text;
        } else if (el.flag) {
            r.settings.*el.flag = *text == "1";
        } else {
            const int32_t v = Int_Value(*text, 0);
            r.settings.KNX_TYPE = (v == 0 || v == 1) ? v : 0;
        }
    }
    return r;
}

ParGenLoad Load_ParGen(const std::string& path) {
    return Load_Project_File<ParGenLoad>(path, Load_ParGen_From_String);
}

static pugi::xml_document Build_ParGen(const ParGenSettings& s) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Par_Gen");
    doc.append_child(pugi::node_comment).set_value("SW_VERSION = 1.001");
    for (const Element& el : kElements) {
        pugi::xml_node e = root.append_child(el.name);
        if (el.text) e.text().set((s.*el.text).c_str());
        else if (el.flag) e.text().set(s.*el.flag ? "1" : "0");
        else e.text().set(std::to_string(s.KNX_TYPE).c_str());
    }
    return doc;
}

std::string ParGen_To_Xml(const ParGenSettings& s) { return Xml_To_String(Build_ParGen(s)); }

std::string Save_ParGen(const std::string& path, const ParGenSettings& s) {
    return Write_File_Atomic(path, ParGen_To_Xml(s));
}

} // namespace ks
