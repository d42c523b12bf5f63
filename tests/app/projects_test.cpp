#include "app/projects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/text_util.h"
#include "support/test_support.h"

namespace ks {
namespace {

namespace fs = std::filesystem;

struct ProjectsFixture : ::testing::Test {
    ProjectsFixture() {
        st.Program_Dir = dir.Path();
        st.Projects_Dir = dir / "PROJECTS";
        fs::create_directories(To_Path(st.Projects_Dir));
    }
    // Every entry below the program folder, relative to it.
    std::vector<std::string> Tree() const {
        std::vector<std::string> r;
        const fs::path base = To_Path(dir.Path());
        for (const auto& e : fs::recursive_directory_iterator(base))
            r.push_back(From_Path(fs::relative(e.path(), base).generic_u8string()));
        std::sort(r.begin(), r.end());
        return r;
    }
    test::TempDir dir;
    AppState st;
};

TEST_F(ProjectsFixture, CreateOpensTheNewProject) {
    ASSERT_EQ(Create_Project(st, "Plant A"), CreateResult::Ok);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"PROJECTS", "PROJECTS/Plant A", "PROJECTS/Plant A/bin"}));
    EXPECT_EQ(st.Project_Name, "Plant A");
    EXPECT_EQ(st.Project_Path, Join_Path(st.Projects_Dir, "Plant A"));
    EXPECT_EQ(st.Files.File_ParGen, Join_Path(st.Project_Path, "ParGen.xml"));
    EXPECT_EQ(Current_Project_Folder(st), "Plant A");
}

TEST_F(ProjectsFixture, CreateRefusals) {
    fs::create_directories(To_Path(Join_Path(st.Projects_Dir, "Old")));
    st.Project_Name = "Old";
    st.Project_Path = Join_Path(st.Projects_Dir, "Old");
    struct Case {
        const char* name;
        CreateResult want;
    };
    const Case cases[] = {
        {"", CreateResult::Empty},        {"Old", CreateResult::Exists},   {".", CreateResult::Failed},
        {"..", CreateResult::Failed},     {"../x", CreateResult::Failed},  {"a/b", CreateResult::Failed},
        {"a\\b", CreateResult::Failed},   {"/abs", CreateResult::Failed},  {"Old/bin", CreateResult::Failed},
        {"..\\x", CreateResult::Failed},  {"x/..", CreateResult::Failed},
    };
    const auto before = Tree();
    for (const auto& c : cases) {
        EXPECT_EQ(Create_Project(st, c.name), c.want) << '"' << c.name << '"';
        EXPECT_EQ(st.Project_Name, "Old");  // the open project stays open
    }
    EXPECT_EQ(Tree(), before);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"PROJECTS", "PROJECTS/Old"}));
}

TEST_F(ProjectsFixture, CreateWithoutProjectsFolderFails) {
    fs::remove(To_Path(st.Projects_Dir));
    EXPECT_EQ(Create_Project(st, "P"), CreateResult::Failed);
    EXPECT_FALSE(st.Project_Open());
    EXPECT_TRUE(Tree().empty());

    dir.Write("PROJECTS", "file");  // a file in the way
    EXPECT_EQ(Create_Project(st, "P"), CreateResult::Failed);
}

TEST_F(ProjectsFixture, NameOfAnExistingFileFails) {
    dir.Write("PROJECTS/notes", "x");
    EXPECT_EQ(Create_Project(st, "notes"), CreateResult::Failed);
}

TEST_F(ProjectsFixture, ListingSkipsFilesAndHiddenFoldersAndSorts) {
    for (const char* d : {"beta", "Alpha", "gamma", ".hidden", "alpha", "Zeta"})
        fs::create_directories(To_Path(Join_Path(st.Projects_Dir, d)));
    dir.Write("PROJECTS/file.xml", "<x/>");
    dir.Write("PROJECTS/.dotfile", "");
    EXPECT_EQ(Load_Existing_Configuration(st.Projects_Dir),
              (std::vector<std::string>{"Alpha", "alpha", "beta", "gamma", "Zeta"}));
    EXPECT_TRUE(Load_Existing_Configuration(dir / "missing").empty());
}

TEST(SearchOpenConf, CapitalsAToZOnly) {
    const std::vector<std::string> sl{"Plant A", "plant b", "\xc3\xa4rger", "Plant A"};
    EXPECT_EQ(Search_Open_Conf(sl, "PLANT A"), 0);
    EXPECT_EQ(Search_Open_Conf(sl, "Plant B"), 1);
    EXPECT_EQ(Search_Open_Conf(sl, "\xc3\xa4rger"), 2);
    EXPECT_EQ(Search_Open_Conf(sl, "\xc3\x84rger"), -1);  // "Ä" is not folded to "ä"
    EXPECT_EQ(Search_Open_Conf(sl, "Plant"), -1);
    EXPECT_EQ(Search_Open_Conf({}, ""), -1);
}

TEST(CurrentProjectFolder, PartAfterProjectsDir) {
    AppState st;
    st.Projects_Dir = Join_Path("base", "PROJECTS");
    EXPECT_EQ(Current_Project_Folder(st), "");
    st.Project_Path = Join_Path(st.Projects_Dir, "pLANT a");
    EXPECT_EQ(Current_Project_Folder(st), "pLANT a");
    EXPECT_EQ(Search_Open_Conf({"Other", "Plant A"}, Current_Project_Folder(st)), 1);
}

TEST(OpenProject, SetsNameAndPaths) {
    AppState st;
    st.Projects_Dir = Join_Path("base", "PROJECTS");
    Open_Project(st, "Plant A");
    EXPECT_EQ(st.Project_Name, "Plant A");
    EXPECT_EQ(st.Project_Path, Join_Path(st.Projects_Dir, "Plant A"));
    EXPECT_EQ(st.Files.File_S7_Protocol, Join_Path(st.Project_Path, "S7_Protocol.xml"));

    Open_Project(st, "");
    EXPECT_EQ(st.Project_Name, "");
    EXPECT_FALSE(st.Project_Open());
    EXPECT_TRUE(st.Files.File_S7_Protocol.empty());

    Open_Project(st, "../etc");
    EXPECT_FALSE(st.Project_Open());
}

TEST(SetFiles, AllFourteenPaths) {
    AppState st;
    st.Project_Path = Join_Path("P", "x");
    Set_Files(st);
    const ProjectFiles& f = st.Files;
    const std::pair<const std::string*, const char*> expected[] = {
        {&f.File_ParGen, "ParGen.xml"},
        {&f.File_S7_Protocol, "S7_Protocol.xml"},
        {&f.File_KNX_SetAccess, "KNX_SetAccess.xml"},
        {&f.File_IEC61850_Variables, "IEC61850_Variables.xml"},
        {&f.File_TLS_Known_Cert, "TLS_Known_Cert.xml"},
        {&f.File_CAN_Rec_Frames, "CAN_Rec_Frames.xml"},
        {&f.File_CAN_Send_Frames, "CAN_Send_Frames.xml"},
        {&f.File_SDO_Server_CANopen, "SDO_Server_CANopen.xml"},
        {&f.File_SDO_Client_CANopen, "SDO_Client_CANopen.xml"},
        {&f.File_PDO_CANopen, "PDO_CANopen.xml"},
        {&f.File_SNMP_Trap, "SNMP_Trap.xml"},
        {&f.File_MQTT_Set_Topic, "MQTT_Set_Topic.xml"},
        {&f.File_BACnet_Slave, "BACnet_Slave.xml"},
        {&f.File_OPC_UA_Server, "OPC_UA_Server.xml"},
    };
    static_assert(sizeof(ProjectFiles) == 14 * sizeof(std::string), "every path is checked");
    for (const auto& [path, name] : expected) EXPECT_EQ(*path, Join_Path(st.Project_Path, name)) << name;
}

} // namespace
} // namespace ks
