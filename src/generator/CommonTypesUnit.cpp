#include "generator/CommonTypesUnit.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "elements/DataTypeReferences.h"
#include "elements/ElementMessages.h"
#include "generator/BuilderSupport.h"
#include "generator/Module.h"
#include "generator/ModuleResolver.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "source/SourceUnit.h"

namespace quillon {

namespace {

// The types a module refers to, by category, and the first module's procedural types among them.
struct TTypeReferences {
    TReferencedDataTypes enums;
    TReferencedDataTypes procedurals;
    TReferencedDataTypes registered;
    std::vector<const TemgProceduralType*> firstModuleTypes;

    // One walk over the source's references. A source's registered procedural types follow its
    // other registered types in `registered`, as when each category was collected by a walk of its own.
    template <class Source>
    void Collect(const Source& source) {
        TReferencedDataTypes registeredProcedural;
        source.ForEachReference([&](const TemgDataType& reference, bool) {
            switch (const TDataTypeCategory category = reference.GetCategory()) {
                case dtEnum: CollectReference(reference, enums, nullptr, category, false); break;
                case dtProcedural: CollectReference(reference, procedurals, nullptr, category, false); break;
                case dtRegistered: CollectReference(reference, registered, nullptr, category, false); break;
                case dtRegisteredProcedural:
                    CollectReference(reference, registeredProcedural, nullptr, category, false);
                    break;
            }
        });
        for (int i = 0; i < registeredProcedural.Count(); ++i)
            registered.Add(registeredProcedural.Strings(i), registeredProcedural.Objects(i));
    }
};

// Walks the module's properties, events, methods and procedural types, then every procedural
// type of the first module that they name, and the ones those name in turn.
void CollectModuleReferences(const TemgModule& module, const IModuleResolver& resolver,
                             TTypeReferences& references) {
    const TemgClass& mainClass = module.MainClass();
    references.Collect(mainClass.Properties());
    references.Collect(mainClass.Events());
    references.Collect(mainClass.Methods());
    references.Collect(module.ProceduralTypes());

    const TemgModule* first = resolver.GetFirstModule();
    // The list grows while it is walked: a copied type's own references join it. It names a type
    // once per reference; a name met again was handled the first time.
    std::unordered_set<std::string> handled;
    for (int i = 0; i < references.procedurals.Count(); ++i) {
        const std::string name = references.procedurals.Strings(i);
        if (!handled.insert(LowerCase(name)).second) continue;
        if (module.ProceduralTypeNamed(name)) continue;
        const TemgProceduralType* type = first ? first->ProceduralTypeNamed(name) : nullptr;
        if (!type) throw Exception(Format(kProceduralTypeNotFound, name));
        auto& copied = references.firstModuleTypes;
        if (std::find(copied.begin(), copied.end(), type) != copied.end()) continue;
        copied.push_back(type);
        references.Collect(*type);
    }
}

}  // namespace

// What a scope keeps: the references of its module, once collected.
struct TypeReferencesScope::State {
    const TemgModule& module;
    const IModuleResolver& resolver;
    std::unique_ptr<TTypeReferences> references;
};

namespace {

thread_local TypeReferencesScope::State* t_typeReferences = nullptr;

// The references of `module`: the scope's when it is the scope's module (collected on the first
// call), else collected into `local`.
const TTypeReferences& ModuleReferences(const TemgModule& module, const IModuleResolver& resolver,
                                        TTypeReferences& local) {
    TypeReferencesScope::State* state = t_typeReferences;
    if (!state || &state->module != &module || &state->resolver != &resolver) {
        CollectModuleReferences(module, resolver, local);
        return local;
    }
    if (!state->references) {
        auto references = std::make_unique<TTypeReferences>();
        CollectModuleReferences(module, resolver, *references);
        state->references = std::move(references);
    }
    return *state->references;
}

}  // namespace

TypeReferencesScope::TypeReferencesScope(const TemgModule& module, const IModuleResolver& resolver)
    : state_(std::make_unique<State>(State{module, resolver, nullptr})), previous_(t_typeReferences) {
    t_typeReferences = state_.get();
}

TypeReferencesScope::~TypeReferencesScope() { t_typeReferences = previous_; }

std::string BuildTypesUnit(const TemgModule& module) {
    TgmcModule unit;
    unit.Appellation().SetName(module.GeneratorUnitName());
    unit.InterfacePart().SetEnumTypes(module.EnumTypes());
    return unit.SrcCode();
}

bool ModuleUsesCommonTypes(const TemgModule& module, const IModuleResolver& resolver) {
    const TemgModule* first = resolver.GetFirstModule();
    if (!first || first == &module || first->EnumTypes().Count() == 0) return false;
    TTypeReferences local;
    return ModuleReferences(module, resolver, local).enums.Count() > 0;
}

void AddCommonTypesUnit(TgmcUsesModules& uses, const TemgModule& module, const IModuleResolver& resolver,
                        bool withFileName) {
    if (!ModuleUsesCommonTypes(module, resolver)) return;
    const TemgModule& first = *resolver.GetFirstModule();
    AddUses(uses, first.GeneratorUnitName(),
            withFileName ? first.UnitFileName(TFileKind::TypesUnit, resolver.GetSrcPath()) : std::string());
}

void AddFirstModuleProceduralTypes(TgmcProceduralTypes& target, const TemgModule& module,
                                   const IModuleResolver& resolver) {
    TTypeReferences local;
    const TTypeReferences& references = ModuleReferences(module, resolver, local);
    if (references.firstModuleTypes.empty()) return;
    TStringList copied;
    for (const TemgProceduralType* type : references.firstModuleTypes) copied.Add(type->GetName());
    // In the order the first module declares them.
    resolver.GetFirstModule()->ProceduralTypes().ConvertProceduralTypes(target, &copied);
}

void AddRegisteredTypeUnits(TgmcUsesModules& uses, const TemgModule& module, const IModuleResolver& resolver) {
    TTypeReferences local;
    const TTypeReferences& references = ModuleReferences(module, resolver, local);
    ResolveRegisteredTypes(TModuleElementContext(module, resolver), references.registered, uses);
}

}  // namespace quillon
