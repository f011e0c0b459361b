// quillon-cli: the command line of the workbench. Everything happens in RunCli.
#include <iostream>

#include "cli/CliCommands.h"
#include "platform/CommandLine.h"
#include "platform/Console.h"
#include "platform/Process.h"

int main(int argc, char** argv) {
    quillon::InstallInterruptHandling();
    // Standard error to a Windows console in UTF-16; redirected output in binary.
    const quillon::ScopedStandardText standardText;
    quillon::StandardOutputBuffer buffer;
    std::ostream out(&buffer);
    return quillon::cli::RunCli(quillon::CommandLineArguments(argc, argv), out, std::cerr);
}
