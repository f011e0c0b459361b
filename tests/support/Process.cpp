#include "support/Process.h"

#include <cstdio>
#include <memory>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace quillon::test {

namespace {
#ifdef _WIN32
FILE* OpenPipe(const char* command) { return ::_popen(command, "r"); }
int ClosePipe(FILE* pipe) { return ::_pclose(pipe); }
int ExitStatus(int raw) { return raw; }
#else
FILE* OpenPipe(const char* command) { return ::popen(command, "r"); }
int ClosePipe(FILE* pipe) { return ::pclose(pipe); }
int ExitStatus(int raw) { return raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1; }
#endif
}  // namespace

CommandOutcome RunShellCommand(const std::string& command) {
    CommandOutcome outcome;
    FILE* pipe = OpenPipe(command.c_str());
    if (!pipe) return outcome;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) outcome.out.append(buffer, n);
    outcome.status = ExitStatus(ClosePipe(pipe));
    return outcome;
}

}  // namespace quillon::test
