// keystrel-cli: the configurator's window-free tasks from the command line.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace ks::cli {

namespace {

// The command table: add one line per command, in the order --help lists them.
const Command* const kCommands[] = {
    &Texts_Command,
    &Validate_Command,
    &Compile_Command,
    &Dump_Command,
};

void Print_Usage(std::ostream& os) {
    os << "Usage: keystrel-cli COMMAND [ARGUMENTS]\n"
          "       keystrel-cli COMMAND --help\n"
          "       keystrel-cli --help\n"
          "\n"
          "Commands:\n";
    size_t width = 0;
    for (const Command* c : kCommands) width = std::max(width, c->name.size());
    for (const Command* c : kCommands)
        os << "  " << c->name << std::string(width - c->name.size() + 2, ' ') << c->summary << "\n";
    os << "\n"
          "Exit status: 0 success, 1 the command failed, 2 wrong arguments.\n";
}

bool Is_Help(const std::string& a) { return a == "--help" || a == "-h"; }

} // namespace

std::string Escape_Line(std::string_view text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        switch (ch) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (b < 0x20 || b == 0x7F) {
                out += "\\x";
                out += hex[b >> 4];
                out += hex[b & 0x0F];
            } else {
                out += ch;
            }
        }
    }
    return out;
}

void Print_Error(std::string_view command, std::string_view message) {
    std::cerr << "keystrel-cli";
    if (!command.empty()) std::cerr << " " << command;
    std::cerr << ": " << message << "\n";
}

int Main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        Print_Usage(std::cerr);
        return Exit_Usage;
    }
    if (Is_Help(args[0]) || args[0] == "help") {
        if (args[0] == "help" && args.size() > 1) {
            args[0] = args[1];
            args[1] = "--help";
        } else {
            Print_Usage(std::cout);
            return Exit_Ok;
        }
    }
    for (const Command* c : kCommands) {
        if (c->name != args[0]) continue;
        std::vector<std::string> rest(args.begin() + 1, args.end());
        for (const auto& a : rest) {
            if (a == "--") break;
            if (Is_Help(a)) {
                std::cout << c->help;
                return Exit_Ok;
            }
        }
        return c->run(rest);
    }
    Print_Error("", "unknown command \"" + Escape_Line(args[0]) + "\"");
    Print_Usage(std::cerr);
    return Exit_Usage;
}

} // namespace ks::cli

int main(int argc, char** argv) {
    try {
        return ks::cli::Main(argc, argv);
    } catch (const std::exception& e) {
        ks::cli::Print_Error("", e.what());
        return ks::cli::Exit_Failure;
    }
}
