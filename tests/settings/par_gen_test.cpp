#include "settings/par_gen.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "core/text_util.h"
#include "support/test_support.h"
#include "texts/text_table.h"

namespace ks {
namespace {

using P = ParGenSettings;

const char* const kDefaultFile =
    "<Par_Gen><S7_Protocol_IP1>192</S7_Protocol_IP1><S7_Protocol_IP2>168</S7_Protocol_IP2>"
    "<S7_Protocol_IP3>0</S7_Protocol_IP3><S7_Protocol_IP4>5</S7_Protocol_IP4>"
    "<S7_Protocol_SM1>255</S7_Protocol_SM1><S7_Protocol_SM2>255</S7_Protocol_SM2>"
    "<S7_Protocol_SM3>255</S7_Protocol_SM3><S7_Protocol_SM4>0</S7_Protocol_SM4>"
    "<S7_Protocol_GAT1>192</S7_Protocol_GAT1><S7_Protocol_GAT2>168</S7_Protocol_GAT2>"
    "<S7_Protocol_GAT3>0</S7_Protocol_GAT3><S7_Protocol_GAT4>1</S7_Protocol_GAT4>"
    "<S7_Protocol_EN_GAT>0</S7_Protocol_EN_GAT><Eth_Conn_Device_Name></Eth_Conn_Device_Name>"
    "<Eth_Conn_DHCP_Cable>0</Eth_Conn_DHCP_Cable><Eth_Conn_DHCP_WiFi>0</Eth_Conn_DHCP_WiFi>"
    "<Eth_Conn_Enable_DNS>0</Eth_Conn_Enable_DNS>"
    "<Eth_Conn_Primary_DNS1>8</Eth_Conn_Primary_DNS1><Eth_Conn_Primary_DNS2>8</Eth_Conn_Primary_DNS2>"
    "<Eth_Conn_Primary_DNS3>8</Eth_Conn_Primary_DNS3><Eth_Conn_Primary_DNS4>8</Eth_Conn_Primary_DNS4>"
    "<Eth_Conn_Secondary_DNS1>8</Eth_Conn_Secondary_DNS1><Eth_Conn_Secondary_DNS2>8</Eth_Conn_Secondary_DNS2>"
    "<Eth_Conn_Secondary_DNS3>8</Eth_Conn_Secondary_DNS3><Eth_Conn_Secondary_DNS4>8</Eth_Conn_Secondary_DNS4>"
    "<KNX_TYPE>0</KNX_TYPE><KNX_ID_DEV>1.1.200</KNX_ID_DEV></Par_Gen><!--SW_VERSION = 1.001-->";

P Loaded(const std::string& xml) {
    const ParGenLoad r = Load_ParGen_From_String(xml);
    EXPECT_EQ(r.error, "") << xml;
    return r.settings;
}

std::string In_Root(const std::string& inner) { return "<Par_Gen>" + inner + "</Par_Gen>"; }

TEST(ParGenFile, DefaultRecordIsWrittenElementForElementInOrder) {
    const P d = Default_ParGen();
    EXPECT_EQ(d.S7_Protocol_IP4, "5");
    EXPECT_EQ(d.KNX_ID_DEV, "1.1.200");
    EXPECT_EQ(ParGen_To_Xml(d), kDefaultFile);
}

TEST(ParGenFile, SomethingBeforeTheRootIsReportedNotReadAsDefaults) {
    // Read as defaults, the next OK would silently overwrite the user's values.
    for (const char* head : {"<?xml version=\"1.0\"?>", "<!-- edited -->", "<?pi x?>"}) {
        const ParGenLoad r = Load_ParGen_From_String(std::string(head) + In_Root("<KNX_ID_DEV>1.1.9</KNX_ID_DEV>"));
        EXPECT_NE(r.error.find("root element"), std::string::npos) << head;
    }
}

TEST(ParGenFile, MissingFileGivesDefaultsAndCreatesNothing) {
    test::TempDir dir;
    const std::string path = dir / "ParGen.xml";
    const ParGenLoad r = Load_ParGen(path);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.settings, Default_ParGen());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ParGenFile, SaveThenLoadGivesTheSameRecord) {
    test::TempDir dir;
    const std::string path = dir / "ParGen.xml";
    P s;
    s.S7_Protocol_IP1 = "010";  // leading zero kept
    s.S7_Protocol_IP2 = " 7 ";  // blanks kept
    s.S7_Protocol_IP3 = "";
    s.S7_Protocol_SM4 = "  ";  // a blank-only text is not dropped
    s.S7_Protocol_GAT4 = "a<b>&\"c'";
    s.S7_Protocol_EN_GAT = true;
    s.Eth_Conn_Device_Name = "K\xC3\xA4ltemaschine-1";  // UTF-8
    s.Eth_Conn_DHCP_Cable = true;
    s.Eth_Conn_Enable_DNS = true;
    s.Eth_Conn_Primary_DNS1 = "x\r\ny";
    s.Eth_Conn_Secondary_DNS4 = std::string(100000, 'z');
    s.KNX_TYPE = 1;
    s.KNX_ID_DEV = " 1.1.20 ";
    ASSERT_EQ(Save_ParGen(path, s), "");
    const ParGenLoad r = Load_ParGen(path);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.settings, s);
    // Saving again replaces the file.
    ASSERT_EQ(Save_ParGen(path, P{}), "");
    EXPECT_EQ(Read_File(path).value_or(""), kDefaultFile);
}

TEST(ParGenFile, ElementsFallBackOneByOne) {
    P expected;
    expected.S7_Protocol_IP4 = "9";
    EXPECT_EQ(Loaded(In_Root("<S7_Protocol_IP4>9</S7_Protocol_IP4>")), expected);
    // Root of another name, repeated element (first wins), wrong case, an
    // element holding markup, an extra element.
    const P s = Loaded(
        "<Other>\n  <S7_Protocol_IP1>10</S7_Protocol_IP1><S7_Protocol_IP1>11</S7_Protocol_IP1>"
        "<s7_protocol_ip2>1</s7_protocol_ip2><S7_Protocol_IP3><b>1</b></S7_Protocol_IP3>"
        "<S7_Protocol_SM1>25<!--x-->5</S7_Protocol_SM1><KNX_ID_DEV><![CDATA[1.2.3]]></KNX_ID_DEV>"
        "<Foreign>1</Foreign>\n</Other>");
    EXPECT_EQ(s.S7_Protocol_IP1, "10");
    EXPECT_EQ(s.S7_Protocol_IP2, "168");
    EXPECT_EQ(s.S7_Protocol_IP3, "0");
    EXPECT_EQ(s.S7_Protocol_SM1, "255");
    EXPECT_EQ(s.KNX_ID_DEV, "1.2.3");
    EXPECT_EQ(ParGen_To_Xml(s).find("Foreign"), std::string::npos);
    EXPECT_EQ(ParGen_To_Xml(s).rfind("<Par_Gen>", 0), 0u);
}

TEST(ParGenFile, FlagsAndMediumAreReadStrictly) {
    struct Case {
        const char* text;
        bool flag;
        int32_t knx_type;
    };
    const Case cases[] = {
        {"1", true, 1},    {"0", false, 0},   {"true", false, 0}, {" 1", false, 1},
        {"1 ", false, 0},  {"", false, 0},    {"01", false, 1},   {"$1", false, 1},
        {"0x1", false, 1}, {"-1", false, 0},  {"2", false, 0},    {"99999999999", false, 0},
        {"abc", false, 0},
    };
    for (const Case& c : cases) {
        const std::string t = c.text;
        const P s = Loaded(In_Root("<S7_Protocol_EN_GAT>" + t + "</S7_Protocol_EN_GAT><Eth_Conn_DHCP_Cable>" + t +
                                   "</Eth_Conn_DHCP_Cable><Eth_Conn_Enable_DNS>" + t +
                                   "</Eth_Conn_Enable_DNS><KNX_TYPE>" + t + "</KNX_TYPE>"));
        EXPECT_EQ(s.S7_Protocol_EN_GAT, c.flag) << t;
        EXPECT_EQ(s.Eth_Conn_DHCP_Cable, c.flag) << t;
        EXPECT_EQ(s.Eth_Conn_Enable_DNS, c.flag) << t;
        EXPECT_EQ(s.KNX_TYPE, c.knx_type) << t;
    }
}

TEST(ParGenFile, WiFiDhcpIsNeverReadAndSavedAsZero) {
    const P s = Loaded(In_Root("<Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>"));
    EXPECT_FALSE(s.Eth_Conn_DHCP_WiFi);
    EXPECT_NE(ParGen_To_Xml(s).find("<Eth_Conn_DHCP_WiFi>0</Eth_Conn_DHCP_WiFi>"), std::string::npos);
}

TEST(ParGenFile, DamagedOrUnreadableFileIsAnErrorWithDefaults) {
    test::TempDir dir;
    const char* const bad[] = {"not xml at all", "<Par_Gen><S7_Protocol_IP1>1</Par_Gen>", "", "\xEF\xBB\xBF"};
    for (const char* text : bad) {
        const std::string path = dir.Write("ParGen.xml", text);
        const ParGenLoad r = Load_ParGen(path);
        EXPECT_NE(r.error.find(path), std::string::npos) << text;
        EXPECT_EQ(r.settings, Default_ParGen()) << text;
    }
    std::filesystem::create_directory(dir / "AsFolder.xml");
    EXPECT_NE(Load_ParGen(dir / "AsFolder.xml").error, "");
}

TEST(ParGenFile, FailedSaveIsReported) {
    test::TempDir dir;
    EXPECT_NE(Save_ParGen(Join_Path(dir / "gone", "ParGen.xml"), P{}), "");
    // A folder standing where the file should go cannot be replaced.
    std::filesystem::create_directory(dir / "ParGen.xml");
    EXPECT_NE(Save_ParGen(dir / "ParGen.xml", P{}), "");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "ParGen.xml"));
}

// ---- Controllo_Dati ----

struct CheckCase {
    const char* what;
    void (*change)(P&);
    int text;  // expected result
};

const CheckCase kChecks[] = {
    {"defaults", [](P&) {}, ParGen_Valid},
    {"DNS off ignores its bytes", [](P& s) { s.Eth_Conn_Primary_DNS1 = "999"; }, ParGen_Valid},
    {"DNS1 999", [](P& s) { s.Eth_Conn_Enable_DNS = true; s.Eth_Conn_Primary_DNS1 = "999"; }, 948},
    {"DNS2 -1", [](P& s) { s.Eth_Conn_Enable_DNS = true; s.Eth_Conn_Primary_DNS2 = "-1"; }, 949},
    {"DNS3 256 comes before bad S7 bytes",
     [](P& s) {
         s.Eth_Conn_Enable_DNS = true;
         s.Eth_Conn_Primary_DNS3 = "256";
         s.S7_Protocol_IP1 = "x";
     },
     950},
    {"DNS4 empty", [](P& s) { s.Eth_Conn_Enable_DNS = true; s.Eth_Conn_Primary_DNS4 = ""; }, 951},
    {"SDNS1 real", [](P& s) { s.Eth_Conn_Enable_DNS = true; s.Eth_Conn_Secondary_DNS1 = "1.5"; }, 952},
    {"SDNS2 300", [](P& s) { s.Eth_Conn_Enable_DNS = true; s.Eth_Conn_Secondary_DNS2 = "300"; }, 953},
    {"SDNS3 letters", [](P& s) { s.Eth_Conn_Enable_DNS = true; s.Eth_Conn_Secondary_DNS3 = "abc"; }, 954},
    {"SDNS4 trailing blank", [](P& s) { s.Eth_Conn_Enable_DNS = true; s.Eth_Conn_Secondary_DNS4 = "8 "; }, 955},
    {"DNS on, hexadecimal and signed bytes pass",
     [](P& s) {
         s.Eth_Conn_Enable_DNS = true;
         s.Eth_Conn_Primary_DNS1 = "$FF";
         s.Eth_Conn_Secondary_DNS1 = "+0";
     },
     ParGen_Valid},
    {"IP1 empty", [](P& s) { s.S7_Protocol_IP1 = ""; }, 451},
    {"IP1 letters", [](P& s) { s.S7_Protocol_IP1 = "abc"; }, 451},
    {"IP2 300 with DHCP on", [](P& s) { s.Eth_Conn_DHCP_Cable = true; s.S7_Protocol_IP2 = "300"; }, 452},
    {"IP3 negative hexadecimal", [](P& s) { s.S7_Protocol_IP3 = "-0x1"; }, 453},
    {"IP4 trailing blank", [](P& s) { s.S7_Protocol_IP4 = "5 "; }, 454},
    {"IP4 leading blank", [](P& s) { s.S7_Protocol_IP4 = " 5"; }, ParGen_Valid},
    {"IP4 hexadecimal 0x100", [](P& s) { s.S7_Protocol_IP4 = "0x100"; }, 454},
    {"IP4 beyond 32 bits", [](P& s) { s.S7_Protocol_IP4 = "4294967301"; }, 454},
    {"SM1 256", [](P& s) { s.S7_Protocol_SM1 = "256"; }, 455},
    {"SM2 -1", [](P& s) { s.S7_Protocol_SM2 = "-1"; }, 456},
    {"SM3 empty", [](P& s) { s.S7_Protocol_SM3 = ""; }, 457},
    {"SM4 letter", [](P& s) { s.S7_Protocol_SM4 = "x"; }, 458},
    {"odd mask passes",
     [](P& s) {
         s.S7_Protocol_SM1 = "255";
         s.S7_Protocol_SM2 = "0";
         s.S7_Protocol_SM3 = "255";
         s.S7_Protocol_SM4 = "0";
     },
     ParGen_Valid},
    {"gateway off ignores its bytes", [](P& s) { s.S7_Protocol_GAT1 = "abc"; }, ParGen_Valid},
    {"GAT1 letters", [](P& s) { s.S7_Protocol_EN_GAT = true; s.S7_Protocol_GAT1 = "abc"; }, 459},
    {"GAT2 256", [](P& s) { s.S7_Protocol_EN_GAT = true; s.S7_Protocol_GAT2 = "256"; }, 460},
    {"GAT3 empty", [](P& s) { s.S7_Protocol_EN_GAT = true; s.S7_Protocol_GAT3 = ""; }, 461},
    {"GAT4 negative", [](P& s) { s.S7_Protocol_EN_GAT = true; s.S7_Protocol_GAT4 = "-5"; }, 462},
    {"KNX blanks around", [](P& s) { s.KNX_ID_DEV = "  1.1.200 "; }, ParGen_Valid},
    {"KNX plain number", [](P& s) { s.KNX_ID_DEV = "4552"; }, ParGen_Valid},
    {"KNX 0.0.0", [](P& s) { s.KNX_ID_DEV = "0.0.0"; }, 632},
    {"KNX area 16", [](P& s) { s.KNX_ID_DEV = "16.1.1"; }, 632},
    {"KNX line 16", [](P& s) { s.KNX_ID_DEV = "1.16.1"; }, 632},
    {"KNX device 256", [](P& s) { s.KNX_ID_DEV = "1.1.256"; }, 632},
    {"KNX group form", [](P& s) { s.KNX_ID_DEV = "1/1/1"; }, 632},
    {"KNX empty", [](P& s) { s.KNX_ID_DEV = ""; }, 632},
    {"KNX huge text", [](P& s) { s.KNX_ID_DEV = std::string(100000, '1'); }, 632},
    {"device name and medium are not checked",
     [](P& s) {
         s.Eth_Conn_Device_Name = "?? !!";
         s.KNX_TYPE = 7;
     },
     ParGen_Valid},
};

TEST(ParGenCheck, FirstFailingRuleGivesItsText) {
    for (const CheckCase& c : kChecks) {
        P s;
        c.change(s);
        EXPECT_EQ(Controllo_Dati(s), c.text) << c.what;
    }
}

TEST(ParGenCheck, TextIndicesNameTheRightMessages) {
    TextTable t;
    t.Load_Default_Texts();
    EXPECT_EQ(t[948], "Error Primary DNS!! DNS 1 must be between 0 and 255");
    EXPECT_EQ(t[955], "Error Secondary DNS!! DNS 4 must be between 0 and 255");
    EXPECT_EQ(t[451], "Error S7comm!! IP Address 1 must be between 0 and 255");
    EXPECT_EQ(t[458], "Error S7comm!! SubNet Mask 4 must be between 0 and 255");
    EXPECT_EQ(t[462], "Error S7comm!! GATEWAY IP 4 must be between 0 and 255");
    EXPECT_EQ(t[632], "Error KNX!! ID Device must be a valid KNX Address (Ex. 1.1.20)");
}

} // namespace
} // namespace ks
