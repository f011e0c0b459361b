// The oracle of the design fuzzer: a design the project check passes must generate code that
// compiles. The check runs first; when it reports no error, everything is generated (debug
// applications included) and every unit, library and program is compiled with Free Pascal in
// Delphi mode against the stubs of the target's units.
#pragma once

#include <cstdint>
#include <string>

namespace quillon {

class TemgpProject;

struct DesignOutcome {
    std::uint32_t seed = 0;
    int checkErrors = 0;
    // The check reported no error.
    bool accepted = false;
    // Accepted, yet generation refused or a file did not compile.
    bool failed = false;
    // The failure without the names of this design: the compiler's message with quoted names
    // replaced, or the generation's refusal.
    std::string failureClass;
    // The file that did not compile, and the compiler's first error.
    std::string file;
    std::string firstError;
    int filesCompiled = 0;
    // The DesignSpace bits of the spaces the design drew from.
    unsigned spaces = 0;
};

// Judges a project that lies saved in its directory; generated files go beside it.
DesignOutcome JudgeDesign(TemgpProject& project);
// Builds the design of `seed` (at most `maxModules` class modules, without the DesignRisk kinds
// in `leaveOut`) in `dir` (created when missing), saves it and judges it.
DesignOutcome RunDesign(std::uint32_t seed, const std::string& dir, int maxModules = 4, unsigned leaveOut = 0);
// The class of a compiler's first error: the message after "Error:" or "Fatal:", each quoted
// name replaced by "…".
std::string FailureClass(const std::string& firstError);
// Every project and module file in `dir`, each under a line naming it: the design as stored.
std::string DesignFilesText(const std::string& dir);

}  // namespace quillon
