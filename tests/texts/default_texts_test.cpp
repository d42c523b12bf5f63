#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "texts/text_table.h"

namespace ks {
namespace {

// Index ranges that hold a dialog's texts; everything else is a single blank.
const std::vector<std::pair<int, int>>& Used_Ranges() {
    static const std::vector<std::pair<int, int>> r = {
        {0, 60},       {100, 110},   {200, 207},   {300, 321},   {400, 955},   {1000, 1037},
        {1100, 1107},  {1200, 1324}, {1400, 1466}, {1500, 1545}, {1600, 1621}, {1700, 1758},
        {1800, 1863},  {1900, 1991}, {2000, 2079}, {2100, 2165}, {2200, 2286}, {2300, 2398},
        {2400, 2474},  {2500, 2560}, {2600, 2608}, {2700, 2730}};
    return r;
}

bool In_Used_Range(int i) {
    for (const auto& [a, b] : Used_Ranges())
        if (i >= a && i <= b) return true;
    return false;
}

TEST(DefaultTexts, LoadGivesTheFullTable) {
    TextTable t;
    t.Set(3, "before");  // no table yet: ignored
    t.Load_Default_Texts();
    ASSERT_EQ(t.Size(), 2800);
    ASSERT_EQ(t.Entries().size(), 2800u);
    EXPECT_EQ(t[0], "Begin");
    EXPECT_EQ(t[61], " ");
    EXPECT_EQ(t[2799], " ");
    EXPECT_EQ(t[-1], "");
    EXPECT_EQ(t[2800], "");
    for (int i = 0; i < 2800; ++i) EXPECT_EQ(t[i], Default_Text(i)) << i;
    EXPECT_STREQ(Default_Text(-1), "");
    EXPECT_STREQ(Default_Text(2800), "");
}

TEST(DefaultTexts, BlanksExactlyOutsideTheDialogRanges) {
    int blanks = 0;
    for (int i = 0; i < TextTable::Default_Size; ++i) {
        const std::string text = Default_Text(i);
        if (In_Used_Range(i)) {
            EXPECT_FALSE(text.find_first_not_of(' ') == std::string::npos) << "index " << i << " is blank";
        } else {
            EXPECT_EQ(text, " ") << "index " << i;
            ++blanks;
        }
    }
    EXPECT_EQ(blanks, 1113);
}

TEST(DefaultTexts, SpotChecksAcrossBlocks) {
    const std::vector<std::pair<int, std::string>> cases = {
        {9, "None Configuration Opened "},
        {11, "Opened Configuration of the Converter : "},
        {23, "Open an exists configuration"},
        {106, "Error! Name project is not valid because directory already exists"},
        {202, "List of Avaliable Configurations"},
        {304, "Selected Language : "},
        {306, " / "},
        {317, " to "},
        {318, "?"},
        {400, "Set Communication"},
        {418, "Enable/disable the Default Gateway"},
        {451, "Error S7comm!! IP Address 1 must be between 0 and 255"},
        {632, "Error KNX!! ID Device must be a valid KNX Address (Ex. 1.1.20)"},
        {929, "Ethernet Connection"},
        {955, "Error Secondary DNS!! DNS 4 must be between 0 and 255"},
        {1000, "Update Device by Serial"},
        {1037, "Error!!! Check the Ip Address"},
        {1100, "Row Already used. Do you want to overwrite the values?"},
        {1105, "File already exists. Do you want to overwrite?"},
        {1264, "Enable or Disable the Possibility to Send the Write S7 Request when Arrive a Commnad"},
        {1270, "Error row "},
        {1324, "!! [S7comm Write] Slot must be between 0 and 31"},
        {1457, "!! [KNX in Write] Bit Mode must be \"No\" or between 0 and 7"},
        {1466, "!! [KNX in Write] TimeOut must be between 0 and 100000000 milliseconds"},
        {1524, "Select teh Type of IEC61850 Variable (Int or Float)"},
        {1750, " or None"},
        {1916, "N\xC2\xB0"},
        {2037, "Add Byte4"},
        {2132, "Add Byte4"},
        {2279, "!! [SNMP Write] Descrtiption is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" "
               "and \"0\"..\"9\"). First character must be a letter and must be lowercase"},
        {2356, "!! [MQTT Publish] Position must be beetween 0 and "},
        {2543, "!! [BACnet in Read] Length with variable \"Access Door\" must be equal to 1"},
        {2559, "Error!! Too many Requests. Max requests "},
        {2608, "Select Engineering Unit"},
        {2727, "Error row %d!! Position Must be Between 0 and %d"},
        {2730, "Select the Access of OPC UA Variable (Read Only or Read/Write)"},
    };
    for (const auto& [i, text] : cases) EXPECT_EQ(Default_Text(i), text) << "index " << i;
}

} // namespace
} // namespace ks
