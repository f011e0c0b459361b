#include "generator/DatabaseSupport.h"

#include "generator/FormFiles.h"
#include "generator/Module.h"
#include "generator/ModuleResolver.h"
#include "generator/UnitBuilder.h"
#include "source/SourceUnit.h"
#include "source/TextUtils.h"

namespace quillon {

namespace {

void Uses(TgmcUsesModules& uses, std::string_view name) { uses.Add()->SetName(name); }

TgmcMethod& AddRoutine(TgmcMethods& methods, std::string_view name, TMethodCategory category,
                       TMemberVisibility visibility, TMethodInheritance inheritance, std::string_view code) {
    TgmcMethod& method = *methods.Add();
    method.SetName(name);
    method.SetCategory(category);
    method.SetVisibility(visibility);
    method.SetInheritance(inheritance);
    method.MethodImplementation().SetCode(code);
    return method;
}

void AddParameter(TgmcParameters& parameters, std::string_view name, std::string_view type,
                  TParameterCategory category = pcNone) {
    TgmcParameter& parameter = *parameters.Add();
    parameter.SetName(name);
    parameter.DataType().SetName(type);
    parameter.SetCategory(category);
}

void AddConnectionParameters(TgmcParameters& parameters, TParameterCategory category) {
    for (const char* name : {"aAliasName", "aUserName", "aPassword"}) AddParameter(parameters, name, "string", category);
}

void AddField(TgmcFields& fields, std::string_view name, std::string_view type, TMemberVisibility visibility) {
    TgmcField& field = *fields.Add();
    field.SetName(name);
    field.DataType().SetName(type);
    field.SetVisibility(visibility);
}

// A public string property with its private field and setter: DatabaseName, SessionName.
void AddStringProperty(TgmcClass& cls, std::string_view name) {
    const std::string field = "F" + std::string(name);
    const std::string setter = "Set" + std::string(name);
    AddField(cls.Fields(), field, "string", mvPrivate);
    TgmcProperty& property = *cls.Properties().Add();
    property.SetName(name);
    property.DataType().SetName("string");
    property.SetReadMethodName(field);
    property.SetWriteMethodName(setter);
    property.SetVisibility(mvPublic);
    TgmcMethod& method = AddRoutine(cls.Methods(), setter, mcProcedure, mvPrivate, {}, field + ":=Value;");
    AddParameter(method.Parameters(), "Value", "string", pcConst);
}

std::string JoinLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) AppendSeparated(text, line, kCrLf);
    return text;
}

}  // namespace

std::string OwnConnectionSessionName(const TemgModule& module) { return "Session4" + module.GetDatabaseName(); }

void AddCommonTypesUnit(const TemgModule& module, const IModuleResolver& resolver, TgmcUsesModules& uses) {
    const TemgModule* first = resolver.GetFirstModule();
    if (first && first != &module && UsesCommonTypesUnit(module, resolver)) Uses(uses, first->GeneratorUnitName());
}

// Database support controller

void BuildDatabaseSupportController(const TemgModule& module, const IModuleResolver& resolver, TgmcModule& unit) {
    unit.Appellation().SetName(module.DatabaseSupportControllerUnitName());
    TgmcUsesModules& uses = unit.InterfacePart().UsesModules();
    Uses(uses, module.ControllerUnitName());

    TgmcClass& cls = *unit.InterfacePart().Classes().Add();
    cls.SetName(module.DatabaseSupportControllerClassName());
    cls.ParentClass().SetName(module.ControllerClassName());
    TgmcMethod& afterConstruction =
        AddRoutine(cls.Methods(), "AfterConstruction", mcProcedure, mvPublic, {miOverride}, {});

    std::string assignments;
    if (module.HasDatasetFactories()) {
        Uses(uses, "Classes");
        Uses(uses, "DBTables");
        AddStringProperty(cls, "DatabaseName");
        AddStringProperty(cls, "SessionName");
        for (const TDatasetFactory& factory : kDatasetFactories) {
            if (!module.GetDatabaseSupport().Contains(factory.component)) continue;
            TgmcMethod& method = AddRoutine(
                cls.Methods(), factory.factoryMethod, mcFunction, mvProtected, {miVirtual},
                JoinLines({"Result:=" + std::string(factory.datasetClass) + ".Create(Self);",
                           "Result.DatabaseName:=DatabaseName;",
                           "if SessionName <> '' then Result.SessionName:=SessionName;"}));
            method.DataType().SetName(factory.datasetClass);
            AppendSeparated(assignments,
                            std::string(factory.routineVariable) + ":=" + std::string(factory.factoryMethod) + ";",
                            kCrLf);
        }
    }
    std::string code = "inherited;" + std::string(kCrLf);
    if (!assignments.empty()) code += assignments + std::string(kCrLf);
    code += "AfterInitInstance;";
    afterConstruction.MethodImplementation().SetCode(code);

    AddCommonTypesUnit(module, resolver, uses);
}

std::string DatabaseSupportControllerText(const TemgModule& module, const IModuleResolver& resolver) {
    TgmcModule unit;
    BuildDatabaseSupportController(module, resolver, unit);
    return unit.SrcCode();
}

// Data module

void BuildDataModuleUnit(const TemgModule& module, const IModuleResolver& resolver, TgmcModule& unit) {
    unit.Appellation().SetName(module.DataModuleUnitName());
    TgmcModulePart& part = unit.InterfacePart();
    for (const char* name : {"Classes", "DBTables", "DB", "Forms"}) Uses(part.UsesModules(), name);
    unit.SetIncludeResources("{$R *.DFM}");

    TgmcVar& variable = *part.Vars().Add();
    variable.SetName(module.DataModuleVariable());
    variable.DataType().SetName(module.DataModuleClassName());

    TgmcClass& cls = *part.Classes().Add();
    cls.SetName(module.DataModuleClassName());
    cls.ParentClass().SetName("TDataModule");
    AddField(cls.Fields(), "Database1", "TDatabase", mvNone);
    AddField(cls.Fields(), "Session1", "TSession", mvNone);

    TgmcMethod& setParams = AddRoutine(
        cls.Methods(), "SetDatabaseParams", mcProcedure, mvPublic, {miVirtual},
        JoinLines({"Database1.Close;", "Database1.AliasName:=aAliasName;",
                   "Database1.Params.Values['user name']:=aUserName;",
                   "Database1.Params.Values['password']:=aPassword;"}));
    AddConnectionParameters(setParams.Parameters(), pcNone);

    TgmcMethod& afterConnection = AddRoutine(
        cls.Methods(), "AfterDatabaseConnection", mcProcedure, mvPrivate, {},
        JoinLines({"if Assigned(OnChangeConnection) then", "begin",
                   "   OnChangeConnection(Database1.AliasName,Database1.Params.Values['user name'],"
                   "Database1.Params.Values['password']);",
                   "end;"}));
    AddParameter(afterConnection.Parameters(), "Sender", "TObject");

    AddRoutine(cls.Methods(), "AfterConstruction", mcProcedure, mvPublic, {miOverride},
               JoinLines({"inherited;", "Database1.AfterConnect:=AfterDatabaseConnection;"}));

    TgmcProperty& onChange = *cls.Properties().Add();
    onChange.SetName("OnChangeConnection");
    onChange.DataType().SetName("TOnChangeConnection");
    onChange.SetReadMethodName("FOnChangeConnection");
    onChange.SetWriteMethodName("FOnChangeConnection");
    onChange.SetVisibility(mvPublic);
    AddField(cls.Fields(), "FOnChangeConnection", "TOnChangeConnection", mvPrivate);

    TgmcProceduralType& type = *part.ProceduralTypes().Add();
    type.SetName("TOnChangeConnection");
    type.SetMethodCategory(mcProcedure);
    type.SetOptions({moOfObject});
    AddConnectionParameters(type.Parameters(), pcConst);

    AddCommonTypesUnit(module, resolver, part.UsesModules());
}

std::string DataModuleUnitText(const TemgModule& module, const IModuleResolver& resolver) {
    if (!module.HasOwnConnection()) return {};
    TgmcModule unit;
    BuildDataModuleUnit(module, resolver, unit);
    return unit.SrcCode();
}

// Written as a descendant of an empty data module: only the two components and their values.
std::string DataModuleFormText(const TemgModule& module) {
    if (!module.HasOwnConnection()) return {};
    const TemgDatabaseConnection& connection = module.Connection();
    const std::string session = OwnConnectionSessionName(module);
    TFormObject form(module.DataModuleFormName(), module.DataModuleClassName());
    form.Add("Database1", "TDatabase")
        .String("AliasName", connection.GetAliasName())
        .String("DatabaseName", module.GetDatabaseName())
        .Boolean("LoginPrompt", connection.GetLoginPrompt())
        .Strings("Params", {"User Name=" + connection.GetUserName(), "Password=" + connection.GetPassword()})
        .String("SessionName", session)
        .Integer("Left", 50)
        .Integer("Top", 10);
    form.Add("Session1", "TSession")
        .Boolean("AutoSessionName", false)
        .String("SessionName", session)
        .Integer("Left", 150)
        .Integer("Top", 10);
    return form.Text();
}

// Server unit lines

void AddDataModuleUses(const TemgModule& module, TgmcUsesModules& uses) {
    if (module.HasOwnConnection()) Uses(uses, module.DataModuleUnitName());
}

void AddChangeConnectionMethod(const TemgModule& module, TgmcMethods& methods) {
    if (!module.HasOwnConnection()) return;
    TgmcMethod& method =
        AddRoutine(methods, "ChangeConnection", mcProcedure, mvProtected, {miVirtual},
                   JoinLines({"FAliasName:=aAliasName;", "FUserName:=aUserName;", "FPassword:=aPassword;"}));
    AddConnectionParameters(method.Parameters(), pcConst);
}

std::string DataModuleCreationCode(const TemgModule& module) {
    if (!module.HasOwnConnection()) return {};
    const std::string variable = module.DataModuleVariable();
    return "if " + variable + " = nil then " + variable + ":=" + module.DataModuleClassName() + ".Create(nil);" +
           std::string(kCrLf) + variable + ".OnChangeConnection:=ChangeConnection;";
}

std::string DataModuleDestructionCode(const TemgModule& module) {
    if (!module.HasOwnConnection()) return {};
    const std::string variable = module.DataModuleVariable();
    return variable + ".Free;" + std::string(kCrLf) + variable + ":=nil;";
}

}  // namespace quillon
