#include "generator/LibraryProject.h"

#include <algorithm>

#include "generator/BuilderSupport.h"
#include "generator/CommonTypesUnit.h"
#include "generator/ExternalClassMembers.h"
#include "generator/Module.h"
#include "generator/ModuleResolver.h"
#include "platform/FileSystem.h"
#include "source/SourceProject.h"
#include "source/TextUtils.h"

namespace quillon {

namespace {

// Every entry names the unit that declares its routine: a member may be named like a unit (System,
// Windows), like the library in another letter case, or like an identifier of a unit used after
// the declaring one (an enumeration value), and the unqualified routine would be that instead.
void AddExport(TgmcExportMethods& exports, std::string_view unit, std::string_view name) {
    TgmcExportMethod* entry = exports.Add();
    entry->SetUnitName(unit);
    entry->SetName(name);
}

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
        const std::string generatorUnit = module.GeneratorUnitName();
        mainClass.Methods().AddExportEntries(exports);
        mainClass.Properties().AddExportEntries(exports);
        mainClass.Events().AddExportEntries(exports);
        for (int i = 0; i < exports.Count(); ++i) exports.Items(i)->SetUnitName(generatorUnit);
        AddExport(exports, generatorUnit, "InitInstance");
        AddExport(exports, generatorUnit, "FindInstance");
        AddExport(exports, "DLLServerCollection", "FreeInstance");
        if (NeedsLibraryPaths(module, resolver)) AddExport(exports, generatorUnit, "SetDLLsPaths");
    } else {
        AddUses(uses, "ComServ");
        AddUses(uses, module.InterfaceUnitName(), module.UnitFileName(TFileKind::InterfaceUnit, srcPath));
        for (const char* entry : {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer"})
            AddExport(exports, "ComServ", entry);
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
