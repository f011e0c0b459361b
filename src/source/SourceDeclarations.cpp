#include "source/SourceDeclarations.h"

#include "source/TextUtils.h"

namespace quillon {

// TgmcUsesModule

void TgmcUsesModule::PublishProperties(PropertyList& p) {
    TgmcAppellationItem::PublishProperties(p);
    p.String("FileName", &TgmcUsesModule::GetFileName, &TgmcUsesModule::SetFileName);
    p.String("FormName", &TgmcUsesModule::GetFormName, &TgmcUsesModule::SetFormName);
    p.Boolean("Frame", &TgmcUsesModule::GetFrame, &TgmcUsesModule::SetFrame, std::nullopt);
}

void TgmcUsesModule::AppendSrcCode(std::string& dest, int) const {
    dest.append(GetName());
    if (!FFileName.empty()) dest.append(" in ").append(PascalString(FFileName));
    if (!FFormName.empty()) dest.append(" {").append(FFormName).append(FFrame ? ": TFrame}" : "}");
}

void TgmcUsesModule::AssignTo(TPersistent& dest) const {
    TgmcAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcUsesModule*>(&dest)) {
        target->SetFileName(FFileName);
        target->SetFrame(FFrame);
    }
}

void TgmcUsesModules::AppendSrcCode(std::string& dest, int indent, std::string_view separator) const {
    AppendSection(dest, "uses \r\n", ";\r\n", indent, separator);
}

// TgmcConst

void TgmcConst::PublishProperties(PropertyList& p) {
    TgmcAppellationItem::PublishProperties(p);
    p.Object("DataType", Mutable(&TgmcConst::DataType));
    p.String("Value", &TgmcConst::GetValue, &TgmcConst::SetValue);
}

TgmcConst::TgmcConst() = default;

TgmcConst::~TgmcConst() = default;

void TgmcConst::AppendSrcCode(std::string& dest, int) const {
    dest.append(GetName());
    if (!FDataType.GetName().empty()) {
        dest.push_back(':');
        FDataType.AppendQualifiedName(dest);
    }
    dest.append("=").append(FValue).push_back(';');
    Appellation().AppendCaptionComment(dest);
}

void TgmcConst::AssignTo(TPersistent& dest) const {
    TgmcAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcConst*>(&dest)) {
        target->SetDataType(FDataType);
        target->SetValue(FValue);
    }
}

void TgmcConsts::AppendSrcCode(std::string& dest, int indent, std::string_view separator) const {
    AppendSection(dest, "const\r\n", {}, indent, separator);
}

// TgmcVar

void TgmcVar::PublishProperties(PropertyList& p) {
    TgmcAppellationItem::PublishProperties(p);
    p.Object("DataType", Mutable(&TgmcVar::DataType));
}

TgmcVar::TgmcVar() = default;

TgmcVar::~TgmcVar() = default;

void TgmcVar::AppendSrcCode(std::string& dest, int) const {
    dest.append(GetName()).push_back(':');
    FDataType.AppendQualifiedName(dest);
    dest.push_back(';');
    Appellation().AppendCaptionComment(dest);
}

void TgmcVar::AssignTo(TPersistent& dest) const {
    TgmcAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcVar*>(&dest)) target->SetDataType(FDataType);
}

void TgmcVars::AppendSrcCode(std::string& dest, int indent, std::string_view separator) const {
    AppendSection(dest, "var \r\n", {}, indent, separator);
}

// TgmcResourceString

void TgmcResourceString::PublishProperties(PropertyList& p) {
    TgmcAppellationItem::PublishProperties(p);
    p.String("Value", &TgmcResourceString::GetValue, &TgmcResourceString::SetValue);
}

void TgmcResourceString::AppendSrcCode(std::string& dest, int) const {
    dest.append(GetName()).append(" = '").append(FValue).append("';");
}

void TgmcResourceString::AssignTo(TPersistent& dest) const {
    TgmcAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcResourceString*>(&dest)) target->SetValue(FValue);
}

void TgmcResourceStrings::AppendSrcCode(std::string& dest, int indent, std::string_view separator) const {
    AppendSection(dest, "resourcestring\r\n", {}, indent, separator);
}

}  // namespace quillon
