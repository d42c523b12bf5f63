#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "texts/text_table.h"

namespace ks {
namespace {

const std::string kBomUtf8 = "\xEF\xBB\xBF";
const std::string kPilcrow = "\xC2\xB6";  // as UTF-8

TextTable Defaults() {
    TextTable t;
    t.Load_Default_Texts();
    return t;
}

// Every entry that differs from the English default, as index -> text.
std::vector<std::pair<int, std::string>> Changes(const TextTable& t) {
    std::vector<std::pair<int, std::string>> r;
    for (int i = 0; i < t.Size(); ++i)
        if (t[i] != Default_Text(i)) r.emplace_back(i, t[i]);
    return r;
}

bool Is_Valid_Utf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        uint32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (size_t k = 1; k < len; ++k) {
            const auto n = static_cast<unsigned char>(s[i + k]);
            if ((n & 0xC0) != 0x80) return false;
            c = (c << 6) | (n & 0x3F);
        }
        const uint32_t min[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < min[len] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

std::string Utf16(const std::u16string& s, bool big_endian, bool bom = true) {
    std::string out;
    auto put = [&](char16_t u) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        if (big_endian) { out += hi; out += lo; } else { out += lo; out += hi; }
    };
    if (bom) put(0xFEFF);
    for (const char16_t u : s) put(u);
    return out;
}

// One line (UTF-8 with BOM) and what it does to the table: the expected
// changes, or none at all.
struct GrammarCase {
    const char* name;
    std::string line;
    std::vector<std::pair<int, std::string>> changes;
};

// Keeps the test names short and stable.
void PrintTo(const GrammarCase& c, std::ostream* os) { *os << c.name; }

class LanguageGrammar : public ::testing::TestWithParam<GrammarCase> {};

TEST_P(LanguageGrammar, AppliesExactlyTheExpectedEntries) {
    const GrammarCase& c = GetParam();
    TextTable t = Defaults();
    t.Apply_Language_Text(kBomUtf8 + c.line + "\r\n");
    EXPECT_EQ(Changes(t), c.changes) << "line: " << c.line;
}

const GrammarCase kGrammarCases[] = {
    {"Typical", "STR9 = " + kPilcrow + "Keine Konfiguration " + kPilcrow + " /#/ main window, no project",
     {{9, "Keine Konfiguration "}}},
    {"IndexPastTheEnd", "STR2800 = x", {}},
    {"NegativeIndex", "STR-1 = x", {}},
    {"LastIndex", "STR2799 = x", {{2799, "x"}}},
    {"FirstIndex", "STR0 = Anfang", {{0, "Anfang"}}},
    {"OnlyComment", "STR5 = /#/ note", {}},
    {"QuotedBlank", "STR5 = " + kPilcrow + " " + kPilcrow, {{5, " "}}},
    {"TextCutAtPilcrow", "STR5 = abc" + kPilcrow + "def", {{5, "abc"}}},
    {"EmptyQuotesEmptyText", "STR5 = " + kPilcrow + kPilcrow + "abc", {{5, ""}}},
    {"EmptyQuotesWholeText", "STR61 = " + kPilcrow + kPilcrow, {{61, ""}}},
    {"OpenQuoteKeepsBlanksInside", "STR5 = " + kPilcrow + "  abc", {{5, "  abc"}}},
    {"LowerCaseMarker", "str5 = abc", {}},
    {"LeadingBlanksTrimmed", "  STR5 = abc", {{5, "abc"}}},
    {"LeadingControlCharsTrimmed", "\t\x01 STR5 = abc \t", {{5, "abc"}}},
    {"NoSeparatorTakesLastDigitAsSeparator", "STR12=text", {{1, "text"}}},
    {"NoSeparatorSingleDigit", "STR1=text", {}},
    {"BlankBeforeIndex", "STR 12 = text", {{12, "text"}}},
    {"TabSeparator", "STR12\t= text", {{12, "text"}}},
    {"AnySeparatorCharacter", "STR12x= text", {{12, "text"}}},
    {"NonAsciiSeparatorIsOneCharacter", "STR12\xC3\xA9= text", {{12, "text"}}},
    {"SeparatorOutside16Bits", "STR12\xF0\x9F\x98\x80= text", {}},
    {"NoEquals", "STR12 text", {}},
    {"EmptyText", "STR12 = ", {}},
    {"OnlyBlanksAfterEquals", "STR12 =  \t ", {}},
    {"IndexWithInnerBlank", "STR1 2 = x", {}},
    {"IndexNotANumber", "STRx = y", {}},
    {"HexIndexRejected", "STR$1F = y", {}},
    {"HexIndexRejected0x", "STR0x1F = y", {}},
    {"PlusSign", "STR+5 = x", {{5, "x"}}},
    {"MinusZero", "STR-0 = x", {{0, "x"}}},
    {"SignOnly", "STR- = x", {}},
    {"HugeIndex", "STR99999999999999999999999 = x", {}},
    {"LeadingZeros", "STR007 = x", {{7, "x"}}},
    {"LaterEqualsBelongToText", "STR5 = a=b", {{5, "a=b"}}},
    {"FirstCommentWins", "STR5 = x /#/ c1 /#/ c2", {{5, "x"}}},
    {"CommentCutBeforeQuotes", "STR5 = " + kPilcrow + "a /#/ b" + kPilcrow, {{5, "a"}}},
    {"CommentLeavesOpenQuote", "STR5 = " + kPilcrow + " /#/", {{5, ""}}},
    {"InnerBlanksKept", "STR5 =  two  words  ", {{5, "two  words"}}},
    {"FreeComment", "# STR5 = x", {}},
    {"EmptyLine", "", {}},
    {"MarkerOnly", "STR", {}},
    {"EqualsRightAfterMarker", "STR= x", {}},
    {"EmbeddedNulKept", std::string("STR5 = a\0b", 10), {{5, std::string("a\0b", 3)}}},
};

INSTANTIATE_TEST_SUITE_P(Lines, LanguageGrammar, ::testing::ValuesIn(kGrammarCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LanguageFile, LaterLinesOverwriteAndOthersKeepDefaults) {
    TextTable t = Defaults();
    t.Apply_Language_Text("STR7 = first\nSTR8 = eight\nSTR7 = second\n");
    EXPECT_EQ(Changes(t), (std::vector<std::pair<int, std::string>>{{7, "second"}, {8, "eight"}}));
}

TEST(LanguageFile, AllLineEnds) {
    TextTable t = Defaults();
    t.Apply_Language_Text("STR1 = a\r\nSTR2 = b\nSTR3 = c\rSTR4 = d\n\rSTR5 = e\r\r\nSTR6 = f");
    EXPECT_EQ(Changes(t), (std::vector<std::pair<int, std::string>>{
                              {1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, "e"}, {6, "f"}}));
}

TEST(LanguageFile, EncodingsAreChosenByByteOrderMark) {
    // "¶Größe x¶" in every supported form, on the second line.
    const std::u16string text16 = u"; comment\r\nSTR5 = \u00B6Gr\u00F6\u00DFe x\u00B6\r\nSTR6 = \U0001F600";
    const std::string expect5 = "Gr\xC3\xB6\xC3\x9F" "e x";
    const std::string expect6 = "\xF0\x9F\x98\x80";
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"utf8", kBomUtf8 + "; comment\r\nSTR5 = \xC2\xB6Gr\xC3\xB6\xC3\x9F" "e x\xC2\xB6\r\nSTR6 = " + expect6},
        {"utf16le", Utf16(text16, false)},
        {"utf16be", Utf16(text16, true)},
    };
    for (const auto& c : cases) {
        TextTable t = Defaults();
        t.Apply_Language_Text(c.bytes);
        EXPECT_EQ(t[5], expect5) << c.name;
        EXPECT_EQ(t[6], expect6) << c.name;
    }
}

TEST(LanguageFile, WithoutMarkBytesAreWindows1252) {
    TextTable t = Defaults();
    t.Apply_Language_Text("STR5 = \xB6Gr\xF6\xDF" "e x \xB6\nSTR6 = \x80 \x93q\x94 \x9F\nSTR7 = a\x81" "b\x8D\x8F\x90\x9D");
    EXPECT_EQ(t[5], "Gr\xC3\xB6\xC3\x9F" "e x ");                                // 0xB6 is the pilcrow
    EXPECT_EQ(t[6], "\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xC5\xB8");           // euro, quotes, Y diaeresis
    EXPECT_EQ(t[7], "a\xEF\xBF\xBD" "b\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // undefined bytes
    // UTF-8 without a mark is not recognised: its bytes are read as 8-bit characters.
    TextTable u = Defaults();
    u.Apply_Language_Text("STR5 = \xC3\xA9");
    EXPECT_EQ(u[5], "\xC3\x83\xC2\xA9");
}

TEST(LanguageFile, MalformedUnicodeBecomesReplacementCharacters) {
    const std::string fffd = "\xEF\xBF\xBD";
    struct Case {
        const char* name;
        std::string bytes;
        std::string expect5;
    } cases[] = {
        {"utf8 invalid bytes", kBomUtf8 + "STR5 = a\xFF" "b\xC3(\xE2\x82 \xED\xA0\x80!", "a" + fffd + "b" + fffd + "(" + fffd + " " + fffd + fffd + fffd + "!"},
        {"utf8 truncated at end", kBomUtf8 + "STR5 = ab\xE2\x82", "ab" + fffd},
        {"utf8 overlong", kBomUtf8 + "STR5 = \xC0\xBD", fffd + fffd},
        {"utf16le odd byte count", Utf16(u"STR5 = ab", false) + "x", "ab" + fffd},
        {"utf16le lone high surrogate", Utf16(u"STR5 = a\xD800" u"b", false), "a" + fffd + "b"},
        {"utf16be lone low surrogate", Utf16(u"STR5 = a\xDC00" u"b", true), "a" + fffd + "b"},
        {"utf16le high surrogate at end", Utf16(u"STR5 = ab\xD83D", false), "ab" + fffd},
    };
    for (const auto& c : cases) {
        TextTable t = Defaults();
        t.Apply_Language_Text(c.bytes);
        EXPECT_EQ(t[5], c.expect5) << c.name;
        EXPECT_TRUE(Is_Valid_Utf8(t[5])) << c.name;
    }
}

TEST(LanguageFile, MarkOnlyOrEmptyFileChangesNothing) {
    for (const std::string& bytes : {std::string(), kBomUtf8, std::string("\xFF\xFE"), std::string("\xFE\xFF"),
                                    std::string("\xFF\xFE\x00", 3)}) {
        TextTable t = Defaults();
        t.Apply_Language_Text(bytes);
        EXPECT_TRUE(Changes(t).empty());
    }
}

TEST(LanguageFile, GarbageNeverBreaksTheTable) {
    std::mt19937 rng(12345);
    const std::string prefixes[] = {"", kBomUtf8, "\xFF\xFE", "\xFE\xFF"};
    for (int round = 0; round < 200; ++round) {
        std::string bytes = prefixes[round % 4];
        const int n = static_cast<int>(rng() % 600);
        for (int k = 0; k < n; ++k) {
            // Bias towards the bytes the grammar cares about.
            static const char kSpecial[] = "STR0123456789 =/#\r\n\xB6\xC2";
            bytes += (rng() % 2) ? kSpecial[rng() % (sizeof(kSpecial) - 1)] : static_cast<char>(rng() % 256);
        }
        TextTable t = Defaults();
        t.Apply_Language_Text(bytes);
        ASSERT_EQ(t.Size(), 2800);
        ASSERT_EQ(t.Entries().size(), 2800u);
        for (const auto& [i, text] : Changes(t)) ASSERT_TRUE(Is_Valid_Utf8(text)) << "round " << round << " index " << i;
    }
}

TEST(LanguageFile, VeryLongLines) {
    const std::string mb(1 << 20, 'x');
    TextTable t = Defaults();
    t.Apply_Language_Text("STR5 = " + mb + "\n" + mb + "\nSTR6 = " + std::string(1 << 20, '7') + "\nSTR" +
                          std::string(1 << 20, '1') + " = y\nSTR7 = z");
    EXPECT_EQ(t[5], mb);
    EXPECT_EQ(t[6].size(), size_t{1} << 20);
    EXPECT_EQ(t[7], "z");
    EXPECT_EQ(Changes(t).size(), 3u);
}

TEST(LanguageFile, NoTableMeansNothingToChange) {
    TextTable t;  // defaults not loaded: the index bound is 0
    t.Apply_Language_Text("STR0 = x\n");
    EXPECT_EQ(t.Size(), 0);
    EXPECT_EQ(t[0], "");
}

TEST(LanguageFile, LoadFromDisk) {
    test::TempDir dir;
    const std::string path = dir.Write("Deutsch.lng", Utf16(u"STR15 = Neue Konfiguration\r\n", false));
    TextTable t = Defaults();
    t.Load_Language_File(path);
    EXPECT_EQ(Changes(t), (std::vector<std::pair<int, std::string>>{{15, "Neue Konfiguration"}}));
}

TEST(LanguageFile, UnreadableFileChangesNothing) {
    test::TempDir dir;
    std::filesystem::create_directories(dir / "Folder.lng");
    for (const std::string& path : {dir / "Missing.lng", dir / "Folder.lng", std::string()}) {
        TextTable t = Defaults();
        t.Set(3, "kept");
        t.Load_Language_File(path);
        EXPECT_FALSE(t.Apply_Language_File(path)) << path;
        EXPECT_EQ(t[3], "kept");
        EXPECT_EQ(Changes(t).size(), 1u);
    }
}

TEST(LoadTexts, NamedFileIsApplied) {
    test::TempDir dir;
    dir.Write("Deutsch.lng", "STR0 = Anfang\n");
    dir.Write("English.lng", "STR0 = Start\n");
    TextTable t;
    std::string name = "Deutsch";
    Load_Texts(t, dir.Path(), name);
    EXPECT_EQ(name, "Deutsch");
    EXPECT_EQ(t.Size(), 2800);
    EXPECT_EQ(t[0], "Anfang");
}

TEST(LoadTexts, MissingFileFallsBackToEnglishFile) {
    test::TempDir dir;
    dir.Write("English.lng", "STR0 = Start\n");
    TextTable t;
    std::string name = "Deutsch";
    Load_Texts(t, dir.Path(), name);
    EXPECT_EQ(name, "English");
    EXPECT_EQ(t[0], "Start");
    EXPECT_EQ(Changes(t).size(), 1u);
}

TEST(LoadTexts, NoFilesGiveBuiltInEnglish) {
    test::TempDir dir;
    for (const std::string& language_dir : {dir.Path(), dir / "no-such-folder"}) {
        for (std::string name : {"Deutsch", "English", ""}) {
            TextTable t;
            Load_Texts(t, language_dir, name);
            EXPECT_EQ(name, "English");
            EXPECT_EQ(t.Size(), 2800);
            EXPECT_TRUE(Changes(t).empty());
        }
    }
}

TEST(LoadTexts, UnreadableNamedFileFallsBackToEnglish) {
    test::TempDir dir;
    std::filesystem::create_directories(dir / "Deutsch.lng");
    dir.Write("English.lng", "STR0 = Start\n");
    TextTable t;
    std::string name = "Deutsch";
    Load_Texts(t, dir.Path(), name);
    EXPECT_EQ(name, "English");
    EXPECT_EQ(t[0], "Start");
}

TEST(LoadTexts, NameCannotLeaveTheLanguageFolder) {
    test::TempDir dir;
    dir.Write("secret.lng", "STR0 = outside\n");
    dir.Write("LANGUAGE/English.lng", "STR0 = Start\n");
    for (std::string name : {std::string("../secret"), std::string("..\\secret"), dir / "secret"}) {
        TextTable t;
        Load_Texts(t, dir / "LANGUAGE", name);
        EXPECT_EQ(name, "English");
        EXPECT_EQ(t[0], "Start");
    }
}

TEST(LoadTexts, SwitchingLanguageLeavesNothingOfTheFirst) {
    test::TempDir dir;
    dir.Write("A.lng", "STR0 = A0\nSTR1 = A1\nSTR2 = A2\n");
    dir.Write("B.lng", "STR1 = B1\n");
    TextTable t;
    std::string name = "A";
    Load_Texts(t, dir.Path(), name);
    EXPECT_EQ(t[2], "A2");
    t.Set(3, "changed by hand");
    name = "B";
    Load_Texts(t, dir.Path(), name);
    EXPECT_EQ(name, "B");
    EXPECT_EQ(Changes(t), (std::vector<std::pair<int, std::string>>{{1, "B1"}}));
}

TEST(LanguageBytes, ConversionIsAlwaysValidUtf8) {
    EXPECT_EQ(Language_Bytes_To_Utf8("\xB6"), "\xC2\xB6");
    EXPECT_EQ(Language_Bytes_To_Utf8(kBomUtf8 + "x"), "x");
    EXPECT_EQ(Language_Bytes_To_Utf8(std::string("\xFF\xFE" "A\0", 4)), "A");
    EXPECT_EQ(Language_Bytes_To_Utf8(std::string("\xFE\xFF\0A", 4)), "A");
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_TRUE(Is_Valid_Utf8(Language_Bytes_To_Utf8(all)));
    EXPECT_TRUE(Is_Valid_Utf8(Language_Bytes_To_Utf8(kBomUtf8 + all)));
    EXPECT_TRUE(Is_Valid_Utf8(Language_Bytes_To_Utf8("\xFF\xFE" + all)));
    EXPECT_TRUE(Is_Valid_Utf8(Language_Bytes_To_Utf8("\xFE\xFF" + all)));
}

} // namespace
} // namespace ks
