#include "app/projects.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "core/text_util.h"
#include "platform/folders.h"

namespace ks {

void Set_Files(AppState& st) {
    ProjectFiles& f = st.Files;
    // Without a project the paths stay empty rather than pointing at the
    // root folder or the working folder; nothing may use them then.
    const auto path = [&st](const char* name) {
        return st.Project_Path.empty() ? std::string() : Join_Path(st.Project_Path, name);
    };
    f.File_ParGen = path("ParGen.xml");
    f.File_S7_Protocol = path("S7_Protocol.xml");
    f.File_KNX_SetAccess = path("KNX_SetAccess.xml");
    f.File_IEC61850_Variables = path("IEC61850_Variables.xml");
    f.File_TLS_Known_Cert = path("TLS_Known_Cert.xml");
    f.File_CAN_Rec_Frames = path("CAN_Rec_Frames.xml");
    f.File_CAN_Send_Frames = path("CAN_Send_Frames.xml");
    f.File_SDO_Server_CANopen = path("SDO_Server_CANopen.xml");
    f.File_SDO_Client_CANopen = path("SDO_Client_CANopen.xml");
    f.File_PDO_CANopen = path("PDO_CANopen.xml");
    f.File_SNMP_Trap = path("SNMP_Trap.xml");
    f.File_MQTT_Set_Topic = path("MQTT_Set_Topic.xml");
    f.File_BACnet_Slave = path("BACnet_Slave.xml");
    f.File_OPC_UA_Server = path("OPC_UA_Server.xml");
}

bool Is_Plain_Project_Name(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    if (name.find_first_of("/\\") != std::string::npos || name.find('\0') != std::string::npos) return false;
    try {
        const std::filesystem::path p = To_Path(name);
        if (p.has_root_name() || p.has_root_directory()) return false;
        return std::distance(p.begin(), p.end()) == 1;
    } catch (const std::exception&) {
        return false;  // not convertible to a path on this system
    }
}

CreateResult Create_Project(AppState& st, const std::string& name) {
    if (name.empty()) return CreateResult::Empty;
    if (!Is_Plain_Project_Name(name)) return CreateResult::Failed;
    const std::string folder = Join_Path(st.Projects_Dir, name);
    if (Is_Directory(folder)) return CreateResult::Exists;
    std::error_code ec;
    // One level only: a missing PROJECTS folder is a failure, not created here.
    if (!std::filesystem::create_directory(To_Path(folder), ec) || ec) return CreateResult::Failed;
    std::filesystem::create_directories(To_Path(Join_Path(folder, "bin")), ec);
    st.Project_Name = name;
    st.Project_Path = folder;
    Set_Files(st);
    return CreateResult::Ok;
}

std::vector<std::string> Load_Existing_Configuration(const std::string& projects_dir) {
    std::vector<std::string> sl = Visible_Subfolders(projects_dir);
    std::stable_sort(sl.begin(), sl.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = Upper_Ascii(a), ub = Upper_Ascii(b);
        return ua != ub ? ua < ub : a < b;
    });
    return sl;
}

int Search_Open_Conf(const std::vector<std::string>& sl, const std::string& name) {
    const std::string u = Upper_Ascii(name);
    for (size_t i = 0; i < sl.size(); ++i)
        if (Upper_Ascii(sl[i]) == u) return static_cast<int>(i);
    return -1;
}

std::string Current_Project_Folder(const AppState& st) {
    if (st.Project_Path.empty()) return {};
    const std::string prefix = st.Projects_Dir + Path_Sep();
    if (st.Project_Path.size() > prefix.size() && st.Project_Path.compare(0, prefix.size(), prefix) == 0)
        return st.Project_Path.substr(prefix.size());
    return {};
}

void Open_Project(AppState& st, const std::string& name) {
    st.Project_Name = name;
    st.Project_Path = Is_Plain_Project_Name(name) ? Join_Path(st.Projects_Dir, name) : std::string();
    Set_Files(st);
}

} // namespace ks
