#include "support/cli_run.h"

#include <cstdlib>
#include <sstream>

#include "core/text_util.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace ks::test {

namespace {

std::string Quote(const std::string& s) {
#ifdef _WIN32
    return "\"" + s + "\"";
#else
    std::string q = "'";
    for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
#endif
}

} // namespace

CliResult Run_Program(const std::string& program, const std::vector<std::string>& args, const TempDir& dir) {
    const std::string out_path = dir / ".cli-out.txt", err_path = dir / ".cli-err.txt";
    std::string cmd = Quote(program);
    for (const auto& a : args) cmd += " " + Quote(a);
#ifdef _WIN32
    cmd += " >" + Quote(out_path) + " 2>" + Quote(err_path) + " <NUL";
    cmd = "\"" + cmd + "\"";  // cmd.exe strips one pair of outer quotes
#else
    cmd += " >" + Quote(out_path) + " 2>" + Quote(err_path) + " </dev/null";
#endif
    const int status = std::system(cmd.c_str());
    CliResult r;
#ifdef _WIN32
    r.code = status;
#else
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    r.out = Read_File(out_path).value_or("");
    r.err = Read_File(err_path).value_or("");
    return r;
}

std::vector<std::string> Output_Lines(const std::string& text) {
    std::vector<std::string> r;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) r.push_back(line);
    return r;
}

} // namespace ks::test
