#include "source/SourceClasses.h"

#include "source/TextUtils.h"

namespace quillon {

// TgmcClassMember

void TgmcClassMember::PublishProperties(PropertyList& p) {
    TgmcAppellationItem::PublishProperties(p);
    p.Enumeration<TMemberVisibility>("Visibility", &TgmcClassMember::GetVisibility, &TgmcClassMember::SetVisibility,
                                     MemberVisibilityNames, mvPublic);
}

void TgmcClassMember::AssignTo(TPersistent& dest) const {
    TgmcAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcClassMember*>(&dest)) target->SetVisibility(FVisibility);
}

// TgmcField

void TgmcField::PublishProperties(PropertyList& p) {
    TgmcClassMember::PublishProperties(p);
    p.Object("DataType", Mutable(&TgmcField::DataType));
}

TgmcField::TgmcField() { FVisibility = mvPrivate; }

TgmcField::~TgmcField() = default;

std::string TgmcField::SrcCode(int) const {
    std::string result;
    result.reserve(GetName().size() + FDataType.GetModuleName().size() + FDataType.GetName().size() +
                   GetCaption().size() + 5);
    result.append(GetName()).push_back(':');
    FDataType.AppendQualifiedName(result);
    result.push_back(';');
    if (!GetCaption().empty()) result.append("{").append(GetCaption()).append("}");
    return result;
}

void TgmcField::AssignTo(TPersistent& dest) const {
    TgmcClassMember::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcField*>(&dest)) target->SetDataType(FDataType);
}

// TgmcProperty

void TgmcProperty::PublishProperties(PropertyList& p) {
    TgmcField::PublishProperties(p);
    p.String("WriteMethodName", &TgmcProperty::GetWriteMethodName, &TgmcProperty::SetWriteMethodName);
    p.String("ReadMethodName", &TgmcProperty::GetReadMethodName, &TgmcProperty::SetReadMethodName);
    p.Object("IndexVar", Mutable(&TgmcProperty::IndexVar));
    p.Boolean("IsDefault", &TgmcProperty::GetIsDefault, &TgmcProperty::SetIsDefault, std::nullopt);
    p.String("DefaultValue", &TgmcProperty::GetDefaultValue, &TgmcProperty::SetDefaultValue);
}

TgmcProperty::TgmcProperty() : FIndexVar(std::make_unique<TgmcVar>()) {}

TgmcProperty::~TgmcProperty() = default;

std::string TgmcProperty::SrcCode(int indent) const {
    std::string result = CaptionComment();
    AppendSeparated(result, "property " + GetName(), kCrLf, indent);
    if (!FIndexVar->GetName().empty())
        result += "[" + FIndexVar->GetName() + ":" + FIndexVar->DataType().GetName() + "]";
    AppendSeparated(result, DataType().QualifiedName(), ":");
    AppendSeparated(result, FReadMethodName, " read ");
    AppendSeparated(result, FWriteMethodName, " write ");
    if (GetVisibility() == mvPublished) AppendSeparated(result, FDefaultValue, " default ");
    result += ";";
    if (FIsDefault) result += " default;";
    return result;
}

void TgmcProperty::AssignTo(TPersistent& dest) const {
    TgmcField::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcProperty*>(&dest)) {
        target->SetWriteMethodName(FWriteMethodName);
        target->SetReadMethodName(FReadMethodName);
        target->SetIndexVar(*FIndexVar);
        target->SetIsDefault(FIsDefault);
        target->SetDefaultValue(FDefaultValue);
    }
}

// TgmcParameter

void TgmcParameter::PublishProperties(PropertyList& p) {
    TgmcVar::PublishProperties(p);
    p.Enumeration<TParameterCategory>("Category", &TgmcParameter::GetCategory, &TgmcParameter::SetCategory,
                                      ParameterCategoryNames, std::nullopt);
    p.String("DefaultValue", &TgmcParameter::GetDefaultValue, &TgmcParameter::SetDefaultValue);
}

std::string TgmcParameter::SrcCode(int) const {
    const std::string_view category = ParameterCategoryWord(FCategory);
    std::string result;
    result.reserve(category.size() + GetName().size() + DataType().GetModuleName().size() +
                   DataType().GetName().size() + FDefaultValue.size() + 3);
    result.append(category).append(GetName()).push_back(':');
    DataType().AppendQualifiedName(result);
    if (!FDefaultValue.empty()) result.append("=").append(FDefaultValue);
    return result;
}

void TgmcParameter::AssignTo(TPersistent& dest) const {
    TgmcVar::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcParameter*>(&dest)) {
        target->SetCategory(FCategory);
        target->SetDefaultValue(FDefaultValue);
    }
}

// TgmcParameters

std::string TgmcParameters::SrcCode(int indent, std::string_view separator) const {
    std::string result;
    AppendEnclosed(result, indent, separator);
    return result;
}

void TgmcParameters::AppendEnclosed(std::string& dest, int indent, std::string_view separator) const {
    const std::size_t open = dest.size();
    dest.push_back('(');
    AppendSrcCode(dest, indent, separator);
    if (dest.size() == open + 1)
        dest.pop_back();
    else
        dest.push_back(')');
}

std::string TgmcParameters::NamesList() const {
    std::string names;
    for (int i = 0; i < Count(); ++i) AppendSeparated(names, Items(i)->GetName(), ",");
    return EncloseNonEmpty("(", std::move(names), ")");
}

void TgmcParameters::CopyTo(TgmcParameters& target) const {
    for (int i = 0; i < Count(); ++i) target.Add()->SetAppellation(Items(i)->Appellation());
}

// TgmcMethodImplementation

void TgmcMethodImplementation::PublishProperties(PropertyList& p) {
    TPersistent::PublishProperties(p);
    p.String("Code", &TgmcMethodImplementation::GetCode, &TgmcMethodImplementation::SetCode);
    p.Collection("LocalVars", Mutable(&TgmcMethodImplementation::LocalVars));
}

TgmcMethodImplementation::TgmcMethodImplementation() : FLocalVars(this) {}

TgmcMethodImplementation::~TgmcMethodImplementation() = default;

void TgmcMethodImplementation::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TgmcMethodImplementation*>(&source);
    if (!other) return TPersistent::Assign(source);
    if (other == this) return;
    FCode = other->FCode;
    FLocalVars.Assign(other->FLocalVars);
}

// TgmcMethod

void TgmcMethod::PublishProperties(PropertyList& p) {
    TgmcField::PublishProperties(p);
    p.Collection("Parameters", Mutable(&TgmcMethod::Parameters));
    p.Set<TMethodInheritanceItem>("Inheritance", &TgmcMethod::GetInheritance, &TgmcMethod::SetInheritance,
                                  MethodInheritanceNames, std::nullopt);
    p.Object("MethodImplementation", Mutable(&TgmcMethod::MethodImplementation));
    p.Set<TMethodOption>("Options", &TgmcMethod::GetOptions, &TgmcMethod::SetOptions, MethodOptionNames,
                         std::nullopt);
    p.Enumeration<TMethodCategory>("Category", &TgmcMethod::GetCategory, &TgmcMethod::SetCategory,
                                   MethodCategoryNames, std::nullopt);
    p.Collection("LocalVars", Mutable(&TgmcMethod::LocalVars));
    p.Boolean("ClassMethod", &TgmcMethod::GetClassMethod, &TgmcMethod::SetClassMethod, std::nullopt);
}

TgmcMethod::TgmcMethod()
    : FParameters(this), FLocalVars(this) {}

TgmcMethod::~TgmcMethod() = default;

std::string TgmcMethod::Heading(bool qualified) const {
    std::string result = FClassMethod ? "class " : "";
    result += MethodCategoryWord(FCategory);
    result += " ";
    if (qualified && FOwnerClass) result.append(FOwnerClass->GetName()).push_back('.');
    result += GetName();
    FParameters.AppendEnclosed(result, 0, ";");
    AppendSeparated(result, DataType().GetName(), ":");
    return result;
}

std::string TgmcMethod::SrcCode(int) const {
    std::string result = Heading(false);
    std::string inheritance;
    for (TMethodInheritanceItem item : {miVirtual, miOverride, miOverload, miReintroduce})
        if (FInheritance.Contains(item)) AppendSeparated(inheritance, InheritanceWord(item), ";");
    AppendSeparated(result, inheritance, ";");
    AppendSeparated(result, MethodOptionsText(FOptions), ";");
    if (FInheritance.Contains(miAbstract)) AppendSeparated(result, InheritanceWord(miAbstract), ";");
    result += ";";
    if (FForward) result += "forward;";
    return result;
}

std::string TgmcMethod::ImplementationSrcCode(int indent) const {
    if (FInheritance.Contains(miAbstract)) return {};
    std::string result = Heading(true) + ";";
    // Wrapping on: a heading longer than 80 characters is followed by an empty line.
    AppendSeparated(result, FMethodImplementation.LocalVars().SrcCode(indent, kCrLf), kCrLf, 0, true);
    AppendSeparated(result, "begin", kCrLf);
    const std::string blanks = Blanks(indent);
    AppendSeparated(result, blanks + ReplaceAll(FMethodImplementation.GetCode(), kCrLf, std::string(kCrLf) + blanks),
                    kCrLf);
    AppendSeparated(result, "end;", kCrLf);
    return result;
}

void TgmcMethod::AssignTo(TPersistent& dest) const {
    TgmcField::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcMethod*>(&dest)) {
        target->SetParameters(FParameters);
        target->SetInheritance(FInheritance);
        target->SetMethodImplementation(FMethodImplementation);
        target->SetOptions(FOptions);
        target->SetCategory(FCategory);
        target->SetLocalVars(FLocalVars);
        target->SetClassMethod(FClassMethod);
    }
}

// Member collections

std::string TgmcMemberCollection::VisibilitySrcCode(TMemberVisibility visibility, int indent) const {
    const std::string_view word = VisibilityWord(visibility);
    std::string result(word);
    for (int i = 0; i < Count(); ++i) {
        const auto* member = static_cast<const TgmcClassMember*>(Item(i));
        if (member->GetVisibility() == visibility) AppendSeparated(result, member->SrcCode(indent), kCrLf, indent);
    }
    if (result.size() == word.size()) result.clear();
    return result;
}

std::string TgmcMethods::ImplementationSrcCode(int indent) const {
    std::string result;
    for (int i = 0; i < Count(); ++i) AppendSeparated(result, Items(i)->ImplementationSrcCode(indent), kCrLf);
    return result;
}

void TgmcMethods::ItemAdded(TCollectionItem& item) {
    auto& method = static_cast<TgmcMethod&>(item);
    method.SetForward(FForward);
    method.SetOwnerClass(FOwnerClass);
}

// TgmcSupportedInterface

std::string TgmcSupportedInterface::SrcCode(int) const { return GetName(); }

// TgmcClass

void TgmcClass::PublishProperties(PropertyList& p) {
    TgmcAppellationItem::PublishProperties(p);
    p.Object("ParentClass", Mutable(&TgmcClass::ParentClass));
    p.Collection("Methods", Mutable(&TgmcClass::Methods));
    p.Collection("Properties", Mutable(&TgmcClass::Properties));
    p.Collection("Fields", Mutable(&TgmcClass::Fields));
    p.Enumeration<TClassGenOption>("Option", &TgmcClass::GetOption, &TgmcClass::SetOption, ClassGenOptionNames,
                                   std::nullopt);
    p.String("InterfaceGUIDIdentifier", &TgmcClass::GetInterfaceGUIDIdentifier,
             &TgmcClass::SetInterfaceGUIDIdentifier);
    p.Collection("SupportedInterfaces", Mutable(&TgmcClass::SupportedInterfaces));
}

TgmcClass::TgmcClass()
    : FParentClass(std::make_unique<TgmcDataType>()),
      FMethods(std::make_unique<TgmcMethods>(this)),
      FProperties(std::make_unique<TgmcProperties>(this)),
      FFields(std::make_unique<TgmcFields>(this)),
      FSupportedInterfaces(std::make_unique<TgmcSupportedInterfaces>(this)) {
    FMethods->SetOwnerClass(this);
}

TgmcClass::~TgmcClass() = default;

std::string TgmcClass::SrcCode(int indent) const {
    constexpr int kLineIndent = 3;
    std::string result = " ";
    AppendSeparated(result, CaptionComment(), kCrLf, kLineIndent);
    switch (FOption) {
        case cgoClass:
            AppendSeparated(result,
                            GetName() + " = class(" + FParentClass->GetName() +
                                EncloseNonEmpty(",", FSupportedInterfaces->SrcCode(indent, ",")) + ")",
                            kCrLf, kLineIndent);
            break;
        case cgoInterface:
            AppendSeparated(result, GetName() + " = interface(" + FParentClass->GetName() + ")", kCrLf, kLineIndent);
            AppendSeparated(result, "[" + FInterfaceGUIDIdentifier + "]", kCrLf, kLineIndent);
            break;
    }
    // Each collection repeats the visibility word for its own members.
    const TgmcMemberCollection* const memberLists[] = {FFields.get(), FMethods.get(), FProperties.get()};
    for (TMemberVisibility visibility : {mvNone, mvPrivate, mvProtected, mvPublic, mvPublished})
        for (const TgmcMemberCollection* members : memberLists)
            AppendSeparated(result, members->VisibilitySrcCode(visibility, indent), kCrLf, kLineIndent);
    AppendSeparated(result, "end;", kCrLf, kLineIndent);
    return result;
}

std::string TgmcClass::ImplementationSrcCode(int indent) const {
    if (FOption == cgoInterface) return {};
    const std::string bodies = FMethods->ImplementationSrcCode(indent);
    if (bodies.empty()) return {};
    return "\r\n{" + GetName() + "}\r\n" + CaptionComment() + "\r\n\r\n" + bodies;
}

void TgmcClass::AssignTo(TPersistent& dest) const {
    TgmcAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcClass*>(&dest)) {
        target->SetParentClass(*FParentClass);
        target->SetMethods(*FMethods);
        target->SetProperties(*FProperties);
        target->SetFields(*FFields);
        target->SetOption(FOption);
        target->SetInterfaceGUIDIdentifier(FInterfaceGUIDIdentifier);
        target->SetSupportedInterfaces(*FSupportedInterfaces);
    }
}

// TgmcClasses

std::string TgmcClasses::SrcCode(int indent, std::string_view separator) const {
    return EncloseNonEmpty("type\r\n", TgmcCollection::SrcCode(indent, separator));
}

std::string TgmcClasses::ImplementationSrcCode(int indent) const {
    std::string result;
    for (int i = 0; i < Count(); ++i) AppendSeparated(result, Items(i)->ImplementationSrcCode(indent), kCrLf);
    return result;
}

}  // namespace quillon
