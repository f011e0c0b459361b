#include "generator/DatabaseSupportController.h"

#include "generator/BuilderSupport.h"
#include "generator/CommonTypesUnit.h"
#include "generator/Module.h"
#include "source/SourceUnit.h"

namespace quillon {

std::string BuildDatabaseSupportController(const TemgModule& module, const IModuleResolver& resolver) {
    TgmcModule unit;
    unit.Appellation().SetName(module.DatabaseSupportControllerUnitName());
    TgmcModulePart& interface = unit.InterfacePart();
    AddUses(interface.UsesModules(), module.ControllerUnitName());
    TgmcClass& controller = *interface.Classes().Add();
    controller.SetName(module.DatabaseSupportControllerClassName());
    controller.ParentClass().SetName(module.ControllerClassName());
    AddRoutine(controller.Methods(), "AfterConstruction", mcProcedure, mvPublic, {miOverride},
               JoinLines({"inherited;", "AfterInitInstance;"}));
    AddCommonTypesUnit(interface.UsesModules(), module, resolver);
    return unit.SrcCode();
}

}  // namespace quillon
