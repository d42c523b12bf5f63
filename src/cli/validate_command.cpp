// "validate": runs the checks that the three editing dialogs run on OK over a
// project's files, so a project can be checked without a window.
#include <iostream>
#include <string>

#include "app/app_state.h"
#include "app/projects.h"
#include "cli/commands.h"
#include "core/text_util.h"
#include "settings/par_gen.h"
#include "tables/knx_table.h"
#include "tables/s7_table.h"
#include "texts/text_table.h"

namespace ks::cli {

namespace {

constexpr std::string_view kName = "validate";

struct Verdict {
    bool missing = false;
    std::string damage;  // the file could not be read whole
    std::string fault;   // the first fault of the validation
};

bool Report(const std::string& file, const Verdict& v) {
    std::cout.flush();  // keeps the lines in file order on a terminal
    if (!v.damage.empty()) {
        Print_Error(kName, file + ": damaged file: " + Escape_Line(v.damage));
        return false;
    }
    if (!v.fault.empty()) {
        Print_Error(kName, file + ": " + Escape_Line(v.fault));
        return false;
    }
    std::cout << file << ": OK" << (v.missing ? " (no file: defaults)" : "") << "\n";
    return true;
}

int Run_Validate(const std::vector<std::string>& args) {
    std::vector<std::string> dirs;
    bool options_done = false;
    for (const auto& a : args) {
        if (!options_done && a == "--") {
            options_done = true;
        } else if (!options_done && a.size() > 1 && a[0] == '-') {
            Print_Error(kName, "unknown option \"" + Escape_Line(a) + "\" (see keystrel-cli validate --help)");
            return Exit_Usage;
        } else {
            dirs.push_back(a);
        }
    }
    if (dirs.size() != 1) {
        Print_Error(kName, "exactly one PROJECT_DIR must be given (see keystrel-cli validate --help)");
        return Exit_Usage;
    }
    if (!Is_Directory(dirs[0])) {
        Print_Error(kName, "\"" + Escape_Line(dirs[0]) + "\" is not a folder");
        return Exit_Failure;
    }

    // The same file paths and texts the dialogs use.
    AppState st;
    st.Project_Path = dirs[0];
    Set_Files(st);
    TextTable texts;
    texts.Load_Default_Texts();

    bool ok = true;
    {
        Verdict v;
        v.missing = !Is_File(st.Files.File_ParGen);
        const ParGenLoad r = Load_ParGen(st.Files.File_ParGen);
        v.damage = r.error;
        if (v.damage.empty()) {
            const int text = Controllo_Dati(r.settings);
            if (text != ParGen_Valid) v.fault = texts[text];
        }
        ok &= Report("ParGen.xml", v);
    }
    {
        Verdict v;
        v.missing = !Is_File(st.Files.File_S7_Protocol);
        const S7_Load_Result r = Load_S7_Protocol(st.Files.File_S7_Protocol);
        v.damage = r.error;
        if (v.damage.empty()) v.fault = Controllo_dati(r.table, texts);
        ok &= Report("S7_Protocol.xml", v);
    }
    {
        Verdict v;
        v.missing = !Is_File(st.Files.File_KNX_SetAccess);
        const KNX_Load_Result r = Load_KNX_SetAccess(st.Files.File_KNX_SetAccess);
        v.damage = r.error;
        if (v.damage.empty()) v.fault = Controllo_dati(r.table, texts);
        ok &= Report("KNX_SetAccess.xml", v);
    }
    std::cout << std::flush;
    return ok ? Exit_Ok : Exit_Failure;
}

} // namespace

const Command Validate_Command = {
    kName,
    "check a project's files as the editing dialogs check them on OK",
    "Usage: keystrel-cli validate PROJECT_DIR\n"
    "\n"
    "Reads the three files of the project folder PROJECT_DIR - ParGen.xml\n"
    "(communication settings), S7_Protocol.xml (S7 access table) and\n"
    "KNX_SetAccess.xml (KNX access table) - and runs on each the validation\n"
    "that its dialog runs on OK, with the English texts.\n"
    "\n"
    "For a file that passes, \"FILE: OK\" is printed on standard output; a\n"
    "missing file counts as the dialog's defaults, which pass. For a file that\n"
    "fails, its first fault is printed on standard error exactly as the dialog\n"
    "shows it (for example \"S7_Protocol.xml: Error row 3!! [S7comm Read] PLC\n"
    "Port must be between 0 and 65535\"). A file that exists but cannot be read\n"
    "whole (not XML, a list or a required attribute missing, more rows than the\n"
    "table holds) is reported as a damaged file.\n"
    "\n"
    "Exit status: 0 all three files pass; 1 a file fails, is damaged, or\n"
    "PROJECT_DIR is not a folder; 2 wrong arguments.\n",
    &Run_Validate,
};

} // namespace ks::cli
