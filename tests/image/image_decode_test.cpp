#include "image/image_decode.h"

#include <gtest/gtest.h>

#include <map>

#include "image/config_image.h"
#include "support/project_files.h"
#include "support/test_support.h"

namespace ks {
namespace {

using test::With;

std::map<std::string, std::string> Texts(const std::vector<DumpField>& fields) {
    std::map<std::string, std::string> m;
    for (const auto& f : fields) m[f.Name] = f.Text;
    return m;
}

ConfigImage Compile_Project(const test::TempDir& dir) {
    const CompileResult r = Compile_Bin(Image_Sources_Of(dir.Path()), '.');
    EXPECT_TRUE(r.Ok()) << r.Error;
    return r.Image;
}

TEST(ImageDecode, RoundTripOfACompiledProject) {
    test::TempDir dir;
    dir.Write("ParGen.xml", test::ParGen_File(With(
                                With(With(With(test::Default_ParGen(), "Eth_Conn_Device_Name", "plant-7"),
                                          "Eth_Conn_DHCP_Cable", "1"),
                                     "Eth_Conn_Enable_DNS", "1"),
                                "KNX_ID_DEV", "1.1.20")));
    test::Fields bits = test::KNX_Rule_Row();
    bits = With(bits, "Destination_Address", "1.2.3");
    bits = With(bits, "APCI", "300");
    bits = With(bits, "Priority", "System");
    bits = With(bits, "Format", "Float16 to Int * 10");
    bits = With(bits, "MultiplicationFactor", "0,1");
    bits = With(bits, "Bit_Mode", "5");
    bits = With(bits, "Position", "1499");
    dir.Write("KNX_SetAccess.xml", test::KNX_File({test::KNX_Rule_Row(), bits}));
    dir.Write(
        "S7_Protocol.xml",
        test::S7_File({test::S7_Read_Row()}, {With(With(test::S7_Write_Row(), "Rack", "3"), "Slot", "31")}));
    const ConfigImage img = Compile_Project(dir);

    ImageDump d;
    ASSERT_EQ(Decode_Image(img.Bank1_Image, img.Bank2_Image, d), "");
    auto b1 = Texts(d.Bank1);
    EXPECT_EQ(b1["IP_Address"], "192.168.0.5");
    EXPECT_EQ(b1["Gateway"], "255.255.255.255");
    EXPECT_EQ(b1["KNX_Device_Address"], "1.1.20");
    EXPECT_EQ(b1["Device_Name"], "plant-7");
    EXPECT_EQ(b1["DHCP_Flags"], "Cable");
    EXPECT_EQ(b1["Primary_DNS"], "8.8.8.8");
    EXPECT_EQ(b1["Version"], "1.001");
    EXPECT_EQ(b1["KNX_Table_Address"], "0x80000");
    EXPECT_EQ(b1["S7_Table_Address"], "0x86000");
    EXPECT_EQ(b1["KNX_Count"], "2");
    EXPECT_EQ(b1["S7_Count"], "2");
    EXPECT_EQ(b1["Unlisted_Nonzero_Offsets"], "none");

    ASSERT_EQ(d.KNX_Rules.size(), 2u);
    auto k0 = Texts(d.KNX_Rules[0].Fields);
    EXPECT_EQ(k0["Source_Address"], "1.1.20");
    EXPECT_EQ(k0["Destination_Address"], "1/2/3");
    EXPECT_EQ(k0["APCI"], "Write");
    EXPECT_EQ(k0["Priority"], "Low");
    EXPECT_EQ(k0["Format"], "Swap16");
    EXPECT_EQ(k0["Flags"], "On_Change, Group");
    EXPECT_EQ(k0["Poll_Time"], "2000");
    EXPECT_EQ(k0["Position"], "10");
    EXPECT_EQ(k0["Length"], "2");
    EXPECT_EQ(k0["Multiplication_Factor"], "1");
    auto k1 = Texts(d.KNX_Rules[1].Fields);
    EXPECT_EQ(k1["Destination_Address"], "1.2.3");
    EXPECT_EQ(k1["APCI"], "300");
    EXPECT_EQ(k1["Priority"], "System");
    EXPECT_EQ(k1["Format"], "Float16 to Int * 10");
    EXPECT_EQ(k1["Flags"], "On_Change, Bit_Mode");
    EXPECT_EQ(k1["Position"], "1499");
    EXPECT_EQ(k1["Start_Bit"], "5");
    EXPECT_EQ(k1["Multiplication_Factor"], "0.1");

    ASSERT_EQ(d.S7_Rules.size(), 2u);
    auto s0 = Texts(d.S7_Rules[0].Fields);
    EXPECT_EQ(s0["Kind"], "Read");
    EXPECT_EQ(s0["PLC_Address"], "192.168.1.125");
    EXPECT_EQ(s0["PLC_Port"], "102");
    EXPECT_EQ(s0["PLC_Type"], "S71500");
    EXPECT_EQ(s0["Rack"], "0");
    EXPECT_EQ(s0["Slot"], "1");
    EXPECT_EQ(s0["Data_Type"], "Word");
    EXPECT_EQ(s0["Data_Identifier"], "DB");
    EXPECT_EQ(s0["PLC_Area"], "Flags (M) (Merker)");
    EXPECT_EQ(s0["PLC_Add"], "20");
    EXPECT_EQ(s0["Poll_Time"], "500");
    EXPECT_EQ(s0["Position"], "3");
    EXPECT_EQ(s0["Flags"], "Swap");
    auto s1 = Texts(d.S7_Rules[1].Fields);
    EXPECT_EQ(s1["Kind"], "Write");
    EXPECT_EQ(s1["Rack"], "3");
    EXPECT_EQ(s1["Slot"], "31");
    EXPECT_EQ(s1["Flags"], "OnChange, Swap, Write");

    // Every compiled record reads back as the record it was coded from.
    for (size_t i = 0; i < Rule_Table_Capacity; ++i) {
        const uint8_t* k = img.Bank2_Image.data() + KNX_Rule_Size * i;
        uint8_t again[KNX_Rule_Size];
        Serialise_KNX_Rule(Parse_KNX_Rule(k), again);
        ASSERT_EQ(std::vector<uint8_t>(again, again + KNX_Rule_Size),
                  std::vector<uint8_t>(k, k + KNX_Rule_Size));
    }
}

TEST(ImageDecode, JsonCarriesTheSameValues) {
    test::TempDir dir;
    dir.Write("KNX_SetAccess.xml",
              test::KNX_File({With(test::KNX_Rule_Row(), "MultiplicationFactor", "0.5")}));
    dir.Write("ParGen.xml",
              test::ParGen_File(With(test::Default_ParGen(), "Eth_Conn_Device_Name", "a\"b\\c")));
    const ConfigImage img = Compile_Project(dir);
    ImageDump d;
    ASSERT_EQ(Decode_Image(img.Bank1_Image, img.Bank2_Image, d), "");
    const std::string json = Dump_Json(d);
    EXPECT_NE(json.find("\"Source_Address\": \"1.1.20\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"Destination_Address\": \"1/2/3\""), std::string::npos);
    EXPECT_NE(json.find("\"Multiplication_Factor\": 0.5"), std::string::npos);
    EXPECT_NE(json.find("\"Flags\": [\"On_Change\",\"Group\"]"), std::string::npos);
    EXPECT_NE(json.find("\"KNX_Table_Address\": 524288"), std::string::npos);
    EXPECT_NE(json.find("\"Device_Name\": \"a\\\"b\\\\c\""), std::string::npos);
    EXPECT_NE(json.find("\"s7_rules\": []"), std::string::npos);
    const std::string text = Dump_Text(d);
    EXPECT_NE(text.find("    Destination_Address    1/2/3\n"), std::string::npos) << text;
}

TEST(ImageDecode, RefusesDamagedBanks) {
    test::TempDir dir;
    const ConfigImage good = Compile_Project(dir);
    ImageDump d;

    std::vector<uint8_t> b1 = good.Bank1_Image;
    b1.pop_back();
    EXPECT_NE(Decode_Image(b1, good.Bank2_Image, d).find("2048"), std::string::npos);
    std::vector<uint8_t> b2 = good.Bank2_Image;
    b2.push_back(0);
    EXPECT_NE(Decode_Image(good.Bank1_Image, b2, d).find("53248"), std::string::npos);

    b1 = good.Bank1_Image;
    b1[0x028] ^= 1;
    const std::string err = Decode_Image(b1, good.Bank2_Image, d);
    EXPECT_NE(err.find("checksum"), std::string::npos) << err;
    EXPECT_TRUE(d.Bank1.empty());

    // A count beyond the table with a matching checksum.
    b1 = good.Bank1_Image;
    Put_U32(b1.data() + 0x1C8, 1025);
    Put_U32(b1.data() + 0x7FC, Bank1_Checksum(b1.data()));
    EXPECT_NE(Decode_Image(b1, good.Bank2_Image, d).find("1025"), std::string::npos);
}

TEST(ImageDecode, NamesUnknownCodes) {
    test::TempDir dir;
    dir.Write("S7_Protocol.xml", test::S7_File({test::S7_Read_Row()}, {}));
    ConfigImage img = Compile_Project(dir);
    uint8_t* rec = img.Bank2_Image.data() + Bank2_S7_Offset;
    rec[19] = 99;    // PLC type
    rec[25] = 0x90;  // area
    rec[23] |= 0x40;
    uint8_t* b1 = img.Bank1_Image.data();
    b1[0x100] = 1;  // a byte no field covers
    Put_U32(b1 + 0x7FC, Bank1_Checksum(b1));
    ImageDump d;
    ASSERT_EQ(Decode_Image(img.Bank1_Image, img.Bank2_Image, d), "");
    auto s0 = Texts(d.S7_Rules[0].Fields);
    EXPECT_EQ(s0["PLC_Type"], "unknown (99)");
    EXPECT_EQ(s0["PLC_Area"], "unknown (144)");
    EXPECT_EQ(s0["Flags"], "Swap, bit 6");
    EXPECT_EQ(Texts(d.Bank1)["Unlisted_Nonzero_Offsets"], "0x100");
}

TEST(ImageDecode, AddressTexts) {
    EXPECT_EQ(Individual_Address_Text(0x11C8), "1.1.200");
    EXPECT_EQ(Individual_Address_Text(0xFFFF), "15.15.255");
    EXPECT_EQ(Group_Address_Text(0x0A03), "1/2/3");
    EXPECT_EQ(Group_Address_Text(0xFFFF), "31/7/255");
    EXPECT_EQ(Real_Text(0.1f), "0.1");
    EXPECT_EQ(Real_Text(-2.5f), "-2.5");
}

} // namespace
} // namespace ks
