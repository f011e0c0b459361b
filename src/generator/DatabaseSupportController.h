// The database support controller (the unit N itself): the controller class extended by what the
// module's database support hands to its server.
#pragma once

#include <string>

namespace quillon {

class IModuleResolver;
class TemgModule;

// Kind 11. So far the class as every module has it, which is all of it for a module without
// database support: the controller, and the call of AfterInitInstance once it is set up.
std::string BuildDatabaseSupportController(const TemgModule& module, const IModuleResolver& resolver);

}  // namespace quillon
