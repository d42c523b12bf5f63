#pragma once
// The configuration image compiler: reads the project's three files and
// builds the two banks that the update tool loads into the converter.
// Nothing here touches a window; failures come back as texts.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "image/image_layout.h"

namespace ks {

struct ProjectFiles;

// The three files the compiler reads. A missing file is not an error.
struct ImageSources {
    std::string File_ParGen;
    std::string File_KNX_SetAccess;
    std::string File_S7_Protocol;
};
// The sources of the open project's file paths (see Set_Files).
ImageSources Image_Sources(const ProjectFiles& files);
// The sources of a project folder: its ParGen.xml, KNX_SetAccess.xml and S7_Protocol.xml.
ImageSources Image_Sources_Of(const std::string& project_path);

// The compiled image.
struct ConfigImage {
    std::vector<uint8_t> Bank1_Image;  // Bank1_Size bytes
    std::vector<uint8_t> Bank2_Image;  // Bank2_Size bytes
};

struct CompileResult {
    std::string Error;  // empty on success; then Image is complete
    ConfigImage Image;
    int KNX_Count = 0;
    int S7_Count = 0;
    bool Ok() const { return Error.empty(); }
};

// The working tables of one compilation: the settings block laid out as bank 1
// and the two rule tables.
struct ImageWorkspace {
    std::array<uint8_t, Bank1_Size> Settings{};
    std::array<KNX_Rule_Rec, Rule_Table_Capacity> KNX_Rules{};
    std::array<S7comm_Rule_Rec, Rule_Table_Capacity> S7_Rules{};

    // Reset values: the fixed defaults of bank 1, factor 1.0 in every KNX
    // record, every S7comm record zero.
    void Reset();
};

// Reset, settings, table addresses, KNX rules, S7comm rules, checksum and
// serialisation. `decimal_separator` ("," or ".") reads the KNX factors; the
// overload without it asks Decimal_Separator once. A file that exists but
// cannot be read or parsed, a table file without its lists, a KNX rule
// lacking a required attribute, or more enabled rules than a table holds
// stops the compilation: Error says why and Image stays empty.
CompileResult Compile_Bin(const ImageSources& sources, char decimal_separator);
CompileResult Compile_Bin(const ImageSources& sources);

// The steps of Compile_Bin, each returning an error text (empty on success).
std::string Compile_ParGen_Bank(ImageWorkspace& ws, const std::string& path);
// Writes 0 at 0x1C4 and the count at 0x1C8.
std::string Compile_KNX_Rules(ImageWorkspace& ws, const std::string& path, char decimal_separator);
// Sets `count` to the number of compiled records (the caller stores it).
std::string Compile_S7_Rules(ImageWorkspace& ws, const std::string& path, int& count);
// Checksum of the settings block and serialisation of both tables.
ConfigImage Build_Banks(ImageWorkspace& ws);

// Conversions of the compiler.
// The converter's own address: parts not masked, defaults 1, 1, 20; a text
// without "." is taken as a number (default 4372).
uint16_t KNX_Device_Address_To_Word(std::string_view text);
// Rule addresses: area.line.device (4/4/8 bits) in individual mode;
// main/sub (5/11) or main/middle/sub (5/3/8) in group mode; a text without
// the separator is taken as a number (default 0).
uint16_t KNX_Address_To_Word(std::string_view text, bool group_mode);
uint8_t S7_PLC_Type_Code(std::string_view text);
uint8_t S7_Data_Type_Code(std::string_view text);
uint8_t S7_Data_Identifier_Code(std::string_view text);
uint8_t S7_Area_Code(std::string_view text);

// Writes bank1.bin and bank2.bin into the project's bin folder. Both are first
// written to temporary files and only then renamed over the old banks, so a
// failure to write either leaves both old files as they were. The bin folder
// is created only when `create_bin_folder` is true; otherwise a missing folder
// is reported. Returns an empty string on success, else the error text.
std::string Save_Bin(const ConfigImage& image, const std::string& project_path,
                     bool create_bin_folder = false);

// Paths of the two bank files of a project.
std::string Bank1_Path(const std::string& project_path);
std::string Bank2_Path(const std::string& project_path);

} // namespace ks
