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

void TgmcField::AppendSrcCode(std::string& dest, int) const {
    dest.append(GetName()).push_back(':');
    FDataType.AppendQualifiedName(dest);
    dest.push_back(';');
    if (!GetCaption().empty()) dest.append("{").append(GetCaption()).append("}");
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

void TgmcProperty::AppendSrcCode(std::string& dest, int indent) const {
    const std::size_t from = dest.size();
    Appellation().AppendCaptionComment(dest);
    AppendSeparator(dest, from, kCrLf, indent);
    dest.append("property ").append(GetName());
    if (!FIndexVar->GetName().empty())
        dest.append("[").append(FIndexVar->GetName()).append(":").append(FIndexVar->DataType().GetName()).append("]");
    AppendSeparatedWith(dest, from, ":", 0, false, [&](std::string& text) { DataType().AppendQualifiedName(text); });
    AppendSeparatedFrom(dest, from, FReadMethodName, " read ");
    AppendSeparatedFrom(dest, from, FWriteMethodName, " write ");
    AppendSeparatedFrom(dest, from, WrittenDefaultValue(), " default ");
    dest.push_back(';');
    if (FIsDefault) dest.append(" default;");
}

std::string_view TgmcProperty::WrittenDefaultValue() const {
    return GetVisibility() == mvPublished ? std::string_view(FDefaultValue) : std::string_view();
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

void TgmcParameter::AppendSrcCode(std::string& dest, int) const {
    dest.append(ParameterCategoryWord(FCategory)).append(GetName()).push_back(':');
    DataType().AppendQualifiedName(dest);
    if (!FDefaultValue.empty()) dest.append("=").append(FDefaultValue);
}

void TgmcParameter::AssignTo(TPersistent& dest) const {
    TgmcVar::AssignTo(dest);
    if (auto* target = dynamic_cast<TgmcParameter*>(&dest)) {
        target->SetCategory(FCategory);
        target->SetDefaultValue(FDefaultValue);
    }
}

// TgmcParameters

void TgmcParameters::AppendSrcCode(std::string& dest, int indent, std::string_view separator) const {
    AppendSection(dest, "(", ")", indent, separator);
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

void TgmcMethod::AppendHeading(std::string& dest, bool qualified) const {
    if (FClassMethod) dest.append("class ");
    dest.append(MethodCategoryWord(FCategory)).push_back(' ');
    if (qualified && FOwnerClass) dest.append(FOwnerClass->GetName()).push_back('.');
    dest.append(GetName());
    FParameters.AppendSrcCode(dest, 0, ";");
    if (!DataType().GetName().empty()) dest.append(":").append(DataType().GetName());
}

void TgmcMethod::AppendSrcCode(std::string& dest, int) const {
    AppendHeading(dest, false);
    for (TMethodInheritanceItem item : {miVirtual, miOverride, miOverload, miReintroduce})
        if (FInheritance.Contains(item)) dest.append(";").append(InheritanceWord(item));
    const std::string options = MethodOptionsText(FOptions);
    if (!options.empty()) dest.append(";").append(options);
    if (FInheritance.Contains(miAbstract)) dest.append(";").append(InheritanceWord(miAbstract));
    dest.push_back(';');
    if (FForward) dest.append("forward;");
}

std::string TgmcMethod::ImplementationSrcCode(int indent) const {
    return TextOf([&](std::string& text) { AppendImplementation(text, indent); });
}

void TgmcMethod::AppendImplementation(std::string& dest, int indent) const {
    if (FInheritance.Contains(miAbstract)) return;
    const std::size_t from = dest.size();
    AppendHeading(dest, true);
    dest.push_back(';');
    // Wrapping on: a heading longer than 80 characters is followed by an empty line.
    AppendSeparatedWith(dest, from, kCrLf, 0, true, [&](std::string& text) {
        FMethodImplementation.LocalVars().AppendSrcCode(text, indent, kCrLf);
    });
    AppendSeparatedFrom(dest, from, "begin", kCrLf);
    const std::string blanks = Blanks(indent);
    AppendSeparatedWith(dest, from, kCrLf, 0, false, [&](std::string& text) {
        text.append(blanks);
        AppendIndentedLines(text, FMethodImplementation.GetCode(), blanks);
    });
    AppendSeparatedFrom(dest, from, "end;", kCrLf);
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
    return TextOf([&](std::string& text) { AppendVisibility(text, visibility, indent); });
}

void TgmcMemberCollection::AppendVisibility(std::string& dest, TMemberVisibility visibility, int indent) const {
    const std::size_t from = dest.size();
    dest.append(VisibilityWord(visibility));
    const std::size_t membersStart = dest.size();
    for (int i = 0; i < Count(); ++i) {
        const auto* member = static_cast<const TgmcClassMember*>(Item(i));
        if (member->GetVisibility() == visibility)
            AppendSeparatedWith(dest, from, kCrLf, indent, false,
                                [&](std::string& text) { member->AppendSrcCode(text, indent); });
    }
    if (dest.size() == membersStart) dest.resize(from);
}

void TgmcMethods::AppendImplementation(std::string& dest, int indent) const {
    const std::size_t from = dest.size();
    for (int i = 0; i < Count(); ++i)
        AppendSeparatedWith(dest, from, kCrLf, 0, false,
                            [&](std::string& text) { Items(i)->AppendImplementation(text, indent); });
}

void TgmcMethods::ItemAdded(TCollectionItem& item) {
    auto& method = static_cast<TgmcMethod&>(item);
    method.SetForward(FForward);
    method.SetOwnerClass(FOwnerClass);
}

// TgmcSupportedInterface

void TgmcSupportedInterface::AppendSrcCode(std::string& dest, int) const { dest.append(GetName()); }

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

void TgmcClass::AppendSrcCode(std::string& dest, int indent) const {
    constexpr int kLineIndent = 3;
    const std::size_t from = dest.size();
    dest.push_back(' ');
    AppendSeparatedWith(dest, from, kCrLf, kLineIndent, false,
                        [&](std::string& text) { Appellation().AppendCaptionComment(text); });
    AppendSeparator(dest, from, kCrLf, kLineIndent);
    switch (FOption) {
        case cgoClass:
            dest.append(GetName()).append(" = class(").append(FParentClass->GetName());
            AppendEnclosedWith(dest, ",", {},
                               [&](std::string& text) { FSupportedInterfaces->AppendSrcCode(text, indent, ","); });
            dest.push_back(')');
            break;
        case cgoInterface:
            dest.append(GetName()).append(" = interface(").append(FParentClass->GetName()).push_back(')');
            AppendSeparator(dest, from, kCrLf, kLineIndent);
            dest.append("[").append(FInterfaceGUIDIdentifier).push_back(']');
            break;
    }
    // Each collection repeats the visibility word for its own members.
    const TgmcMemberCollection* const memberLists[] = {FFields.get(), FMethods.get(), FProperties.get()};
    for (TMemberVisibility visibility : {mvNone, mvPrivate, mvProtected, mvPublic, mvPublished})
        for (const TgmcMemberCollection* members : memberLists)
            AppendSeparatedWith(dest, from, kCrLf, kLineIndent, false,
                                [&](std::string& text) { members->AppendVisibility(text, visibility, indent); });
    AppendSeparatedFrom(dest, from, "end;", kCrLf, kLineIndent);
}

std::string TgmcClass::ImplementationSrcCode(int indent) const {
    return TextOf([&](std::string& text) { AppendImplementation(text, indent); });
}

void TgmcClass::AppendImplementation(std::string& dest, int indent) const {
    if (FOption == cgoInterface) return;
    const std::size_t from = dest.size();
    dest.append("\r\n{").append(GetName()).append("}\r\n");
    Appellation().AppendCaptionComment(dest);
    dest.append("\r\n\r\n");
    const std::size_t bodiesStart = dest.size();
    FMethods->AppendImplementation(dest, indent);
    if (dest.size() == bodiesStart) dest.resize(from);
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

void TgmcClasses::AppendSrcCode(std::string& dest, int indent, std::string_view separator) const {
    AppendSection(dest, "type\r\n", {}, indent, separator);
}

std::string TgmcClasses::ImplementationSrcCode(int indent) const {
    return TextOf([&](std::string& text) { AppendImplementation(text, indent); });
}

void TgmcClasses::AppendImplementation(std::string& dest, int indent) const {
    const std::size_t from = dest.size();
    for (int i = 0; i < Count(); ++i)
        AppendSeparatedWith(dest, from, kCrLf, 0, false,
                            [&](std::string& text) { Items(i)->AppendImplementation(text, indent); });
}

}  // namespace quillon
