// quillon-cli: the command line of the workbench. Everything happens in RunCli.
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return quillon::cli::RunCli(args, std::cout, std::cerr);
}
