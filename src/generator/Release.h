// Releases and copy rules: copying the built libraries and the units a host needs into the
// directories a release or a module's copy rule names. Every problem is collected and handed
// back; only a release directory that cannot be created stops a release.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class IModuleResolver;
class TCopyFileItem;
class TemgModule;
class TReleaseDll;

// The release's Path made absolute against the project's directory.
std::string ReleaseDirectory(const TReleaseDll& release, const IModuleResolver& project);

// Runs `release` and returns the problems found (for the messages window). Creates the release
// directory with its library and unit subdirectories (raising "Unable to create directory" when
// that fails or the directory name is empty). A project release copies the libraries and units
// of every module in `classModules` (the project's modules after the common types module, which
// has no library of its own); a module release copies the library and units of the module
// named ModuleName and the libraries of the modules its class refers to. Finally the release
// directory is opened in the desktop's file browser.
std::vector<std::string> RunRelease(const TReleaseDll& release, const IModuleResolver& project,
                                    const std::vector<const TemgModule*>& classModules);

// Runs one copy rule of the module whose class is `moduleName`: its library and units into the
// rule's directories and, with AllDlls, the libraries of the modules its class refers to.
std::vector<std::string> RunCopyRule(const TCopyFileItem& rule, const IModuleResolver& project,
                                     std::string_view moduleName);
// Every copy rule of `module` in order; the problems of all of them.
std::vector<std::string> RunCopyRules(const TemgModule& module, const IModuleResolver& project);

// The modules that the class named `className` refers to through its external classes, in
// their order and each once; a class or a referenced class that no module has adds "Class '%s'
// not found" to `errors`.
std::vector<const TemgModule*> ClassReferencedModules(std::string_view className, const IModuleResolver& project,
                                                      std::vector<std::string>& errors);

}  // namespace quillon
