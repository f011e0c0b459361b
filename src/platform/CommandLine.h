// The program's arguments as UTF-8, whatever the system hands to main.
#pragma once

#include <string>
#include <vector>

namespace quillon {

// The arguments after the program name. On Windows they are read again from the wide command
// line, since main's narrow ones are in the system's code page.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace quillon
