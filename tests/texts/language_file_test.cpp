#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"
#include "texts/text_table.h"

namespace ks {
namespace {

TEST(DefaultTexts, TableHasDefaultsAndBlanks) {
    TextTable t;
    t.Load_Default_Texts();
    EXPECT_EQ(t.Size(), 2800);
    EXPECT_EQ(t[0], "Begin");
    EXPECT_EQ(t[61], " ");
    EXPECT_EQ(t[2799], " ");
    EXPECT_EQ(t[9], "None Configuration Opened ");
}

TEST(LanguageFile, TypicalLineSetsEntryWithTrailingBlank) {
    TextTable t;
    t.Load_Default_Texts();
    t.Apply_Language_Text("STR9 = \xB6Keine Konfiguration \xB6 /#/ main window\r\n");
    EXPECT_EQ(t[9], "Keine Konfiguration ");
}

} // namespace
} // namespace ks
