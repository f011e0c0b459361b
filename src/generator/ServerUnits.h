// The two server units of a module: the generator's unit ("gen" + N), recreated on every run,
// with the server class, its lifetime hooks and, for a library server, the exported routines;
// and the developer's unit ("dev" + N), written once, whose class overrides every method.
#pragma once

#include <string>
#include <string_view>

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

// The unit a fresh developer's unit uses first, for the developer's bodies (exceptions with a
// message, conversions); none of its declarations needs it, so an update never adds it to an
// existing unit.
inline constexpr std::string_view kDeveloperBodiesUnit = "SysUtils";

}  // namespace quillon
