#include "elements/ProceduralTypes.h"

#include "elements/DataTypeReferences.h"
#include "elements/ElementMessages.h"
#include "elements/ModuleOptions.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace quillon {

void TemgProceduralType::PublishProperties(PropertyList& p) {
    TemgDataTypeItem::PublishProperties(p);
    p.Collection("Parameters", Mutable(&TemgProceduralType::Parameters));
    p.Enumeration<TMethodCategory>("MethodCategory", &TemgProceduralType::GetMethodCategory,
                                   &TemgProceduralType::SetMethodCategory, MethodCategoryNames, std::nullopt);
}

TemgProceduralType::TemgProceduralType() : FParameters(std::make_unique<TemgParameters>(this)) {}

TemgProceduralType::~TemgProceduralType() = default;

bool TemgProceduralType::GetModified() const { return TemgDataTypeItem::GetModified() || FParameters->GetModified(); }

void TemgProceduralType::SetModified(bool value) {
    TemgDataTypeItem::SetModified(value);
    if (!value) FParameters->SetModified(false);
}

std::string TemgProceduralType::DeclarationText() const {
    TgmcProceduralTypes converted;
    ConvertProceduralType(converted);
    return converted.Items(0)->SrcCode(0);
}

void TemgProceduralType::ConvertProceduralType(TgmcProceduralTypes& target, const TStringList* filter) const {
    if (filter && filter->IndexOf(GetName()) < 0) return;
    TgmcProceduralType* type = target.Add();
    type->SetAppellation(Appellation());
    FParameters->ConvertParameters(type->Parameters(), false);
    type->ResultType().SetName(ResultTypeName(FMethodCategory, DataType()));
    type->SetMethodCategory(FMethodCategory);
    type->SetOptions({moOfObject});
}

void TemgProceduralType::ForEachReference(const TReferenceVisit& visit) const {
    FParameters->ForEachReference(visit, false);
    visit(DataType(), false);
}

void TemgProceduralType::FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName,
                                      TStringList* found) {
    FindOrRenameReference(DataType(), oldName, newName, found);
    FParameters->FindOrRename(oldName, newName, found);
}

void TemgProceduralType::AssignTo(TPersistent& dest) const {
    TemgDataTypeItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TemgProceduralType*>(&dest)) {
        target->SetParameters(*FParameters);
        target->SetMethodCategory(FMethodCategory);
    }
}

// TemgProceduralTypes

const TemgProceduralType* TemgProceduralTypes::Find(std::string_view name) const {
    // As TemgRegisteredDataTypes::Find: names compared in place.
    for (int i = 0; i < Count(); ++i)
        if (SameText(Items(i)->GetName(), name)) return Items(i);
    return nullptr;
}

void TemgProceduralTypes::ConvertProceduralTypes(TgmcProceduralTypes& target, const TStringList* filter) const {
    for (int i = 0; i < Count(); ++i) Items(i)->ConvertProceduralType(target, filter);
}

void TemgProceduralTypes::CollectReferencesOf(std::string_view name, TReferencedDataTypes& all,
                                              TReferencedDataTypes* exported, TDataTypeCategory category) const {
    const TemgProceduralType* type = Find(name);
    if (!type) throw Exception(Format(kProceduralTypeNotFound, name));
    CollectReferences(*type, all, exported, category);
}

void TemgProceduralTypes::ForEachReference(const TReferenceVisit& visit) const {
    for (int i = 0; i < Count(); ++i) Items(i)->ForEachReference(visit);
}

void TemgProceduralTypes::FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName,
                                       TStringList* found) {
    for (int i = 0; i < Count(); ++i) Items(i)->FindOrRename(oldName, newName, found);
}

void AddSystemProceduralTypes(TemgProceduralTypes& target) {
    for (const TDatasetFactory& factory : kDatasetFactories) {
        TemgProceduralType* type = target.Add();
        type->SetName(factory.routineType);
        type->SetSettings({isSystemItem});
        type->SetMethodCategory(mcFunction);
        type->DataType().SetCategory(dtRegistered);
        type->DataType().SetName(factory.datasetClass);
    }
}

}  // namespace quillon
