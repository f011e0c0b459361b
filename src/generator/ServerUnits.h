// The two server units of a module: the generator's unit ("gen" + N), recreated on every run,
// with the server class, its lifetime hooks and, for a library server, the exported routines;
// and the developer's unit ("dev" + N), written once, whose class overrides every method.
#pragma once

#include <string>

namespace quillon {

class IModuleResolver;
class TemgModule;

// Kind 0.
std::string BuildGeneratorServerUnit(const TemgModule& module, const IModuleResolver& resolver);
// Kind 1.
std::string BuildDeveloperServerUnit(const TemgModule& module, const IModuleResolver& resolver);

}  // namespace quillon
