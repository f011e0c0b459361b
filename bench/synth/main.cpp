// quillon-synth DIR MODULES MEMBERS [SEED] [--properties | --procedural | --type-units | --form-rows]:
// writes a synthetic project of MODULES class modules with MEMBERS members each into DIR and
// prints the project file's path. With --properties every member is a property; the other options
// add to that what their design has many of: properties typed by procedural types, registered
// types each with a unit of its own, or methods each shown in a row of the debug form.
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "platform/UserDialogs.h"
#include "synth/SyntheticProject.h"

int main(int argc, char** argv) {
    using Extra = quillon::SyntheticShape::Extra;
    struct Option {
        const char* name;
        Extra extra;
    };
    static constexpr Option kOptions[] = {{"--properties", Extra::kNone},
                                          {"--procedural", Extra::kProceduralProperties},
                                          {"--type-units", Extra::kTypeUnits},
                                          {"--form-rows", Extra::kFormRows}};
    quillon::SyntheticShape shape;
    if (argc > 4)
        for (const Option& option : kOptions)
            if (std::string(argv[argc - 1]) == option.name) {
                shape.propertiesOnly = true;
                shape.extra = option.extra;
                --argc;
                break;
            }
    if (argc < 4 || argc > 5) {
        std::cerr << "usage: quillon-synth DIR MODULES MEMBERS [SEED] [--properties | --procedural | --type-units | "
                     "--form-rows]\n";
        return 2;
    }
    quillon::NonInteractiveDialogs dialogs(std::cerr, quillon::DialogAnswer::No);
    const quillon::ScopedDialogs installed(dialogs);
    try {
        shape.modules = std::stoi(argv[2]);
        shape.members = std::stoi(argv[3]);
        if (argc == 5) shape.seed = static_cast<std::uint32_t>(std::stoul(argv[4]));
        if (shape.modules < 0 || shape.members < 0) throw std::invalid_argument("negative size");
        std::cout << quillon::WriteSyntheticProject(argv[1], shape) << "\n";
    } catch (const std::exception& e) {
        std::cerr << "quillon-synth: " << e.what() << "\n";
        return 3;
    }
    return 0;
}
