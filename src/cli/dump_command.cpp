// keystrel-cli dump: lists what a project's bank files hold.
#include <cstdint>
#include <iostream>

#include "cli/commands.h"
#include "core/text_util.h"
#include "image/config_image.h"
#include "image/image_decode.h"

namespace ks::cli {

namespace {

constexpr std::string_view kName = "dump";

int Run(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    bool json = false;
    for (const auto& a : args) {
        if (a == "--json") {
            json = true;
        } else if (a == "--") {
            continue;
        } else if (a.size() > 1 && a[0] == '-') {
            Print_Error(kName, "unknown option \"" + Escape_Line(a) + "\"");
            return Exit_Usage;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 1) {
        Print_Error(kName, "expected one argument, the project folder (see keystrel-cli dump --help)");
        return Exit_Usage;
    }
    const std::string& dir = positional[0];
    std::vector<uint8_t> banks[2];
    const std::string paths[2] = {Bank1_Path(dir), Bank2_Path(dir)};
    for (int i = 0; i < 2; ++i) {
        const auto data = Read_File(paths[i]);
        if (!data) {
            Print_Error(kName, "cannot read " + Escape_Line(paths[i]));
            return Exit_Failure;
        }
        banks[i].assign(data->begin(), data->end());
    }
    ImageDump dump;
    if (const std::string err = Decode_Image(banks[0], banks[1], dump); !err.empty()) {
        Print_Error(kName, Escape_Line(err));
        return Exit_Failure;
    }
    std::cout << (json ? Dump_Json(dump) : Dump_Text(dump));
    return Exit_Ok;
}

} // namespace

const Command Dump_Command = {
    kName,
    "list the fields of a project's bin/bank1.bin and bin/bank2.bin",
    "Usage: keystrel-cli dump PROJECT_DIR [--json]\n"
    "\n"
    "Decodes PROJECT_DIR/bin/bank1.bin and bin/bank2.bin: every field of the\n"
    "settings bank by name, then every compiled KNX rule and S7comm request\n"
    "with its fields (addresses as 1.1.20 and 1/2/3, codes and flags by name,\n"
    "the factor as a number). --json prints the same as one JSON object.\n"
    "\n"
    "Refuses bank files of the wrong size (2048 and 53248 bytes) and a bank 1\n"
    "whose checksum does not match its bytes.\n"
    "\n"
    "Exit status: 0 listed, 1 unreadable or damaged bank files, 2 wrong arguments.\n",
    Run,
};

} // namespace ks::cli
