#include "core/xml_util.h"

#include <sstream>

#include "core/text_util.h"

namespace ks {

std::string Xml_To_String(const pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return out.str();
}

std::string Save_Xml_Atomic(const pugi::xml_document& doc, const std::string& path) {
    return Write_File_Atomic(path, Xml_To_String(doc));
}

pugi::xml_node First_Node(const pugi::xml_document& doc) { return doc.first_child(); }

std::string Root_Element_Error(const pugi::xml_document& doc) {
    const pugi::xml_node n = doc.first_child();
    if (!n) return "the document is empty";
    if (n.type() == pugi::node_element) return {};
    return "the document does not begin with its root element (a declaration, comment or "
           "instruction stands first)";
}

unsigned int Parse_Options() {
    return pugi::parse_default | pugi::parse_comments | pugi::parse_pi | pugi::parse_declaration |
           pugi::parse_doctype;
}

} // namespace ks
