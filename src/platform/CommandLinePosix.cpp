// Arguments on POSIX: main's bytes already are the UTF-8 that Quillon uses.
#include "platform/CommandLine.h"

namespace quillon {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

}  // namespace quillon
