#include "tables/knx_table.h"

#include <filesystem>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "core/text_util.h"
#include "support/test_support.h"
#include "texts/text_table.h"

namespace ks {

void PrintTo(const KNX_Access_Row& r, std::ostream* os) {
    for (const KNX_Column& c : KNX_Columns()) *os << c.field << "='" << r.*c.member << "' ";
}

namespace {

using R = KNX_Access_Row;

R Good_Row(const std::string& source = "1.1.20") {
    R r;
    r.Enable = "Y";
    r.Source_Address = source;
    r.Destination_Address = "1/2/3";
    r.APCI = "Write";
    r.Priority = "Normal";
    r.Format = "None";
    r.MultiplicationFactor = "";
    r.Extended = "N";
    r.ReTest = "N";
    r.On_Command = "N";
    r.On_Change = "Y";
    r.On_Timer = "N";
    r.Poll_Time = "";
    r.Position = "0";
    r.Bit_Mode = "No";
    r.Length = "2";
    r.TimeOut = "0";
    r.Mnemonic = "lamp";
    return r;
}

const TextTable& English() {
    static const TextTable t = [] {
        TextTable x;
        x.Load_Default_Texts();
        return x;
    }();
    return t;
}

const std::string kRowAttrs =
    "Enable=\"Y\" Source_Address=\"1.1.1\" Destination_Address=\"2/3/4\" APCI=\"Read\" Priority=\"Low\" "
    "Format=\"Swap16\" MultiplicationFactor=\"0,5\" Extended=\"N\" ReTest=\"Y\" On_Command=\"Y\" On_Change=\"N\" "
    "On_Timer=\"Y\" Poll_Time=\"1000\" Position=\"7\" Bit_Mode=\"3\" Length=\"5\" TimeOut=\"100\" Mnemonic=\"m\"";

// ---- file ----

TEST(KNXFile, MissingFileGivesTheResetListAndCreatesNothing) {
    test::TempDir dir;
    const KNX_Load_Result r = Load_KNX_SetAccess(dir / "KNX_SetAccess.xml");
    EXPECT_EQ(r.error, "");
    ASSERT_EQ(r.table.KNX_in_Write.size(), static_cast<size_t>(KNX_Rows));
    for (const R& row : r.table.KNX_in_Write) ASSERT_EQ(row, R{});
    EXPECT_EQ(R{}.Enable, "Y");
    EXPECT_FALSE(std::filesystem::exists(dir / "KNX_SetAccess.xml"));
}

TEST(KNXFile, WritesAttributesInOrderAndStopsAtTheFirstRowWithoutSource) {
    KNX_Access_Table t;
    t.KNX_in_Write[0] = Good_Row();
    t.KNX_in_Write[0].Enable = "N";  // disabled rows are saved too
    t.KNX_in_Write[0].Source_Address = "99.99";  // invalid rows as typed
    t.KNX_in_Write[1].Source_Address = "  ";
    t.KNX_in_Write[2] = Good_Row();
    EXPECT_EQ(KNX_SetAccess_To_Xml(t),
              "<BACnet_to_KNX><KNX_in_Write>"
              "<row Enable=\"N\" Source_Address=\"99.99\" Destination_Address=\"1/2/3\" APCI=\"Write\" "
              "Priority=\"Normal\" Format=\"None\" MultiplicationFactor=\"\" Extended=\"N\" ReTest=\"N\" "
              "On_Command=\"N\" On_Change=\"Y\" On_Timer=\"N\" Poll_Time=\"\" Position=\"0\" Bit_Mode=\"No\" "
              "Length=\"2\" TimeOut=\"0\" Mnemonic=\"lamp\"/>"
              "</KNX_in_Write></BACnet_to_KNX><!--SW_VERSION = 1.001-->");
    EXPECT_EQ(KNX_SetAccess_To_Xml(KNX_Access_Table{}),
              "<BACnet_to_KNX><KNX_in_Write/></BACnet_to_KNX><!--SW_VERSION = 1.001-->");
}

TEST(KNXFile, SaveThenLoadGivesTheRowsUpToTheFirstEmptySource) {
    test::TempDir dir;
    const std::string path = dir / "KNX_SetAccess.xml";
    KNX_Access_Table t;
    for (int i = 0; i < KNX_Rows; ++i) t.KNX_in_Write[i] = Good_Row("1.1." + std::to_string(i % 256));
    t.KNX_in_Write[3].Mnemonic = std::string(100000, 'k') + "\r\n\"<&>'\xE2\x82\xAC";
    t.KNX_in_Write[4].Position = "-12";
    t.KNX_in_Write[4].Length = "0x7FFFFFFF";
    t.KNX_in_Write[4].TimeOut = "99999999999999";
    ASSERT_EQ(Save_KNX_SetAccess(path, t), "");
    KNX_Load_Result r = Load_KNX_SetAccess(path);
    EXPECT_EQ(r.error, "");
    for (int i = 0; i < KNX_Rows; ++i) ASSERT_EQ(r.table.KNX_in_Write[i], t.KNX_in_Write[i]) << "row " << i + 1;

    t.KNX_in_Write[500].Source_Address = "";
    ASSERT_EQ(Save_KNX_SetAccess(path, t), "");
    r = Load_KNX_SetAccess(path);
    EXPECT_EQ(r.table.KNX_in_Write[499], t.KNX_in_Write[499]);
    for (int i = 500; i < KNX_Rows; ++i) ASSERT_EQ(r.table.KNX_in_Write[i], R{}) << "row " << i + 1;
}

TEST(KNXFile, FallbacksForOlderFilesAndUnknownPriorities) {
    struct Case {
        const char* attrs;
        std::string R::*field;
        const char* expected;
    };
    const std::string required =
        "Source_Address=\"1.1.1\" Destination_Address=\"1/1/1\" APCI=\"Read\" Extended=\"N\" ReTest=\"N\" "
        "On_Change=\"N\" Poll_Time=\"\" Position=\"0\" Bit_Mode=\"No\" Length=\"1\" Mnemonic=\"\"";
    const Case cases[] = {
        {"", &R::Enable, "Y"},
        {"", &R::Priority, "Normal"},
        {"", &R::Format, "None"},
        {"", &R::MultiplicationFactor, ""},
        {"", &R::On_Command, "N"},
        {"", &R::On_Timer, "N"},
        {"", &R::TimeOut, "0"},
        {"Enable=\"\"", &R::Enable, ""},
        {"Priority=\"URGENT\"", &R::Priority, "Normal"},
        {"Priority=\" Low\"", &R::Priority, "Normal"},
        {"Priority=\"System\"", &R::Priority, "System"},
        {"Priority=\"Urgent\"", &R::Priority, "Urgent"},
        {"Format=\"bogus\"", &R::Format, "bogus"},
        {"TimeOut=\"-3\"", &R::TimeOut, "-3"},
    };
    for (const Case& c : cases) {
        const KNX_Load_Result r = Load_KNX_SetAccess_From_String(
            "<X><KNX_in_Write><anything " + required + " " + c.attrs + "/></KNX_in_Write></X>");
        EXPECT_EQ(r.error, "") << c.attrs;
        EXPECT_EQ(r.table.KNX_in_Write[0].*c.field, c.expected) << c.attrs;
    }
}

TEST(KNXFile, DamagedFilesGiveTheRowsReadSoFarAndAnError) {
    const std::string row = "<row " + kRowAttrs + "/>";
    struct Case {
        const char* what;
        std::string xml;
        const char* error_part;
        int rows;  // rows loaded
    };
    const Case cases[] = {
        {"not XML", "KNX_in_Write", "not a valid XML document", 0},
        {"truncated", "<BACnet_to_KNX><KNX_in_Write>" + row + row, "not a valid XML document", 0},
        {"no list", "<BACnet_to_KNX><KNX_in_Read>" + row + "</KNX_in_Read></BACnet_to_KNX>",
         "no element KNX_in_Write", 0},
        {"declaration first", "<?xml version=\"1.0\"?><BACnet_to_KNX><KNX_in_Write/></BACnet_to_KNX>",
         "no element KNX_in_Write", 0},
        {"row 3 with only a source address",
         "<BACnet_to_KNX><KNX_in_Write>" + row + row + "<row Source_Address=\"1.1.1\"/>" + row +
             "</KNX_in_Write></BACnet_to_KNX>",
         "row 3 of KNX_in_Write has no attribute Destination_Address", 2},
    };
    for (const Case& c : cases) {
        const KNX_Load_Result r = Load_KNX_SetAccess_From_String(c.xml);
        EXPECT_NE(r.error.find(c.error_part), std::string::npos) << c.what << ": " << r.error;
        ASSERT_EQ(r.table.KNX_in_Write.size(), static_cast<size_t>(KNX_Rows));
        for (int i = 0; i < KNX_Rows; ++i)
            ASSERT_EQ(r.table.KNX_in_Write[i].Source_Address, i < c.rows ? "1.1.1" : "") << c.what << " " << i;
    }
}

TEST(KNXFile, MoreRowsThanTheCapacityKeepsTheFirst1024AndSaysSo) {
    std::string many;
    for (int i = 1; i <= 2000; ++i) many += "<row " + kRowAttrs + "/>";
    const KNX_Load_Result r =
        Load_KNX_SetAccess_From_String("<BACnet_to_KNX><KNX_in_Write>" + many + "</KNX_in_Write></BACnet_to_KNX>");
    EXPECT_NE(r.error.find("KNX_in_Write holds more than 1024 rows"), std::string::npos) << r.error;
    ASSERT_EQ(r.table.KNX_in_Write.size(), static_cast<size_t>(KNX_Rows));
    EXPECT_EQ(r.table.KNX_in_Write[KNX_Rows - 1].Source_Address, "1.1.1");
    EXPECT_EQ(Load_KNX_SetAccess_From_String(KNX_SetAccess_To_Xml(r.table)).error, "");
}

TEST(KNXFile, ErrorsNameTheFileAndFailedSavesAreReported) {
    test::TempDir dir;
    const std::string path = dir.Write("KNX_SetAccess.xml", "<BACnet_to_KNX>");
    EXPECT_NE(Load_KNX_SetAccess(path).error.find(path), std::string::npos);
    std::filesystem::create_directory(dir / "folder.xml");
    EXPECT_NE(Load_KNX_SetAccess(dir / "folder.xml").error, "");
    EXPECT_NE(Save_KNX_SetAccess(dir / "folder.xml", KNX_Access_Table{}), "");
    EXPECT_NE(Save_KNX_SetAccess(Join_Path(dir / "gone", "KNX_SetAccess.xml"), KNX_Access_Table{}), "");
}

// ---- grid ----

TEST(KNXGrid, ColumnsFollowTheFileAndRowsSurviveTheGrid) {
    TableModel g = Make_KNX_Grid();
    EXPECT_EQ(g.Row_Count(), 1025);
    EXPECT_EQ(g.Col_Count(), 19);
    EXPECT_EQ(g.Cell(0, 1024), "1024");
    EXPECT_EQ(g.Cell(1, 1024), "Y");
    EXPECT_EQ(g.Kind(4), EditorKind::ListFree);
    EXPECT_EQ(g.Kind(5), EditorKind::List);
    EXPECT_EQ(g.Column(6).choices.size(), 10u);
    EXPECT_EQ(g.Column(6).choices.back(), "Float16 to Int * 100");
    EXPECT_EQ(g.Column(14).choices.size(), 1500u);
    ASSERT_EQ(g.Column(15).choices.size(), 9u);
    EXPECT_EQ(g.Column(15).choices[0], "No");
    for (int c : {1, 8, 9, 10, 11, 12}) EXPECT_EQ(g.Kind(c), EditorKind::Check) << c;
    EXPECT_EQ(KNX_Columns()[6].hint_text, 1463);
    EXPECT_EQ(KNX_Columns()[16].hint_text, 1464);
    EXPECT_EQ(KNX_Columns()[17].header_text, 1430);

    KNX_Access_Table t;
    t.KNX_in_Write[0] = Good_Row();
    t.KNX_in_Write[1023] = Good_Row("2.2.2");
    KNX_List_To_Grid(t.KNX_in_Write, g);
    EXPECT_EQ(g.Cell(2, 1024), "2.2.2");
    EXPECT_EQ(g.Cell(16, 1), "2");
    EXPECT_EQ(KNX_List_From_Grid(g), t.KNX_in_Write);
}

// ---- Controllo_dati ----

struct CheckCase {
    const char* what;
    void (*change)(R&);
    const char* message;  // empty: passes
};

const CheckCase kChecks[] = {
    {"good row", [](R&) {}, ""},
    {"source 0.0.0", [](R& r) { r.Source_Address = "0.0.0"; }, ""},
    {"source blanks around", [](R& r) { r.Source_Address = " 1.1.20 "; }, ""},
    {"source plain number", [](R& r) { r.Source_Address = "4660"; }, ""},
    {"source area 16", [](R& r) { r.Source_Address = "16.1.1"; },
     "Error row 4!! [KNX in Write] Source Address must be a valid KNX Address (Ex. 1.1.20)"},
    {"source group form", [](R& r) { r.Source_Address = "1/2/3"; },
     "Error row 4!! [KNX in Write] Source Address must be a valid KNX Address (Ex. 1.1.20)"},
    {"destination 0/0/0", [](R& r) { r.Destination_Address = "0/0/0"; },
     "Error row 4!! [KNX in Write] Destination Address must be a valid KNX Address (Ex. 230.240)"},
    {"destination 0", [](R& r) { r.Destination_Address = "0"; },
     "Error row 4!! [KNX in Write] Destination Address must be a valid KNX Address (Ex. 230.240)"},
    {"destination empty", [](R& r) { r.Destination_Address = " "; },
     "Error row 4!! [KNX in Write] Destination Address must be a valid KNX Address (Ex. 230.240)"},
    {"destination individual", [](R& r) { r.Destination_Address = "1.1.20"; }, ""},
    {"destination 4660", [](R& r) { r.Destination_Address = "4660"; }, ""},
    {"destination 31/2047", [](R& r) { r.Destination_Address = "31/2047"; }, ""},
    {"destination 0.0.0", [](R& r) { r.Destination_Address = "0.0.0"; }, ""},
    {"destination 1.1.256", [](R& r) { r.Destination_Address = "1.1.256"; },
     "Error row 4!! [KNX in Write] Destination Address must be a valid KNX Address (Ex. 1.1.20)"},
    {"destination 1.1/2", [](R& r) { r.Destination_Address = "1.1/2"; },
     "Error row 4!! [KNX in Write] Destination Address must be a valid KNX Address (Ex. 1.1.20)"},
    {"APCI write", [](R& r) { r.APCI = "write"; }, ""},
    {"APCI READ", [](R& r) { r.APCI = "READ"; }, ""},
    {"APCI 1023", [](R& r) { r.APCI = "1023"; }, ""},
    {"APCI $3FF", [](R& r) { r.APCI = "$3FF"; }, ""},
    {"APCI 1024", [](R& r) { r.APCI = "1024"; },
     "Error row 4!! [KNX in Write] APCI must be between 0 and 1023 or use the value Read or Write"},
    {"APCI empty", [](R& r) { r.APCI = ""; },
     "Error row 4!! [KNX in Write] APCI must be between 0 and 1023 or use the value Read or Write"},
    {"APCI blank before Read", [](R& r) { r.APCI = " Read"; },
     "Error row 4!! [KNX in Write] APCI must be between 0 and 1023 or use the value Read or Write"},
    {"APCI negative", [](R& r) { r.APCI = "-1"; },
     "Error row 4!! [KNX in Write] APCI must be between 0 and 1023 or use the value Read or Write"},
    {"priority NORMAL", [](R& r) { r.Priority = "NORMAL"; },
     "Error row 4!! [KNX in Write] Priority must be System or Urgent or Normal or Low"},
    {"priority empty", [](R& r) { r.Priority = ""; },
     "Error row 4!! [KNX in Write] Priority must be System or Urgent or Normal or Low"},
    {"priority Low", [](R& r) { r.Priority = "Low"; }, ""},
    {"format blank", [](R& r) { r.Format = " \t"; }, "Error row 4!! [KNX in Write] Format is not correct"},
    {"format unknown name", [](R& r) { r.Format = "Swap 16"; }, ""},
    {"factor blank", [](R& r) { r.MultiplicationFactor = "   "; }, ""},
    {"factor comma", [](R& r) { r.MultiplicationFactor = "0,5"; }, ""},
    {"factor point", [](R& r) { r.MultiplicationFactor = "0.5"; }, ""},
    {"factor thousands", [](R& r) { r.MultiplicationFactor = "1.000,5"; },
     "Error row 4!! [KNX in Write] Mul. Factor must be a valid Float"},
    {"factor letters", [](R& r) { r.MultiplicationFactor = "abc"; },
     "Error row 4!! [KNX in Write] Mul. Factor must be a valid Float"},
    {"timer off, empty poll time", [](R& r) { r.Poll_Time = ""; }, ""},
    {"timer on, poll time 0", [](R& r) { r.On_Timer = "Y"; r.Poll_Time = "0"; },
     "Error row 4!! [KNX in Write] Poll Time must be between 1 and 100000000"},
    {"timer y, poll time 0", [](R& r) { r.On_Timer = "y"; r.Poll_Time = "0"; },
     "Error row 4!! [KNX in Write] Poll Time must be between 1 and 100000000"},
    {"timer ' Y' is not on", [](R& r) { r.On_Timer = " Y"; r.Poll_Time = "0"; }, ""},
    {"timer on, poll time max", [](R& r) { r.On_Timer = "Y"; r.Poll_Time = "100000000"; }, ""},
    {"timer on, poll time over", [](R& r) { r.On_Timer = "Y"; r.Poll_Time = "100000001"; },
     "Error row 4!! [KNX in Write] Poll Time must be between 1 and 100000000"},
    {"position 1500", [](R& r) { r.Position = "1500"; },
     "Error row 4!! [KNX in Write] Position must be between 0 and 1499"},
    {"position -1", [](R& r) { r.Position = "-1"; },
     "Error row 4!! [KNX in Write] Position must be between 0 and 1499"},
    {"bit mode no", [](R& r) { r.Bit_Mode = "no"; }, ""},
    {"bit mode 8", [](R& r) { r.Bit_Mode = "8"; },
     "Error row 4!! [KNX in Write] Bit Mode must be \"No\" or between 0 and 7"},
    {"bit mode 'No '", [](R& r) { r.Bit_Mode = "No "; },
     "Error row 4!! [KNX in Write] Bit Mode must be \"No\" or between 0 and 7"},
    {"bytes standard 14", [](R& r) { r.Length = "14"; }, ""},
    {"bytes standard 15", [](R& r) { r.Length = "15"; },
     "Error row 4!! [KNX in Write] Length must be between 1 and 14"},
    {"length 0", [](R& r) { r.Length = "0"; }, "Error row 4!! [KNX in Write] Length must be between 1 and 14"},
    {"bytes extended 255", [](R& r) { r.Extended = "y"; r.Length = "255"; }, ""},
    {"bytes extended 256", [](R& r) { r.Extended = "Y"; r.Length = "256"; },
     "Error row 4!! [KNX in Write] Length must be between 1 and 255"},
    {"bits standard 112", [](R& r) { r.Bit_Mode = "0"; r.Length = "112"; }, ""},
    {"bits standard 113", [](R& r) { r.Bit_Mode = "0"; r.Length = "113"; },
     "Error row 4!! [KNX in Write] Length must be between 1 and 112"},
    {"bits extended 2040", [](R& r) { r.Bit_Mode = "0"; r.Extended = "Y"; r.Length = "2040"; }, ""},
    {"bits extended 2041", [](R& r) { r.Bit_Mode = "7"; r.Extended = "Y"; r.Length = "2041"; },
     "Error row 4!! [KNX in Write] Length must be between 1 and 2040"},
    {"bits reach past the array",
     [](R& r) {
         r.Bit_Mode = "7";
         r.Length = "112";
         r.Position = "1486";
     },
     "Error row 4!! [KNX in Write] Position plus Length must be minor or equal to 1500"},
    {"bits end at the array",
     [](R& r) {
         r.Bit_Mode = "7";
         r.Length = "112";
         r.Position = "1485";
     },
     ""},
    {"bytes reach past the array", [](R& r) { r.Position = "1499"; },
     "Error row 4!! [KNX in Write] Position plus Length must be minor or equal to 1500"},
    {"bytes end at the array", [](R& r) { r.Position = "1498"; }, ""},
    {"timeout max", [](R& r) { r.TimeOut = "100000000"; }, ""},
    {"timeout over", [](R& r) { r.TimeOut = "100000001"; },
     "Error row 4!! [KNX in Write] TimeOut must be between 0 and 100000000 milliseconds"},
    {"timeout empty", [](R& r) { r.TimeOut = ""; },
     "Error row 4!! [KNX in Write] TimeOut must be between 0 and 100000000 milliseconds"},
    {"unchecked fields", [](R& r) { r.ReTest = r.On_Command = r.On_Change = r.Mnemonic = "??"; }, ""},
    {"disabled bad row", [](R& r) { r.Enable = "N"; r.APCI = "bad"; }, ""},
    {"enabled with blanks", [](R& r) { r.Enable = " Y "; r.APCI = "bad"; },
     "Error row 4!! [KNX in Write] APCI must be between 0 and 1023 or use the value Read or Write"},
    {"first failing check wins", [](R& r) { r.Priority = "x"; r.TimeOut = "x"; },
     "Error row 4!! [KNX in Write] Priority must be System or Urgent or Normal or Low"},
};

TEST(KNXCheck, EachRuleGivesItsComposedMessage) {
    for (char sep : {'.', ','}) {
        for (const CheckCase& c : kChecks) {
            KNX_Access_Table t;
            for (int i = 0; i < 4; ++i) t.KNX_in_Write[i] = Good_Row();
            c.change(t.KNX_in_Write[3]);
            EXPECT_EQ(Controllo_dati(t, English(), sep), c.message) << c.what << " (separator " << sep << ")";
        }
    }
}

TEST(KNXCheck, StopsAtTheFirstRowWithoutSource) {
    KNX_Access_Table t;
    for (int i = 1; i < KNX_Rows; ++i) t.KNX_in_Write[i] = Good_Row("bad");
    EXPECT_EQ(Controllo_dati(t, English(), '.'), "");
    t.KNX_in_Write[0] = Good_Row();
    EXPECT_EQ(Controllo_dati(t, English(), '.'),
              "Error row 2!! [KNX in Write] Source Address must be a valid KNX Address (Ex. 1.1.20)");
    for (int i = 0; i < KNX_Rows; ++i) t.KNX_in_Write[i] = Good_Row();
    t.KNX_in_Write[1023].Length = "99";
    EXPECT_EQ(Controllo_dati(t, English()), "Error row 1024!! [KNX in Write] Length must be between 1 and 14");
}

} // namespace
} // namespace ks
