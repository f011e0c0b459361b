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

std::string TgmcUsesModule::SrcCode(int) const {
    std::string result = GetName();
    if (!FFileName.empty()) result += " in " + PascalString(FFileName);
    if (!FFormName.empty()) result += " {" + FFormName + (FFrame ? ": TFrame}" : "}");
    return result;
}

void TgmcUsesModule::AssignTo(TPersistent& dest) const {
    TgmcAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcUsesModule*>(&dest)) {
        target->SetFileName(FFileName);
        target->SetFrame(FFrame);
    }
}

std::string TgmcUsesModules::SrcCode(int indent, std::string_view separator) const {
    return EncloseNonEmpty("uses \r\n", TgmcCollection::SrcCode(indent, separator), ";\r\n");
}

// TgmcConst

void TgmcConst::PublishProperties(PropertyList& p) {
    TgmcAppellationItem::PublishProperties(p);
    p.Object("DataType", Mutable(&TgmcConst::DataType));
    p.String("Value", &TgmcConst::GetValue, &TgmcConst::SetValue);
}

TgmcConst::TgmcConst() = default;

TgmcConst::~TgmcConst() = default;

std::string TgmcConst::SrcCode(int) const {
    std::string result = GetName();
    if (!FDataType.GetName().empty()) result.append(":").append(FDataType.QualifiedName());
    result.append("=").append(FValue).append(";");
    result += CaptionComment();
    return result;
}

void TgmcConst::AssignTo(TPersistent& dest) const {
    TgmcAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcConst*>(&dest)) {
        target->SetDataType(FDataType);
        target->SetValue(FValue);
    }
}

std::string TgmcConsts::SrcCode(int indent, std::string_view separator) const {
    return EncloseNonEmpty("const\r\n", TgmcCollection::SrcCode(indent, separator));
}

// TgmcVar

void TgmcVar::PublishProperties(PropertyList& p) {
    TgmcAppellationItem::PublishProperties(p);
    p.Object("DataType", Mutable(&TgmcVar::DataType));
}

TgmcVar::TgmcVar() = default;

TgmcVar::~TgmcVar() = default;

std::string TgmcVar::SrcCode(int) const {
    return GetName() + ":" + FDataType.QualifiedName() + ";" + CaptionComment();
}

void TgmcVar::AssignTo(TPersistent& dest) const {
    TgmcAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcVar*>(&dest)) target->SetDataType(FDataType);
}

std::string TgmcVars::SrcCode(int indent, std::string_view separator) const {
    return EncloseNonEmpty("var \r\n", TgmcCollection::SrcCode(indent, separator));
}

// TgmcResourceString

void TgmcResourceString::PublishProperties(PropertyList& p) {
    TgmcAppellationItem::PublishProperties(p);
    p.String("Value", &TgmcResourceString::GetValue, &TgmcResourceString::SetValue);
}

std::string TgmcResourceString::SrcCode(int) const { return GetName() + " = '" + FValue + "';"; }

void TgmcResourceString::AssignTo(TPersistent& dest) const {
    TgmcAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcResourceString*>(&dest)) target->SetValue(FValue);
}

std::string TgmcResourceStrings::SrcCode(int indent, std::string_view separator) const {
    return EncloseNonEmpty("resourcestring\r\n", TgmcCollection::SrcCode(indent, separator));
}

}  // namespace quillon
