#pragma once
// The application-wide state: created once at start-up and passed to whoever
// needs it. Nothing here touches a window.
#include <string>
#include <vector>

#include "texts/text_table.h"

namespace ks {

// The path of every project file, derived from the open project.
struct ProjectFiles {
    std::string File_ParGen;
    std::string File_S7_Protocol;
    std::string File_KNX_SetAccess;
    std::string File_IEC61850_Variables;
    std::string File_TLS_Known_Cert;
    std::string File_CAN_Rec_Frames;
    std::string File_CAN_Send_Frames;
    std::string File_SDO_Server_CANopen;
    std::string File_SDO_Client_CANopen;
    std::string File_PDO_CANopen;
    std::string File_SNMP_Trap;
    std::string File_MQTT_Set_Topic;
    std::string File_BACnet_Slave;
    std::string File_OPC_UA_Server;
};

struct AppState {
    // Identity of this build.
    static constexpr const char* Main_Caption = "Morvane - Configurator CS82411 - S7comm / KNX ";
    static constexpr const char* SW_Code = "CS82411";
    static constexpr const char* SW_Desc = "S7comm / KNX - Converter";
    static constexpr const char* Default_IP_Address = "192.168.2.205";
    static constexpr const char* Default_Language = "English";

    TextTable Text_Table;

    std::string Program_Dir;
    std::string Master_Dir;
    std::string Projects_Dir;
    std::string Language_Dir;

    std::string Project_Name;
    std::string Project_Path;  // empty: no project is open
    ProjectFiles Files;

    // Persisted in Keystrel.xml.
    std::string Last_IP_Address = Default_IP_Address;
    std::string Language_Name = Default_Language;
    bool Enable_Internet = false;
    bool Enable_Update = false;
    bool Enable_Jump_Field_Tables = false;
    bool Enable_Double_Click_Auto_Size = false;

    // Remembered by the update dialog for the run only.
    int Update_Option_Index = 0;
    bool Update_Read_Back = true;

    // Row copy buffer shared by every table dialog.
    std::vector<std::string> Copied_Row;
    std::vector<bool> Copied_Check_Flags;

    bool Project_Open() const { return !Project_Path.empty(); }
    const std::string& Text(int i) const { return Text_Table[i]; }
};

} // namespace ks
