#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/text_util.h"
#include "support/test_support.h"

namespace ks {
namespace {

const char* const Full_Settings =
    "<Conf_Settings><lastproj><projectname>Plant A</projectname></lastproj>"
    "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd>"
    "<lastlang><language>Italiano</language></lastlang>"
    "<lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
    "<enable_jump_field_tables>1</enable_jump_field_tables>"
    "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>";

struct Persisted {
    std::string name, ip, lang;
    bool internet, update, jump, autosize;
    bool operator==(const Persisted&) const = default;
};

Persisted Of(const AppState& st) {
    return {st.Project_Name,    st.Last_IP_Address,          st.Language_Name,
            st.Enable_Internet, st.Enable_Update, st.Enable_Jump_Field_Tables,
            st.Enable_Double_Click_Auto_Size};
}

const Persisted Defaults{"", "192.168.2.205", "English", false, false, false, false};

std::ostream& operator<<(std::ostream& o, const Persisted& p) {
    return o << '[' << p.name << '|' << p.ip << '|' << p.lang << '|' << p.internet << p.update << p.jump
             << p.autosize << ']';
}

Persisted Read_From(const std::string& content) {
    test::TempDir dir;
    dir.Write("Keystrel.xml", content);
    AppState st;
    st.Program_Dir = dir.Path();
    // Values left from before must not leak into the result.
    st.Project_Name = "stale";
    st.Enable_Update = true;
    Read_Settings(st);
    return Of(st);
}

TEST(ReadSettings, Files) {
    struct Case {
        const char* what;
        std::string content;
        Persisted want;
    };
    const std::string body(Full_Settings);
    const Case cases[] = {
        {"complete", body, {"Plant A", "10.0.0.7", "Italiano", true, true, true, true}},
        {"root of another name", "<X>" + body.substr(15, body.size() - 15 - 16) + "</X>",
         {"Plant A", "10.0.0.7", "Italiano", true, true, true, true}},
        {"not XML", "this is not xml <<<", Defaults},
        {"empty file", "", Defaults},
        {"declaration first", "<?xml version=\"1.0\"?>" + body, Defaults},
        {"comment first", "<!-- saved -->" + body, Defaults},
        {"processing instruction first", "<?keep this?>" + body, Defaults},
        {"comment after the root", body + "<!-- SW_VERSION = 1.003 -->",
         {"Plant A", "10.0.0.7", "Italiano", true, true, true, true}},
        {"enable_update missing",
         "<Conf_Settings><lastinternet><enable_internet>1</enable_internet>"
         "<enable_jump_field_tables>1</enable_jump_field_tables>"
         "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>",
         {"", "192.168.2.205", "English", true, false, true, true}},
        {"lastinternet missing, others kept",
         "<Conf_Settings><lastlang><language>Deutsch</language></lastlang></Conf_Settings>",
         {"", "192.168.2.205", "Deutsch", false, false, false, false}},
        {"flags other than exactly 1",
         "<Conf_Settings><lastinternet><enable_internet>true</enable_internet><enable_update>01</enable_update>"
         "<enable_jump_field_tables> 1</enable_jump_field_tables>"
         "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>",
         {"", "192.168.2.205", "English", false, false, false, true}},
        {"value in the wrong group",
         "<Conf_Settings><lastproj><ipaddress>1.2.3.4</ipaddress></lastproj></Conf_Settings>", Defaults},
        {"value holding an element",
         "<Conf_Settings><lastipadd><ipaddress><b>1.2.3.4</b></ipaddress></lastipadd>"
         "<lastlang><language>Deutsch</language></lastlang></Conf_Settings>",
         {"", "192.168.2.205", "Deutsch", false, false, false, false}},
        {"case of element names matters",
         "<Conf_Settings><lastlang><Language>Deutsch</Language></lastlang>"
         "<lastinternet><double_click_auto_size>1</double_click_auto_size></lastinternet></Conf_Settings>",
         Defaults},
        {"texts as they stand",
         "<Conf_Settings><lastproj><projectname>  x </projectname></lastproj>"
         "<lastipadd><ipaddress></ipaddress></lastipadd></Conf_Settings>",
         {"  x ", "", "English", false, false, false, false}},
    };
    for (const auto& c : cases) EXPECT_EQ(Read_From(c.content), c.want) << c.what;
}

TEST(ReadSettings, MissingFileGivesDefaults) {
    test::TempDir dir;
    AppState st;
    st.Program_Dir = dir.Path();
    st.Language_Name = "Deutsch";
    Read_Settings(st);
    EXPECT_EQ(Of(st), Defaults);
}

TEST(SaveSetting, ExactFormAndNothingOldSurvives) {
    test::TempDir dir;
    dir.Write("Keystrel.xml", std::string(Full_Settings).insert(15, "<mine>hand made</mine>"));
    AppState st;
    st.Program_Dir = dir.Path();
    Read_Settings(st);
    st.Enable_Update = false;
    ASSERT_EQ(Save_Setting(st), "");
    const auto text = Read_File(dir / "Keystrel.xml");
    ASSERT_TRUE(text);
    EXPECT_EQ(*text,
              "<Conf_Settings><lastproj><projectname>Plant A</projectname></lastproj>"
              "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd>"
              "<lastlang><language>Italiano</language></lastlang>"
              "<lastinternet><enable_internet>1</enable_internet><enable_update>0</enable_update>"
              "<enable_jump_field_tables>1</enable_jump_field_tables>"
              "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>");
    // No temporary file is left beside it.
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) (void)e, ++files;
    EXPECT_EQ(files, 1);
}

TEST(SaveSetting, RoundTripOfEveryPersistedValue) {
    const Persisted states[] = {
        {"Plant A", "10.0.0.7", "Italiano", true, false, true, false},
        {"", "", "English", false, true, false, true},
        {" a&b <c> \"d\" ", "192.168.2.205", "Fran\xc3\xa7" "ais", true, true, true, true},
    };
    for (const Persisted& p : states) {
        test::TempDir dir;
        AppState st;
        st.Program_Dir = dir.Path();
        st.Project_Name = p.name;
        st.Last_IP_Address = p.ip;
        st.Language_Name = p.lang;
        st.Enable_Internet = p.internet;
        st.Enable_Update = p.update;
        st.Enable_Jump_Field_Tables = p.jump;
        st.Enable_Double_Click_Auto_Size = p.autosize;
        ASSERT_EQ(Save_Setting(st), "");
        AppState back;
        back.Program_Dir = dir.Path();
        Read_Settings(back);
        EXPECT_EQ(Of(back), p);
    }
}

TEST(SaveSetting, FailureIsReportedNotThrown) {
    test::TempDir dir;
    AppState st;
    st.Program_Dir = dir / "no such folder";
    EXPECT_NE(Save_Setting(st), "");
}

TEST(Startup, FirstRunInAnEmptyFolder) {
    test::TempDir dir;
    AppState st;
    Startup(st, dir.Path());
    for (const char* sub : {"MASTER", "PROJECTS", "LANGUAGE"}) EXPECT_TRUE(Is_Directory(dir / sub)) << sub;
    EXPECT_EQ(st.Program_Dir, dir.Path());
    EXPECT_EQ(st.Projects_Dir, dir / "PROJECTS");
    EXPECT_EQ(st.Master_Dir, dir / "MASTER");
    EXPECT_EQ(st.Language_Dir, dir / "LANGUAGE");
    EXPECT_EQ(Of(st), Defaults);
    EXPECT_FALSE(st.Project_Open());
    EXPECT_TRUE(st.Update_Read_Back);
    EXPECT_EQ(st.Text_Table.Size(), TextTable::Default_Size);
    EXPECT_TRUE(st.Files.File_ParGen.empty());

    ASSERT_EQ(Save_Setting(st), "");
    AppState again;
    again.Program_Dir = dir.Path();
    Read_Settings(again);
    EXPECT_EQ(Of(again), Defaults);
}

TEST(Startup, RemembersProject) {
    test::TempDir dir;
    std::filesystem::create_directories(Join_Path(dir / "PROJECTS", "Plant A"));
    dir.Write("Keystrel.xml", Full_Settings);
    AppState st;
    Startup(st, dir.Path());
    EXPECT_EQ(st.Project_Path, Join_Path(dir / "PROJECTS", "Plant A"));
    EXPECT_EQ(st.Files.File_KNX_SetAccess, Join_Path(st.Project_Path, "KNX_SetAccess.xml"));
    // Italiano.lng is missing: English, and the name follows.
    EXPECT_EQ(st.Language_Name, "English");
}

TEST(Startup, RememberedProjectWhoseFolderIsGone) {
    test::TempDir dir;
    dir.Write("Keystrel.xml", Full_Settings);
    AppState st;
    Startup(st, dir.Path());
    EXPECT_FALSE(st.Project_Open());
    EXPECT_EQ(st.Project_Name, "Plant A");
    ASSERT_EQ(Save_Setting(st), "");
    AppState back;
    back.Program_Dir = dir.Path();
    Read_Settings(back);
    EXPECT_EQ(back.Project_Name, "Plant A");
}

TEST(Startup, RememberedNameOutsideProjectsOpensNothing) {
    test::TempDir dir;
    std::filesystem::create_directories(dir / "elsewhere");
    for (const char* name : {"../elsewhere", "..", ".", "PROJECTS/../../elsewhere"}) {
        dir.Write("Keystrel.xml", std::string("<Conf_Settings><lastproj><projectname>") + name +
                                      "</projectname></lastproj></Conf_Settings>");
        AppState st;
        Startup(st, dir.Path());
        EXPECT_FALSE(st.Project_Open()) << name;
        EXPECT_EQ(st.Project_Name, name);
    }
}

TEST(Startup, FileInPlaceOfAFolderIsNotFatal) {
    test::TempDir dir;
    dir.Write("PROJECTS", "a file, not a folder");
    AppState st;
    Startup(st, dir.Path());
    EXPECT_TRUE(Is_Directory(dir / "MASTER"));
    EXPECT_TRUE(Is_File(dir / "PROJECTS"));
    EXPECT_EQ(st.Projects_Dir, dir / "PROJECTS");
}

} // namespace
} // namespace ks
