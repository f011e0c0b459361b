#include "elements/ElementBase.h"

#include "source/TextUtils.h"

namespace quillon {

// TemgCollectionItem, TemgCollection

std::string TemgCollectionItem::DeclarationText() const { return {}; }

std::string TemgCollection::DeclarationText() const {
    std::string result;
    for (int i = 0; i < Count(); ++i) AppendSeparated(result, ElementItem(i)->DeclarationText(), kCrLf);
    return result;
}

// TemgAppellationItem

void TemgAppellationItem::PublishProperties(PropertyList& p) {
    TemgCollectionItem::PublishProperties(p);
    p.Object("Appellation", Mutable(&TemgAppellationItem::Appellation));
    p.Set<TItemSetting>("Settings", &TemgAppellationItem::GetSettings, &TemgAppellationItem::SetSettings,
                        ItemSettingNames, std::nullopt);
}

TemgAppellationItem::TemgAppellationItem() = default;

TemgAppellationItem::~TemgAppellationItem() = default;

bool TemgAppellationItem::GetModified() const { return TemgCollectionItem::GetModified() || FAppellation.GetModified(); }

void TemgAppellationItem::SetModified(bool value) {
    TemgCollectionItem::SetModified(value);
    if (!value) FAppellation.SetModified(false);
}

void TemgAppellationItem::AssignTo(TPersistent& dest) const {
    if (auto* target = dynamic_cast<TemgAppellationItem*>(&dest)) {
        target->SetAppellation(FAppellation);
        target->SetSettings(FSettings);
        return;
    }
    TemgCollectionItem::AssignTo(dest);
}

// TemgAppellationCollection

std::string TemgAppellationCollection::GetItemText(int index, int kind) const {
    switch (kind) {
        case 0: return AppellationItem(index)->GetName();
        case 1: return AppellationItem(index)->GetCaption();
        default: return {};
    }
}

bool TemgAppellationCollection::GetItemModified(int index) const { return AppellationItem(index)->GetModified(); }

void TemgAppellationCollection::SetItemModified(int index, bool value) { AppellationItem(index)->SetModified(value); }

// TemgDataType

void TemgDataType::PublishProperties(PropertyList& p) {
    TemgCollectionItem::PublishProperties(p);
    p.Enumeration<TDataTypeCategory>("Category", &TemgDataType::GetCategory, &TemgDataType::SetCategory,
                                     DataTypeCategoryNames, dtRegistered);
    p.String("Name", &TemgDataType::GetName, &TemgDataType::SetName);
}

void TemgDataType::AssignTo(TPersistent& dest) const {
    if (auto* target = dynamic_cast<TemgDataType*>(&dest)) {
        target->SetName(FName);
        target->SetCategory(FCategory);
        return;
    }
    TemgCollectionItem::AssignTo(dest);
}

// TemgDataTypeItem

void TemgDataTypeItem::PublishProperties(PropertyList& p) {
    TemgAppellationItem::PublishProperties(p);
    p.Object("DataType", Mutable(&TemgDataTypeItem::DataType));
}

TemgDataTypeItem::TemgDataTypeItem() = default;

TemgDataTypeItem::~TemgDataTypeItem() = default;

bool TemgDataTypeItem::GetModified() const { return TemgAppellationItem::GetModified() || FDataType.GetModified(); }

void TemgDataTypeItem::SetModified(bool value) {
    TemgAppellationItem::SetModified(value);
    if (!value) FDataType.SetModified(false);
}

void TemgDataTypeItem::AssignTo(TPersistent& dest) const {
    TemgAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TemgDataTypeItem*>(&dest)) target->SetDataType(FDataType);
}

// TemgClassItem

void TemgClassItem::PublishProperties(PropertyList& p) {
    TemgDataTypeItem::PublishProperties(p);
    p.Boolean("Exported", &TemgClassItem::GetExported, &TemgClassItem::SetExported, true);
    p.Enumeration<TMemberVisibility>("Visibility", &TemgClassItem::GetVisibility, &TemgClassItem::SetVisibility,
                                     MemberVisibilityNames, mvPublic);
}

void TemgClassItem::AssignTo(TPersistent& dest) const {
    TemgDataTypeItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TemgClassItem*>(&dest)) {
        target->SetExported(FExported);
        target->SetVisibility(FVisibility);
    }
}

}  // namespace quillon
