#include "elements/ExternalClasses.h"

#include "platform/Text.h"
#include "source/TextUtils.h"

namespace quillon {

void TemgExternalClass::PublishProperties(PropertyList& p) {
    TemgAppellationItem::PublishProperties(p);
    p.Boolean("AutoCreate", &TemgExternalClass::GetAutoCreate, &TemgExternalClass::SetAutoCreate, true);
    p.String("PropertyName", &TemgExternalClass::GetPropertyName, &TemgExternalClass::SetPropertyName);
}

void TemgExternalClass::FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName,
                                     TStringList* found) {
    if (!SameText(GetName(), oldName.GetName())) return;
    if (newName) SetName(newName->GetName());
    if (found) found->Add(GetName(), this);
}

void TemgExternalClass::AssignTo(TPersistent& dest) const {
    TemgAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TemgExternalClass*>(&dest)) {
        target->SetAutoCreate(FAutoCreate);
        target->SetPropertyName(FPropertyName);
    }
}

std::string TemgExternalClasses::GetItemText(int index, int kind) const {
    switch (kind) {
        case 0: return Items(index)->GetPropertyName();
        case 1: return Items(index)->GetCaption();
        default: return {};
    }
}

void TemgExternalClasses::FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName,
                                       TStringList* found) {
    for (int i = 0; i < Count(); ++i) Items(i)->FindOrRename(oldName, newName, found);
}

std::string DatabaseParamsCode(const TemgExternalClasses& externalClasses, const IElementContext& context) {
    std::string lines;
    for (int i = 0; i < externalClasses.Count(); ++i) {
        const TemgExternalClass& external = *externalClasses.Items(i);
        const IElementContext* referenced = context.FindModule(external.GetName());
        // The referenced class has SetDatabaseParams exactly when its module has its own connection.
        if (!referenced || !HasOwnConnection(referenced->GetDatabaseSupport())) continue;
        const std::string field = "F" + external.GetPropertyName();
        AppendSeparated(lines,
                        "if " + field + " <> nil then " + field + ".SetDatabaseParams(FAliasName, FUserName, FPassword);",
                        kCrLf);
    }
    return lines;
}

bool UsesComServer(const TemgExternalClasses& externalClasses, const IElementContext& context) {
    for (int i = 0; i < externalClasses.Count(); ++i) {
        const IElementContext* referenced = context.FindModule(externalClasses.Items(i)->GetName());
        if (referenced && IsComOption(referenced->GetServerOption())) return true;
    }
    return false;
}

}  // namespace quillon
