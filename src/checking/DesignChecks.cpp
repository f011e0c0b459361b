#include "checking/DesignChecks.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>

#include "checking/CheckMessages.h"
#include "checking/GeneratedNameChecks.h"
#include "checking/ValueChecks.h"
#include "elements/ElementRules.h"
#include "generator/Module.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace quillon {

namespace {

bool IsServedByCom(TServerOption option) { return option == moComServerInDll || option == moComServer; }

// A unit name as a uses clause takes it: identifiers joined by dots, not a file name with the
// extension of a unit's source or compiled file.
bool IsUnitName(std::string_view name) {
    if (name.empty()) return false;
    if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos)
        for (std::string_view extension : {"pas", "pp", "dcu", "ppu"})
            if (SameText(name.substr(dot + 1), extension)) return false;
    for (std::size_t start = 0;;) {
        const std::size_t dot = name.find('.', start);
        if (!IsValidIdent(name.substr(start, dot == std::string_view::npos ? dot : dot - start))) return false;
        if (dot == std::string_view::npos) return true;
        start = dot + 1;
    }
}

// The units the generator writes for `module` (its kinds that are units).
std::vector<std::string> GeneratedUnits(const TemgModule& module) {
    return {module.GeneratorUnitName(), module.DeveloperUnitName(), module.InterfaceUnitName(),
            module.ControllerUnitName(), module.DatabaseSupportControllerUnitName(), module.DataModuleUnitName()};
}

// Calls `visit` for every element of the module that names a type: properties, events, methods
// (their results and parameters) and the procedural types' results and parameters.
void ForEachTypedElement(const TemgModule& module, const std::function<void(const TemgDataTypeItem&)>& visit) {
    const TemgClass& cls = module.MainClass();
    for (const TemgProperties* members : {&cls.Properties(), &cls.Events()})
        for (int i = 0; i < members->Count(); ++i) visit(*members->Items(i));
    const auto parameters = [&](const TemgParameters& list) {
        for (int i = 0; i < list.Count(); ++i) visit(*list.Items(i));
    };
    for (int i = 0; i < cls.Methods().Count(); ++i) {
        const TemgMethod& method = *cls.Methods().Items(i);
        if (method.GetCategory() == mcFunction) visit(method);
        parameters(method.Parameters());
    }
    for (int i = 0; i < module.ProceduralTypes().Count(); ++i) {
        const TemgProceduralType& type = *module.ProceduralTypes().Items(i);
        if (type.GetMethodCategory() == mcFunction) visit(type);
        parameters(type.Parameters());
    }
}

// A type reference that neither the module nor the first module resolves: "not declared", or
// declared by another class module whose units the module's do not use.
void CheckTypeReferences(const TemgModule& module, const IModuleResolver& modules,
                         const std::vector<const TemgModule*>& all, TCheckCollection& results) {
    const TemgModule* first = modules.GetFirstModule();
    const auto declares = [&](const TemgModule& owner, const TemgDataType& type) {
        const std::string& name = type.GetName();
        switch (type.GetCategory()) {
            case dtEnum: return FindEnumType(&owner, name) != nullptr;
            case dtProcedural: return owner.ProceduralTypeNamed(name) != nullptr;
            case dtRegistered:
            case dtRegisteredProcedural: return owner.RegisteredTypeNamed(name) != nullptr;
        }
        return false;
    };
    ForEachTypedElement(module, [&](const TemgDataTypeItem& element) {
        const TemgDataType& type = element.DataType();
        if (type.GetName().empty() || declares(module, type) || (first && declares(*first, type))) return;
        for (const TemgModule* other : all)
            if (type.GetCategory() == dtEnum && other != &module && FindEnumType(other, type.GetName())) {
                results.Add(Format(kCheckTypeInOtherModule, type.GetName(), other->MainClassName()), &element, cicError);
                return;
            }
        results.Add(Format(kCheckTypeNotDeclared, type.GetName()), &element, cicError);
    });
}

// The unit of each registered type the module uses: a unit name, and none the module generates
// (its own would use itself: an error; another module's is reported as a warning).
void CheckTypeUnits(const TemgModule& module, const IModuleResolver& modules, const std::vector<const TemgModule*>& all,
                    TCheckCollection& results) {
    const TemgModule* first = modules.GetFirstModule();
    const std::vector<std::string> own = GeneratedUnits(module);
    const auto check = [&](const TemgRegisteredDataType& type, bool fromFirst) {
        const std::string& unit = type.GetModuleName();
        if (unit.empty()) return;
        if (!IsUnitName(unit)) {
            if (!fromFirst) results.Add(Format(kCheckTypeUnitNotUnitName, unit, type.GetName()), &type, cicError);
            return;
        }
        if (std::any_of(own.begin(), own.end(), [&](const std::string& u) { return SameText(u, unit); })) {
            results.Add(Format(kCheckTypeUnitGenerated, unit, type.GetName(), module.MainClassName()), &type, cicError);
            return;
        }
        for (const TemgModule* other : all) {
            if (fromFirst || other == &module || other == first) continue;
            const std::vector<std::string> units = GeneratedUnits(*other);
            if (std::any_of(units.begin(), units.end(), [&](const std::string& u) { return SameText(u, unit); })) {
                results.Add(Format(kCheckTypeUnitGenerated, unit, type.GetName(), other->MainClassName()), &type,
                            cicWarning);
                return;
            }
        }
    };
    for (int i = 0; i < module.RegisteredDataTypes().Count(); ++i) check(*module.RegisteredDataTypes().Items(i), false);
    if (first && first != &module)
        for (int i = 0; i < first->RegisteredDataTypes().Count(); ++i) check(*first->RegisteredDataTypes().Items(i), true);
}

}  // namespace

void CheckUnitHeader(std::string_view header, TCheckCollection& results) {
    std::size_t at = 0;
    const auto fault = [&] { results.Add(kCheckUnitHeader, nullptr, cicError); };
    while (at < header.size()) {
        const char c = header[at];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++at;
        } else if (c == '{') {
            const std::size_t end = header.find('}', at);
            if (end == std::string_view::npos) return fault();
            at = end + 1;
        } else if (header.substr(at, 2) == "(*") {
            const std::size_t end = header.find("*)", at + 2);
            if (end == std::string_view::npos) return fault();
            at = end + 2;
        } else if (header.substr(at, 2) == "//") {
            const std::size_t end = header.find_first_of("\r\n", at);
            at = end == std::string_view::npos ? header.size() : end;
        } else {
            return fault();
        }
    }
}

bool IsRegistryFormGuid(std::string_view guid) {
    static constexpr std::string_view kShape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    if (guid.size() != kShape.size()) return false;
    for (std::size_t i = 0; i < guid.size(); ++i)
        if (kShape[i] == 'X' ? !std::isxdigit(static_cast<unsigned char>(guid[i])) : guid[i] != kShape[i]) return false;
    return true;
}

void CheckModuleDesign(const TemgModule& module, const IModuleResolver& modules,
                       const std::vector<const TemgModule*>& all, TCheckCollection& results,
                       const TPersistent* moduleObject) {
    const TPersistent* self = moduleObject ? moduleObject : &module;
    CheckTypeReferences(module, modules, all, results);
    CheckTypeUnits(module, modules, all, results);
    const bool firstModule = modules.GetFirstModule() == &module;
    CheckSystemMethods(module, !firstModule, results);
    CheckModuleValues(module, modules, results);
    CheckLongNames(module, modules, firstModule, results, self);
    if (const std::string& name = module.GetDataModuleName(); !name.empty() && !IsValidIdent("dm" + name))
        results.Add(Format(kCheckDataModuleName, name), self, cicError);
    for (int i = 0; i < module.AddUnits().Count(); ++i) {
        const TemgAddUnit& unit = *module.AddUnits().Items(i);
        if (const std::string name = unit.UnitName(); !name.empty() && !IsValidIdent(name))
            results.Add(Format(kCheckAddedUnitName, unit.GetName(), name), &unit, cicError);
    }
    if (!IsServedByCom(module.GetServerOption())) return;
    const std::string& guid = module.MainClass().GetGUID();
    if (guid.empty()) {
        results.Add(Format(kCheckNoGuid, module.MainClassName()), self, cicError);
        return;
    }
    if (!IsRegistryFormGuid(guid)) {
        results.Add(Format(kCheckGuidForm, guid), self, cicError);
        return;
    }
    for (const TemgModule* other : all) {
        if (other == &module) return;
        if ( IsServedByCom(other->GetServerOption()) && SameText(other->MainClass().GetGUID(), guid)) {
            results.Add(Format(kCheckGuidTaken, guid, other->MainClassName()), self, cicError);
            results.Add(Format(kCheckGuidTaken, guid, module.MainClassName()), other, cicError);
            return;
        }
    }
}

}  // namespace quillon
