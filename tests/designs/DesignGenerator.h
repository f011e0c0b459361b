// Random designs for the design fuzzer: a seed gives one project, built through the same core
// operations the editors call (new project, add class module, rename, add members and types), so
// each is a design a user could make. Names are drawn from a pool that holds what users
// plausibly type, reserved words and the names the generated code declares included; captions
// hold quotes, comment brackets, line breaks and UTF-8.
#pragma once

#include <cstdint>
#include <string>

namespace quillon {

class TemgpProject;

struct DesignShape {
    std::uint32_t seed = 1;
    // Class modules at most (at least one).
    int maxModules = 4;
};

// Fills `project` as a new project in `dir` (which exists) and writes the source files of the
// units the design adds, as their developer would have them. The project is not saved.
void BuildRandomDesign(TemgpProject& project, const std::string& dir, const DesignShape& shape);

}  // namespace quillon
