// quillon-synth DIR MODULES MEMBERS [SEED] [--properties]: writes a synthetic project of MODULES
// class modules with MEMBERS members each (with --properties, all of them properties) into DIR
// and prints the project file's path.
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "platform/UserDialogs.h"
#include "synth/SyntheticProject.h"

int main(int argc, char** argv) {
    const bool propertiesOnly = argc > 4 && std::string(argv[argc - 1]) == "--properties";
    if (propertiesOnly) --argc;
    if (argc < 4 || argc > 5) {
        std::cerr << "usage: quillon-synth DIR MODULES MEMBERS [SEED] [--properties]\n";
        return 2;
    }
    quillon::NonInteractiveDialogs dialogs(std::cerr, quillon::DialogAnswer::No);
    const quillon::ScopedDialogs installed(dialogs);
    try {
        quillon::SyntheticShape shape;
        shape.modules = std::stoi(argv[2]);
        shape.members = std::stoi(argv[3]);
        shape.propertiesOnly = propertiesOnly;
        if (argc == 5) shape.seed = static_cast<std::uint32_t>(std::stoul(argv[4]));
        if (shape.modules < 0 || shape.members < 0) throw std::invalid_argument("negative size");
        std::cout << quillon::WriteSyntheticProject(argv[1], shape) << "\n";
    } catch (const std::exception& e) {
        std::cerr << "quillon-synth: " << e.what() << "\n";
        return 3;
    }
    return 0;
}
