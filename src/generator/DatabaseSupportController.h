// The database support controller (the unit N itself): the controller class extended by what the
// module's database support hands to its server.
#pragma once

#include <string>

namespace quillon {

class IModuleResolver;
class TemgModule;

// Kind 11, for every module. With dataset factories the class carries DatabaseName and
// SessionName, one factory function per chosen dataset kind, and hands the functions to the
// server's routine variables in AfterConstruction before it calls AfterInitInstance.
std::string BuildDatabaseSupportController(const TemgModule& module, const IModuleResolver& resolver);

}  // namespace quillon
