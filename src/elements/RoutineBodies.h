// The routine texts that methods and property accessors share: the instance parameters of every
// exported routine, the exported wrapper that calls the server object, and the controller's
// call of a library routine through a routine variable.
#pragma once

#include <string>
#include <string_view>

#include "source/SourceClasses.h"

namespace quillon {

// Adds "const aInstanceID:Integer" and "var VErrorMessage:string".
void AddInstanceParameters(TgmcParameters& target);

// The body of an exported routine: `calledName` + `callList` called on the server object that
// FindInstance finds, as "<class>"; a function assigns the result. With `capture`, the call
// stands in a try block that hands an exception's message back through VErrorMessage.
std::string ExportWrapperCode(TMethodCategory category, std::string_view className, std::string_view calledName,
                              std::string_view callList, bool capture);

// The body by which `method` of a library controller calls the library routine of its name:
// loads the routine variable "F<name>Method" on first use, calls it with the instance ID, the
// error message variable and the method's own parameters, and raises the message the library
// handed back. Adds the error message variable to the method's local variables.
std::string AddLibraryCall(TgmcMethod& method);

}  // namespace quillon
