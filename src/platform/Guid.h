// Class identifiers in registry form.
#pragma once

#include <string>

namespace quillon {

// A new random GUID as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
std::string CreateGuidString();

}  // namespace quillon
