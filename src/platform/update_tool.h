#pragma once
// The external tool that transfers the configuration image and firmware into
// the converter. It lies beside the program and reads Ethernet_Update.xml
// from its own folder.

namespace ks {

#ifdef _WIN32
inline constexpr const char* Update_Tool_Name = "Ethernet_Update.exe";
#else
inline constexpr const char* Update_Tool_Name = "Ethernet_Update";
#endif

} // namespace ks
