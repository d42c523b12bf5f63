#include "texts/version.h"

#include <gtest/gtest.h>

namespace ks {
namespace {

struct ConvCase {
    const char* text;
    int value;
};

class ConvVersion : public ::testing::TestWithParam<ConvCase> {};

TEST_P(ConvVersion, ReadsMajorAndThreeMinorDigits) {
    EXPECT_EQ(Conv_Version(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, ConvVersion,
                         ::testing::Values(ConvCase{"VER. 1.002", 1002}, ConvCase{"1.001", 1001},
                                           ConvCase{"VER.  2.345 ", 2345},   // trimmed after the first blank
                                           ConvCase{"VER. 1x002", 1002},     // the point itself is not checked
                                           ConvCase{"VER. 1.0025", 1002},    // characters past the fifth ignored
                                           ConvCase{"VER. 10.001", -1},      // "1.00" is no number
                                           ConvCase{"VER. 1.00", -1},        // too short
                                           ConvCase{"VER. 1.0a1", -1}, ConvCase{"VER. -.001", -1},
                                           ConvCase{"VER. +.001", -1}, ConvCase{"", -1}, ConvCase{"VER.", -1}));

TEST(IsNewerVersion, ComparesWithTheOwnVersion) {
    EXPECT_TRUE(Is_Newer_Version("VER. 1.002", "1.001"));
    EXPECT_TRUE(Is_Newer_Version("  ver. 2.000\r\n", "1.001"));
    EXPECT_FALSE(Is_Newer_Version("VER. 1.001", "1.001"));
    EXPECT_FALSE(Is_Newer_Version("ver. 1.001", "1.001"));
    EXPECT_FALSE(Is_Newer_Version("VER. 0.999", "1.001"));
    EXPECT_FALSE(Is_Newer_Version("VER. 0.000", "0.000"));  // "unknown code", whatever our own version
    EXPECT_FALSE(Is_Newer_Version("ver. 0.000", "0.000"));
    EXPECT_FALSE(Is_Newer_Version("", "1.001"));
    EXPECT_FALSE(Is_Newer_Version("VER. 10.001", "1.001"));
    EXPECT_FALSE(Is_Newer_Version("VER. 9.999", "garbage"));
}

} // namespace
} // namespace ks
