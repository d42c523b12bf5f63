#pragma once
// Reading of the project's XML files, shared by the settings and table
// readers: a missing file is not an error, an unreadable or malformed one is.
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace ks {

struct ProjectFileText {
    bool missing = false;  // no file at the path: the caller uses its defaults
    std::string text;
    std::string error;  // the file exists but cannot be read
};
ProjectFileText Read_Project_File(const std::string& path);

// Parses `text` into `doc`; empty on success, else a message with the
// position of the fault.
std::string Parse_Xml_Text(pugi::xml_document& doc, std::string_view text, unsigned int options);

// Prefixes a reader's message with the file it concerns.
std::string File_Error(const std::string& path, const std::string& error);

// The path-based loader of every project file: a missing file gives the
// defaults of `Result` without an error, an unreadable one the defaults and
// the error, anything else what `parse` makes of the contents, its error
// naming the file.
template <class Result, class Parse>
Result Load_Project_File(const std::string& path, Parse parse) {
    ProjectFileText f = Read_Project_File(path);
    Result r{};
    if (f.missing) return r;
    if (!f.error.empty()) {
        r.error = std::move(f.error);
        return r;
    }
    r = parse(f.text);
    if (!r.error.empty()) r.error = File_Error(path, r.error);
    return r;
}

} // namespace ks
