#pragma once
// Runs a command-line program (such as keystrel-cli) and captures its output.
#include <string>
#include <vector>

#include "support/test_support.h"

namespace ks::test {

struct CliResult {
    int code = -1;    // exit status; -1 when the program did not exit normally
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs `program` with `args` (each passed as one argument, unchanged), with
// no standard input; the captured streams pass through files in `dir`.
CliResult Run_Program(const std::string& program, const std::vector<std::string>& args, const TempDir& dir);

// The output split at line feeds (a final line feed ends the last line).
std::vector<std::string> Output_Lines(const std::string& text);

} // namespace ks::test
