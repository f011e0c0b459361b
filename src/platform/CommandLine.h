// The program's arguments as UTF-8, whatever the system hands to main, and an argument written so
// that the system's command shell reads it back as one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// The arguments after the program name. On Windows they are read again from the wide command
// line, since main's narrow ones are in the system's code page.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// `argument` as it is typed into the system's shell (a POSIX shell, or cmd on Windows) to reach a
// program as one argument: unchanged when the shell takes it as it is, else quoted (POSIX: in
// single quotes; cmd: in double quotes).
std::string ShellQuoted(std::string_view argument);

}  // namespace quillon
