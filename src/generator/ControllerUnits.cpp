#include "generator/ControllerUnits.h"

#include "elements/RunTimeIdentifiers.h"
#include "elements/RoutineBodies.h"
#include "generator/BuilderSupport.h"
#include "generator/CommonTypesUnit.h"
#include "generator/ExternalClassMembers.h"
#include "generator/GeneratorMessages.h"
#include "generator/Module.h"
#include "generator/WrittenValues.h"
#include "source/SourceUnit.h"
#include "source/TextUtils.h"

namespace quillon {

namespace {

// The controller unit and class every variant starts with.
TgmcClass& StartController(TgmcModule& unit, const TemgModule& module) {
    unit.Appellation().SetName(module.ControllerUnitName());
    TgmcClass& controller = *unit.InterfacePart().Classes().Add();
    controller.ParentClass().SetName("TComponent");
    controller.SetName(module.ControllerClassName());
    controller.SetCaption(module.MainClass().GetCaption());
    return controller;
}

void AddStandardUses(TgmcUsesModules& uses) {
    AddUses(uses, "Windows");
    AddUses(uses, "Classes");
    AddUses(uses, "SysUtils");
}

TgmcMethod& AddCreate(TgmcClass& controller) {
    TgmcMethod& create = *AddRoutine(controller.Methods(), "Create", mcConstructor, mvPublic, {miOverride});
    AddParameter(create.Parameters(), "aOwner", "TComponent", pcNone);
    return create;
}

// The constructor that takes the directories of the libraries: this module's own (a library
// server) and those of the library servers its class reaches. Without any it does not exist.
void AddCreateFromPath(TgmcClass& controller, const TemgModule& module,
                       const std::vector<const TemgModule*>& servers) {
    const bool library = module.GetServerOption() == moServerInDll;
    if (!library && servers.empty()) return;
    TgmcMethod& create = *AddRoutine(controller.Methods(), "CreateFromPath", mcConstructor, mvPublic);
    AddParameter(create.Parameters(), "aOwner", "TComponent", pcNone);
    if (library) AddParameter(create.Parameters(), "aLibraryPath", "string", pcNone);
    AddLibraryPathParameters(create.Parameters(), servers, true);

    std::string code = library ? "FLibraryPath:=aLibraryPath;Create(aOwner);" : "Create(aOwner);";
    code += kCrLf;
    if (library && !servers.empty()) {
        // A library whose directory is not given is looked for beside this one.
        std::string defaults;
        for (const TemgModule* server : servers) {
            const std::string name = LibraryPathParameter(*server);
            AppendSeparated(defaults, "if " + name + " = '' then " + name + ":=aLibraryPath;", kCrLf);
        }
        code += std::string(kCrLf) + defaults;
    }
    if (!servers.empty()) code += std::string(kCrLf) + "SetDLLsPaths" + LibraryPathArguments(servers) + ";";
    create.MethodImplementation().SetCode(code);
}

// SetDLLsPaths of the direct and COM controllers: hands the paths on to the server.
void AddForwardingSetDLLsPaths(TgmcClass& controller, const std::vector<const TemgModule*>& servers) {
    if (servers.empty()) return;
    TgmcMethod& setPaths = *AddRoutine(controller.Methods(), "SetDLLsPaths", mcProcedure, mvPublic, {},
                                       "FServer.SetDLLsPaths" + LibraryPathArguments(servers) + ";");
    AddLibraryPathParameters(setPaths.Parameters(), servers, false);
}

void AddTypeUnits(TgmcUsesModules& uses, const TemgModule& module, const IModuleResolver& resolver) {
    AddRegisteredTypeUnits(uses, module, resolver);
    AddCommonTypesUnit(uses, module, resolver);
}

TgmcProceduralType& AddProceduralType(TgmcProceduralTypes& target, std::string_view name) {
    TgmcProceduralType& type = *target.Add();
    type.SetName(name);
    type.SetMethodCategory(mcProcedure);
    type.SetOptions({moStdCall});
    return type;
}

}  // namespace

std::string LibraryPathBlock(std::string_view path, std::string_view fileVariable, std::string_view libraryConstant,
                             bool withCheck) {
    const std::string p(path);
    const std::string v(fileVariable);
    const std::string c(libraryConstant);
    std::string block = JoinLines({"if " + p + " <> '' ", "then ", "begin",
                                   "   " + v + ":=" + rtl::ExcludeTrailingBackslash + "(" + p + ")+'\\'+" + c + ";"});
    if (withCheck)
        AppendSeparated(block,
                        "   if not " + rtl::FileExists + "(" + v + ") then raise " + rtl::Exception + ".CreateFmt('" +
                            std::string(kLibraryNotFound) + "',[" + v + "]);",
                        kCrLf);
    AppendSeparated(block, JoinLines({"end", "else", "begin", "   " + v + ":=" + c + ";", "end;"}), kCrLf);
    return block;
}

std::string BuildControllerUnit(const TemgModule& module, const IModuleResolver& resolver) {
    switch (module.GetServerOption()) {
        case moServerInDll: return BuildLibraryController(module, resolver);
        case moDirectUsesServer: return BuildDirectController(module, resolver);
        case moComServerInDll:
        case moComServer: return BuildComController(module, resolver);
    }
    return {};
}

std::string BuildLibraryController(const TemgModule& module, const IModuleResolver& resolver) {
    const TModuleElementContext context(module, resolver);
    const TemgClass& mainClass = module.MainClass();
    const TGenerationTarget target = TGenerationTarget::Controller(moServerInDll);
    const std::vector<const TemgModule*> servers = ReferencedLibraryServers(module, resolver);
    const std::string libraryConstant = module.LibraryFileNameConstant();

    TgmcModule unit;
    TgmcClass& controller = StartController(unit, module);
    TgmcModulePart& interface = unit.InterfacePart();
    AddStandardUses(interface.UsesModules());
    if (module.GetInterfaceSupport()) AddUses(interface.UsesModules(), "Forms");

    AddField(controller.Fields(), "FLibraryPath", "string", mvPrivate);
    TgmcProperty& libraryPath = *controller.Properties().Add();
    libraryPath.SetName("LibraryPath");
    libraryPath.DataType().SetName("string");
    libraryPath.SetVisibility(mvProtected);
    libraryPath.SetReadMethodName("FLibraryPath");
    libraryPath.SetWriteMethodName("FLibraryPath");
    AddCreateFromPath(controller, module, servers);

    // SetDLLsPaths calls the library's routine of that name, as every forwarding method does.
    TgmcMethod* setPaths = nullptr;
    if (!servers.empty()) {
        setPaths = AddRoutine(controller.Methods(), "SetDLLsPaths", mcProcedure, mvPublic);
        AddLibraryPathParameters(setPaths->Parameters(), servers, false);
        setPaths->MethodImplementation().SetCode(AddLibraryCall(*setPaths));
    }

    mainClass.Methods().AddMethods(controller.Methods(), nullptr, target, context, mainClass.ExternalClasses());
    TgmcMethod& create = AddCreate(controller);
    TgmcMethod& destroy = *AddRoutine(controller.Methods(), "Destroy", mcDestructor, mvPublic, {miOverride});
    AddField(controller.Fields(), "FInstanceID", "Integer", mvPrivate);
    AddField(controller.Fields(), "FLibrary", "HModule", mvPrivate);

    TgmcConst& libraryName = *unit.ImplementationPart().Consts().Add();
    libraryName.SetName(libraryConstant);
    libraryName.SetValue(module.LibraryFileNameLiteral());

    AddLocalVar(destroy, "lFreeInstance", "TFreeInstance");
    destroy.MethodImplementation().SetCode(JoinLines({
        "if FLibrary<>0",
        "then",
        "begin",
        "   lFreeInstance:=" + rtl::GetProcAddress + "(FLibrary,'FreeInstance');",
        "   Win32Check(@lFreeInstance <> nil);",
        "   lFreeInstance(FInstanceID);",
        "   " + rtl::FreeLibrary + "(FLibrary);",
        "end;",
        "inherited;",
    }));

    AddLocalVar(create, "lInitInstance", "TInitInstance");
    AddLocalVar(create, "sFileName", "string");
    std::string initArguments = "FInstanceID";
    if (module.GetInterfaceSupport()) AppendSeparated(initArguments, rtl::Application + ".Handle", ",");
    create.MethodImplementation().SetCode(JoinLines({
        "inherited;",
        LibraryPathBlock("LibraryPath", "sFileName", libraryConstant, true),
        "FLibrary:=" + rtl::LoadLibrary + "(" + rtl::PChar + "(sFileName));",
        "Win32Check(FLibrary <> 0);",
        "@lInitInstance:=" + rtl::GetProcAddress + "(FLibrary,'InitInstance');",
        "Win32Check(@lInitInstance<>nil);",
        "lInitInstance(" + initArguments + ");",
    }));

    mainClass.Properties().AddClassMembers(controller, nullptr, target, context);
    mainClass.Events().AddClassMembers(controller, nullptr, target, context);

    // Each routine type stands after the types its parameters name.
    TgmcProceduralTypes& types = interface.ProceduralTypes();
    TgmcProceduralType& initInstance = AddProceduralType(types, "TInitInstance");
    AddParameter(initInstance.Parameters(), "VInstanceID", "Integer", pcVar);
    if (module.GetInterfaceSupport())
        AddParameter(initInstance.Parameters(), "aApplicationHandle", "THandle", pcConst);
    AddFirstModuleProceduralTypes(types, module, resolver);
    module.ProceduralTypes().ConvertProceduralTypes(types);
    mainClass.Properties().AddFunctionPointerTypes(types);
    mainClass.Events().AddFunctionPointerTypes(types);
    mainClass.Methods().AddFunctionPointerTypes(types);
    if (setPaths) {
        TgmcProceduralType& setPathsType = AddProceduralType(types, "TSetDLLsPathsMethod");
        AddInstanceParameters(setPathsType.Parameters());
        AddLibraryPathParameters(setPathsType.Parameters(), servers, false);
    }
    mainClass.Properties().AddFunctionPointerFields(controller.Fields());
    mainClass.Events().AddFunctionPointerFields(controller.Fields());
    mainClass.Methods().AddFunctionPointerFields(controller.Fields());
    if (setPaths) AddField(controller.Fields(), "FSetDLLsPathsMethod", "TSetDLLsPathsMethod", mvPrivate);
    interface.SetEnumTypes(module.EnumTypes());
    AddParameter(AddProceduralType(types, "TFreeInstance").Parameters(), "VInstanceID", "Integer", pcConst);

    TgmcMethod& dllExistsIn = *AddRoutine(
        controller.Methods(), "DllExists", mcFunction, mvPublic, {miOverload},
        LibraryPathBlock("aPath", "sFileName", libraryConstant, false) + std::string(kCrLf) +
            "Result:=" + rtl::FileExists + "(sFileName);");
    dllExistsIn.SetClassMethod(true);
    dllExistsIn.DataType().SetName("Boolean");
    AddParameter(dllExistsIn.Parameters(), "aPath", "string", pcConst);
    AddLocalVar(dllExistsIn, "sFileName", "string");
    AddRoutine(controller.Methods(), "DllExists", mcFunction, mvPublic, {miOverload}, "Result:=DllExists(LibraryPath);")
        ->DataType()
        .SetName("Boolean");
    TgmcMethod& dllName =
        *AddRoutine(controller.Methods(), "DllName", mcFunction, mvPublic, {}, "Result:=" + libraryConstant + ";");
    dllName.SetClassMethod(true);
    dllName.DataType().SetName("string");

    AddTypeUnits(interface.UsesModules(), module, resolver);
    UseAddedUnitsForValues(unit, module, resolver.GetFirstModule());
    return unit.SrcCode();
}

std::string BuildDirectController(const TemgModule& module, const IModuleResolver& resolver) {
    const TModuleElementContext context(module, resolver);
    const TemgClass& mainClass = module.MainClass();
    const TGenerationTarget target = TGenerationTarget::Controller(moDirectUsesServer);
    const std::vector<const TemgModule*> servers = ReferencedLibraryServers(module, resolver);

    TgmcModule unit;
    TgmcClass& controller = StartController(unit, module);
    TgmcModulePart& interface = unit.InterfacePart();
    AddStandardUses(interface.UsesModules());
    AddUses(interface.UsesModules(), module.GeneratorUnitName());
    AddUses(interface.UsesModules(), module.DeveloperUnitName());
    if (module.GetInterfaceSupport()) AddUses(interface.UsesModules(), "Forms");

    AddForwardingSetDLLsPaths(controller, servers);
    AddCreateFromPath(controller, module, servers);
    TgmcMethod& create = AddCreate(controller);
    AddField(controller.Fields(), "FServer", module.DeveloperClassName(), mvPrivate);
    mainClass.Methods().AddMethods(controller.Methods(), nullptr, target, context, mainClass.ExternalClasses());
    create.MethodImplementation().SetCode(
        JoinLines({"inherited;", "FServer:=" + module.DeveloperClassName() + ".Create(Self);"}));
    mainClass.Properties().AddClassMembers(controller, nullptr, target, context);
    mainClass.Events().AddClassMembers(controller, nullptr, target, context);
    // The module's own types come from the generator's unit: a second declaration here would be
    // a different type to the compiler, which the server's members do not accept.

    AddTypeUnits(interface.UsesModules(), module, resolver);
    UseAddedUnitsForValues(unit, module, resolver.GetFirstModule());
    return unit.SrcCode();
}

std::string BuildComController(const TemgModule& module, const IModuleResolver& resolver) {
    const TModuleElementContext context(module, resolver);
    const TemgClass& mainClass = module.MainClass();
    const TGenerationTarget target = TGenerationTarget::Controller(module.GetServerOption());
    const std::vector<const TemgModule*> servers = ReferencedLibraryServers(module, resolver);

    TgmcModule unit;
    TgmcClass& controller = StartController(unit, module);
    TgmcModulePart& interface = unit.InterfacePart();
    AddStandardUses(interface.UsesModules());
    AddUses(interface.UsesModules(), "ComObj");
    if (module.GetInterfaceSupport()) AddUses(interface.UsesModules(), "Forms");
    AddUses(interface.UsesModules(), module.InterfaceUnitName());

    TgmcMethod& create = AddCreate(controller);
    AddField(controller.Fields(), "FServer", module.InterfaceTypeName(), mvPrivate);
    mainClass.Methods().AddMethods(controller.Methods(), nullptr, target, context, mainClass.ExternalClasses());
    AddForwardingSetDLLsPaths(controller, servers);
    AddCreateFromPath(controller, module, servers);

    std::string code = JoinLines({"inherited;", "FServer:=" + rtl::CreateComObject + "(" + module.ClassIdentifierName() + ") as " +
                                                    module.InterfaceTypeName() + ";"}) +
                       std::string(kCrLf);
    if (module.GetServerOption() == moComServerInDll && module.GetInterfaceSupport())
        code += "FServer.SetApplicationHandle(" + rtl::Application + ".Handle);" + std::string(kCrLf);
    create.MethodImplementation().SetCode(code);

    mainClass.Properties().AddClassMembers(controller, nullptr, target, context);
    mainClass.Events().AddClassMembers(controller, nullptr, target, context);
    // The module's own types come from the interface unit: a second declaration here would be a
    // different type to the compiler, which the interface's members do not accept.

    AddTypeUnits(interface.UsesModules(), module, resolver);
    UseAddedUnitsForValues(unit, module, resolver.GetFirstModule());
    return unit.SrcCode();
}

}  // namespace quillon
