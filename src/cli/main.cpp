// quillon-cli: the command line of the workbench. Everything happens in RunCli.
#include <iostream>

#include "cli/CliCommands.h"
#include "platform/CommandLine.h"

int main(int argc, char** argv) {
    return quillon::cli::RunCli(quillon::CommandLineArguments(argc, argv), std::cout, std::cerr);
}
