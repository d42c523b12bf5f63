#include "tables/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ks {
namespace {

struct KnxCase {
    const char* text;
    bool group;
    bool zero_allowed;
    bool valid;
};

TEST(CheckKnxAddress, Forms) {
    const KnxCase cases[] = {
        // individual, three parts
        {"1.1.20", false, false, true},
        {"15.15.255", false, false, true},
        {"15.16.0", false, true, false},
        {"16.1.1", false, true, false},
        {"1.1.256", false, true, false},
        {"0.0.0", false, false, false},
        {"0.0.0", false, true, true},
        {"0.0.1", false, false, true},
        {"1.1.2.3", false, true, false},
        {" 1 . 1 . 20 ", false, false, true},  // parts are trimmed
        {"1..20", false, true, false},          // empty line part
        {"a.1.1", false, true, false},
        {"-1.1.1", false, true, false},
        {"$F.$F.$FF", false, false, true},      // integer value reads hexadecimal
        // individual, two parts: refused whatever the ranges
        {"1.20", false, true, false},
        {"0.1", false, false, false},
        {"15.255", false, true, false},
        // individual, raw number
        {"65535", false, false, true},
        {"1", false, false, true},
        {"0", false, true, false},
        {"65536", false, true, false},
        {"", false, true, false},
        {"1.1/2", false, true, false},
        {"1/2/3", false, true, false},
        // group
        {"1/2/3", true, true, true},
        {"31/7/255", true, true, true},
        {"31/2047", true, true, true},
        {"32/0", true, true, false},
        {"0/2048", true, true, false},
        {"0/0", true, true, false},
        {"0/1", true, true, true},
        {"0/0/0", true, true, false},
        {"1/8/0", true, true, false},
        {"1/2/3/4", true, true, false},
        {"1234", true, true, true},
        {"65535", true, true, true},
        {"0", true, true, false},
        {"65536", true, true, false},
        {"1.1/2", true, true, false},
        {"1/2.3", true, true, false},
        {"1//3", true, true, false},
        {"", true, true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Check_KNX_Address(c.text, c.group, c.zero_allowed), c.valid)
            << '"' << c.text << "\" group=" << c.group << " zero=" << c.zero_allowed;
}

TEST(KnxCodes, GroupTextAndNames) {
    EXPECT_TRUE(Is_KNX_Group_Text("1/2/3"));
    EXPECT_TRUE(Is_KNX_Group_Text("4660"));
    EXPECT_FALSE(Is_KNX_Group_Text("1.1.20"));

    EXPECT_EQ(APCI_Code("write"), 128u);
    EXPECT_EQ(APCI_Code("WRITE"), 128u);
    EXPECT_EQ(APCI_Code("Read"), 0u);
    EXPECT_EQ(APCI_Code("200"), 200u);
    EXPECT_EQ(APCI_Code("$40"), 64u);
    EXPECT_EQ(APCI_Code("abc"), 0u);
    EXPECT_EQ(APCI_Code(""), 0u);

    const std::pair<const char*, int> prio[] = {{"system", 0}, {"Normal", 1}, {"urgent", 2}, {"LOW", 3},
                                                {"", 1},       {"high", 1},   {" low", 1}};
    for (const auto& [t, code] : prio) EXPECT_EQ(Priority_Code(t), code) << t;

    const std::pair<const char*, uint16_t> fmt[] = {
        {"None", 0x0000},
        {"Swap16", 0x1000},
        {"SWAP32", 0x2000},
        {"swap all", 0x3000},
        {"Int to Float", 0x4000},
        {"Float to Int", 0x5000},
        {"Float16 to Float32", 0x6000},
        {"Float16 to Int", 0x7000},
        {"Float16 to Int * 10", 0x8000},
        {"Float16 to Int * 100", 0x9000},
        {"Swap 16", 0x0000},
        {"", 0x0000},
        {"Float16 to Int *100", 0x0000},
    };
    for (const auto& [t, code] : fmt) EXPECT_EQ(Format_Code(t), code) << t;
}

TEST(TextToReal, AcceptedForms) {
    struct Case {
        const char* text;
        char sep;
        bool ok;
        float value;
    };
    const Case cases[] = {
        {"1,5", '.', true, 1.5f},
        {"1.5", '.', true, 1.5f},
        {"1,5", ',', true, 1.5f},
        {"1.5", ',', true, 1.5f},
        {"-2.25", '.', true, -2.25f},
        {"+3", '.', true, 3.0f},
        {"10", ',', true, 10.0f},
        {".5", '.', true, 0.5f},
        {"5.", '.', true, 5.0f},
        {"1e3", '.', true, 1000.0f},
        {"2,5E-1", ',', true, 0.25f},
        {" 1.5 ", '.', true, 1.5f},  // surrounding blanks are allowed
        {"0", '.', true, 0.0f},
        {"1e-50", '.', true, 0.0f},  // rounds to zero as a 32-bit real
        // failures give 1.0
        {"1.000,5", '.', false, 1.0f},
        {"1.000.5", ',', false, 1.0f},
        {"abc", '.', false, 1.0f},
        {"", '.', false, 1.0f},
        {"   ", '.', false, 1.0f},
        {".", '.', false, 1.0f},
        {"-", '.', false, 1.0f},
        {"1e", '.', false, 1.0f},
        {"1e+", '.', false, 1.0f},
        {"e5", '.', false, 1.0f},
        {"1.5x", '.', false, 1.0f},
        {"1 5", '.', false, 1.0f},
        {"--1", '.', false, 1.0f},
        {"0x10", '.', false, 1.0f},
        {"inf", '.', false, 1.0f},
        {"nan", '.', false, 1.0f},
        {"1e39", '.', false, 1.0f},  // beyond a 32-bit real
        {"1e400", '.', false, 1.0f},
    };
    for (const auto& c : cases) {
        const RealResult r = Text_To_Real(c.text, c.sep);
        EXPECT_EQ(r.ok, c.ok) << '"' << c.text << '"';
        EXPECT_FLOAT_EQ(r.value, c.value) << '"' << c.text << '"';
    }
}

TEST(DecimalSeparator, IsCommaOrPoint) {
    const char c = Decimal_Separator();
    EXPECT_TRUE(c == ',' || c == '.');
}

TEST(IpTextToBytes, StrictReading) {
    struct Case {
        const char* text;
        std::array<uint8_t, 4> bytes;
        bool error;
    };
    const Case cases[] = {
        {"192.168.1.125", {192, 168, 1, 125}, false},
        {"0.0.0.0", {0, 0, 0, 0}, false},
        {" 10.0.0.1", {10, 0, 0, 1}, false},
        {"10.0.0.1 ", {10, 0, 0, 0}, true},
        {"192.168.1.256", {192, 168, 1, 0}, true},
        {"192.168.1", {192, 168, 0, 1}, true},  // third part empty, fourth is what remains
        {"1.2.3.4.5", {1, 2, 3, 0}, true},
        {"1..3.4", {1, 0, 3, 4}, true},
        {"-1.2.3.4", {0, 2, 3, 4}, true},
        {"a.b.c.d", {0, 0, 0, 0}, true},
        {"$C0.$A8.1.1", {192, 168, 1, 1}, false},
    };
    for (const auto& c : cases) {
        const IpBytes r = IP_Text_To_Bytes(c.text);
        EXPECT_EQ(r.error, c.error) << '"' << c.text << '"';
        EXPECT_EQ(r.bytes, c.bytes) << '"' << c.text << '"';
    }
    EXPECT_TRUE(IP_Text_To_Bytes("").error);
}

TEST(CheckIpText, TolerantReading) {
    const IpParts ok = Check_IP_Text("  192 . 168 .2 . 205  ");
    ASSERT_TRUE(ok.valid);
    EXPECT_EQ(ok.parts, (std::array<std::string, 4>{"192", "168", "2", "205"}));

    const char* bad[] = {"192.168.2", "192.168.2.256", "192.168.2.205.1", "", "a.b.c.d",
                         "1..2.3",    "-1.0.0.0",      "1.2.3.",          "192,168,2,205"};
    for (const char* t : bad) EXPECT_FALSE(Check_IP_Text(t).valid) << '"' << t << '"';
    EXPECT_TRUE(Check_IP_Text("0.0.0.0").valid);
}

} // namespace
} // namespace ks
