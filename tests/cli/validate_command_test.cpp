#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/par_gen.h"
#include "support/cli_run.h"
#include "tables/knx_table.h"
#include "tables/s7_table.h"

namespace ks {
namespace {

test::CliResult Validate(const test::TempDir& dir, const std::vector<std::string>& args) {
    std::vector<std::string> all{"validate"};
    all.insert(all.end(), args.begin(), args.end());
    return test::Run_Program(KEYSTREL_CLI_PATH, all, dir);
}

S7_Access_Row S7_Row() {
    S7_Access_Row r;
    r.PLC_Address = "192.168.1.10";
    r.PLC_Port = "102";
    r.PLC_Type = "S7300";
    r.Rack = "0";
    r.Slot = "2";
    r.Data_Type = "Word";
    r.Data_Identifier = "DB";
    r.DB_Number = "1";
    r.PLC_Area = "Inputs (I)";
    r.PLC_Add = "0";
    r.PLC_Bit = "0";
    r.PollTime = "100";
    r.Position = "0";
    r.Bit = "0";
    return r;
}

KNX_Access_Row KNX_Row() {
    KNX_Access_Row r;
    r.Source_Address = "1.1.1";
    r.Destination_Address = "1/1/1";
    r.APCI = "Write";
    r.Priority = "Normal";
    r.Format = "None";
    r.Position = "0";
    r.Bit_Mode = "No";
    r.Length = "2";
    r.TimeOut = "0";
    return r;
}

TEST(CliValidate, EmptyProjectPassesWithDefaults) {
    test::TempDir dir;
    const test::CliResult r = Validate(dir, {dir.Path()});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "ParGen.xml: OK (no file: defaults)\n"
              "S7_Protocol.xml: OK (no file: defaults)\n"
              "KNX_SetAccess.xml: OK (no file: defaults)\n");
}

TEST(CliValidate, ReportsEachFilesFirstFaultAsTheDialogShowsIt) {
    test::TempDir dir;
    S7_Access_Table s7;
    KNX_Access_Table knx;
    for (int i = 0; i < 4; ++i) {
        s7.S7_Protocol_Read[i] = S7_Row();
        knx.KNX_in_Write[i] = KNX_Row();
    }
    ASSERT_EQ(Save_ParGen(dir / "ParGen.xml", ParGenSettings{}), "");
    ASSERT_EQ(Save_S7_Protocol(dir / "S7_Protocol.xml", s7), "");
    ASSERT_EQ(Save_KNX_SetAccess(dir / "KNX_SetAccess.xml", knx), "");
    test::CliResult r = Validate(dir, {dir.Path()});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "ParGen.xml: OK\nS7_Protocol.xml: OK\nKNX_SetAccess.xml: OK\n");

    ParGenSettings bad;
    bad.S7_Protocol_IP1 = "abc";
    s7.S7_Protocol_Read[2].PLC_Port = "70000";
    s7.S7_Protocol_Read[3].Position = "1500";
    knx.KNX_in_Write[3].Length = "20";
    ASSERT_EQ(Save_ParGen(dir / "ParGen.xml", bad), "");
    ASSERT_EQ(Save_S7_Protocol(dir / "S7_Protocol.xml", s7), "");
    ASSERT_EQ(Save_KNX_SetAccess(dir / "KNX_SetAccess.xml", knx), "");
    r = Validate(dir, {dir.Path()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "keystrel-cli validate: ParGen.xml: Error S7comm!! IP Address 1 must be between 0 and 255\n"
              "keystrel-cli validate: S7_Protocol.xml: Error row 3!! [S7comm Read] PLC Port must be between 0 "
              "and 65535\n"
              "keystrel-cli validate: KNX_SetAccess.xml: Error row 4!! [KNX in Write] Length must be between 1 "
              "and 14\n");
}

TEST(CliValidate, DamagedFileIsReportedAsSuch) {
    test::TempDir dir;
    dir.Write("S7_Protocol.xml", "<S7_Protocol><S7_Protocol_Read>");
    dir.Write("KNX_SetAccess.xml", "<BACnet_to_KNX><KNX_in_Write><row Source_Address=\"1.1.1\"/></KNX_in_Write>"
                                   "</BACnet_to_KNX>");
    const test::CliResult r = Validate(dir, {dir.Path()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "ParGen.xml: OK (no file: defaults)\n");
    const auto lines = test::Output_Lines(r.err);
    ASSERT_EQ(lines.size(), 2u) << r.err;
    EXPECT_EQ(lines[0].rfind("keystrel-cli validate: S7_Protocol.xml: damaged file: ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("not a valid XML document"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("KNX_SetAccess.xml: damaged file: "), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find("row 1 of KNX_in_Write has no attribute Destination_Address"), std::string::npos);
}

TEST(CliValidate, ArgumentsAndHelp) {
    test::TempDir dir;
    struct Case {
        std::vector<std::string> args;
        int code;
    };
    const Case cases[] = {
        {{}, 2},
        {{dir.Path(), dir.Path()}, 2},
        {{"--verbose", dir.Path()}, 2},
        {{dir / "no such folder"}, 1},
        {{dir.Write("file.txt", "x")}, 1},
    };
    for (const Case& c : cases) {
        const test::CliResult r = Validate(dir, c.args);
        EXPECT_EQ(r.code, c.code) << (c.args.empty() ? "" : c.args[0]);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
    }
    const test::CliResult h = Validate(dir, {"--help"});
    EXPECT_EQ(h.code, 0);
    EXPECT_EQ(h.out.rfind("Usage: keystrel-cli validate PROJECT_DIR\n", 0), 0u);
}

} // namespace
} // namespace ks
