// Arguments on POSIX: main's bytes already are the UTF-8 that Quillon uses.
#include "platform/CommandLine.h"

namespace quillon {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

std::string ShellQuoted(std::string_view argument) {
    const bool plain = !argument.empty() && argument.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                                                       "0123456789_-+=.,/:@%") == std::string_view::npos;
    if (plain) return std::string(argument);
    // Inside single quotes every character stands for itself but the quote, which closes, is
    // escaped and reopens.
    std::string quoted = "'";
    for (const char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace quillon
