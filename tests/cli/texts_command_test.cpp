#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cli_run.h"

namespace ks {
namespace {

test::CliResult Cli(const test::TempDir& dir, const std::vector<std::string>& args) {
    return test::Run_Program(KEYSTREL_CLI_PATH, args, dir);
}

TEST(CliTexts, PrintsTheDefaults) {
    test::TempDir dir;
    const test::CliResult r = Cli(dir, {"texts"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = test::Output_Lines(r.out);
    ASSERT_EQ(lines.size(), 2800u);
    EXPECT_EQ(lines[0], "0\tBegin");
    EXPECT_EQ(lines[9], "9\tNone Configuration Opened ");
    EXPECT_EQ(lines[61], "61\t ");
    EXPECT_EQ(lines[2799], "2799\t ");
    EXPECT_EQ(r.out.back(), '\n');
}

TEST(CliTexts, AppliesALanguageFileAndEscapesControlCharacters) {
    test::TempDir dir;
    const std::string lng = dir.Write("Deutsch.lng",
                                      "\xEF\xBB\xBFSTR0 = Anfang\r\n"
                                      "STR1 = a\tb\r\n"
                                      "STR2 = C:\\dir\\n\r\n"
                                      "STR3 = x\x01y\x7F\r\n"
                                      "STR4 = \xC2\xB6 Gr\xC3\xB6\xC3\x9F" "e \xC2\xB6\r\n");
    const test::CliResult r = Cli(dir, {"texts", lng});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto lines = test::Output_Lines(r.out);
    ASSERT_EQ(lines.size(), 2800u);
    EXPECT_EQ(lines[0], "0\tAnfang");
    EXPECT_EQ(lines[1], "1\ta\\tb");
    EXPECT_EQ(lines[2], "2\tC:\\\\dir\\\\n");
    EXPECT_EQ(lines[3], "3\tx\\x01y\\x7F");
    EXPECT_EQ(lines[4], "4\t Gr\xC3\xB6\xC3\x9F" "e ");
    EXPECT_EQ(lines[5], "5\tStep 5");
}

TEST(CliTexts, UnreadableLanguageFileFails) {
    test::TempDir dir;
    for (const std::string& path : {dir / "Missing.lng", dir.Path()}) {
        const test::CliResult r = Cli(dir, {"texts", path});
        EXPECT_EQ(r.code, 1) << path;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("cannot read language file"), std::string::npos) << r.err;
    }
}

TEST(CliTexts, WrongArgumentsAreUsageErrors) {
    test::TempDir dir;
    const std::string a = dir.Write("a.lng", "STR0 = x\n");
    for (const auto& args : std::vector<std::vector<std::string>>{{"texts", a, a}, {"texts", "--bogus"}, {"texts", "-odd.lng"}}) {
        const test::CliResult r = Cli(dir, args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
    }
    // "--" ends the options.
    dir.Write("-odd.lng", "STR0 = odd\n");
    const test::CliResult r = Cli(dir, {"texts", "--", dir / "-odd.lng"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(test::Output_Lines(r.out).at(0), "0\todd");
}

TEST(CliUsage, HelpAndUnknownCommands) {
    test::TempDir dir;
    test::CliResult r = Cli(dir, {"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("texts"), std::string::npos);
    EXPECT_EQ(r.err, "");

    r = Cli(dir, {"texts", "--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("INDEX<TAB>TEXT"), std::string::npos);
    EXPECT_NE(r.out.find("\\n"), std::string::npos);

    r = Cli(dir, {"help", "texts"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("INDEX<TAB>TEXT"), std::string::npos);

    r = Cli(dir, {"frobnicate"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("unknown command"), std::string::npos);
    EXPECT_NE(r.err.find("Usage:"), std::string::npos);

    r = Cli(dir, {});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("Usage:"), std::string::npos);
}

} // namespace
} // namespace ks
