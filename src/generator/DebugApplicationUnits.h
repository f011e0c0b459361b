// The files of a debug application: the program project, the generator's and the developer's
// form units with their form files, the options file and the project group, and the generation
// that writes them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "elements/ModuleOptions.h"
#include "platform/TextIndex.h"

namespace quillon {

class IGeneratedFileWriter;
class IModuleResolver;
class TemgDebugApplication;
class TemgMethod;
class TemgModule;

// The rows of an application's debug form: a method chosen for the application gets a row (a Run
// button calling it) when the controller offers it to the form's unit. The chosen names are
// indexed once, as the form's code and the check ask for every method of the class and a large
// class may have thousands chosen.
class TDebugFormRows {
public:
    explicit TDebugFormRows(const TemgDebugApplication& application);
    bool Has(const TemgMethod& method) const;

private:
    TextMap<bool> chosen_;
};
// The names a row's click handler declares or calls besides the method's: its parameter and the
// form's controller field. A local variable of the handler (a var parameter's) may not take them.
std::vector<std::string_view> DebugClickHandlerNames();

// Kind 5: the program that shows the developer's form.
std::string BuildDebugProgram(const TemgDebugApplication& application, const TemgModule& module,
                              const IModuleResolver& resolver);
// The units the program's uses clause names, in its order. A uses clause names the module's added
// units, unless the module's server is compiled in, only when a value of the design names a
// constant that no unit of the design declares, which asks about every value of the module. With
// `setAside` those added units are left out, unasked, and their names put there: a caller that
// wants to know whether a name is among the units needs the whole answer only for those names.
std::vector<std::string> DebugProgramUnits(const TemgDebugApplication& application, const TemgModule& module,
                                           const IModuleResolver& resolver, std::vector<std::string>* setAside = nullptr);
// Kind 6 and its form file: one row with a "Run" button per chosen method, and with database
// support a panel to pick an alias and connect.
std::string BuildDebugGeneratorFormUnit(const TemgDebugApplication& application, const TemgModule& module,
                                        const IModuleResolver& resolver);
std::string BuildDebugGeneratorForm(const TemgDebugApplication& application, const TemgModule& module);
// The fields (its controls among them), methods and properties of kind 6's form class, where the
// debug values are written: an identifier of their name there reads the form's member.
std::vector<std::string> DebugGeneratorFormMembers(const TemgDebugApplication& application, const TemgModule& module,
                                                   const IModuleResolver& resolver);
// The units kind 6 uses, in both its parts: its code, where the debug values are written, sees
// them all. `setAside` as for DebugProgramUnits.
std::vector<std::string> DebugGeneratorFormUnits(const TemgDebugApplication& application, const TemgModule& module,
                                                 const IModuleResolver& resolver, std::vector<std::string>* setAside = nullptr);
// Kind 7 and its form file, derived from the generator's.
std::string BuildDebugDeveloperFormUnit(const TemgDebugApplication& application, const TemgModule& module,
                                        const IModuleResolver& resolver);
std::string BuildDebugDeveloperForm(const TemgDebugApplication& application);
// Kind 10: the libraries the program needs, then the program.
std::string BuildDebugProjectGroup(const TemgDebugApplication& application, const TemgModule& module,
                                   const IModuleResolver& resolver);

// The text of one of the application's kinds (3 is the module's library project); empty for
// any other kind.
std::string BuildDebugApplicationText(const TemgDebugApplication& application, const TemgModule& module,
                                      TFileKind kind, const IModuleResolver& resolver);

// Writes every file of the application into its output directory: the program, the options file
// (when absent), the generator's form unit and form (read-only, replaced), the developer's form
// unit and form (only when absent) and the project group. Every file goes through `writer`, so a
// planning writer works out what the generation would change without touching the disk.
void GenerateDebugApplication(const TemgDebugApplication& application, const TemgModule& module,
                              const IModuleResolver& resolver, IGeneratedFileWriter& writer);
// The same, written to disk.
void GenerateDebugApplication(const TemgDebugApplication& application, const TemgModule& module,
                              const IModuleResolver& resolver);

}  // namespace quillon
