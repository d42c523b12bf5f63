#pragma once
// pugixml glue shared by every XML file of the program.
#include <string>

#include <pugixml.hpp>

namespace ks {

// Serialises a document the way every file of the program is written: no XML
// declaration, no indentation, UTF-8.
std::string Xml_To_String(const pugi::xml_document& doc);

// Saves a document atomically (temporary file renamed over the target).
// Returns an empty string on success, else a message naming the path.
std::string Save_Xml_Atomic(const pugi::xml_document& doc, const std::string& path);

// The first node of a document, which every reader takes as the root without
// checking its name (a declaration or comment first makes it the wrong node).
pugi::xml_node First_Node(const pugi::xml_document& doc);

// Empty when the first node is an element; else why it is not. Readers of
// project files use it so that a hand-edited file starting with a declaration
// or a comment is reported instead of being read as all defaults.
std::string Root_Element_Error(const pugi::xml_document& doc);

// Parse options used by every reader: keep comments/PIs/declaration as nodes
// so that "the first node" is really the first node of the file.
unsigned int Parse_Options();

} // namespace ks
