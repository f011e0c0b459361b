// quillon-cli: the command line of the workbench. Everything happens in RunCli.
#include <iostream>

#include "cli/CliCommands.h"
#include "platform/CommandLine.h"
#include "platform/Process.h"

int main(int argc, char** argv) {
    quillon::InstallInterruptHandling();
    quillon::StandardOutputBuffer buffer;
    std::ostream out(&buffer);
    return quillon::cli::RunCli(quillon::CommandLineArguments(argc, argv), out, std::cerr);
}
