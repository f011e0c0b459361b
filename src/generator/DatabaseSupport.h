// The own database connection of a module: the generated data module unit with its form file,
// and the line by which the generator's server unit releases the shared data module.
#pragma once

#include <string>

namespace quillon {

class IModuleResolver;
class TemgModule;

// The own connection's session: "Session4" + DatabaseName.
std::string OwnConnectionSessionName(const TemgModule& module);

// The data module unit "gen_dmu" + D (kind 12) and its form file; empty without an own connection.
std::string BuildDataModuleUnit(const TemgModule& module, const IModuleResolver& resolver);
std::string BuildDataModuleForm(const TemgModule& module);

// Appended to the server's BeforeDestruction: frees the shared data module and clears the
// variable, so that a later instance creates a fresh one instead of using a freed object. Empty
// without an own connection.
std::string DataModuleDestructionCode(const TemgModule& module);

}  // namespace quillon
