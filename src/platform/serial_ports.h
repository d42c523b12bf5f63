#pragma once
// The serial ports present on this computer, for the serial update layout.
#include <string>
#include <vector>

namespace ks {

// Names of the serial ports that can be opened for reading and writing (or
// are present but held by another program), in increasing order: "COM1" to
// "COM256" on Windows; /dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM* on Linux.
std::vector<std::string> List_COM_Ports();

#ifndef _WIN32
// The Linux search over another device folder (tests use a temporary one).
std::vector<std::string> List_Serial_Devices(const std::string& dev_dir);
#endif

} // namespace ks
