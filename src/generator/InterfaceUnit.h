// The interface unit ("intf" + N) of a COM server: the class identifier and the interface type
// that the server class implements and the controller uses.
#pragma once

#include <string>

namespace quillon {

class IModuleResolver;
class TemgModule;

// Kind 2; empty for a module that is no COM server.
std::string BuildInterfaceUnit(const TemgModule& module, const IModuleResolver& resolver);

}  // namespace quillon
