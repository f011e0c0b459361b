#include "generator/LibraryProject.h"

#include <algorithm>

#include "generator/BuilderSupport.h"
#include "generator/CommonTypesUnit.h"
#include "generator/ExternalClassMembers.h"
#include "generator/Module.h"
#include "generator/ModuleResolver.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "source/SourceProject.h"
#include "source/TextUtils.h"

namespace quillon {

namespace {

void AddExport(TgmcExportMethods& exports, std::string_view name) { exports.Add()->SetName(name); }

}  // namespace

std::string BuildLibraryProject(const TemgModule& module, const IModuleResolver& resolver) {
    const TServerOption option = module.GetServerOption();
    if (!IsLibraryOption(option)) return {};
    const TemgClass& mainClass = module.MainClass();
    const std::string srcPath = resolver.GetSrcPath();

    TgmcProject project;
    project.SetAppellation(mainClass.Appellation());
    TgmcUsesModules& uses = project.UsesModules();
    TgmcExportMethods& exports = project.ExportMethods();

    if (module.GetShareMemSupport()) AddUses(uses, "ShareMem");
    if (option == moServerInDll) {
        AddUses(uses, "DLLServerCollection");
        mainClass.Methods().AddExportEntries(exports);
        mainClass.Properties().AddExportEntries(exports);
        mainClass.Events().AddExportEntries(exports);
        AddExport(exports, "InitInstance");
        AddExport(exports, "FindInstance");
        AddExport(exports, "FreeInstance");
        if (NeedsLibraryPaths(module, resolver)) AddExport(exports, "SetDLLsPaths");
        // The routines of the generator's unit are named through it: a unit the library uses
        // later (a unit of another module, an added unit) may declare something of the same name,
        // and a unit in reach or the library itself may bear it.
        for (int i = 0; i < exports.Count(); ++i)
            if (!SameText(exports.Items(i)->GetName(), "FreeInstance"))
                exports.Items(i)->SetUnitName(module.GeneratorUnitName());
    } else {
        AddUses(uses, "ComServ");
        AddUses(uses, module.InterfaceUnitName(), module.UnitFileName(TFileKind::InterfaceUnit, srcPath));
        for (const char* entry : {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer"})
            AddExport(exports, entry);
    }
    if (module.HasOwnConnection())
        AddUses(uses, module.DataModuleUnitName(), module.UnitFileName(TFileKind::DataModuleUnit, srcPath))
            ->SetFormName(module.DataModuleFormName());
    AddCommonTypesUnit(uses, module, resolver, true);
    AddUses(uses, module.GeneratorUnitName(), module.UnitFileName(TFileKind::GeneratorServerUnit, srcPath));
    AddUses(uses, module.DeveloperUnitName(), module.UnitFileName(TFileKind::DeveloperServerUnit, srcPath));
    module.AddUnits().AddUnitUses(uses, module.OutputDirectory(srcPath));
    AddExternalClassUnits(uses, module, resolver, true);
    return project.SrcCode(pkLibrary);
}

std::string ProjectOptionsText(std::string_view searchPath, std::string_view projectSrcPath) {
    std::string directories;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = searchPath.find(';', start);
        const std::string entry =
            SlashSeparated(searchPath.substr(start, end == std::string_view::npos ? end : end - start));
        if (start > 0) directories += ';';
        if (!entry.empty()) directories += ExpandFileName(entry, projectSrcPath);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return "[Directories]" + std::string(kCrLf) + "SearchPath=" + directories;
}

}  // namespace quillon
