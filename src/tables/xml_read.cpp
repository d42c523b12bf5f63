#include "tables/xml_read.h"

#include <filesystem>

#include "core/text_util.h"

namespace ks {

ProjectFileText Read_Project_File(const std::string& path) {
    ProjectFileText r;
    std::error_code ec;
    const auto st = std::filesystem::status(To_Path(path), ec);
    if (!std::filesystem::exists(st)) {
        r.missing = true;
        return r;
    }
    auto data = Is_File(path) ? Read_File(path) : std::nullopt;
    if (!data) {
        r.error = "Cannot read file " + path;
        return r;
    }
    r.text = std::move(*data);
    return r;
}

std::string Parse_Xml_Text(pugi::xml_document& doc, std::string_view text, unsigned int options) {
    const pugi::xml_parse_result res = doc.load_buffer(text.data(), text.size(), options, pugi::encoding_auto);
    if (res) return {};
    return std::string("not a valid XML document (") + res.description() + " at offset " +
           std::to_string(res.offset) + ")";
}

std::string File_Error(const std::string& path, const std::string& error) {
    return "Error in file " + path + ": " + error;
}

} // namespace ks
