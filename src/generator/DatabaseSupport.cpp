#include "generator/DatabaseSupport.h"

#include "elements/RunTimeIdentifiers.h"
#include "generator/BuilderSupport.h"
#include "generator/CommonTypesUnit.h"
#include "generator/FormFiles.h"
#include "generator/Module.h"
#include "source/SourceUnit.h"

namespace quillon {

std::string OwnConnectionSessionName(const TemgModule& module) { return "Session4" + module.GetDatabaseName(); }

namespace {

void AddConnectionParameters(TgmcParameters& parameters, TParameterCategory category) {
    for (const char* name : {"aAliasName", "aUserName", "aPassword"}) AddParameter(parameters, name, "string", category);
}

}  // namespace

// Data module

std::string BuildDataModuleUnit(const TemgModule& module, const IModuleResolver& resolver) {
    if (!module.HasOwnConnection()) return {};
    TgmcModule unit;
    unit.Appellation().SetName(module.DataModuleUnitName());
    TgmcModulePart& part = unit.InterfacePart();
    for (const char* name : {"Classes", "DBTables", "DB", "Forms"}) AddUses(part.UsesModules(), name);
    unit.SetIncludeResources("{$R *.DFM}");

    TgmcVar& variable = *part.Vars().Add();
    variable.SetName(module.DataModuleVariable());
    variable.DataType().SetName(module.DataModuleClassName());

    TgmcClass& cls = *part.Classes().Add();
    cls.SetName(module.DataModuleClassName());
    cls.ParentClass().SetName("TDataModule");
    AddField(cls.Fields(), "Database1", "TDatabase", mvNone);
    AddField(cls.Fields(), "Session1", "TSession", mvNone);

    TgmcMethod& setParams = *AddRoutine(
        cls.Methods(), "SetDatabaseParams", mcProcedure, mvPublic, {miVirtual},
        JoinLines({"Database1.Close;", "Database1.AliasName:=aAliasName;",
                   "Database1.Params.Values['user name']:=aUserName;",
                   "Database1.Params.Values['password']:=aPassword;"}));
    AddConnectionParameters(setParams.Parameters(), pcNone);

    TgmcMethod& afterConnection = *AddRoutine(
        cls.Methods(), "AfterDatabaseConnection", mcProcedure, mvPrivate, {},
        JoinLines({"if " + rtl::Assigned + "(OnChangeConnection) then", "begin",
                   "   OnChangeConnection(Database1.AliasName,Database1.Params.Values['user name'],"
                   "Database1.Params.Values['password']);",
                   "end;"}));
    AddParameter(afterConnection.Parameters(), "Sender", "TObject", pcNone);

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

    AddCommonTypesUnit(part.UsesModules(), module, resolver);
    return unit.SrcCode();
}

// Written as a descendant of an empty data module: only the two components and their values.
std::string BuildDataModuleForm(const TemgModule& module) {
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

// Server unit line

std::string DataModuleDestructionCode(const TemgModule& module) {
    if (!module.HasOwnConnection()) return {};
    const std::string variable = module.DataModuleVariable();
    return JoinLines({variable + ".Free;", variable + ":=nil;"});
}

}  // namespace quillon
