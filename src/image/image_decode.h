#pragma once
// Reads a compiled configuration image back into named fields, for listing
// and checking what a project's bank files hold.
#include <cstdint>
#include <string>
#include <vector>

namespace ks {

// One decoded field: its display text and the same value as a JSON literal
// (a number, a quoted string or an array of strings).
struct DumpField {
    std::string Name;
    std::string Text;
    std::string Json;
};

struct DumpRecord {
    int Index = 0;
    std::vector<DumpField> Fields;
};

struct ImageDump {
    std::vector<DumpField> Bank1;
    std::vector<DumpRecord> KNX_Rules;  // the compiled records only (count of bank 1)
    std::vector<DumpRecord> S7_Rules;
};

// Decodes both banks. Refuses (returns the reason) banks of the wrong size, a
// bank 1 whose checksum does not match and rule counts beyond the tables.
std::string Decode_Image(const std::vector<uint8_t>& bank1, const std::vector<uint8_t>& bank2,
                         ImageDump& out);

// Listing helpers.
std::string Individual_Address_Text(uint16_t word);  // 1.1.20
std::string Group_Address_Text(uint16_t word);       // 1/2/3
std::string KNX_Priority_Name(uint8_t code);
std::string KNX_Format_Name(uint16_t flags);  // from the top four bits
std::string Json_String(const std::string& text);
// Shortest text that reads back as the same 32-bit real.
std::string Real_Text(float v);

// Renders a dump as the indented listing or as JSON.
std::string Dump_Text(const ImageDump& d);
std::string Dump_Json(const ImageDump& d);

} // namespace ks
