#include "core/text_util.h"

#include <gtest/gtest.h>

namespace ks {
namespace {

TEST(IntValue, Table) {
    struct Case {
        const char* text;
        int32_t value;  // -7 stands for "the default"
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"   42", 42},
        {"42 ", -7},
        {"+5", 5},
        {"-5", -5},
        {"- 5", -7},
        {"$1F", 31},
        {"x1F", 31},
        {"X1f", 31},
        {"0X1f", 31},
        {"0x1F", 31},
        {"-$10", -16},
        {"0x", -7},
        {"$", -7},
        {"", -7},
        {"   ", -7},
        {"+", -7},
        {"1F", -7},
        {"2147483647", 2147483647},
        {"2147483648", -7},
        {"-2147483648", INT32_MIN},
        {"-2147483649", -7},
        {"99999999999999999999", -7},
        {"$7FFFFFFF", 2147483647},
        {"$80000000", -7},
        {"1.5", -7},
    };
    for (const auto& c : cases) EXPECT_EQ(Int_Value(c.text, -7), c.value) << '"' << c.text << '"';
}

TEST(TextUtil, TrimAndUpper) {
    EXPECT_EQ(Trim("\t\r\n a b \x01"), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Upper_Ascii("abz\xc3\xa4Z1"), "ABZ\xc3\xa4Z1");
}

} // namespace
} // namespace ks
