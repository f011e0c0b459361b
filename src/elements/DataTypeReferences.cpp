#include "elements/DataTypeReferences.h"

#include <unordered_set>

#include "elements/ElementMessages.h"
#include "elements/ProceduralTypes.h"
#include "elements/RegisteredTypes.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace quillon {

void CopyToSource(const TemgDataType& reference, TgmcDataType& target) { target.SetName(reference.GetName()); }

void CollectReference(const TemgDataType& reference, TReferencedDataTypes& all, TReferencedDataTypes* exported,
                      TDataTypeCategory category, bool exportedMember) {
    if (reference.GetCategory() != category || reference.GetName().empty()) return;
    // The lists only name the reference for the caller; nothing changes it through them.
    auto* object = const_cast<TemgDataType*>(&reference);
    all.Add(reference.GetName(), object);
    if (exportedMember && exported) exported->Add(reference.GetName(), object);
}

void FindOrRenameReference(TemgDataType& reference, const TgmcAppellation& oldName, const TgmcAppellation* newName,
                           TStringList* found) {
    if (!SameText(reference.GetName(), oldName.GetName())) return;
    if (newName) reference.SetName(newName->GetName());
    if (found) found->Add(reference.GetName(), &reference);
}

namespace {

// The module's own collection first, then the first module's.
template <class Find>
auto FindInModules(const IElementContext& context, Find find) -> decltype(find(context)) {
    if (auto* own = find(context)) return own;
    if (const IElementContext* first = context.GetFirstModule(); first && first != &context) return find(*first);
    return nullptr;
}

}  // namespace

const TemgRegisteredDataType* FindRegisteredType(const IElementContext& context, std::string_view name) {
    return FindInModules(context, [name](const IElementContext& module) {
        return module.RegisteredTypeNamed(name);
    });
}

const TemgProceduralType* FindProceduralType(const IElementContext& context, std::string_view name) {
    return FindInModules(context, [name](const IElementContext& module) {
        return module.ProceduralTypeNamed(name);
    });
}

void ResolveRegisteredTypes(const IElementContext& context, const TStringList& names, TgmcUsesModules& uses) {
    // The list names a type once per reference. A name met again would add the same unit, which
    // the uses clause leaves out anyway: each name is looked up once.
    std::unordered_set<std::string> resolved;
    for (const std::string& name : names.Items()) {
        if (!resolved.insert(LowerCase(name)).second) continue;
        const TemgRegisteredDataType* type = FindRegisteredType(context, name);
        if (!type) throw Exception(Format(kRegisteredTypeNotFound, name));
        uses.Add()->SetName(type->GetModuleName());
    }
}

void ResolveProceduralTypes(const IElementContext& context, const TStringList& names) {
    for (const std::string& name : names.Items())
        if (!FindProceduralType(context, name)) throw Exception(Format(kProceduralTypeNotFound, name));
}

void CollectReferencesOf(const IElementContext& context, std::string_view name, TReferencedDataTypes& all,
                         TReferencedDataTypes* exported, TDataTypeCategory category) {
    const TemgProceduralType* type = FindProceduralType(context, name);
    if (!type) throw Exception(Format(kProceduralTypeNotFound, name));
    CollectReferences(*type, all, exported, category);
}

}  // namespace quillon
