#include <string>

#include "core/text_util.h"
#include "settings/par_gen.h"
#include "tables/conversions.h"

namespace ks {
namespace {

enum class When { Always, Dns, Gateway };

struct ByteRule {
    When when;
    std::string ParGenSettings::*field;
    int text;
};

using P = ParGenSettings;
// In the order the rules run; the first failure ends the check.
constexpr ByteRule kByteRules[] = {
    {When::Dns, &P::Eth_Conn_Primary_DNS1, 948},   {When::Dns, &P::Eth_Conn_Primary_DNS2, 949},
    {When::Dns, &P::Eth_Conn_Primary_DNS3, 950},   {When::Dns, &P::Eth_Conn_Primary_DNS4, 951},
    {When::Dns, &P::Eth_Conn_Secondary_DNS1, 952}, {When::Dns, &P::Eth_Conn_Secondary_DNS2, 953},
    {When::Dns, &P::Eth_Conn_Secondary_DNS3, 954}, {When::Dns, &P::Eth_Conn_Secondary_DNS4, 955},
    {When::Always, &P::S7_Protocol_IP1, 451},      {When::Always, &P::S7_Protocol_IP2, 452},
    {When::Always, &P::S7_Protocol_IP3, 453},      {When::Always, &P::S7_Protocol_IP4, 454},
    {When::Always, &P::S7_Protocol_SM1, 455},      {When::Always, &P::S7_Protocol_SM2, 456},
    {When::Always, &P::S7_Protocol_SM3, 457},      {When::Always, &P::S7_Protocol_SM4, 458},
    {When::Gateway, &P::S7_Protocol_GAT1, 459},    {When::Gateway, &P::S7_Protocol_GAT2, 460},
    {When::Gateway, &P::S7_Protocol_GAT3, 461},    {When::Gateway, &P::S7_Protocol_GAT4, 462},
};

constexpr int kKnxIdText = 632;

bool Applies(When w, const ParGenSettings& s) {
    switch (w) {
        case When::Dns: return s.Eth_Conn_Enable_DNS;
        case When::Gateway: return s.S7_Protocol_EN_GAT;
        case When::Always: break;
    }
    return true;
}

} // namespace

int Controllo_Dati(const ParGenSettings& s) {
    for (const ByteRule& r : kByteRules) {
        if (!Applies(r.when, s)) continue;
        const int32_t v = Int_Value(s.*r.field, -1);
        if (v < 0 || v > 255) return r.text;
    }
    // Blanks around the address are forgiven for the check only; the file
    // keeps the text as typed.
    if (!Check_KNX_Address(Trim(s.KNX_ID_DEV), /*group_mode=*/false, /*zero_allowed=*/false)) return kKnxIdText;
    return ParGen_Valid;
}

} // namespace ks
