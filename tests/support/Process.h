// Runs a shell command and collects its standard output and exit status (POSIX shells only:
// the tests that use it need Linux).
#pragma once

#include <string>

namespace quillon::test {

struct CommandOutcome {
    int status = -1;  // the exit status; -1 when the command could not be started or was killed
    std::string out;
};

CommandOutcome RunShellCommand(const std::string& command);

}  // namespace quillon::test
