#include "tables/s7_table.h"

#include <filesystem>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "core/text_util.h"
#include "support/test_support.h"
#include "texts/text_table.h"

namespace ks {

void PrintTo(const S7_Access_Row& r, std::ostream* os) {
    for (const S7_Column& c : S7_Columns(S7_List::Write)) *os << c.field << "='" << r.*c.member << "' ";
}

namespace {

using R = S7_Access_Row;

R Good_Row(const std::string& address = "192.168.1.10", const std::string& port = "102") {
    R r;
    r.Enable = "Y";
    r.PLC_Address = address;
    r.PLC_Port = port;
    r.PLC_Type = "S71200";
    r.Rack = "0";
    r.Slot = "1";
    r.Data_Type = "Byte";
    r.Data_Identifier = "DB";
    r.DB_Number = "1";
    r.PLC_Area = "Inputs (I)";
    r.PLC_Add = "0";
    r.PLC_Bit = "0";
    r.PollTime = "1000";
    r.OnChange = "N";
    r.OnCMD = "Y";
    r.Position = "0";
    r.Bit = "0";
    r.Swap = "N";
    r.SwapWord = "N";
    r.Mnemonic = "pump";
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

S7_Access_Table Loaded(const std::string& xml) {
    const S7_Load_Result r = Load_S7_Protocol_From_String(xml);
    EXPECT_EQ(r.error, "") << xml;
    return r.table;
}

const std::string kReadAttrs =
    "Enable=\"Y\" PLC_Address=\"10.0.0.1\" PLC_Port=\"102\" PLC_Type=\"S7300\" Rack=\"0\" Slot=\"2\" "
    "Data_Type=\"Word\" Data_Identifier=\"DB\" DB_Number=\"5\" PLC_Area=\"Output (Q)\" PLC_Add=\"4\" "
    "PLC_Bit=\"0\" PollTime=\"500\" Position=\"10\" Bit=\"0\" Swap=\"N\" SwapWord=\"Y\" Mnemonic=\"m\"";

// ---- file ----

TEST(S7File, MissingFileGivesTwoResetListsAndCreatesNothing) {
    test::TempDir dir;
    const S7_Load_Result r = Load_S7_Protocol(dir / "S7_Protocol.xml");
    EXPECT_EQ(r.error, "");
    for (S7_List l : {S7_List::Read, S7_List::Write}) {
        ASSERT_EQ(r.table.List(l).size(), static_cast<size_t>(S7_Rows));
        for (const R& row : r.table.List(l)) ASSERT_EQ(row, R{});
    }
    EXPECT_EQ(R{}.Enable, "Y");
    EXPECT_EQ(R{}.PLC_Address, "");
    EXPECT_FALSE(std::filesystem::exists(dir / "S7_Protocol.xml"));
}

TEST(S7File, WritesAttributesInOrderAndStopsAtTheFirstRowWithoutAddress) {
    S7_Access_Table t;
    t.S7_Protocol_Read[0] = Good_Row();
    t.S7_Protocol_Read[1] = Good_Row("10.0.0.2");
    t.S7_Protocol_Read[1].Enable = "N";  // disabled rows are saved too
    t.S7_Protocol_Read[1].Mnemonic = "a<b & \"c\"";
    t.S7_Protocol_Read[2].PLC_Address = " \t";  // ends the list
    t.S7_Protocol_Read[3] = Good_Row("10.0.0.4");
    t.S7_Protocol_Write[0] = Good_Row("10.0.0.9", "");
    EXPECT_EQ(S7_Protocol_To_Xml(t),
              "<S7_Protocol><S7_Protocol_Read>"
              "<row Enable=\"Y\" PLC_Address=\"192.168.1.10\" PLC_Port=\"102\" PLC_Type=\"S71200\" Rack=\"0\" "
              "Slot=\"1\" Data_Type=\"Byte\" Data_Identifier=\"DB\" DB_Number=\"1\" PLC_Area=\"Inputs (I)\" "
              "PLC_Add=\"0\" PLC_Bit=\"0\" PollTime=\"1000\" Position=\"0\" Bit=\"0\" Swap=\"N\" SwapWord=\"N\" "
              "Mnemonic=\"pump\"/>"
              "<row Enable=\"N\" PLC_Address=\"10.0.0.2\" PLC_Port=\"102\" PLC_Type=\"S71200\" Rack=\"0\" "
              "Slot=\"1\" Data_Type=\"Byte\" Data_Identifier=\"DB\" DB_Number=\"1\" PLC_Area=\"Inputs (I)\" "
              "PLC_Add=\"0\" PLC_Bit=\"0\" PollTime=\"1000\" Position=\"0\" Bit=\"0\" Swap=\"N\" SwapWord=\"N\" "
              "Mnemonic=\"a&lt;b &amp; &quot;c&quot;\"/>"
              "</S7_Protocol_Read><S7_Protocol_Write>"
              "<row Enable=\"Y\" PLC_Address=\"10.0.0.9\" PLC_Port=\"\" PLC_Type=\"S71200\" Rack=\"0\" "
              "Slot=\"1\" Data_Type=\"Byte\" Data_Identifier=\"DB\" DB_Number=\"1\" PLC_Area=\"Inputs (I)\" "
              "PLC_Add=\"0\" PLC_Bit=\"0\" PollTime=\"1000\" OnChange=\"N\" OnCMD=\"Y\" Position=\"0\" Bit=\"0\" "
              "Swap=\"N\" SwapWord=\"N\" Mnemonic=\"pump\"/>"
              "</S7_Protocol_Write></S7_Protocol><!--SW_VERSION = 1.003-->");
    EXPECT_EQ(S7_Protocol_To_Xml(S7_Access_Table{}),
              "<S7_Protocol><S7_Protocol_Read/><S7_Protocol_Write/></S7_Protocol><!--SW_VERSION = 1.003-->");
}

TEST(S7File, SaveThenLoadGivesTheRowsUpToTheFirstEmptyAddress) {
    test::TempDir dir;
    const std::string path = dir / "S7_Protocol.xml";
    S7_Access_Table t;
    for (int i = 0; i < S7_Rows; ++i) t.S7_Protocol_Write[i] = Good_Row("10.0.0." + std::to_string(i % 250));
    t.S7_Protocol_Read[0] = Good_Row(" 10.0.0.1 ");  // blanks kept as typed
    t.S7_Protocol_Read[0].Mnemonic = std::string(100000, 'x') + "\n\t\xC3\xA9";
    t.S7_Protocol_Read[1] = Good_Row("1.1.1.1", "-7");  // out of range: kept as typed
    t.S7_Protocol_Read[1].Rack = "$FF";
    t.S7_Protocol_Read[1].Position = "99999999999";
    t.S7_Protocol_Read[3] = Good_Row("10.0.0.4");  // after the empty row 3: not saved
    ASSERT_EQ(Save_S7_Protocol(path, t), "");
    const S7_Load_Result r = Load_S7_Protocol(path);
    EXPECT_EQ(r.error, "");
    S7_Access_Table expected = t;
    expected.S7_Protocol_Read[3] = R{};
    for (R& row : expected.S7_Protocol_Read) row.OnChange = row.OnCMD = "";  // not in the read list
    for (S7_List l : {S7_List::Read, S7_List::Write})
        for (int i = 0; i < S7_Rows; ++i)
            ASSERT_EQ(r.table.List(l)[i], expected.List(l)[i]) << "row " << i + 1;
}

TEST(S7File, FallbacksAndValuesAsWritten) {
    const S7_Access_Table t = Loaded(
        "<Anything><S7_Protocol_Write/><S7_Protocol_Read><!--c-->"
        "<item PLC_Address=\"1.2.3.4\" PLC_Port=\"-1\" PLC_Type=\"\" Data_Type=\"x\" Data_Identifier=\"y\" "
        "DB_Number=\"0x10\" PLC_Area=\"z\" PLC_Add=\"1e3\" PLC_Bit=\"9\" PollTime=\" 5 \" Position=\"-0\" Bit=\"7\" "
        "Swap=\"\" SwapWord=\"?\" Mnemonic=\"\" Extra=\"1\" /></S7_Protocol_Read></Anything>");
    R expected;
    expected.Enable = "Y";
    expected.PLC_Address = "1.2.3.4";
    expected.PLC_Port = "-1";
    expected.Rack = "0";
    expected.Slot = "0";
    expected.Data_Type = "x";
    expected.Data_Identifier = "y";
    expected.DB_Number = "0x10";
    expected.PLC_Area = "z";
    expected.PLC_Add = "1e3";
    expected.PLC_Bit = "9";
    expected.PollTime = " 5 ";
    expected.Position = "-0";
    expected.Bit = "7";
    expected.SwapWord = "?";
    EXPECT_EQ(t.S7_Protocol_Read[0], expected);
    EXPECT_EQ(t.S7_Protocol_Read[1], R{});
}

TEST(S7File, DamagedFilesGiveTheRowsReadSoFarAndAnError) {
    const std::string row = "<row " + kReadAttrs + "/>";
    const std::string wrow = "<row " + kReadAttrs + " OnChange=\"N\" OnCMD=\"N\"/>";
    struct Case {
        const char* what;
        std::string xml;
        const char* error_part;
        int read_rows;   // rows loaded into the read list
        int write_rows;  // rows loaded into the write list
    };
    const Case cases[] = {
        {"not XML", "this is not XML", "not a valid XML document", 0, 0},
        {"unclosed", "<S7_Protocol><S7_Protocol_Read>" + row, "not a valid XML document", 0, 0},
        {"empty file", "", "not a valid XML document", 0, 0},
        {"root without lists", "<S7_Protocol/>", "no element S7_Protocol_Read", 0, 0},
        {"comment first", "<!--x--><S7_Protocol><S7_Protocol_Read/><S7_Protocol_Write/></S7_Protocol>",
         "no element S7_Protocol_Read", 0, 0},
        {"no write list", "<S7_Protocol><S7_Protocol_Read>" + row + row + "</S7_Protocol_Read></S7_Protocol>",
         "no element S7_Protocol_Write", 2, 0},
        {"read row 3 without PLC_Port",
         "<S7_Protocol><S7_Protocol_Read>" + row + row + "<row Enable=\"Y\" PLC_Address=\"1.1.1.1\"/>" + row +
             "</S7_Protocol_Read><S7_Protocol_Write>" + wrow + "</S7_Protocol_Write></S7_Protocol>",
         "row 3 of S7_Protocol_Read has no attribute PLC_Port", 2, 0},
        {"write row 2 without OnChange",
         "<S7_Protocol><S7_Protocol_Read>" + row + "</S7_Protocol_Read><S7_Protocol_Write>" + wrow + row +
             "</S7_Protocol_Write></S7_Protocol>",
         "row 2 of S7_Protocol_Write has no attribute OnChange", 1, 1},
    };
    for (const Case& c : cases) {
        const S7_Load_Result r = Load_S7_Protocol_From_String(c.xml);
        EXPECT_NE(r.error.find(c.error_part), std::string::npos) << c.what << ": " << r.error;
        for (S7_List l : {S7_List::Read, S7_List::Write}) {
            const int loaded = l == S7_List::Read ? c.read_rows : c.write_rows;
            const auto& rows = r.table.List(l);
            ASSERT_EQ(rows.size(), static_cast<size_t>(S7_Rows)) << c.what;
            for (int i = 0; i < S7_Rows; ++i)
                ASSERT_EQ(rows[i].PLC_Address, i < loaded ? "10.0.0.1" : "") << c.what << " row " << i + 1;
        }
    }
}

TEST(S7File, ErrorsNameTheFileAndFailedSavesAreReported) {
    test::TempDir dir;
    const std::string path = dir.Write("S7_Protocol.xml", "<S7_Protocol>");
    EXPECT_NE(Load_S7_Protocol(path).error.find(path), std::string::npos);
    std::filesystem::create_directory(dir / "folder.xml");
    EXPECT_NE(Load_S7_Protocol(dir / "folder.xml").error, "");
    EXPECT_NE(Save_S7_Protocol(dir / "folder.xml", S7_Access_Table{}), "");
    EXPECT_NE(Save_S7_Protocol(Join_Path(dir / "gone", "S7_Protocol.xml"), S7_Access_Table{}), "");
}

TEST(S7File, MoreRowsThanTheCapacityKeepsTheFirst512AndSaysSo) {
    std::string many;
    for (int i = 1; i <= 2000; ++i) many += "<row " + kReadAttrs + " Mnemonic2=\"" + std::to_string(i) + "\"/>";
    const std::string wrow = "<row " + kReadAttrs + " OnChange=\"N\" OnCMD=\"N\"/>";
    const S7_Load_Result r = Load_S7_Protocol_From_String("<S7_Protocol><S7_Protocol_Read>" + many +
                                                          "</S7_Protocol_Read><S7_Protocol_Write>" + wrow +
                                                          "</S7_Protocol_Write></S7_Protocol>");
    EXPECT_NE(r.error.find("S7_Protocol_Read holds more than 512 rows"), std::string::npos) << r.error;
    ASSERT_EQ(r.table.S7_Protocol_Read.size(), static_cast<size_t>(S7_Rows));
    EXPECT_EQ(r.table.S7_Protocol_Read[S7_Rows - 1].PLC_Address, "10.0.0.1");
    EXPECT_EQ(r.table.S7_Protocol_Write[0].PLC_Address, "10.0.0.1");  // the other list is still read
    // A full list is written whole and reads back without complaint.
    EXPECT_EQ(Load_S7_Protocol_From_String(S7_Protocol_To_Xml(r.table)).error, "");
}

// ---- grids ----

TEST(S7Grid, ColumnsFollowTheFileAndRowsSurviveTheGrid) {
    const TableModel read = Make_S7_Grid(S7_List::Read);
    const TableModel write = Make_S7_Grid(S7_List::Write);
    EXPECT_EQ(read.Row_Count(), 513);
    EXPECT_EQ(read.Col_Count(), 19);
    EXPECT_EQ(write.Col_Count(), 21);
    EXPECT_EQ(read.Cell(0, 512), "512");
    EXPECT_EQ(read.Cell(1, 512), "Y");
    EXPECT_EQ(read.Cell(2, 512), "");
    EXPECT_EQ(read.Kind(1), EditorKind::Check);
    EXPECT_EQ(read.Kind(4), EditorKind::List);
    EXPECT_EQ(read.Column(4).choices.back(), "S71500");
    EXPECT_EQ(read.Kind(14), EditorKind::List);
    ASSERT_EQ(read.Column(14).choices.size(), 1500u);
    EXPECT_EQ(read.Column(14).choices[1499], "1499");
    EXPECT_EQ(write.Kind(14), EditorKind::Check);  // OnChange
    EXPECT_EQ(write.Column(16).choices.size(), 1500u);
    const auto& wc = S7_Columns(S7_List::Write);
    EXPECT_EQ(wc[19].hint_text, 1269);
    EXPECT_EQ(wc[8].hint_text, 1301);
    EXPECT_STREQ(wc[13].field, "OnChange");
    EXPECT_EQ(S7_Columns(S7_List::Read)[17].header_text, 1228);

    S7_Access_Table t;
    t.S7_Protocol_Read[0] = Good_Row();
    t.S7_Protocol_Read[511] = Good_Row("9.9.9.9");
    t.S7_Protocol_Write[5] = Good_Row("8.8.8.8");
    for (S7_List l : {S7_List::Read, S7_List::Write}) {
        TableModel g = Make_S7_Grid(l);
        S7_List_To_Grid(t.List(l), l, g);
        std::vector<R> back = S7_List_From_Grid(g, l);
        if (l == S7_List::Read)  // the read grid has no OnChange/OnCMD columns
            for (R& r : back) r.OnChange = r.OnCMD = "";
        std::vector<R> want = t.List(l);
        if (l == S7_List::Read)
            for (R& r : want) r.OnChange = r.OnCMD = "";
        EXPECT_EQ(back, want);
    }
    TableModel g = Make_S7_Grid(S7_List::Write);
    S7_List_To_Grid(t.S7_Protocol_Write, S7_List::Write, g);
    EXPECT_EQ(g.Cell(2, 6), "8.8.8.8");
    EXPECT_EQ(g.Cell(15, 6), "Y");  // OnCMD
    EXPECT_EQ(g.Cell(20, 6), "pump");
}

// ---- Check_IP_Port ----

TEST(S7Connections, PairsFillFromTheFrontAndShareEntries) {
    IP_Port_Array a;
    EXPECT_EQ(Check_IP_Port(a, 10, 0, 0, 1, 102), 0);
    EXPECT_EQ(Check_IP_Port(a, 10, 0, 0, 1, 103), 1);
    EXPECT_EQ(Check_IP_Port(a, 10, 0, 0, 1, 102), 0);
    EXPECT_EQ(a[1].Port, 103);
    EXPECT_EQ(a[2].IP1, -1);
    for (int i = 2; i < 10; ++i) EXPECT_EQ(Check_IP_Port(a, 10, 0, 0, 1, 200 + i), i);
    EXPECT_EQ(Check_IP_Port(a, 10, 0, 0, 2, 102), -1);
    EXPECT_EQ(Check_IP_Port(a, 10, 0, 0, 1, 205), 5);  // known pairs still found when full
}

// ---- Controllo_dati ----

struct RowCase {
    S7_List list;
    std::string R::*field;
    const char* value;
    const char* message;  // empty: passes
};

const std::string kPortRead = "!! [S7comm Read] PLC Port must be between 0 and 65535";

const RowCase kRowCases[] = {
    // read list
    {S7_List::Read, &R::PLC_Address, "192.168.1.1 ",
     "Error row 3!! [S7comm Read] PLC Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
    {S7_List::Read, &R::PLC_Address, "192.168.1",
     "Error row 3!! [S7comm Read] PLC Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
    {S7_List::Read, &R::PLC_Address, "1.2.3.4.5",
     "Error row 3!! [S7comm Read] PLC Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
    {S7_List::Read, &R::PLC_Address, "192.168.1.256",
     "Error row 3!! [S7comm Read] PLC Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
    {S7_List::Read, &R::PLC_Address, " 10.0.0.1", ""},
    {S7_List::Read, &R::PLC_Address, "0x0A.0.0.$1", ""},
    {S7_List::Read, &R::PLC_Port, "65536", "Error row 3!! [S7comm Read] PLC Port must be between 0 and 65535"},
    {S7_List::Read, &R::PLC_Port, "-1", "Error row 3!! [S7comm Read] PLC Port must be between 0 and 65535"},
    {S7_List::Read, &R::PLC_Port, "", "Error row 3!! [S7comm Read] PLC Port must be between 0 and 65535"},
    {S7_List::Read, &R::PLC_Port, "102 ", "Error row 3!! [S7comm Read] PLC Port must be between 0 and 65535"},
    {S7_List::Read, &R::PLC_Port, "0x10000", "Error row 3!! [S7comm Read] PLC Port must be between 0 and 65535"},
    {S7_List::Read, &R::PLC_Port, "$FFFF", ""},
    {S7_List::Read, &R::PLC_Port, "0", ""},
    {S7_List::Read, &R::PLC_Type, " ", "Error row 3!! [S7comm Read] PLC Type cannot be empty"},
    {S7_List::Read, &R::PLC_Type, "S9999", ""},
    {S7_List::Read, &R::Rack, "4", "Error row 3!! [S7comm Read] Rack must be between 0 and 3"},
    {S7_List::Read, &R::Rack, "", "Error row 3!! [S7comm Read] Rack must be between 0 and 3"},
    {S7_List::Read, &R::Rack, " 3", ""},
    {S7_List::Read, &R::Slot, "32", "Error row 3!! [S7comm Read] Slot must be between 0 and 31"},
    {S7_List::Read, &R::Slot, "-0", ""},
    {S7_List::Read, &R::Data_Type, "", "Error row 3!! [S7comm Read] Data Type cannot be empty"},
    {S7_List::Read, &R::Data_Identifier, "\t", "Error row 3!! [S7comm Read] Data Identifier cannot be empty"},
    {S7_List::Read, &R::DB_Number, "65536", "Error row 3!! [S7comm Read] DB Number must be between 0 and 65535"},
    {S7_List::Read, &R::PLC_Area, "", "Error row 3!! [S7comm Read] PLC Area cannot be empty"},
    {S7_List::Read, &R::PLC_Add, "99999999999",
     "Error row 3!! [S7comm Read] PLC Address must be between 0 and 65535"},
    {S7_List::Read, &R::PLC_Bit, "", "Error row 3!! [S7comm Read] PLC Bit cannot be empty"},
    {S7_List::Read, &R::PollTime, "0", "Error row 3!! [S7comm Read] Poll Time must be between 1 and 100000000"},
    {S7_List::Read, &R::PollTime, "100000001",
     "Error row 3!! [S7comm Read] Poll Time must be between 1 and 100000000"},
    {S7_List::Read, &R::PollTime, "100000000", ""},
    {S7_List::Read, &R::Position, "1500", "Error row 3!! [S7comm Read] Position must be between 0 and 1499"},
    {S7_List::Read, &R::Position, "-1", "Error row 3!! [S7comm Read] Position must be between 0 and 1499"},
    {S7_List::Read, &R::Position, "1499", ""},
    {S7_List::Read, &R::Bit, " ", "Error row 3!! [S7comm Read] Start Bit cannot be empty"},
    {S7_List::Read, &R::Swap, "garbage", ""},
    {S7_List::Read, &R::Mnemonic, "!!! any text !!!", ""},
    {S7_List::Read, &R::Enable, "N", ""},
    // write list
    {S7_List::Write, &R::PLC_Address, "a.b.c.d",
     "Error row 3!! [S7comm Write] PLC Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
    {S7_List::Write, &R::PLC_Port, "70000", "Error row 3!! [S7comm Write] PLC Port must be between 0 and 65535"},
    {S7_List::Write, &R::PLC_Type, "", "Error row 3!! [S7comm Write] PLC Type cannot be empty"},
    {S7_List::Write, &R::Rack, "-1", "Error row 3!! [S7comm Write] Rack must be between 0 and 3"},
    {S7_List::Write, &R::Slot, "0x20", "Error row 3!! [S7comm Write] Slot must be between 0 and 31"},
    {S7_List::Write, &R::Data_Type, "", "Error row 3!! [S7comm Write] Data Type cannot be empty"},
    {S7_List::Write, &R::Data_Identifier, "", "Error row 3!! [S7comm Write] Data Identifier cannot be empty"},
    {S7_List::Write, &R::DB_Number, "x", "Error row 3!! [S7comm Write] DB Number must be between 0 and 65535"},
    {S7_List::Write, &R::PLC_Area, "", "Error row 3!! [S7comm Write] PLC Area cannot be empty"},
    {S7_List::Write, &R::PLC_Add, "-5", "Error row 3!! [S7comm Write] PLC Address must be between 0 and 65535"},
    {S7_List::Write, &R::PLC_Bit, "", "Error row 3!! [S7comm Write] PLC Bit cannot be empty"},
    {S7_List::Write, &R::PollTime, "0", ""},
    {S7_List::Write, &R::PollTime, "-1", "Error row 3!! [S7comm Write] Poll Time must be between 0 and 100000000"},
    {S7_List::Write, &R::PollTime, "100000001",
     "Error row 3!! [S7comm Write] Poll Time must be between 0 and 100000000"},
    {S7_List::Write, &R::Position, "1500", "Error row 3!! [S7comm Write] Position must be between 0 and 1499"},
    {S7_List::Write, &R::Bit, "", "Error row 3!! [S7comm Write] Start Bit cannot be empty"},
    {S7_List::Write, &R::OnChange, "?", ""},
    {S7_List::Write, &R::OnCMD, "", ""},
    {S7_List::Write, &R::SwapWord, "maybe", ""},
    {S7_List::Write, &R::Enable, " Y ", ""},
};

// Row 3 of the list under test carries the change; rows 1 and 2 and the
// other list are good.
S7_Access_Table Table_With(S7_List list, std::string R::*field, const std::string& value) {
    S7_Access_Table t;
    for (int i = 0; i < 3; ++i) {
        t.S7_Protocol_Read[i] = Good_Row();
        t.S7_Protocol_Write[i] = Good_Row();
    }
    t.List(list)[2].*field = value;
    return t;
}

TEST(S7Check, EachRuleGivesItsComposedMessage) {
    for (const RowCase& c : kRowCases) {
        const S7_Access_Table t = Table_With(c.list, c.field, c.value);
        EXPECT_EQ(Controllo_dati(t, English()), c.message)
            << (c.list == S7_List::Read ? "read " : "write ") << "value '" << c.value << "'";
    }
}

TEST(S7Check, FirstFailingCheckOfTheFirstBadRowWins) {
    S7_Access_Table t = Table_With(S7_List::Read, &R::PLC_Port, "x");
    t.S7_Protocol_Read[2].PLC_Type = "";
    t.S7_Protocol_Read[1].Position = "2000";
    t.S7_Protocol_Write[0].PLC_Port = "x";
    EXPECT_EQ(Controllo_dati(t, English()), "Error row 2!! [S7comm Read] Position must be between 0 and 1499");
}

TEST(S7Check, OnlyEnabledRowsUpToTheFirstEmptyAddressAreChecked) {
    S7_Access_Table t;
    for (int i = 1; i < S7_Rows; ++i) t.S7_Protocol_Read[i] = Good_Row("x", "x");
    t.S7_Protocol_Write[0] = Good_Row("1.1.1.1", "bad");
    t.S7_Protocol_Write[0].Enable = "y";  // only the trimmed "Y" enables
    t.S7_Protocol_Write[1] = Good_Row();
    t.S7_Protocol_Write[2].PLC_Address = "   ";
    t.S7_Protocol_Write[3] = Good_Row("bad");
    EXPECT_EQ(Controllo_dati(t, English()), "");
    t.S7_Protocol_Write[1].Enable = " Y";
    t.S7_Protocol_Write[1].Rack = "9";
    EXPECT_EQ(Controllo_dati(t, English()), "Error row 2!! [S7comm Write] Rack must be between 0 and 3");
}

TEST(S7Check, TheTwoListsShareTenConnections) {
    IP_Port_Array conns;
    S7_Access_Table t;
    // Eleven rows, one address, two ports: two connections.
    for (int i = 0; i < 11; ++i) t.S7_Protocol_Read[i] = Good_Row("10.0.0.1", i % 2 ? "102" : "103");
    // The same pair in the write list adds nothing.
    t.S7_Protocol_Write[0] = Good_Row("10.0.0.1", "102");
    EXPECT_EQ(Controllo_dati(t, English(), conns), "");
    EXPECT_EQ(conns[1].Port, 102);
    EXPECT_EQ(conns[2].IP1, -1);

    // Eleven distinct pairs in the read list fail on the eleventh row.
    for (int i = 0; i < 11; ++i) t.S7_Protocol_Read[i] = Good_Row("10.0.0." + std::to_string(i + 1));
    EXPECT_EQ(Controllo_dati(t, English()), "Error row 11!! [S7comm Read] Device support 10 connection");
    // A disabled eleventh row takes none.
    t.S7_Protocol_Read[10].Enable = "N";
    EXPECT_EQ(Controllo_dati(t, English()), "");
    // Ten in the read list and a new one in the write list: the write list fails.
    t.S7_Protocol_Write[1] = Good_Row("10.0.0.99");
    EXPECT_EQ(Controllo_dati(t, English()), "Error row 2!! [S7comm Write] Device support 10 connection");
}

TEST(S7Check, FollowsTheTextTable) {
    TextTable fr = English();
    fr.Set(1270, "Erreur ligne ");
    fr.Set(1277, " : position entre 0 et ");
    const S7_Access_Table t = Table_With(S7_List::Read, &R::Position, "1500");
    EXPECT_EQ(Controllo_dati(t, fr), "Erreur ligne 3 : position entre 0 et 1499");
}

} // namespace
} // namespace ks
