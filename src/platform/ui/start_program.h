#pragma once
// Starting an external program and waiting for it without freezing the
// windows.
#include <cstdint>
#include <string>
#include <vector>

namespace ks {

enum class StartOutcome {
    Not_Started,    // the program could not be started (missing, not executable)
    Ended,          // it ended within the wait
    Still_Running,  // the wait ran out; the program was left running
};

// Starts `NomeSW` with the argument list `Parameter` (passed as separate
// arguments, never through a shell), hidden when `tipo` is true. Waits for it
// to end for at most `max_wait_ms`, testing every 10 ms; meanwhile windows
// keep painting but take no user input. A program still running after the
// wait is left running. `pid`, when given, receives the process id.
StartOutcome Start_Program(const std::string& NomeSW, const std::vector<std::string>& Parameter, bool tipo,
                           int max_wait_ms = 150000, int64_t* pid = nullptr);

} // namespace ks
