#include "source/SourceTypes.h"

#include "platform/Text.h"
#include "source/TextUtils.h"

namespace quillon {

// Enumerated types

void TgmcEnumValue::AppendSrcCode(std::string& dest, int) const {
    dest.append(GetName());
    Appellation().AppendCaptionComment(dest);
}

bool TgmcEnumValues::IsValueNameUnique(std::string_view name) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Items(i)->GetName(), name)) return false;
    return true;
}

void TgmcEnumValues::FillStringList(TStringList& list) const {
    list.Clear();
    for (int i = 0; i < Count(); ++i) list.Add(Items(i)->GetName(), Items(i));
}

void TgmcEnumType::PublishProperties(PropertyList& p) {
    TgmcAppellationItem::PublishProperties(p);
    p.Collection("Values", Mutable(&TgmcEnumType::Values));
}

TgmcEnumType::TgmcEnumType() : FValues(std::make_unique<TgmcEnumValues>(this)) {}

TgmcEnumType::~TgmcEnumType() = default;

bool TgmcEnumType::GetModified() const { return TgmcAppellationItem::GetModified() || FValues->GetModified(); }

void TgmcEnumType::SetModified(bool value) {
    TgmcAppellationItem::SetModified(value);
    if (!value) FValues->SetModified(false);
}

void TgmcEnumType::AppendSrcCode(std::string& dest, int) const {
    dest.append(GetName()).append("=(");
    FValues->AppendSrcCode(dest, 0, ",");
    dest.append(");");
    Appellation().AppendCaptionComment(dest);
}

void TgmcEnumType::AssignTo(TPersistent& dest) const {
    TgmcAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcEnumType*>(&dest)) target->SetValues(*FValues);
}

void TgmcEnumTypes::AppendSrcCode(std::string& dest, int indent, std::string_view separator) const {
    AppendSection(dest, "type\r\n", {}, indent, separator);
}

bool TgmcEnumTypes::IsValueNameUnique(std::string_view typeName, std::string_view valueName) const {
    for (int i = 0; i < Count(); ++i) {
        const TgmcEnumType* type = Items(i);
        if (!SameText(type->GetName(), typeName) && !type->Values().IsValueNameUnique(valueName)) return false;
    }
    return true;
}

// Sets

void TgmcSet::PublishProperties(PropertyList& p) {
    TgmcAppellationItem::PublishProperties(p);
    p.Object("EnumDataType", Mutable(&TgmcSet::EnumDataType));
}

TgmcSet::TgmcSet() : FEnumDataType(std::make_unique<TgmcDataType>()) {}

TgmcSet::~TgmcSet() = default;

void TgmcSet::AppendSrcCode(std::string& dest, int) const {
    dest.append(GetName()).append("= set of ");
    FEnumDataType->AppendQualifiedName(dest);
    dest.push_back(';');
    Appellation().AppendCaptionComment(dest);
}

void TgmcSet::AssignTo(TPersistent& dest) const {
    TgmcAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcSet*>(&dest)) target->SetEnumDataType(*FEnumDataType);
}

// Procedural types

void TgmcProceduralType::PublishProperties(PropertyList& p) {
    TgmcAppellationItem::PublishProperties(p);
    p.Object("ResultType", Mutable(&TgmcProceduralType::ResultType));
    p.Set<TMethodOption>("Options", &TgmcProceduralType::GetOptions, &TgmcProceduralType::SetOptions,
                         MethodOptionNames, std::nullopt);
    p.Collection("Parameters", Mutable(&TgmcProceduralType::Parameters));
    p.Enumeration<TMethodCategory>("MethodCategory", &TgmcProceduralType::GetMethodCategory,
                                   &TgmcProceduralType::SetMethodCategory, MethodCategoryNames, std::nullopt);
}

TgmcProceduralType::TgmcProceduralType()
    : FResultType(std::make_unique<TgmcDataType>()), FParameters(std::make_unique<TgmcParameters>(this)) {}

TgmcProceduralType::~TgmcProceduralType() = default;

void TgmcProceduralType::AppendSrcCode(std::string& dest, int) const {
    dest.append(GetName()).append("=").append(MethodCategoryWord(FMethodCategory));
    FParameters->AppendSrcCode(dest, 0, ";");
    if (!FResultType->GetName().empty()) dest.append(":").append(FResultType->GetName());
    dest.append(MethodOptionsText(FOptions)).push_back(';');
    Appellation().AppendCaptionComment(dest);
}

void TgmcProceduralType::AssignTo(TPersistent& dest) const {
    TgmcAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcProceduralType*>(&dest)) {
        target->SetResultType(*FResultType);
        target->SetOptions(FOptions);
        target->SetParameters(*FParameters);
        target->SetMethodCategory(FMethodCategory);
    }
}

void TgmcProceduralTypes::AppendSrcCode(std::string& dest, int indent, std::string_view separator) const {
    AppendSection(dest, "type\r\n", {}, indent, separator);
}

}  // namespace quillon
