// "texts": prints the text table, the English defaults or a language file
// applied over them.
#include <iostream>
#include <string>

#include "cli/commands.h"
#include "texts/text_table.h"

namespace ks::cli {

namespace {

int Run_Texts(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    bool options_done = false;
    for (const auto& a : args) {
        if (!options_done && a == "--") {
            options_done = true;
        } else if (!options_done && a.size() > 1 && a[0] == '-') {
            Print_Error("texts", "unknown option \"" + Escape_Line(a) + "\" (see keystrel-cli texts --help)");
            return Exit_Usage;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() > 1) {
        Print_Error("texts", "at most one language file may be given (see keystrel-cli texts --help)");
        return Exit_Usage;
    }

    TextTable table;
    table.Load_Default_Texts();
    if (!files.empty() && !table.Apply_Language_File(files[0])) {
        Print_Error("texts", "cannot read language file \"" + Escape_Line(files[0]) + "\"");
        return Exit_Failure;
    }
    std::string out;
    out.reserve(static_cast<size_t>(table.Size()) * 32);
    for (int i = 0; i < table.Size(); ++i) {
        out += std::to_string(i);
        out += '\t';
        out += Escape_Line(table[i]);
        out += '\n';
    }
    std::cout << out << std::flush;
    return std::cout ? Exit_Ok : Exit_Failure;
}

} // namespace

const Command Texts_Command = {
    "texts",
    "print the text table (English defaults, or with a language file applied)",
    "Usage: keystrel-cli texts [LANGUAGE_FILE]\n"
    "\n"
    "Prints every entry of the 2800-entry text table, one per line, as\n"
    "INDEX<TAB>TEXT, in index order. Without an argument the built-in English\n"
    "texts are printed; with LANGUAGE_FILE (a .lng file) that file is applied\n"
    "over them exactly as the program applies a language file.\n"
    "\n"
    "Texts are written as UTF-8. So that every entry stays on one line, a\n"
    "backslash is written as \\\\, a line feed as \\n, a carriage return as \\r,\n"
    "a tab as \\t and any other control character as \\xNN (two hex digits).\n"
    "Leading and trailing blanks are printed as they are.\n"
    "\n"
    "Exit status: 0 success; 1 LANGUAGE_FILE is missing or cannot be read;\n"
    "2 wrong arguments.\n",
    &Run_Texts,
};

} // namespace ks::cli
