#pragma once
// The vendor's web service: one host behind every link and the version query.
#include <string>

namespace ks {

// The vendor's web address. Everything else below is fixed by the service.
inline constexpr const char* Vendor_Host = "www.morvane.com";

// Home page, opened by the web-address labels of the main window and the
// information box.
inline constexpr const char* Home_Page_Path = "/HOME/default.asp";
inline constexpr const char* Home_Page_Query = "frompg=CS82411";
// Download page, the target of the "new version" links.
inline constexpr const char* Download_Page_Path = "/Home/download/download.asp";
inline constexpr const char* Download_Page_Fragment = "GD82411";
// Version query: GET path?nomesw=<software code>.
inline constexpr const char* Version_Query_Path = "/home/download/GetversionSW.asp";
inline constexpr const char* Version_Query_Param = "nomesw";
inline constexpr const char* Version_Accept_Header =
    "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";

// The program's own version, as the service reports versions.
inline constexpr const char* Program_Version = "1.001";

inline std::string Home_Page_Url() {
    return std::string("http://") + Vendor_Host + Home_Page_Path + "?" + Home_Page_Query;
}
inline std::string Download_Page_Url() {
    return std::string("http://") + Vendor_Host + Download_Page_Path + "#" + Download_Page_Fragment;
}

} // namespace ks
