#include "generator/DatabaseSupportController.h"

#include "generator/BuilderSupport.h"
#include "generator/CommonTypesUnit.h"
#include "generator/Module.h"
#include "source/SourceUnit.h"
#include "source/TextUtils.h"

namespace quillon {

namespace {

// A public string property with its private field and setter: DatabaseName, SessionName.
void AddStringProperty(TgmcClass& cls, std::string_view name) {
    const std::string field = std::string("F").append(name);
    const std::string setter = std::string("Set").append(name);
    AddField(cls.Fields(), field, "string", mvPrivate);
    TgmcProperty& property = *cls.Properties().Add();
    property.SetName(name);
    property.DataType().SetName("string");
    property.SetReadMethodName(field);
    property.SetWriteMethodName(setter);
    property.SetVisibility(mvPublic);
    TgmcMethod& method = *AddRoutine(cls.Methods(), setter, mcProcedure, mvPrivate, {}, field + ":=Value;");
    AddParameter(method.Parameters(), "Value", "string", pcConst);
}

}  // namespace

std::string BuildDatabaseSupportController(const TemgModule& module, const IModuleResolver& resolver) {
    TgmcModule unit;
    unit.Appellation().SetName(module.DatabaseSupportControllerUnitName());
    TgmcModulePart& interface = unit.InterfacePart();
    AddUses(interface.UsesModules(), module.ControllerUnitName());
    TgmcClass& controller = *interface.Classes().Add();
    controller.SetName(module.DatabaseSupportControllerClassName());
    controller.ParentClass().SetName(module.ControllerClassName());
    TgmcMethod& afterConstruction =
        *AddRoutine(controller.Methods(), "AfterConstruction", mcProcedure, mvPublic, {miOverride});

    std::string assignments;
    if (module.HasDatasetFactories()) {
        AddUses(interface.UsesModules(), "Classes");
        AddUses(interface.UsesModules(), "DBTables");
        AddStringProperty(controller, "DatabaseName");
        AddStringProperty(controller, "SessionName");
        for (const TDatasetFactory& factory : kDatasetFactories) {
            if (!module.GetDatabaseSupport().Contains(factory.component)) continue;
            const std::string datasetClass(factory.datasetClass);
            TgmcMethod& method = *AddRoutine(controller.Methods(), factory.factoryMethod, mcFunction, mvProtected,
                                             {miVirtual},
                                             JoinLines({"Result:=" + datasetClass + ".Create(Self);",
                                                        "Result.DatabaseName:=DatabaseName;",
                                                        "if SessionName <> '' then Result.SessionName:=SessionName;"}));
            method.DataType().SetName(datasetClass);
            AppendSeparated(assignments,
                            std::string(factory.routineVariable) + ":=" + std::string(factory.factoryMethod) + ";",
                            kCrLf);
        }
    }
    std::string code = "inherited;" + std::string(kCrLf);
    if (!assignments.empty()) code += assignments + std::string(kCrLf);
    code += "AfterInitInstance;";
    afterConstruction.MethodImplementation().SetCode(code);

    AddCommonTypesUnit(interface.UsesModules(), module, resolver);
    return unit.SrcCode();
}

}  // namespace quillon
