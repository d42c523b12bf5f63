// keystrel-cli compile: builds a project's configuration image the way the
// update step does and writes its two bank files.
#include <iostream>

#include "cli/commands.h"
#include "core/text_util.h"
#include "image/config_image.h"

namespace ks::cli {

namespace {

constexpr std::string_view kName = "compile";

int Run(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    for (const auto& a : args) {
        if (a == "--") continue;
        if (a.size() > 1 && a[0] == '-') {
            Print_Error(kName, "unknown option \"" + Escape_Line(a) + "\"");
            return Exit_Usage;
        }
        positional.push_back(a);
    }
    if (positional.size() != 1) {
        Print_Error(kName, "expected one argument, the project folder (see keystrel-cli compile --help)");
        return Exit_Usage;
    }
    const std::string& dir = positional[0];
    if (!Is_Directory(dir)) {
        Print_Error(kName, "the project folder " + Escape_Line(dir) + " does not exist");
        return Exit_Failure;
    }
    const CompileResult res = Compile_Bin(Image_Sources_Of(dir));
    if (!res.Ok()) {
        Print_Error(kName, Escape_Line(res.Error) + "\nNo bank file was written.");
        return Exit_Failure;
    }
    if (const std::string err = Save_Bin(res.Image, dir, true); !err.empty()) {
        Print_Error(kName, Escape_Line(err));
        return Exit_Failure;
    }
    std::cout << "Compiled " << res.KNX_Count << " KNX rules and " << res.S7_Count << " S7comm requests into "
              << Escape_Line(Bank1_Path(dir)) << " and " << Escape_Line(Bank2_Path(dir)) << "\n";
    return Exit_Ok;
}

} // namespace

const Command Compile_Command = {
    kName,
    "compile a project into bin/bank1.bin and bin/bank2.bin",
    "Usage: keystrel-cli compile PROJECT_DIR\n"
    "\n"
    "Compiles the project's ParGen.xml, KNX_SetAccess.xml and S7_Protocol.xml\n"
    "exactly as the update step does and writes the configuration image to\n"
    "PROJECT_DIR/bin/bank1.bin (2048 bytes) and PROJECT_DIR/bin/bank2.bin\n"
    "(53248 bytes), creating the bin folder when it is missing. A missing file\n"
    "counts as empty; a damaged one stops the compilation.\n"
    "\n"
    "Both banks are written to temporary files first and then renamed over the\n"
    "old ones, so on any error the old bank files stay as they were.\n"
    "\n"
    "Exit status: 0 written, 1 error (message on stderr, no bank file changed),\n"
    "2 wrong arguments.\n",
    Run,
};

} // namespace ks::cli
