#pragma once
// The commands of keystrel-cli. Each command lives in its own file
// <name>_command.cpp, defines one Command object declared here, and is listed
// once in the command table in main.cpp.
#include <string>
#include <string_view>
#include <vector>

namespace ks::cli {

// Exit codes shared by every command.
constexpr int Exit_Ok = 0;
constexpr int Exit_Failure = 1;  // the command ran but could not do its job
constexpr int Exit_Usage = 2;    // wrong arguments

struct Command {
    std::string_view name;
    std::string_view summary;  // one line for the overall usage
    std::string_view help;     // full text for "keystrel-cli NAME --help"
    // Arguments after the command name; "--help" never reaches it.
    int (*run)(const std::vector<std::string>& args);
};

extern const Command Texts_Command;
extern const Command Validate_Command;
extern const Command Compile_Command;
extern const Command Dump_Command;

// Helpers for the commands.
// Writes text with backslash, CR, LF and TAB written as \\, \r, \n, \t and
// any other control byte as \xNN, so one text always stays on one line.
std::string Escape_Line(std::string_view text);
// Prints "keystrel-cli NAME: message" on stderr.
void Print_Error(std::string_view command, std::string_view message);

} // namespace ks::cli
