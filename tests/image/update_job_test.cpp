#include "image/update_job.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/text_util.h"
#include "core/xml_util.h"
#include "support/test_support.h"

namespace ks {
namespace {

const char* const kOperationChildren[] = {"Ope_Protection_Enabled",
                                          "Ope_GoToBoot_Before",
                                          "Ope_GoToApp_Before",
                                          "Ope_IP_Address",
                                          "Ope_Port",
                                          "Ope_Port_Sec",
                                          "Ope_Erase_Memory",
                                          "Ope_FileName",
                                          "Ope_Start_Address",
                                          "Ope_Memory_Type",
                                          "Ope_Bank_Type",
                                          "Ope_Read_Back",
                                          "Ope_Write_CSS",
                                          "Ope_Address_CSS",
                                          "Ope_Command_CSS",
                                          "Ope_Write_Internal_Data",
                                          "Ope_WID_Address",
                                          "Ope_WID_Command",
                                          "Ope_WID_Data",
                                          "Ope_GoToApp_After"};

// What varies between the three kinds of operation.
struct Op {
    std::string file;
    const char* start;
    const char* bank_type;
    const char* write_css;
    const char* go_to_app_after;
};

std::string Operation_Xml(const Op& op, bool read_back) {
    return std::string(
               "<Operation><Ope_Protection_Enabled/><Ope_GoToBoot_Before>0</Ope_GoToBoot_Before>"
               "<Ope_GoToApp_Before>0</Ope_GoToApp_Before><Ope_IP_Address/><Ope_Port>2008</Ope_Port>"
               "<Ope_Port_Sec>2007</Ope_Port_Sec><Ope_Erase_Memory>0</Ope_Erase_Memory><Ope_FileName>") +
           op.file + "</Ope_FileName><Ope_Start_Address>" + op.start +
           "</Ope_Start_Address><Ope_Memory_Type>0</Ope_Memory_Type><Ope_Bank_Type>" + op.bank_type +
           "</Ope_Bank_Type><Ope_Read_Back>" + (read_back ? "1" : "0") + "</Ope_Read_Back><Ope_Write_CSS>" +
           op.write_css +
           "</Ope_Write_CSS><Ope_Address_CSS>0x07A00</Ope_Address_CSS><Ope_Command_CSS>0x02</Ope_Command_CSS>"
           "<Ope_Write_Internal_Data>0</Ope_Write_Internal_Data><Ope_WID_Address>0x07810</Ope_WID_Address>"
           "<Ope_WID_Command>0x02</Ope_WID_Command><Ope_WID_Data>0x00, 0x00, 0x00, 0x01</Ope_WID_Data>"
           "<Ope_GoToApp_After>" +
           op.go_to_app_after + "</Ope_GoToApp_After></Operation>";
}

struct JobCase {
    int option;
    bool read_back;
    std::vector<Op> ops;
};

TEST(UpdateJob, WrittenElementForElement) {
    test::TempDir program, master, project;
    const std::string sim = Join_Path(master.Path(), "Viv82411.sim");
    const std::string b1 = Join_Path(Join_Path(project.Path(), "bin"), "bank1.bin");
    const std::string b2 = Join_Path(Join_Path(project.Path(), "bin"), "bank2.bin");
    const JobCase cases[] = {
        {0,
         true,
         {{sim, "0x8000", "1", "1", "0"}, {b1, "0x07000", "2", "0", "0"}, {b2, "0x80000", "2", "0", "1"}}},
        {1, true, {{sim, "0x8000", "1", "1", "1"}}},
        {1, false, {{sim, "0x8000", "1", "1", "1"}}},
        {2, false, {{b1, "0x07000", "2", "0", "0"}, {b2, "0x80000", "2", "0", "1"}}},
    };
    for (const auto& c : cases) {
        UpdateJob job;
        job.Device_Address = "192.168.2.205 ";  // as typed, not trimmed
        job.Option_Index = c.option;
        job.Read_Back = c.read_back;
        job.Master_Dir = master.Path();
        job.Project_Path = project.Path();
        ASSERT_EQ(Compile_XML_Parameter_New_Boot(job, program.Path()), "");
        std::string expected =
            "<Ethernet_Update><Version>1000</Version><Title>Morvane - CS82411 Ethernet Update</Title>"
            "<IP_Address_Dev>192.168.2.205 </IP_Address_Dev><Application_Port>10000</Application_Port>"
            "<Boot_Port>2008</Boot_Port><Boot_Port_Sec>2007</Boot_Port_Sec>"
            "<Address_Protection>0x07800</Address_Protection><Protections><Protection>0x2DC</Protection>"
            "</Protections><Operations>";
        for (const Op& op : c.ops) expected += Operation_Xml(op, c.read_back);
        expected += "</Operations></Ethernet_Update>";
        EXPECT_EQ(Read_File(Join_Path(program.Path(), "Ethernet_Update.xml")),
                  std::optional<std::string>(expected))
            << "option " << c.option;
    }
}

TEST(UpdateJob, OperationChildrenInOrder) {
    UpdateJob job;
    job.Option_Index = 0;
    pugi::xml_document doc;
    ASSERT_TRUE(Build_Update_Job(job, doc));
    int ops = 0;
    for (pugi::xml_node op : doc.child("Ethernet_Update").child("Operations").children()) {
        ++ops;
        std::vector<std::string> names;
        for (pugi::xml_node c : op.children()) names.emplace_back(c.name());
        EXPECT_EQ(names,
                  std::vector<std::string>(std::begin(kOperationChildren), std::end(kOperationChildren)));
    }
    EXPECT_EQ(ops, 3);
    // Only the last operation returns the converter to its application.
    EXPECT_STREQ(
        doc.child("Ethernet_Update").child("Operations").last_child().child_value("Ope_GoToApp_After"), "1");
    EXPECT_EQ(First_Node(doc).name(), std::string("Ethernet_Update"));
}

TEST(UpdateJob, UnknownOptionWritesNothing) {
    test::TempDir program;
    const std::string path = Join_Path(program.Path(), "Ethernet_Update.xml");
    for (const int option : {-1, 3}) {
        UpdateJob job;
        job.Option_Index = option;
        EXPECT_NE(Compile_XML_Parameter_New_Boot(job, program.Path()), "");
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

TEST(UpdateJob, ReplacesAnEarlierFileAndReportsAFailure) {
    test::TempDir program;
    program.Write("Ethernet_Update.xml", "<old/>");
    UpdateJob job;
    job.Option_Index = 2;
    ASSERT_EQ(Compile_XML_Parameter_New_Boot(job, program.Path()), "");
    EXPECT_EQ(Read_File(Join_Path(program.Path(), "Ethernet_Update.xml"))->find("<old"), std::string::npos);
    EXPECT_NE(Compile_XML_Parameter_New_Boot(job, Join_Path(program.Path(), "missing")), "");
}

} // namespace
} // namespace ks
