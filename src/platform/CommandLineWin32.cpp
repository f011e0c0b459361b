// Arguments on Windows: the wide command line, split as the C run-time splits it, in UTF-8.
#include "platform/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/Win32.h"

namespace quillon {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide) return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(win32::Narrow(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

std::string ShellQuoted(std::string_view argument) {
    // cmd splits at blanks and takes & | < > ^ ( ) , ; = as its own; inside double quotes they
    // stand for themselves. A Windows file name holds no double quote.
    if (!argument.empty() && argument.find_first_of(" \t&|<>^(),;=") == std::string_view::npos)
        return std::string(argument);
    return "\"" + std::string(argument) + "\"";
}

}  // namespace quillon
