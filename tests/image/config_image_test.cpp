#include "image/config_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/text_util.h"
#include "support/project_files.h"
#include "support/test_support.h"

namespace ks {
namespace {

using test::Fields;
using test::With;
using test::Without;
using Bytes = std::vector<uint8_t>;

// A project folder with a bin folder, as a new configuration has.
class ImageProject : public ::testing::Test {
protected:
    test::TempDir dir;

    void SetUp() override { std::filesystem::create_directories(dir / "bin"); }

    void ParGen(const std::string& text) { dir.Write("ParGen.xml", text); }
    void KNX(const std::vector<Fields>& rows) { dir.Write("KNX_SetAccess.xml", test::KNX_File(rows)); }
    void S7(const std::vector<Fields>& read, const std::vector<Fields>& write) {
        dir.Write("S7_Protocol.xml", test::S7_File(read, write));
    }

    CompileResult Compile(char sep = '.') { return Compile_Bin(Image_Sources_Of(dir.Path()), sep); }

    // Compiles and expects success.
    ConfigImage Image(char sep = '.') {
        CompileResult r = Compile(sep);
        EXPECT_TRUE(r.Ok()) << r.Error;
        return r.Image;
    }
};

Bytes Slice(const Bytes& b, size_t off, size_t len) { return Bytes(b.begin() + off, b.begin() + off + len); }
Bytes KNX_Record(const ConfigImage& img, size_t i) {
    return Slice(img.Bank2_Image, KNX_Rule_Size * i, KNX_Rule_Size);
}
Bytes S7_Record(const ConfigImage& img, size_t i) {
    return Slice(img.Bank2_Image, Bank2_S7_Offset + S7_Rule_Size * i, S7_Rule_Size);
}
uint32_t U32_At(const Bytes& b, size_t off) { return Get_U32(b.data() + off); }
uint16_t U16_At(const Bytes& b, size_t off) { return Get_U16(b.data() + off); }

const Bytes kResetKNXRecord = {0, 0, 0, 0, 0, 0, 0, 0, 0,    0,    0,    0,
                               0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0x80, 0x3F};

// Bank 1 of a project without files, built here field by field.
Bytes Empty_Project_Bank1() {
    Bytes b(Bank1_Size, 0);
    auto u32 = [&](size_t off, uint32_t v) { Put_U32(b.data() + off, v); };
    auto u16 = [&](size_t off, uint16_t v) { Put_U16(b.data() + off, v); };
    u32(0x000, 250000);
    u32(0x004, 250000);
    u32(0x00C, 9600);
    const uint8_t net[12] = {192, 168, 2, 205, 255, 255, 255, 0, 255, 255, 255, 255};
    std::memcpy(b.data() + 0x028, net, 12);
    u16(0x034, 10000);
    u16(0x036, 10001);
    u16(0x038, 10001);
    std::memset(b.data() + 0x1B4, 8, 8);
    u32(0x1BC, 0x80000);
    u32(0x1C0, 0x80000);
    u32(0x654, 0x86000);
    b[0x7FC] = 0xFA;  // 3578
    b[0x7FD] = 0x0D;
    return b;
}

TEST_F(ImageProject, EmptyProjectGivesFixedDefaults) {
    const ConfigImage img = Image();
    EXPECT_EQ(img.Bank1_Image, Empty_Project_Bank1());
    EXPECT_EQ(U32_At(img.Bank1_Image, 0x7FC), 3578u);
    ASSERT_EQ(img.Bank2_Image.size(), Bank2_Size);
    for (size_t i = 0; i < Rule_Table_Capacity; ++i) ASSERT_EQ(KNX_Record(img, i), kResetKNXRecord) << i;
    for (size_t i = Bank2_S7_Offset; i < Bank2_Size; ++i) ASSERT_EQ(img.Bank2_Image[i], 0) << i;
}

TEST_F(ImageProject, DefaultSettingsFile) {
    ParGen(test::ParGen_File(test::Default_ParGen()));
    const Bytes b1 = Image().Bank1_Image;
    EXPECT_EQ(Slice(b1, 0x028, 4), (Bytes{0xC0, 0xA8, 0x00, 0x05}));
    EXPECT_EQ(Slice(b1, 0x02C, 4), (Bytes{255, 255, 255, 0}));
    EXPECT_EQ(Slice(b1, 0x030, 4), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Slice(b1, 0x1CE, 2), (Bytes{0xC8, 0x11}));
    EXPECT_EQ(Slice(b1, 0x66C, 8), (Bytes{'1', '.', '0', '0', '1', 0, 0, 0}));
    EXPECT_EQ(Slice(b1, 0x53C, 4), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Slice(b1, 0x58C, 4), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(U32_At(b1, 0x7FC), 3833u);
}

struct SettingsCase {
    const char* what;
    Fields elements;
    size_t offset;
    Bytes expected;
};

TEST_F(ImageProject, SettingsFields) {
    const Fields d = test::Default_ParGen();
    const std::string name40 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
    Bytes name31(name40.begin(), name40.begin() + 31);
    name31.push_back(0);
    const SettingsCase cases[] = {
        {"gateway on",
         With(With(With(With(With(d, "S7_Protocol_EN_GAT", "1"), "S7_Protocol_GAT1", "10"),
                        "S7_Protocol_GAT2", "0"),
                   "S7_Protocol_GAT3", "0"),
              "S7_Protocol_GAT4", "1"),
         0x030,
         {0x0A, 0x00, 0x00, 0x01}},
        {"gateway word true is off", With(d, "S7_Protocol_EN_GAT", "true"), 0x030, {255, 255, 255, 255}},
        {"gateway flag missing is off", Without(d, "S7_Protocol_EN_GAT"), 0x030, {255, 255, 255, 255}},
        {"gateway flag with blank is off", With(d, "S7_Protocol_EN_GAT", " 1"), 0x030, {255, 255, 255, 255}},
        {"gateway bytes default one by one",
         With(Without(Without(With(d, "S7_Protocol_EN_GAT", "1"), "S7_Protocol_GAT1"), "S7_Protocol_GAT4"),
              "S7_Protocol_GAT2", "7"),
         0x030,
         {192, 7, 0, 1}},
        {"dns off keeps zero",
         With(With(d, "Eth_Conn_Primary_DNS1", "1"), "Eth_Conn_Enable_DNS", "0"),
         0x58C,
         {0, 0, 0, 0}},
        {"dns on primary",
         With(With(d, "Eth_Conn_Primary_DNS4", "9"), "Eth_Conn_Enable_DNS", "1"),
         0x58C,
         {8, 8, 8, 9}},
        {"dns on secondary", With(d, "Eth_Conn_Enable_DNS", "1"), 0x53C, {8, 8, 8, 8}},
        {"dns defaults", Fields{{"Eth_Conn_Enable_DNS", "1"}}, 0x53C, {8, 8, 4, 4}},
        {"dns primary defaults", Fields{{"Eth_Conn_Enable_DNS", "1"}}, 0x58C, {8, 8, 8, 8}},
        {"ip defaults of the compiler", Fields{}, 0x028, {192, 168, 0, 10}},
        {"one element alone", Fields{{"S7_Protocol_IP4", "9"}}, 0x028, {192, 168, 0, 9}},
        {"low 8 bits",
         With(With(d, "S7_Protocol_IP1", "256"), "S7_Protocol_IP2", "-1"),
         0x028,
         {0, 255, 0, 5}},
        {"hexadecimal", With(d, "S7_Protocol_IP3", "$10"), 0x028, {192, 168, 16, 5}},
        {"not a number", With(d, "S7_Protocol_IP1", "x1y"), 0x028, {192, 168, 0, 5}},
        {"trailing blank is not a number", With(d, "S7_Protocol_SM4", "128 "), 0x02C, {255, 255, 255, 0}},
        {"name cut to 31", With(d, "Eth_Conn_Device_Name", name40), 0x514, name31},
        {"name short", With(d, "Eth_Conn_Device_Name", "conv-1"), 0x514, {'c', 'o', 'n', 'v', '-', '1', 0}},
        {"name low 8 bits", With(d, "Eth_Conn_Device_Name", "\xC3\xA9\xE2\x82\xAC"), 0x514, {0xE9, 0xAC, 0}},
        {"dhcp cable", With(d, "Eth_Conn_DHCP_Cable", "1"), 0x4E8, {1, 0}},
        {"dhcp wifi", With(With(d, "Eth_Conn_DHCP_WiFi", "1"), "Eth_Conn_DHCP_Cable", "1"), 0x4E8, {3, 0}},
        {"dhcp word", With(d, "Eth_Conn_DHCP_Cable", "Y"), 0x4E8, {0, 0}},
        {"knx 1.1.20", With(d, "KNX_ID_DEV", "1.1.20"), 0x1CE, {0x14, 0x11}},
        {"knx missing", Without(d, "KNX_ID_DEV"), 0x1CE, {0xC8, 0x11}},
        {"knx empty element", With(d, "KNX_ID_DEV", ""), 0x1CE, {0xC8, 0x11}},
        {"knx raw number", With(d, "KNX_ID_DEV", "4660"), 0x1CE, {0x34, 0x12}},
        {"knx not a number", With(d, "KNX_ID_DEV", "abc"), 0x1CE, {0x14, 0x11}},
        {"knx highest", With(d, "KNX_ID_DEV", "15.15.255"), 0x1CE, {0xFF, 0xFF}},
        {"knx unmasked", With(d, "KNX_ID_DEV", "16.0.0"), 0x1CE, {0x00, 0x00}},
        {"knx blanks", With(d, "KNX_ID_DEV", "1 . 2 . 3"), 0x1CE, {0x03, 0x12}},
        {"knx two parts", With(d, "KNX_ID_DEV", "2.5"), 0x1CE, {0x05, 0x21}},
        {"knx bad parts take defaults", With(d, "KNX_ID_DEV", "x.y.z"), 0x1CE, {0x14, 0x11}},
    };
    for (const auto& c : cases) {
        ParGen(test::ParGen_File(c.elements));
        const Bytes b1 = Image().Bank1_Image;
        EXPECT_EQ(Slice(b1, c.offset, c.expected.size()), c.expected) << c.what;
        EXPECT_EQ(U32_At(b1, 0x7FC), Bank1_Checksum(b1.data())) << c.what;
    }
}

TEST_F(ImageProject, SettingsElementWithMarkupFallsBack) {
    // An element that holds more than plain text takes its default; its
    // neighbours are not affected.
    ParGen(
        "<Par_Gen><S7_Protocol_IP1><b>7</b></S7_Protocol_IP1><S7_Protocol_IP2>1</S7_Protocol_IP2>"
        "<KNX_ID_DEV>1.1.<!-- x -->5</KNX_ID_DEV></Par_Gen>");
    const Bytes b1 = Image().Bank1_Image;
    EXPECT_EQ(Slice(b1, 0x028, 4), (Bytes{192, 1, 0, 10}));
    EXPECT_EQ(Slice(b1, 0x1CE, 2), (Bytes{0xC8, 0x11}));
}

TEST_F(ImageProject, SettingsRootNameIsNotChecked) {
    ParGen("<Anything><S7_Protocol_IP4>77</S7_Protocol_IP4></Anything>");
    EXPECT_EQ(Image().Bank1_Image[0x02B], 77);
}

TEST_F(ImageProject, CompilingTwiceGivesIdenticalBanks) {
    ParGen(test::ParGen_File(test::Default_ParGen()));
    KNX({test::KNX_Rule_Row(), With(test::KNX_Rule_Row(), "MultiplicationFactor", "0,25")});
    S7({test::S7_Read_Row()}, {test::S7_Write_Row()});
    const ConfigImage a = Image(), b = Image();
    EXPECT_EQ(a.Bank1_Image, b.Bank1_Image);
    EXPECT_EQ(a.Bank2_Image, b.Bank2_Image);
}

TEST_F(ImageProject, ResetBetweenCompilations) {
    KNX({test::KNX_Rule_Row(), test::KNX_Rule_Row()});
    S7({test::S7_Read_Row()}, {});
    EXPECT_EQ(Compile().KNX_Count, 2);
    KNX({test::KNX_Rule_Row()});
    S7({}, {});
    const ConfigImage img = Image();
    EXPECT_EQ(KNX_Record(img, 1), kResetKNXRecord);
    EXPECT_EQ(S7_Record(img, 0), Bytes(S7_Rule_Size, 0));
    EXPECT_EQ(U32_At(img.Bank1_Image, 0x1C8), 1u);
    EXPECT_EQ(U32_At(img.Bank1_Image, 0x658), 0u);
}

// ---- KNX records ----

TEST_F(ImageProject, KNXWorkedExamples) {
    Fields second = test::KNX_Rule_Row();
    second = With(second, "Source_Address", "15.15.255");
    second = With(second, "Destination_Address", "31/2047");
    second = With(second, "APCI", "Read");
    second = With(second, "Priority", "System");
    second = With(second, "Format", "Int to Float");
    second = With(second, "MultiplicationFactor", "0.5");
    second = With(second, "Extended", "Y");
    second = With(second, "On_Change", "N");
    second = With(second, "On_Timer", "N");
    second = With(second, "Bit_Mode", "3");
    second = With(second, "Length", "1");
    second = With(second, "TimeOut", "500");
    KNX({test::KNX_Rule_Row(), second});
    for (const char sep : {'.', ','}) {
        const ConfigImage img = Image(sep);
        EXPECT_EQ(KNX_Record(img, 0),
                  (Bytes{0xD0, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x02, 0x21, 0x10,
                         0x80, 0x00, 0x14, 0x11, 0x03, 0x0A, 0x0A, 0x00, 0x00, 0x00, 0x80, 0x3F}));
        EXPECT_EQ(KNX_Record(img, 1),
                  (Bytes{0x00, 0x00, 0x00, 0x00, 0xF4, 0x01, 0x00, 0x00, 0x00, 0x01, 0x70, 0x40,
                         0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x53, 0x00, 0x00, 0x00, 0x00, 0x3F}));
        EXPECT_EQ(KNX_Record(img, 2), kResetKNXRecord);
        EXPECT_EQ(U32_At(img.Bank1_Image, 0x1C8), 2u);
        EXPECT_EQ(U32_At(img.Bank1_Image, 0x1C4), 0u);
    }
}

struct KNXCase {
    const char* what;
    Fields row;
    size_t offset;  // in the record
    Bytes expected;
};

TEST_F(ImageProject, KNXFields) {
    const Fields r = test::KNX_Rule_Row();
    const KNXCase cases[] = {
        {"poll time off", With(With(r, "On_Timer", "N"), "Poll_Time", "5000"), 0, {0, 0, 0, 0}},
        {"poll time lower-case y", With(r, "On_Timer", "y"), 0, {0xD0, 0x07, 0, 0}},
        {"poll time not a number", With(r, "Poll_Time", "soon"), 0, {0xE8, 0x03, 0, 0}},
        {"poll time without On_Timer", Without(r, "On_Timer"), 0, {0, 0, 0, 0}},
        {"poll time missing", Without(r, "Poll_Time"), 0, {0, 0, 0, 0}},
        {"timeout missing", Without(r, "TimeOut"), 4, {0, 0, 0, 0}},
        {"timeout", With(r, "TimeOut", "100000"), 4, {0xA0, 0x86, 0x01, 0x00}},
        {"priority lower case", With(r, "Priority", "urgent"), 8, {2}},
        {"priority unknown", With(r, "Priority", "High"), 8, {1}},
        {"length low 8 bits", With(With(r, "Length", "2040"), "Bit_Mode", "0"), 9, {0xF8}},
        {"length not a number", With(r, "Length", "two"), 9, {1}},
        {"destination raw number is a group", With(r, "Destination_Address", "4660"), 10, {0x21, 0x10}},
        {"destination raw number word", With(r, "Destination_Address", "4660"), 16, {0x34, 0x12}},
        {"destination individual", With(r, "Destination_Address", "1.2.3"), 10, {0x01, 0x10}},
        {"destination individual word", With(r, "Destination_Address", "1.2.3"), 16, {0x03, 0x12}},
        {"destination group masked", With(r, "Destination_Address", "40/1/1"), 16, {0x01, 0x41}},
        {"destination two-level", With(r, "Destination_Address", "31/2047"), 16, {0xFF, 0xFF}},
        {"destination two-level masked", With(r, "Destination_Address", "1/4095"), 16, {0xFF, 0x0F}},
        {"destination four parts", With(r, "Destination_Address", "1/2/3/4"), 16, {0x00, 0x0A}},
        {"destination blanks", With(r, "Destination_Address", " 1 / 2 / 3 "), 16, {0x03, 0x0A}},
        {"source two parts", With(r, "Source_Address", "1.20"), 14, {0x14, 0x10}},
        {"source masked", With(r, "Source_Address", "17.17.256"), 14, {0x00, 0x11}},
        {"source raw", With(r, "Source_Address", "4660"), 14, {0x34, 0x12}},
        {"source four parts", With(r, "Source_Address", "1.1.2.3"), 14, {0x00, 0x11}},
        {"extended with blank is not set", With(r, "Extended", " Y"), 10, {0x21, 0x10}},
        {"extended lower case", With(r, "Extended", "y"), 10, {0x31, 0x10}},
        {"retest", With(r, "ReTest", "Y"), 10, {0x23, 0x10}},
        {"on command", With(r, "On_Command", "Y"), 10, {0x29, 0x10}},
        {"on command missing", Without(r, "On_Command"), 10, {0x21, 0x10}},
        {"on change off", With(r, "On_Change", "N"), 10, {0x20, 0x10}},
        {"format missing", Without(r, "Format"), 10, {0x21, 0x00}},
        {"format lower case", With(r, "Format", "float16 to int * 100"), 10, {0x21, 0x90}},
        {"format unknown", With(r, "Format", "Swap 16"), 10, {0x21, 0x00}},
        {"apci raw", With(r, "APCI", "200"), 12, {200, 0}},
        {"apci lower case", With(r, "APCI", "write"), 12, {0x80, 0}},
        {"apci not a number", With(r, "APCI", "abc"), 12, {0, 0}},
        {"bit mode lower-case no", With(r, "Bit_Mode", "no"), 10, {0x21, 0x10}},
        {"bit mode flag", With(r, "Bit_Mode", "7"), 10, {0x61, 0x10}},
        {"bit mode position", With(With(r, "Bit_Mode", "7"), "Position", "1499"), 18, {0xDF, 0x2E}},
        {"bit mode not a number", With(With(r, "Bit_Mode", "x"), "Position", "2"), 18, {16, 0}},
        {"position not a number", With(r, "Position", "ten"), 18, {0, 0}},
        {"position low 16 bits", With(r, "Position", "65537"), 18, {1, 0}},
        {"factor comma", With(r, "MultiplicationFactor", "2,5"), 20, {0x00, 0x00, 0x20, 0x40}},
        {"factor point", With(r, "MultiplicationFactor", "2.5"), 20, {0x00, 0x00, 0x20, 0x40}},
        {"factor blank", With(r, "MultiplicationFactor", "  "), 20, {0x00, 0x00, 0x80, 0x3F}},
        {"factor padded", With(r, "MultiplicationFactor", " 0.5 "), 20, {0x00, 0x00, 0x00, 0x3F}},
        {"factor not a number", With(r, "MultiplicationFactor", "abc"), 20, {0x00, 0x00, 0x80, 0x3F}},
        {"factor thousands", With(r, "MultiplicationFactor", "1.000,5"), 20, {0x00, 0x00, 0x80, 0x3F}},
        {"factor missing", Without(r, "MultiplicationFactor"), 20, {0x00, 0x00, 0x80, 0x3F}},
        {"factor negative", With(r, "MultiplicationFactor", "-0,5"), 20, {0x00, 0x00, 0x00, 0xBF}},
    };
    for (const char sep : {'.', ','}) {
        for (const auto& c : cases) {
            KNX({c.row});
            const ConfigImage img = Image(sep);
            EXPECT_EQ(Slice(KNX_Record(img, 0), c.offset, c.expected.size()), c.expected)
                << c.what << " sep " << sep;
        }
    }
}

TEST_F(ImageProject, KNXEnabledRowsFillWithoutGaps) {
    const Fields r = test::KNX_Rule_Row();
    KNX({With(r, "Position", "1"), With(With(r, "Enable", "N"), "Position", "2"), With(r, "Position", "3"),
         With(With(r, "Enable", " y "), "Position", "4"), With(With(r, "Enable", ""), "Position", "5"),
         With(Without(r, "Enable"), "Position", "6"), With(With(r, "Enable", "YES"), "Position", "7")});
    const ConfigImage img = Image();
    EXPECT_EQ(U32_At(img.Bank1_Image, 0x1C8), 4u);
    const uint16_t positions[] = {1, 3, 4, 6};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(U16_At(KNX_Record(img, i), 18), positions[i]) << i;
    EXPECT_EQ(KNX_Record(img, 4), kResetKNXRecord);
}

TEST_F(ImageProject, KNXOtherElementsAreRules) {
    // Children are compiled whatever their names; text and comments are not rows.
    dir.Write("KNX_SetAccess.xml",
              "<R><KNX_in_Write>\n  <!-- kitchen -->\n  " + test::Row(test::KNX_Rule_Row()) + "<rule" +
                  test::Row(test::KNX_Rule_Row()).substr(4) + "</KNX_in_Write><KNX_in_Read>" +
                  test::Row(test::KNX_Rule_Row()) + "</KNX_in_Read></R>");
    EXPECT_EQ(Compile().KNX_Count, 2);
}

TEST_F(ImageProject, KNXNoEnabledRow) {
    KNX({With(test::KNX_Rule_Row(), "Enable", "N")});
    const ConfigImage img = Image();
    EXPECT_EQ(U32_At(img.Bank1_Image, 0x1C8), 0u);
    for (size_t i = 0; i < Rule_Table_Capacity; ++i) ASSERT_EQ(KNX_Record(img, i), kResetKNXRecord) << i;
}

TEST_F(ImageProject, KNXRequiredAttributes) {
    const char* required[] = {"Source_Address", "Destination_Address", "APCI",     "Priority", "Extended",
                              "ReTest",         "On_Change",           "Position", "Bit_Mode", "Length"};
    for (const char* name : required) {
        KNX({test::KNX_Rule_Row(), Without(test::KNX_Rule_Row(), name)});
        const CompileResult r = Compile();
        EXPECT_FALSE(r.Ok()) << name;
        EXPECT_NE(r.Error.find("row 2"), std::string::npos) << r.Error;
        EXPECT_NE(r.Error.find(name), std::string::npos) << r.Error;
        EXPECT_TRUE(r.Image.Bank1_Image.empty());
    }
    // A disabled row may lack them.
    KNX({Without(With(test::KNX_Rule_Row(), "Enable", "N"), "Length")});
    EXPECT_TRUE(Compile().Ok());
}

// ---- S7comm records ----

TEST_F(ImageProject, S7WorkedExample) {
    S7({test::S7_Read_Row()}, {test::S7_Write_Row()});
    const ConfigImage img = Image();
    const Bytes read = {0x7D, 0x01, 0xA8, 0xC0, 0xF4, 0x01, 0x00, 0x00, 0x14, 0x00, 0x0A, 0x00, 0x66, 0x00,
                        0x03, 0x00, 0x00, 0x00, 0x00, 0x28, 0x04, 0x0A, 0x00, 0x04, 0x00, 0x83, 0x01, 0x00};
    Bytes write = read;
    write[23] = 0x25;
    EXPECT_EQ(S7_Record(img, 0), read);
    EXPECT_EQ(S7_Record(img, 1), write);
    EXPECT_EQ(S7_Record(img, 2), Bytes(S7_Rule_Size, 0));
    EXPECT_EQ(U32_At(img.Bank1_Image, 0x658), 2u);
}

struct S7Case {
    const char* what;
    Fields row;
    bool write;
    size_t offset;
    Bytes expected;
};

TEST_F(ImageProject, S7Fields) {
    const Fields r = test::S7_Read_Row(), w = test::S7_Write_Row();
    const S7Case cases[] = {
        {"address 10.0.0.2", With(r, "PLC_Address", "10.0.0.2"), false, 0, {0x02, 0x00, 0x00, 0x0A}},
        {"address three parts", With(r, "PLC_Address", "1.2.3"), false, 0, {0, 0, 0, 0}},
        {"address out of range", With(r, "PLC_Address", "1.2.3.256"), false, 0, {0, 0, 0, 0}},
        {"address trailing blank", With(r, "PLC_Address", "10.0.0.1 "), false, 0, {0, 0, 0, 0}},
        {"address leading blank", With(r, "PLC_Address", " 10.0.0.1"), false, 0, {1, 0, 0, 10}},
        {"poll time not a number", With(r, "PollTime", "often"), false, 4, {0xE8, 0x03, 0, 0}},
        {"poll time missing", Without(r, "PollTime"), false, 4, {0xE8, 0x03, 0, 0}},
        {"port empty", With(r, "PLC_Port", ""), false, 12, {0, 0}},
        {"db number low 16 bits", With(r, "DB_Number", "65536"), false, 10, {0, 0}},
        {"plc type lower case", With(r, "PLC_Type", "s71500"), false, 19, {0}},
        {"plc type logo", With(r, "PLC_Type", "Logo0BA8"), false, 19, {1}},
        {"plc type 1200", With(r, "PLC_Type", "S71200"), false, 19, {30}},
        {"data type real", With(r, "Data_Type", "Real"), false, 20, {8}},
        {"data type unknown", With(r, "Data_Type", "word"), false, 20, {1}},
        {"identifier SFB", With(r, "Data_Identifier", "SFB"), false, 21, {15}},
        {"identifier unknown", With(r, "Data_Identifier", "XB"), false, 21, {8}},
        {"area inputs", With(r, "PLC_Area", "Inputs (I)"), false, 25, {0x81}},
        {"area output", With(r, "PLC_Area", "Output (Q)"), false, 25, {0x82}},
        {"area unknown", With(r, "PLC_Area", "inputs (i)"), false, 25, {0x80}},
        {"rack 1 slot 2", With(With(r, "Rack", "1"), "Slot", "2"), false, 26, {0x22}},
        {"rack 8 cut away", With(With(r, "Rack", "8"), "Slot", "1"), false, 26, {0x01}},
        {"rack missing", Without(Without(r, "Rack"), "Slot"), false, 26, {0x00}},
        {"bits", With(With(r, "PLC_Bit", "7"), "Bit", "5"), false, 18, {5}},
        {"plc bit", With(r, "PLC_Bit", "7"), false, 24, {7}},
        {"read ignores OnChange", With(With(r, "OnChange", "Y"), "OnCMD", "Y"), false, 23, {0x04}},
        {"swap word", With(With(r, "Swap", "N"), "SwapWord", "Y"), false, 23, {0x08}},
        {"swap lower case", With(r, "Swap", "y"), false, 23, {0x00}},
        {"write on command", With(With(w, "OnChange", "N"), "OnCMD", "Y"), true, 23, {0x34}},
        {"write plain", With(With(With(w, "OnChange", "N"), "Swap", "N"), "OnCMD", " Y"), true, 23, {0x20}},
        {"write all", With(With(w, "OnCMD", "Y"), "SwapWord", "Y"), true, 23, {0x3D}},
    };
    for (const auto& c : cases) {
        if (c.write)
            S7({}, {c.row});
        else
            S7({c.row}, {});
        const ConfigImage img = Image();
        EXPECT_EQ(Slice(S7_Record(img, 0), c.offset, c.expected.size()), c.expected) << c.what;
    }
}

TEST_F(ImageProject, S7ReadRulesThenWriteRules) {
    auto at = [](Fields f, int pos) { return With(std::move(f), "Position", std::to_string(pos)); };
    const Fields r = test::S7_Read_Row(), w = test::S7_Write_Row();
    S7({at(r, 1), at(With(r, "Enable", "N"), 2), at(r, 3), at(With(r, "Enable", "y"), 4),
        at(With(r, "Enable", " Y"), 5), at(Without(r, "Enable"), 6), at(r, 7)},
       {at(w, 11), at(With(w, "Enable", "N"), 12), at(w, 13)});
    const ConfigImage img = Image();
    EXPECT_EQ(U32_At(img.Bank1_Image, 0x658), 5u);
    const uint16_t positions[] = {1, 3, 7, 11, 13};
    for (size_t i = 0; i < 5; ++i) {
        const Bytes rec = S7_Record(img, i);
        EXPECT_EQ(U16_At(rec, 14), positions[i]) << i;
        EXPECT_EQ((rec[23] & 0x20) != 0, i >= 3) << i;
    }
    EXPECT_EQ(S7_Record(img, 5), Bytes(S7_Rule_Size, 0));
}

TEST_F(ImageProject, S7NoEnabledRow) {
    S7({With(test::S7_Read_Row(), "Enable", "N")}, {});
    const ConfigImage img = Image();
    EXPECT_EQ(U32_At(img.Bank1_Image, 0x658), 0u);
    for (size_t i = Bank2_S7_Offset; i < Bank2_Size; ++i) ASSERT_EQ(img.Bank2_Image[i], 0) << i;
}

// ---- damaged files ----

struct DamagedCase {
    const char* file;
    std::string text;
    const char* mentions;
};

TEST_F(ImageProject, DamagedFileStopsTheCompilation) {
    const DamagedCase cases[] = {
        {"ParGen.xml", "<Par_Gen><S7_Protocol_IP1>1</S7_Protocol_IP2></Par_Gen>", "ParGen.xml"},
        {"ParGen.xml", "", "ParGen.xml"},
        {"ParGen.xml", "<!-- only a comment -->", "ParGen.xml"},
        {"ParGen.xml", "<?xml version=\"1.0\"?><Par_Gen><KNX_ID_DEV>1.1.9</KNX_ID_DEV></Par_Gen>", "root element"},
        {"ParGen.xml", "<!--x--><Par_Gen><KNX_ID_DEV>1.1.9</KNX_ID_DEV></Par_Gen>", "root element"},
        {"KNX_SetAccess.xml", "<BACnet_to_KNX><KNX_in_Write><row Enable=\"Y\"", "KNX_SetAccess.xml"},
        {"KNX_SetAccess.xml", "<BACnet_to_KNX><KNX_in_Read/></BACnet_to_KNX>", "KNX_in_Write"},
        {"S7_Protocol.xml", "<S7_Protocol><S7_Protocol_Read/></S7_Protocol>", "S7_Protocol_Write"},
        {"S7_Protocol.xml", "<S7_Protocol><S7_Protocol_Write/></S7_Protocol>", "S7_Protocol_Read"},
        {"S7_Protocol.xml", "<S7_Protocol>\n<S7_Protocol_Read>\n<row Enable='Y' x=1/>", "line 3"},
    };
    for (const auto& c : cases) {
        test::TempDir d;
        d.Write(c.file, c.text);
        const CompileResult r = Compile_Bin(Image_Sources_Of(d.Path()), '.');
        EXPECT_FALSE(r.Ok()) << c.file << ": " << c.text;
        EXPECT_NE(r.Error.find(c.mentions), std::string::npos) << r.Error;
        EXPECT_TRUE(r.Image.Bank1_Image.empty() && r.Image.Bank2_Image.empty());
    }
}

TEST_F(ImageProject, UnreadableFileIsAnError) {
    // A folder where a file should be exists but cannot be read as a file.
    std::filesystem::create_directories(dir / "S7_Protocol.xml");
    const CompileResult r = Compile();
    EXPECT_FALSE(r.Ok());
    EXPECT_NE(r.Error.find("S7_Protocol.xml"), std::string::npos) << r.Error;
}

// ---- more enabled rules than a table holds ----

TEST_F(ImageProject, KNXTableLimit) {
    std::vector<Fields> rows(Rule_Table_Capacity, test::KNX_Rule_Row());
    rows.push_back(With(test::KNX_Rule_Row(), "Enable", "N"));
    KNX(rows);
    const CompileResult full = Compile();
    ASSERT_TRUE(full.Ok()) << full.Error;
    EXPECT_EQ(full.KNX_Count, Rule_Table_Capacity);
    EXPECT_EQ(U32_At(full.Image.Bank1_Image, 0x1C8), 1024u);

    rows.push_back(test::KNX_Rule_Row());
    rows.push_back(test::KNX_Rule_Row());
    KNX(rows);
    const CompileResult over = Compile();
    EXPECT_FALSE(over.Ok());
    EXPECT_NE(over.Error.find("1026"), std::string::npos) << over.Error;
    EXPECT_NE(over.Error.find("1024"), std::string::npos) << over.Error;
    EXPECT_TRUE(over.Image.Bank2_Image.empty());
}

TEST_F(ImageProject, S7TableLimitCountsBothLists) {
    S7(std::vector<Fields>(512, test::S7_Read_Row()), std::vector<Fields>(512, test::S7_Write_Row()));
    const CompileResult full = Compile();
    ASSERT_TRUE(full.Ok()) << full.Error;
    EXPECT_EQ(full.S7_Count, 1024);
    EXPECT_EQ(S7_Record(full.Image, 1023)[23] & 0x20, 0x20);

    S7(std::vector<Fields>(600, test::S7_Read_Row()), std::vector<Fields>(425, test::S7_Write_Row()));
    const CompileResult over = Compile();
    EXPECT_FALSE(over.Ok());
    EXPECT_NE(over.Error.find("1025"), std::string::npos) << over.Error;
}

// ---- conversions ----

TEST(KNXAddressToWord, Forms) {
    struct Case {
        const char* text;
        bool group;
        uint16_t word;
    };
    const Case cases[] = {
        {"1.1.20", false, 0x1114},
        {"15.15.255", false, 0xFFFF},
        {"0.0.0", false, 0},
        {"1.20", false, 0x1014},
        {"4660", false, 0x1234},
        {"70000", false, 70000 & 0xFFFF},
        {" 1.2.3 ", false, 0x1203},
        {"-1.0.0", false, 0xF000},
        {"", false, 0},
        {"1/2/3", true, 0x0A03},
        {"31/7/255", true, 0xFFFF},
        {"31/2047", true, 0xFFFF},
        {"32/0/0", true, 0},
        {"1/9/0", true, 0x0900},
        {"0/0/256", true, 0},
        {"4660", true, 0x1234},
        {"a/b", true, 0},
        {"1/2/3/4", true, 0x0A00},
    };
    for (const auto& c : cases) EXPECT_EQ(KNX_Address_To_Word(c.text, c.group), c.word) << c.text;
}

// ---- Save_Bin ----

Bytes Read_Bytes(const std::string& path) {
    const auto s = Read_File(path);
    return s ? Bytes(s->begin(), s->end()) : Bytes{};
}

TEST_F(ImageProject, SaveBinWritesBothBanks) {
    const ConfigImage img = Image();
    ASSERT_EQ(Save_Bin(img, dir.Path()), "");
    EXPECT_EQ(Read_Bytes(dir / "bin/bank1.bin"), img.Bank1_Image);
    EXPECT_EQ(Read_Bytes(dir / "bin/bank2.bin"), img.Bank2_Image);
    // Nothing else is left in the folder.
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir / "bin")) ++files;
    EXPECT_EQ(files, 2);
}

TEST_F(ImageProject, SaveBinMissingFolder) {
    std::filesystem::remove_all(dir / "bin");
    const ConfigImage img = Image();
    const std::string err = Save_Bin(img, dir.Path());
    EXPECT_NE(err.find("bin"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(dir / "bin"));
    EXPECT_EQ(Save_Bin(img, dir.Path(), true), "");
    EXPECT_EQ(Read_Bytes(dir / "bin/bank2.bin"), img.Bank2_Image);
}

TEST_F(ImageProject, SaveBinFailureKeepsTheOldPair) {
    dir.Write("bin/bank1.bin", "old bank 1");
    // bank2.bin cannot be replaced: a folder with content stands in its place.
    dir.Write("bin/bank2.bin/keep", "x");
    const std::string err = Save_Bin(Image(), dir.Path());
    EXPECT_NE(err.find("bank2.bin"), std::string::npos) << err;
    EXPECT_NE(err.find("no bank file was changed"), std::string::npos) << err;
    EXPECT_EQ(Read_File(dir / "bin/bank1.bin"), std::optional<std::string>("old bank 1"));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir / "bin")) ++entries;
    EXPECT_EQ(entries, 2);  // no temporary file left behind
}

TEST_F(ImageProject, SaveBinRefusesAnIncompleteImage) {
    ConfigImage img = Image();
    img.Bank2_Image.pop_back();
    EXPECT_NE(Save_Bin(img, dir.Path()), "");
    EXPECT_FALSE(std::filesystem::exists(dir / "bin/bank1.bin"));
}

// ---- record coding ----

TEST(RecordCoding, RoundTrip) {
    KNX_Rule_Rec k;
    k.Poll_Time = 0x01020304;
    k.Time_Out = 0xA0B0C0D0;
    k.Priority = 3;
    k.Length = 200;
    k.Flags = 0x907B;
    k.APCI = 0x3FF;
    k.Source_Address = 0x1234;
    k.Destination_Address = 0xFEDC;
    k.Position = 11999;
    k.Multiplication_Factor = -12.75f;
    uint8_t buf[S7_Rule_Size] = {};
    Serialise_KNX_Rule(k, buf);
    EXPECT_EQ(Parse_KNX_Rule(buf), k);
    EXPECT_EQ(buf[0], 0x04);
    EXPECT_EQ(buf[3], 0x01);

    S7comm_Rule_Rec s;
    s.PLC_Address = 0xC0A8017D;
    s.Poll_Time = 100000000;
    s.PLC_Add = 65535;
    s.DB_Number = 7;
    s.PLC_Port = 102;
    s.Position = 1499;
    s.Bit = 7;
    s.PLC_Type = 40;
    s.Data_Type = 8;
    s.Data_Identifier = 15;
    s.Flags = 0x3D;
    s.PLC_Bit = 6;
    s.PLC_Area = 0x83;
    s.Rack_Slot = 0x7F;
    Serialise_S7_Rule(s, buf);
    EXPECT_EQ(Parse_S7_Rule(buf), s);
}

} // namespace
} // namespace ks
