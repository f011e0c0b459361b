#include "elements/RegisteredTypes.h"

#include "platform/Text.h"

namespace quillon {

void TemgRegisteredDataType::PublishProperties(PropertyList& p) {
    TemgAppellationItem::PublishProperties(p);
    p.String("ModuleName", &TemgRegisteredDataType::GetModuleName, &TemgRegisteredDataType::SetModuleName);
    p.Boolean("ProceduralType", &TemgRegisteredDataType::GetProceduralType, &TemgRegisteredDataType::SetProceduralType,
              std::nullopt);
}

std::string TemgRegisteredDataType::DeclarationText() const {
    if (FModuleName.empty()) return GetName();
    return GetName() + " declared in " + FModuleName;
}

void TemgRegisteredDataType::AssignTo(TPersistent& dest) const {
    TemgAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TemgRegisteredDataType*>(&dest)) {
        target->SetModuleName(FModuleName);
        target->SetProceduralType(FProceduralType);
    }
}

const TemgRegisteredDataType* TemgRegisteredDataTypes::Find(std::string_view name) const {
    // Every reference of every generated unit is resolved here: compare the names in place
    // rather than through the item-list interface, which copies each name.
    for (int i = 0; i < Count(); ++i)
        if (SameText(Items(i)->GetName(), name)) return Items(i);
    return nullptr;
}

void AddBuiltInRegisteredTypes(TemgRegisteredDataTypes& target) {
    struct BuiltIn {
        std::string_view name;
        std::string_view moduleName;
        bool procedural;
        TItemSettings settings;
    };
    static constexpr BuiltIn kBuiltIns[] = {
        {"Boolean", "", false, {}},          {"Integer", "", false, {}},
        {"Double", "", false, {}},           {"String", "", false, {}},
        {"Char", "", false, {}},             {"Cardinal", "", false, {}},
        {"ShortInt", "", false, {}},         {"SmallInt", "", false, {}},
        {"LongInt", "", false, {}},          {"Int64", "", false, {}},
        {"Byte", "", false, {}},             {"Word", "", false, {}},
        {"LongWord", "", false, {}},         {"Extended", "", false, {}},
        {"Comp", "", false, {}},             {"Currency", "", false, {}},
        {"WideChar", "", false, {}},         {"ShortString", "", false, {}},
        {"WideString", "", false, {}},       {"Variant", "", false, {}},
        {"TDateTime", "", false, {}},        {"TNotifyEvent", "Classes", true, {}},
        {"TDataSetNotifyEvent", "DB", true, {}}, {"TMessageEvent", "Forms", true, {}},
        {"TQuery", "DBTables", false, {isSystemItem}}, {"TTable", "DBTables", false, {isSystemItem}},
        {"TStoredProc", "DBTables", false, {isSystemItem}},
    };
    for (const BuiltIn& builtIn : kBuiltIns) {
        TemgRegisteredDataType* type = target.Add();
        type->SetName(builtIn.name);
        type->SetModuleName(builtIn.moduleName);
        type->SetProceduralType(builtIn.procedural);
        type->SetSettings(builtIn.settings);
    }
}

}  // namespace quillon
