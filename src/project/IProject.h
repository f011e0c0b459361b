// The services the project offers its modules, editors and commands: paths and header, module
// look-up, the lists of classes and modules an editor offers, and the operations that run over
// every module. It extends the module resolver that generation and release use.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "generator/ModuleResolver.h"

namespace quillon {

class TemgClass;
class TemgModule;
class TgmcAppellation;
class TStringList;

class IProject : public IModuleResolver {
public:
    static constexpr std::string_view kGuid = "{6BB7F98E-0CA1-43B6-83AA-67D4CE806D27}";

    // Fills `target` with the classes that `cls` (the class of `module`) may refer to, as
    // (display name, class) pairs in module order. The class named exactly `currentName` (the
    // one an edited reference names now) is always listed; any other is left out when it is `cls`
    // itself, the first module's, already referred to by `cls`, itself referring to `cls`, or
    // forbidden by the database-support rules.
    virtual void ListReferencableClasses(TStringList& target, const TemgClass& cls, const TemgModule& module,
                                         std::string_view currentName) = 0;
    // Type references over every module in order: each reference to `oldName`'s Name takes
    // `newName`'s Name when given and is added to `found` when given.
    virtual void RenameReferences(const TgmcAppellation& oldName, const TgmcAppellation* newName,
                                  TStringList* found) = 0;
    // The same for the external classes that refer to a class.
    virtual void RenameClassReferences(const TgmcAppellation& oldName, const TgmcAppellation* newName,
                                       TStringList* found) = 0;
    // Appellation.Name.
    virtual std::string GetProjectName() const = 0;
    // The first module; raises "No module found" when the project has none.
    virtual TemgModule& FirstModule() const = 0;
    virtual void SetModified(bool value) = 0;
    // The module whose class is named `className` (without regard to case), or nullptr.
    virtual TemgModule* FindModule(std::string_view className) = 0;
    using IModuleResolver::FindModule;
    // Every module but the first (common types) one, as (module name, module) pairs.
    virtual void ListClassModules(TStringList& target) const = 0;
    virtual std::vector<TemgModule*> ClassModules() const = 0;
    // The external classes of the class named `className`, as (referenced class name, external
    // class) pairs in order; "Class '%s' not found" goes to `errors` when no module has that class.
    virtual void ExternalClassesOf(TStringList& result, std::string_view className,
                                   std::vector<std::string>& errors) const = 0;
    // Runs `operation` on every module in order.
    virtual void ForEachModule(const std::function<void(TemgModule&)>& operation) const = 0;
};

}  // namespace quillon
