// The check that every text a module's generated files hold fits the encoding the project writes
// them in.
#pragma once

#include <string_view>

#include "checking/CheckResults.h"
#include "generator/GeneratedFiles.h"

namespace quillon {

class TemgModule;

// "%s cannot be written in code page %d" for each string of the module's design that the code
// page lacks a character of, on the element that holds it (the module's own on `moduleObject`),
// naming its first line; nothing when the encoding is UTF-8.
void CheckModuleEncoding(const TemgModule& module, const TFileEncoding& encoding, TCheckCollection& results,
                         const TPersistent* moduleObject);
// The same for a path or a project text that generated files hold, on `object`.
void CheckTextEncoding(std::string_view text, const TFileEncoding& encoding, TCheckCollection& results,
                       const TPersistent* object);

}  // namespace quillon
