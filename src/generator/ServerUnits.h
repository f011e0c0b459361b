// The two server units of a module: the generator's unit ("gen" + N), recreated on every run,
// with the server class, its lifetime hooks and, for a library server, the exported routines;
// and the developer's unit ("dev" + N), written once, whose class overrides every method.
#pragma once

#include <string>

namespace quillon {

class IModuleResolver;
class TemgModule;
class TgmcModule;

// Kind 0.
std::string BuildGeneratorServerUnit(const TemgModule& module, const IModuleResolver& resolver);
// Kind 1.
std::string BuildDeveloperServerUnit(const TemgModule& module, const IModuleResolver& resolver);
// The source models of the two units, filled into the empty `unit`: the update of an existing
// developer's unit takes its declarations, bodies and uses from them, so that what it inserts is
// what a fresh unit holds.
void BuildGeneratorServerModel(TgmcModule& unit, const TemgModule& module, const IModuleResolver& resolver);
void BuildDeveloperServerModel(TgmcModule& unit, const TemgModule& module, const IModuleResolver& resolver);

}  // namespace quillon
