#include "generator/InterfaceUnit.h"

#include "generator/BuilderSupport.h"
#include "generator/CommonTypesUnit.h"
#include "generator/ExternalClassMembers.h"
#include "generator/Module.h"
#include "generator/WrittenValues.h"
#include "source/SourceUnit.h"

namespace quillon {

std::string BuildInterfaceUnit(const TemgModule& module, const IModuleResolver& resolver) {
    if (!IsComOption(module.GetServerOption())) return {};
    const TModuleElementContext context(module, resolver);
    const TemgClass& mainClass = module.MainClass();
    const std::string guid = "'" + mainClass.GetGUID() + "'";

    TgmcModule unit;
    unit.Appellation().SetName(module.InterfaceUnitName());
    TgmcModulePart& interface = unit.InterfacePart();

    TgmcConst& classId = *interface.Consts().Add();
    classId.SetName(module.ClassIdentifierName());
    classId.DataType().SetName("TGUID");
    classId.SetValue(guid);

    // The class and its interface share one identifier.
    TgmcClass& type = *interface.Classes().Add();
    type.SetName(module.InterfaceTypeName());
    type.SetOption(cgoInterface);
    type.SetInterfaceGUIDIdentifier(guid);
    type.ParentClass().SetName("IUnknown");
    type.SetCaption(mainClass.GetCaption());

    const TGenerationTarget target = TGenerationTarget::Interface(module.InterfaceTypeName());
    mainClass.Methods().AddMethods(type.Methods(), nullptr, target, context, mainClass.ExternalClasses());
    mainClass.Properties().AddClassMembers(type, nullptr, target, context);
    mainClass.Events().AddClassMembers(type, nullptr, target, context);

    if (module.GetServerOption() == moComServerInDll && module.GetInterfaceSupport()) {
        TgmcMethod& setHandle = *AddRoutine(type.Methods(), "SetApplicationHandle", mcProcedure, mvNone);
        setHandle.SetOptions({moSafeCall});
        AddParameter(setHandle.Parameters(), "aHandle", "Integer", pcNone);
    }
    const std::vector<const TemgModule*> servers = ReferencedLibraryServers(module, resolver);
    if (!servers.empty()) {
        TgmcMethod& setPaths = *AddRoutine(type.Methods(), "SetDLLsPaths", mcProcedure, mvNone);
        setPaths.SetOptions({moSafeCall});
        AddLibraryPathParameters(setPaths.Parameters(), servers, false);
    }

    // The interface names the module's own types too; the server and controller units find them
    // here.
    AddFirstModuleProceduralTypes(interface.ProceduralTypes(), module, resolver);
    module.ProceduralTypes().ConvertProceduralTypes(interface.ProceduralTypes());
    interface.SetEnumTypes(module.EnumTypes());
    AddRegisteredTypeUnits(interface.UsesModules(), module, resolver);
    AddCommonTypesUnit(interface.UsesModules(), module, resolver);
    UseAddedUnitsForValues(unit, module, resolver.GetFirstModule());
    return unit.SrcCode();
}

}  // namespace quillon
