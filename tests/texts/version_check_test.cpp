#include "texts/version_check.h"

#include <gtest/gtest.h>

namespace ks {
namespace {

TEST(ConvVersion, Texts) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"VER. 1.002", 1002}, {"1.001", 1001},     {"VER. 10.001", -1},  {"VER.  2.345 ", 2345},
        {"VER. 1.00", -1},    {"", -1},            {"VER.", -1},         {"VER. 1x001", 1001},
        {"VER. 1.0a1", -1},   {"VER. 1.0015", 1001}, {"A B 1.001", -1},  {"VER. +.001", -1},
        {"VER. $.ABC", -1},   {"VER. 1.\xC3\xA9" "01", -1}, {"VER. 1\xC3\xA9" "001", 1001},
        {"9.999", 9999},      {"VER.\t1.002", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(Conv_Version(c.text), c.value) << c.text;
}

TEST(CheckVersion, Decisions) {
    const struct {
        const char* answer;
        VersionVerdict verdict;
    } cases[] = {
        {"VER. 1.002", VersionVerdict::Newer},
        {"ver. 1.002", VersionVerdict::Newer},
        {"  VER. 2.000\r\n", VersionVerdict::Newer},
        {"VER. 1.001", VersionVerdict::Not_Newer},
        {"ver. 1.001", VersionVerdict::Not_Newer},
        {"VER. 1.000", VersionVerdict::Not_Newer},
        {"VER. 0.000", VersionVerdict::Invalid},
        {"ver. 0.000", VersionVerdict::Invalid},
        {"", VersionVerdict::Invalid},
        {"   ", VersionVerdict::Invalid},
        {"VER. 10.001", VersionVerdict::Invalid},
        {"<html>Not Found</html>", VersionVerdict::Invalid},
        {"1.002", VersionVerdict::Newer},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Check_Version_Answer(c.answer), c.verdict) << c.answer;
        EXPECT_EQ(Check_Version(c.answer), c.verdict == VersionVerdict::Newer) << c.answer;
    }
    EXPECT_EQ(Check_Version_Answer("VER. 1.002", "1.002"), VersionVerdict::Not_Newer);
    EXPECT_EQ(Check_Version_Answer("VER. 1.002", "garbage"), VersionVerdict::Invalid);
}

} // namespace
} // namespace ks
