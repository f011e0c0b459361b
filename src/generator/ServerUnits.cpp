#include "generator/ServerUnits.h"

#include "elements/RunTimeIdentifiers.h"
#include "elements/ExternalClasses.h"
#include "elements/RoutineBodies.h"
#include "generator/BuilderSupport.h"
#include "generator/CommonTypesUnit.h"
#include "generator/DatabaseSupport.h"
#include "generator/ExternalClassMembers.h"
#include "generator/Module.h"
#include "generator/WrittenValues.h"
#include "source/SourceUnit.h"

namespace quillon {

namespace {

std::string_view ServerAncestor(TServerOption option) {
    switch (option) {
        case moServerInDll: return "TDLLServer";
        case moDirectUsesServer: return "TComponent";
        case moComServerInDll:
        case moComServer: return "TComObject";
    }
    return {};
}

// The exported routine by which the host gets an instance number (and hands over its
// application window).
void AddInitInstance(TgmcMethods& routines, const TemgModule& module) {
    TgmcMethod& init = *AddRoutine(routines, "InitInstance", mcProcedure, mvPublic);
    init.SetOptions({moStdCall, moExport});
    AddParameter(init.Parameters(), "VInstanceID", "Integer", pcVar);
    if (module.GetInterfaceSupport()) AddParameter(init.Parameters(), "aApplicationHandle", "THandle", pcConst);
    AddLocalVar(init, "lServer", "TDLLServer");
    const std::string_view registration =
        module.MainClass().GetDllClassInstancing() == dllciSingleInstance ? "RegisterSingleID" : "RegisterID";
    const std::string line =
        "VInstanceID:=" + rtl::DLLServers + "." + std::string(registration) + "(" + module.DeveloperClassName() + ", lServer);";
    init.MethodImplementation().SetCode(
        module.GetInterfaceSupport() ? JoinLines({rtl::Application + ".Handle:=aApplicationHandle;", line}) : line);
}

// The look-up every exported routine starts with.
void AddFindInstance(TgmcMethods& routines, const TemgModule& module) {
    TgmcMethod& find = *AddRoutine(routines, "FindInstance", mcFunction, mvPublic, {},
                                   "Result:=" + rtl::DLLServers + ".FindServer(aInstanceID) as " + module.DeveloperClassName() + ";");
    find.DataType().SetName("TDllServer");
    AddParameter(find.Parameters(), "aInstanceID", "Integer", pcConst);
}

// The paths of the library servers the class reaches: fields, the procedure that sets them, and
// for a library server the exported routine that forwards to it.
void AddLibraryPathMembers(TgmcClass& server, TgmcMethods& routines, const TemgModule& module,
                           const IModuleResolver& resolver) {
    const std::vector<const TemgModule*> servers = ReferencedLibraryServers(module, resolver);
    if (servers.empty()) return;
    const TServerOption option = module.GetServerOption();
    TgmcMethod& setPaths =
        *AddRoutine(server.Methods(), "SetDLLsPaths", mcProcedure, mvPublic, {}, LibraryPathAssignments(servers));
    if (IsComOption(option)) setPaths.SetOptions({moSafeCall});
    AddLibraryPathParameters(setPaths.Parameters(), servers, false);
    AddLibraryPathFields(server.Fields(), servers);
    if (option != moServerInDll) return;
    TgmcMethod& exported = *AddRoutine(
        routines, "SetDLLsPaths", mcProcedure, mvPublic, {},
        ExportWrapperCode(mcProcedure, module.DeveloperClassName(), "SetDLLsPaths", LibraryPathArguments(servers), true));
    exported.SetOptions({moStdCall, moExport});
    AddInstanceParameters(exported.Parameters());
    AddLibraryPathParameters(exported.Parameters(), servers, false);
}

}  // namespace

void BuildGeneratorServerModel(TgmcModule& unit, const TemgModule& module, const IModuleResolver& resolver) {
    const TModuleElementContext context(module, resolver);
    const TemgClass& mainClass = module.MainClass();
    const TemgExternalClasses& externals = mainClass.ExternalClasses();
    const TServerOption option = module.GetServerOption();
    const bool com = IsComOption(option);
    const std::string developerClass = module.DeveloperClassName();

    unit.Appellation().SetName(module.GeneratorUnitName());
    unit.SetConditionalDefines("{$WARNINGS OFF}{$HINTS OFF}");
    TgmcModulePart& interface = unit.InterfacePart();
    TgmcUsesModules& uses = interface.UsesModules();
    TgmcClass& server = *interface.Classes().Add();
    server.ParentClass().SetName(ServerAncestor(option));

    if (option == moServerInDll) AddUses(uses, "DLLServerCollection");
    if (option != moDirectUsesServer) AddUses(unit.ImplementationPart().UsesModules(), module.DeveloperUnitName());
    AddUses(uses, "Windows");
    AddUses(uses, "Classes");
    AddUses(uses, "SysUtils");
    if (module.GetInterfaceSupport()) AddUses(uses, "Forms");
    if (module.HasOwnConnection()) AddUses(uses, module.DataModuleUnitName());
    if (com) {
        AddUses(uses, "ComObj");
        AddUses(uses, "ComServ");
        server.SupportedInterfaces().Add()->SetName(module.InterfaceTypeName());
    }
    if (UsesComServer(externals, context)) AddUses(uses, "ActiveX");
    AddExternalClassUnits(uses, module, resolver);
    if (com) AddUses(uses, module.InterfaceUnitName());

    server.SetName(module.GeneratorClassName());
    server.SetCaption(mainClass.GetCaption());
    const TGenerationTarget serverClass = TGenerationTarget::ServerClass(developerClass);
    mainClass.Methods().AddMethods(server.Methods(), &server.Fields(), serverClass, context, externals);
    TgmcMethod& afterConstruction =
        *AddRoutine(server.Methods(), "AfterConstruction", mcProcedure, mvPublic, {miOverride}, "inherited;");
    TgmcMethod& beforeDestruction =
        *AddRoutine(server.Methods(), "BeforeDestruction", mcProcedure, mvPublic, {miOverride}, "inherited;");
    if ((option == moServerInDll || option == moComServerInDll) && module.GetInterfaceSupport())
        AppendCodeLine(beforeDestruction, rtl::Application + ".Handle:=0;");

    if (module.HasOwnConnection()) {
        TgmcMethod& change = *AddRoutine(server.Methods(), "ChangeConnection", mcProcedure, mvProtected, {miVirtual},
                                         JoinLines({"FAliasName:=aAliasName;", "FUserName:=aUserName;",
                                                    "FPassword:=aPassword;"}));
        for (const char* parameter : {"aAliasName", "aUserName", "aPassword"})
            AddParameter(change.Parameters(), parameter, "string", pcConst);
        const std::string dm = module.DataModuleVariable();
        AppendCodeLine(afterConstruction,
                       JoinLines({"if " + dm + " = nil then " + dm + ":=" + module.DataModuleClassName() + ".Create(nil);",
                                  dm + ".OnChangeConnection:=ChangeConnection;"}));
        AppendCodeLine(beforeDestruction, DataModuleDestructionCode(module));
    }

    if (option == moComServerInDll && module.GetInterfaceSupport()) {
        TgmcMethod& setHandle = *AddRoutine(server.Methods(), "SetApplicationHandle", mcProcedure, mvProtected, {},
                                            rtl::Application + ".Handle:=aHandle;");
        setHandle.SetOptions({moSafeCall});
        AddParameter(setHandle.Parameters(), "aHandle", "Integer", pcNone);
    }

    TgmcMethods& routines = interface.Methods();
    if (option == moServerInDll) {
        const TGenerationTarget exported = TGenerationTarget::ExportedRoutine(developerClass);
        mainClass.Methods().AddMethods(routines, nullptr, exported, context, externals);
        mainClass.Properties().AddExportFunctions(routines, exported);
        mainClass.Events().AddExportFunctions(routines, exported);
        AddInitInstance(routines, module);
        AddFindInstance(routines, module);
    }

    mainClass.Properties().AddClassMembers(server, &afterConstruction, serverClass, context);
    mainClass.Events().AddClassMembers(server, &afterConstruction, serverClass, context);
    AddExternalMembers(server, beforeDestruction, module, resolver);

    // The first module's types that this unit copies stand before the module's own, which may
    // name them. A COM server finds the module's types in the interface unit, where the interface
    // it implements needs them: declared here again they would be other types.
    if (!com) {
        AddFirstModuleProceduralTypes(interface.ProceduralTypes(), module, resolver);
        module.ProceduralTypes().ConvertProceduralTypes(interface.ProceduralTypes());
        interface.SetEnumTypes(module.EnumTypes());
    }

    AddLibraryPathMembers(server, routines, module, resolver);

    if (com) unit.SetInitializationPart(mainClass.ComFactoryCreation());

    AddRegisteredTypeUnits(uses, module, resolver);
    AddCommonTypesUnit(uses, module, resolver);
    // The constructor sets every property's field to its default value.
    std::vector<std::string_view> initialised;
    for (const TemgProperties* members : {&mainClass.Properties(), &mainClass.Events()})
        for (int i = 0; i < members->Count(); ++i) initialised.push_back(members->Items(i)->GetDefaultValue());
    UseAddedUnitsForValues(unit, module, resolver.GetFirstModule(), initialised);
}

std::string BuildGeneratorServerUnit(const TemgModule& module, const IModuleResolver& resolver) {
    TgmcModule unit;
    BuildGeneratorServerModel(unit, module, resolver);
    return unit.SrcCode();
}

void BuildDeveloperServerModel(TgmcModule& unit, const TemgModule& module, const IModuleResolver& resolver) {
    const TModuleElementContext context(module, resolver);
    const TemgClass& mainClass = module.MainClass();

    unit.Appellation().SetName(module.DeveloperUnitName());
    TgmcModulePart& interface = unit.InterfacePart();
    TgmcClass& developer = *interface.Classes().Add();
    developer.ParentClass().SetName(module.GeneratorClassName());
    // First, so that every unit after it, the design's names among them, hides its names.
    AddUses(interface.UsesModules(), kDeveloperBodiesUnit);
    AddUses(interface.UsesModules(), module.GeneratorUnitName());
    // A COM server's types are declared in its interface unit.
    if (IsComOption(module.GetServerOption())) AddUses(interface.UsesModules(), module.InterfaceUnitName());

    developer.SetName(module.DeveloperClassName());
    developer.SetCaption(mainClass.GetCaption());
    mainClass.Methods().AddMethods(developer.Methods(), nullptr,
                                   TGenerationTarget::DeveloperClass(module.DeveloperClassName()), context,
                                   mainClass.ExternalClasses());
    mainClass.Properties().AddDeveloperOverrides(developer.Methods());
    mainClass.Events().AddDeveloperOverrides(developer.Methods());
    // The overridden methods of a COM server are safecall; an override that leaves the calling
    // convention to be inherited is one that Free Pascal fails on, so it is repeated.
    if (IsComOption(module.GetServerOption()))
        for (int i = 0; i < developer.Methods().Count(); ++i) developer.Methods().Items(i)->SetOptions({moSafeCall});
    AddRoutine(developer.Methods(), "BeforeDestruction", mcProcedure, mvPublic, {miOverride}, "inherited;");

    AddRegisteredTypeUnits(interface.UsesModules(), module, resolver);
    AddCommonTypesUnit(interface.UsesModules(), module, resolver);
    UseAddedUnitsForValues(unit, module, resolver.GetFirstModule());
}

std::string BuildDeveloperServerUnit(const TemgModule& module, const IModuleResolver& resolver) {
    TgmcModule unit;
    BuildDeveloperServerModel(unit, module, resolver);
    return unit.SrcCode();
}

}  // namespace quillon
