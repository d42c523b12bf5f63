#include "image/update_job.h"

#include "core/text_util.h"
#include "core/xml_util.h"

namespace ks {

namespace {

enum class Operation { Firmware, Bank1, Bank2 };

void Add_Text(pugi::xml_node parent, const char* name, const std::string& text) {
    pugi::xml_node e = parent.append_child(name);
    if (!text.empty()) e.append_child(pugi::node_pcdata).set_value(text.c_str());
}

void Add_Operation(pugi::xml_node ops, Operation op, const UpdateJob& job, bool go_to_app_after) {
    pugi::xml_node o = ops.append_child("Operation");
    std::string file, start, bank_type, write_css;
    switch (op) {
        case Operation::Firmware:
            file = Join_Path(job.Master_Dir, "Viv82411.sim");
            start = "0x8000";
            bank_type = "1";
            write_css = "1";
            break;
        case Operation::Bank1:
            file = Join_Path(Join_Path(job.Project_Path, "bin"), "bank1.bin");
            start = "0x07000";
            bank_type = "2";
            write_css = "0";
            break;
        case Operation::Bank2:
            file = Join_Path(Join_Path(job.Project_Path, "bin"), "bank2.bin");
            start = "0x80000";
            bank_type = "2";
            write_css = "0";
            break;
    }
    Add_Text(o, "Ope_Protection_Enabled", "");
    Add_Text(o, "Ope_GoToBoot_Before", "0");
    Add_Text(o, "Ope_GoToApp_Before", "0");
    Add_Text(o, "Ope_IP_Address", "");
    Add_Text(o, "Ope_Port", "2008");
    Add_Text(o, "Ope_Port_Sec", "2007");
    Add_Text(o, "Ope_Erase_Memory", "0");
    Add_Text(o, "Ope_FileName", file);
    Add_Text(o, "Ope_Start_Address", start);
    Add_Text(o, "Ope_Memory_Type", "0");
    Add_Text(o, "Ope_Bank_Type", bank_type);
    Add_Text(o, "Ope_Read_Back", job.Read_Back ? "1" : "0");
    Add_Text(o, "Ope_Write_CSS", write_css);
    Add_Text(o, "Ope_Address_CSS", "0x07A00");
    Add_Text(o, "Ope_Command_CSS", "0x02");
    Add_Text(o, "Ope_Write_Internal_Data", "0");
    Add_Text(o, "Ope_WID_Address", "0x07810");
    Add_Text(o, "Ope_WID_Command", "0x02");
    Add_Text(o, "Ope_WID_Data", "0x00, 0x00, 0x00, 0x01");
    Add_Text(o, "Ope_GoToApp_After", go_to_app_after ? "1" : "0");
}

} // namespace

bool Build_Update_Job(const UpdateJob& job, pugi::xml_document& doc) {
    doc.reset();
    const int opt = job.Option_Index;
    if (opt != Update_Firmware_And_Configuration && opt != Update_Firmware && opt != Update_Configuration)
        return false;
    pugi::xml_node root = doc.append_child("Ethernet_Update");
    Add_Text(root, "Version", "1000");
    Add_Text(root, "Title", "Morvane - CS82411 Ethernet Update");
    Add_Text(root, "IP_Address_Dev", job.Device_Address);
    Add_Text(root, "Application_Port", "10000");
    Add_Text(root, "Boot_Port", "2008");
    Add_Text(root, "Boot_Port_Sec", "2007");
    Add_Text(root, "Address_Protection", "0x07800");
    Add_Text(root.append_child("Protections"), "Protection", "0x2DC");
    pugi::xml_node ops = root.append_child("Operations");
    // Only the last transfer sends the converter back to its application.
    if (opt != Update_Configuration) Add_Operation(ops, Operation::Firmware, job, opt == Update_Firmware);
    if (opt != Update_Firmware) {
        Add_Operation(ops, Operation::Bank1, job, false);
        Add_Operation(ops, Operation::Bank2, job, true);
    }
    return true;
}

std::string Update_Job_Path(const std::string& program_dir) {
    return Join_Path(program_dir, "Ethernet_Update.xml");
}

std::string Compile_XML_Parameter_New_Boot(const UpdateJob& job, const std::string& program_dir) {
    pugi::xml_document doc;
    if (!Build_Update_Job(job, doc))
        return "Unknown update option " + std::to_string(job.Option_Index) +
               "; the update job was not written";
    return Save_Xml_Atomic(doc, Update_Job_Path(program_dir));
}

} // namespace ks
