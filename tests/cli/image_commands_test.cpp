// keystrel-cli compile and dump on projects written by hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/text_util.h"
#include "image/config_image.h"
#include "support/cli_run.h"
#include "support/project_files.h"

namespace ks {
namespace {

using test::With;

test::CliResult Cli(const test::TempDir& tmp, const std::vector<std::string>& args) {
    return test::Run_Program(KEYSTREL_CLI_PATH, args, tmp);
}

// A project folder written by hand, without a bin folder.
class CliImage : public ::testing::Test {
protected:
    test::TempDir tmp;
    std::string project;

    void SetUp() override {
        project = tmp / "Plant 7";
        Write("ParGen.xml",
              test::ParGen_File(With(test::Default_ParGen(), "Eth_Conn_Device_Name", "hall-7")));
        Write("KNX_SetAccess.xml", test::KNX_File({test::KNX_Rule_Row()}));
        Write("S7_Protocol.xml", test::S7_File({test::S7_Read_Row()}, {test::S7_Write_Row()}));
    }
    void Write(const std::string& name, const std::string& text) { tmp.Write("Plant 7/" + name, text); }
    std::string Bin(const char* name) const { return Join_Path(Join_Path(project, "bin"), name); }
};

TEST_F(CliImage, CompileWritesTheSameBanksAsTheUpdateStep) {
    const test::CliResult r = Cli(tmp, {"compile", project});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("1 KNX rules and 2 S7comm requests"), std::string::npos) << r.out;

    const CompileResult direct = Compile_Bin(Image_Sources_Of(project));
    ASSERT_TRUE(direct.Ok()) << direct.Error;
    const auto b1 = Read_File(Bin("bank1.bin")), b2 = Read_File(Bin("bank2.bin"));
    ASSERT_TRUE(b1 && b2);
    EXPECT_EQ(std::vector<uint8_t>(b1->begin(), b1->end()), direct.Image.Bank1_Image);
    EXPECT_EQ(std::vector<uint8_t>(b2->begin(), b2->end()), direct.Image.Bank2_Image);
}

TEST_F(CliImage, DumpListsTheCompiledFields) {
    ASSERT_EQ(Cli(tmp, {"compile", project}).code, 0);
    const test::CliResult r = Cli(tmp, {"dump", project});
    ASSERT_EQ(r.code, 0) << r.err;
    for (const char* expected :
         {"  IP_Address                192.168.0.5\n", "  Device_Name               hall-7\n",
          "  KNX_Device_Address        1.1.200\n", "  Checksum                  ", "KNX rules: 1\n",
          "    Source_Address         1.1.20\n", "    Destination_Address    1/2/3\n",
          "    Priority               Low\n", "    Format                 Swap16\n",
          "    Flags                  On_Change, Group\n", "    Multiplication_Factor  1\n",
          "S7comm requests: 2\n", "    PLC_Address      192.168.1.125\n", "    PLC_Type         S71500\n",
          "    PLC_Area         Flags (M) (Merker)\n", "    Flags            OnChange, Swap, Write\n"})
        EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;

    const test::CliResult j = Cli(tmp, {"dump", "--json", project});
    ASSERT_EQ(j.code, 0) << j.err;
    EXPECT_EQ(j.out.front(), '{');
    for (const char* expected : {"\"Source_Address\": \"1.1.20\"", "\"Destination_Address\": \"1/2/3\"",
                                 "\"PLC_Address\": \"192.168.1.125\"", "\"Flags\": [\"On_Change\",\"Group\"]",
                                 "\"S7_Count\": 2", "\"Multiplication_Factor\": 1"})
        EXPECT_NE(j.out.find(expected), std::string::npos) << expected << "\n" << j.out;
}

TEST_F(CliImage, DamagedFileChangesNoBank) {
    Write("bin/bank1.bin", "old 1");
    Write("bin/bank2.bin", "old 2");
    Write("KNX_SetAccess.xml", "<BACnet_to_KNX><KNX_in_Write><row Enable=\"Y\"");
    const test::CliResult r = Cli(tmp, {"compile", project});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("KNX_SetAccess.xml"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Read_File(Bin("bank1.bin")), std::optional<std::string>("old 1"));
    EXPECT_EQ(Read_File(Bin("bank2.bin")), std::optional<std::string>("old 2"));
}

TEST_F(CliImage, TooManyRulesChangesNoBank) {
    Write("bin/bank1.bin", "old 1");
    Write("KNX_SetAccess.xml",
          test::KNX_File(std::vector<test::Fields>(Rule_Table_Capacity + 1, test::KNX_Rule_Row())));
    const test::CliResult r = Cli(tmp, {"compile", project});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("1025"), std::string::npos) << r.err;
    EXPECT_EQ(Read_File(Bin("bank1.bin")), std::optional<std::string>("old 1"));
    EXPECT_FALSE(std::filesystem::exists(Bin("bank2.bin")));
}

TEST_F(CliImage, DumpRefusesDamagedBanks) {
    ASSERT_EQ(Cli(tmp, {"compile", project}).code, 0);
    std::string b1 = *Read_File(Bin("bank1.bin"));
    b1[0x30] = 1;  // gateway byte changed, checksum not
    Write("bin/bank1.bin", b1);
    test::CliResult r = Cli(tmp, {"dump", project});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("checksum"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");

    Write("bin/bank1.bin", std::string(2047, '\0'));
    r = Cli(tmp, {"dump", "--json", project});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("2047"), std::string::npos) << r.err;

    std::filesystem::remove(Bin("bank2.bin"));
    r = Cli(tmp, {"dump", project});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("bank2.bin"), std::string::npos) << r.err;
}

TEST_F(CliImage, ArgumentsAndHelp) {
    for (const char* cmd : {"compile", "dump"}) {
        const test::CliResult help = Cli(tmp, {cmd, "--help"});
        EXPECT_EQ(help.code, 0) << cmd;
        EXPECT_NE(help.out.find(std::string("Usage: keystrel-cli ") + cmd + " PROJECT_DIR"),
                  std::string::npos)
            << help.out;
        EXPECT_EQ(Cli(tmp, {cmd}).code, 2) << cmd;
        EXPECT_EQ(Cli(tmp, {cmd, project, project}).code, 2) << cmd;
        EXPECT_EQ(Cli(tmp, {cmd, "--fast", project}).code, 2) << cmd;
    }
    const test::CliResult missing = Cli(tmp, {"compile", tmp / "nowhere"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("nowhere"), std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(tmp / "nowhere"));
}

} // namespace
} // namespace ks
