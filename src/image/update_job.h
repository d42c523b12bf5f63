#pragma once
// The update job file Ethernet_Update.xml, which tells the external update
// tool what to load into the converter.
#include <string>

#include <pugixml.hpp>

namespace ks {

// Positions of the update options list.
enum Update_Option { Update_Firmware_And_Configuration = 0, Update_Firmware = 1, Update_Configuration = 2 };

struct UpdateJob {
    std::string Device_Address;  // the four octet texts joined with ".", as typed
    int Option_Index = Update_Firmware_And_Configuration;
    bool Read_Back = true;
    std::string Master_Dir;    // holds the firmware file Viv82411.sim
    std::string Project_Path;  // holds bin/bank1.bin and bin/bank2.bin
};

// The job document, element for element. False (document left empty) for an
// option index outside 0 to 2.
bool Build_Update_Job(const UpdateJob& job, pugi::xml_document& doc);

// Path of the job file beside the program.
std::string Update_Job_Path(const std::string& program_dir);

// Writes Program_Dir/Ethernet_Update.xml atomically. Returns an empty string
// on success, else the error text (nothing is written then).
std::string Compile_XML_Parameter_New_Boot(const UpdateJob& job, const std::string& program_dir);

} // namespace ks
