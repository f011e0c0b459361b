#include "generator/Release.h"

#include <algorithm>

#include "elements/ReleaseElements.h"
#include "generator/GeneratorMessages.h"
#include "generator/Module.h"
#include "generator/ModuleResolver.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/ShellOpen.h"

namespace quillon {

namespace {

void CreateReleaseDirectory(const std::string& path) {
    if (path.empty() || !ForceDirectories(path)) throw Exception(std::string(kUnableToCreateDirectory));
}

// The module of `className`, or nullptr with "Class '%s' not found" added to `errors`.
const TemgModule* FindOrReport(std::string_view className, const IModuleResolver& project,
                               std::vector<std::string>& errors) {
    const TemgModule* module = project.FindModule(className);
    if (!module) errors.push_back(Format(kReferencedClassNotFound, className));
    return module;
}

}  // namespace

std::string ReleaseDirectory(const TReleaseDll& release, const IModuleResolver& project) {
    if (release.GetPath().empty()) return {};
    return ExpandFileName(SlashSeparated(release.GetPath()), project.GetSrcPath());
}

std::vector<const TemgModule*> ClassReferencedModules(std::string_view className, const IModuleResolver& project,
                                                      std::vector<std::string>& errors) {
    std::vector<const TemgModule*> modules;
    const TemgModule* owner = project.FindModule(className);
    if (!owner) return modules;  // the caller reports the missing class itself
    const TemgExternalClasses& externalClasses = owner->MainClass().ExternalClasses();
    for (int i = 0; i < externalClasses.Count(); ++i) {
        const TemgModule* module = FindOrReport(externalClasses.Items(i)->GetName(), project, errors);
        if (module && std::find(modules.begin(), modules.end(), module) == modules.end()) modules.push_back(module);
    }
    return modules;
}

std::vector<std::string> RunRelease(const TReleaseDll& release, const IModuleResolver& project,
                                    const std::vector<const TemgModule*>& classModules) {
    const std::string directory = ReleaseDirectory(release, project);
    CreateReleaseDirectory(directory);
    const std::string base = IncludeTrailingPathDelimiter(directory);
    CreateReleaseDirectory(base + release.GetDllSubdir());
    CreateReleaseDirectory(base + release.GetPasSubdir());

    std::vector<std::string> errors;
    std::vector<const TemgModule*> modules;
    const bool wholeProject = release.GetOption() == roProject;
    if (wholeProject) {
        modules = classModules;
    } else {
        modules = ClassReferencedModules(release.GetModuleName(), project, errors);
        if (const TemgModule* module = FindOrReport(release.GetModuleName(), project, errors))
            module->Release(directory, release.GetDllSubdir(), errors, project, true, release.GetPasSubdir());
    }
    for (const TemgModule* module : modules)
        module->Release(directory, release.GetDllSubdir(), errors, project, wholeProject, release.GetPasSubdir());

    ShellOpen(directory);
    return errors;
}

std::vector<std::string> RunCopyRule(const TCopyFileItem& rule, const IModuleResolver& project,
                                     std::string_view moduleName) {
    std::vector<std::string> errors;
    const std::vector<const TemgModule*> referenced = ClassReferencedModules(moduleName, project, errors);
    if (const TemgModule* module = FindOrReport(moduleName, project, errors))
        module->Release({}, rule.GetDllPath(), errors, project, true, rule.GetPasPath());
    if (rule.GetAllDlls())
        for (const TemgModule* module : referenced)
            module->Release({}, rule.GetDllPath(), errors, project, false, rule.GetPasPath());
    return errors;
}

std::vector<std::string> RunCopyRules(const TemgModule& module, const IModuleResolver& project) {
    std::vector<std::string> errors;
    const TCopyFileCollection& rules = module.CopyFiles();
    for (int i = 0; i < rules.Count(); ++i) {
        std::vector<std::string> found = RunCopyRule(*rules.Items(i), project, module.MainClassName());
        errors.insert(errors.end(), found.begin(), found.end());
    }
    return errors;
}

}  // namespace quillon
