#include "app/startup.h"

#include <filesystem>
#include <optional>

#include <pugixml.hpp>

#include "app/projects.h"
#include "core/text_util.h"
#include "core/xml_util.h"
#include "texts/text_table.h"

namespace ks {

namespace {

const char* const Settings_File = "Keystrel.xml";

// The text of root/group/value, or nothing when any step is missing or the
// value element holds anything but text.
std::optional<std::string> Read_Value(pugi::xml_node root, const char* group, const char* value) {
    const pugi::xml_node v = root.child(group).child(value);
    if (!v) return std::nullopt;
    std::string text;
    for (pugi::xml_node c : v.children()) {
        if (c.type() != pugi::node_pcdata && c.type() != pugi::node_cdata) return std::nullopt;
        text += c.value();
    }
    return text;
}

void Set_Default_Settings(AppState& st) {
    st.Project_Name.clear();
    st.Last_IP_Address = AppState::Default_IP_Address;
    st.Language_Name = AppState::Default_Language;
    st.Enable_Internet = false;
    st.Enable_Update = false;
    st.Enable_Jump_Field_Tables = false;
    st.Enable_Double_Click_Auto_Size = false;
}

void Add_Value(pugi::xml_node group, const char* name, const std::string& text) {
    group.append_child(name).append_child(pugi::node_pcdata).set_value(text.c_str());
}

} // namespace

void Init_Folders(AppState& st, const std::string& program_dir) {
    st.Program_Dir = program_dir;
    st.Master_Dir = Join_Path(program_dir, "MASTER");
    st.Projects_Dir = Join_Path(program_dir, "PROJECTS");
    st.Language_Dir = Join_Path(program_dir, "LANGUAGE");
    for (const std::string* dir : {&st.Master_Dir, &st.Projects_Dir, &st.Language_Dir}) {
        std::error_code ec;  // a folder that cannot be made fails later, where it is used
        std::filesystem::create_directory(To_Path(*dir), ec);
    }
}

void Read_Settings(AppState& st) {
    Set_Default_Settings(st);
    const std::optional<std::string> data = Read_File(Join_Path(st.Program_Dir, Settings_File));
    if (!data) return;
    pugi::xml_document doc;
    // A value of blanks only is kept as it stands (a project may be named so).
    if (!doc.load_buffer(data->data(), data->size(), Parse_Options() | pugi::parse_ws_pcdata_single)) return;
    // The first node is the settings element, whatever its name; a declaration
    // or comment in front of it leaves every value at its fallback.
    const pugi::xml_node root = First_Node(doc);
    if (auto v = Read_Value(root, "lastproj", "projectname")) st.Project_Name = *v;
    if (auto v = Read_Value(root, "lastipadd", "ipaddress")) st.Last_IP_Address = *v;
    if (auto v = Read_Value(root, "lastlang", "language")) st.Language_Name = *v;
    const auto flag = [&root](const char* name) { return Read_Value(root, "lastinternet", name) == "1"; };
    st.Enable_Internet = flag("enable_internet");
    st.Enable_Update = flag("enable_update");
    st.Enable_Jump_Field_Tables = flag("enable_jump_field_tables");
    st.Enable_Double_Click_Auto_Size = flag("Double_Click_Auto_Size");
}

std::string Save_Setting(const AppState& st) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Conf_Settings");
    Add_Value(root.append_child("lastproj"), "projectname", st.Project_Name);
    Add_Value(root.append_child("lastipadd"), "ipaddress", st.Last_IP_Address);
    Add_Value(root.append_child("lastlang"), "language", st.Language_Name);
    pugi::xml_node flags = root.append_child("lastinternet");
    const auto bit = [](bool b) { return std::string(b ? "1" : "0"); };
    Add_Value(flags, "enable_internet", bit(st.Enable_Internet));
    Add_Value(flags, "enable_update", bit(st.Enable_Update));
    Add_Value(flags, "enable_jump_field_tables", bit(st.Enable_Jump_Field_Tables));
    Add_Value(flags, "Double_Click_Auto_Size", bit(st.Enable_Double_Click_Auto_Size));
    return Save_Xml_Atomic(doc, Join_Path(st.Program_Dir, Settings_File));
}

void Startup(AppState& st, const std::string& program_dir) {
    st.Text_Table = TextTable();
    Init_Folders(st, program_dir);
    st.Project_Name.clear();
    st.Update_Read_Back = true;
    Read_Settings(st);
    Load_Texts(st.Text_Table, st.Language_Dir, st.Language_Name);
    // The remembered name is kept (and written back) even when its folder is
    // gone; a name that could point outside PROJECTS opens nothing.
    const std::string folder = Join_Path(st.Projects_Dir, st.Project_Name);
    if (Is_Plain_Project_Name(st.Project_Name) && Is_Directory(folder))
        st.Project_Path = folder;
    else
        st.Project_Path.clear();
    Set_Files(st);
    st.Copied_Row.clear();
    st.Copied_Check_Flags.clear();
}

} // namespace ks
