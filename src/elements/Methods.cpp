#include "elements/Methods.h"

#include "elements/RunTimeIdentifiers.h"
#include "elements/DataTypeReferences.h"
#include "elements/ElementMessages.h"
#include "elements/ExternalClasses.h"
#include "elements/RoutineBodies.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "source/TextUtils.h"

namespace quillon {

std::string_view ResultTypeName(TMethodCategory category, const TemgDataType& dataType) {
    return category == mcFunction ? std::string_view(dataType.GetName()) : std::string_view();
}

std::string DataModuleParameterCall(const IElementContext& context, std::string_view alias, std::string_view user,
                                    std::string_view password) {
    if (!HasOwnConnection(context.GetDatabaseSupport()) || !context.GetConnectToHostDB()) return {};
    return context.DataModuleVariable() + ".SetDatabaseParams(" + std::string(alias) + "," + std::string(user) + "," +
           std::string(password) + ");";
}

// TemgParameter

void TemgParameter::PublishProperties(PropertyList& p) {
    TemgDataTypeItem::PublishProperties(p);
    p.Enumeration<TParameterCategory>("Category", &TemgParameter::GetCategory, &TemgParameter::SetCategory,
                                      ParameterCategoryNames, std::nullopt);
    p.String("DefaultValue", &TemgParameter::GetDefaultValue, &TemgParameter::SetDefaultValue);
    p.String("DebugValue", &TemgParameter::GetDebugValue, &TemgParameter::SetDebugValue);
}

std::string TemgParameter::GetDisplayName() const {
    TgmcParameters converted;
    ConvertParameter(converted);
    return converted.Items(0)->SrcCode(0);
}

void TemgParameter::ConvertParameter(TgmcParameters& target) const {
    TgmcParameter* parameter = target.Add();
    parameter->SetAppellation(Appellation());
    parameter->SetCategory(FCategory);
    parameter->SetDefaultValue(FDefaultValue);
    CopyToSource(DataType(), parameter->DataType());
}

void TemgParameter::AssignTo(TPersistent& dest) const {
    TemgDataTypeItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TemgParameter*>(&dest)) {
        target->SetCategory(FCategory);
        target->SetDefaultValue(FDefaultValue);
        target->SetDebugValue(FDebugValue);
    }
}

// TemgParameters

void TemgParameters::ConvertParameters(TgmcParameters& target, bool withInstance) const {
    if (withInstance) AddInstanceParameters(target);
    for (int i = 0; i < Count(); ++i) Items(i)->ConvertParameter(target);
}

std::string TemgParameters::CallList() const {
    std::string names;
    for (int i = 0; i < Count(); ++i) AppendSeparated(names, Items(i)->GetName(), ",");
    return EncloseNonEmpty("(", std::move(names), ")");
}

bool TemgParameters::DefaultsInOrder() const {
    bool defaultSeen = false;
    for (int i = 0; i < Count(); ++i) {
        const bool hasDefault = !Items(i)->GetDefaultValue().empty();
        if (defaultSeen && !hasDefault) return false;
        defaultSeen = defaultSeen || hasDefault;
    }
    return true;
}

void TemgParameters::ForEachReference(const TReferenceVisit& visit, bool exportedMember) const {
    for (int i = 0; i < Count(); ++i) visit(Items(i)->DataType(), exportedMember);
}

void TemgParameters::FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found) {
    for (int i = 0; i < Count(); ++i) FindOrRenameReference(Items(i)->DataType(), oldName, newName, found);
}

// TemgMethod

void TemgMethod::PublishProperties(PropertyList& p) {
    TemgClassItem::PublishProperties(p);
    p.Collection("Parameters", Mutable(&TemgMethod::Parameters));
    p.Enumeration<TMethodCategory>("Category", &TemgMethod::GetCategory, &TemgMethod::SetCategory, MethodCategoryNames,
                                   std::nullopt);
    p.String("Code", &TemgMethod::GetCode, &TemgMethod::SetCode);
}

TemgMethod::TemgMethod() : FParameters(std::make_unique<TemgParameters>(this)) {}

TemgMethod::~TemgMethod() = default;

bool TemgMethod::GetModified() const { return TemgClassItem::GetModified() || FParameters->GetModified(); }

void TemgMethod::SetModified(bool value) {
    TemgClassItem::SetModified(value);
    if (!value) FParameters->SetModified(false);
}

std::string TemgMethod::DeclarationText() const {
    TgmcMethod declaration;
    declaration.SetName(GetName());
    declaration.SetInheritance({miOverride});
    FParameters->ConvertParameters(declaration.Parameters(), false);
    declaration.DataType().SetName(ResultTypeName(FCategory, DataType()));
    declaration.SetCategory(FCategory);
    return declaration.SrcCode(0);
}

void TemgMethod::ForEachReference(const TReferenceVisit& visit) const {
    visit(DataType(), GetExported());
    FParameters->ForEachReference(visit, GetExported());
}

void TemgMethod::FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found) {
    FindOrRenameReference(DataType(), oldName, newName, found);
    FParameters->FindOrRename(oldName, newName, found);
}

TgmcMethod* TemgMethod::AddMethod(TgmcMethods& methods, TgmcFields* fields, const TGenerationTarget& target,
                                  const IElementContext& context, const TemgExternalClasses& externalClasses) const {
    const bool exportedRoutine = target.options.Contains(moExport);
    const bool dsc = HasSetting(isDSC);
    if (!GetExported() && (exportedRoutine || target.kind == TFileKind::ControllerUnit)) return nullptr;
    if (dsc && (exportedRoutine || target.kind == TFileKind::DeveloperServerUnit ||
                target.kind == TFileKind::ControllerUnit))
        return nullptr;

    const std::string& name = GetName();
    TgmcMethod* method = methods.Add();
    method->SetAppellation(Appellation());
    FParameters->ConvertParameters(method->Parameters(), exportedRoutine);
    method->DataType().SetName(ResultTypeName(FCategory, DataType()));
    method->SetCategory(FCategory);
    TMethodInheritance inheritance = target.inheritance;
    method->SetOptions(target.options);
    method->SetVisibility(GetVisibility());
    // The developer's class overrides every method from its own unit, where a private method of
    // the generator's class is out of sight, and the exported routines and the direct controller
    // call exported methods from other units. So in both classes an exported method is at least
    // public, and a private one that is not exported is protected. The design keeps its visibility.
    if (!exportedRoutine &&
        (target.kind == TFileKind::GeneratorServerUnit || target.kind == TFileKind::DeveloperServerUnit)) {
        if (GetExported() && (GetVisibility() == mvPrivate || GetVisibility() == mvProtected))
            method->SetVisibility(mvPublic);
        else if (GetVisibility() == mvPrivate)
            method->SetVisibility(mvProtected);
    }
    std::string code;
    if (!FCode.empty()) {
        code = FCode;
        inheritance.Exclude(miAbstract);
    }

    switch (target.kind) {
        case TFileKind::GeneratorServerUnit:
            if (exportedRoutine) {
                code = ExportWrapperCode(FCategory, target.className, name, FParameters->CallList(), true);
            } else if (HasSetting(isSetDatabaseParams)) {
                inheritance.Exclude(miAbstract);
                if (fields)
                    for (const char* field : {"FAliasName", "FUserName", "FPassword"}) {
                        TgmcField* added = fields->Add();
                        added->SetName(field);
                        added->DataType().SetName("string");
                        added->SetVisibility(mvProtected);
                    }
                code = DataModuleParameterCall(context, "aAliasName", "aUserName", "aPassword");
                AppendSeparated(code, "FAliasName:=aAliasName;\r\nFUserName:=aUserName;\r\nFPassword:=aPassword;",
                                kCrLf);
                AppendSeparated(code, DatabaseParamsCode(externalClasses, context), kCrLf);
            } else if (FCode.empty()) {
                inheritance.Exclude(miAbstract);
                code = "raise " + rtl::Exception + ".Create('" + Format(kOverrideMethodMessage, target.className, name) + "');";
            }
            if (IsComOption(context.GetServerOption())) method->SetOptions({moSafeCall});
            break;
        case TFileKind::DeveloperServerUnit:
            // The developer's unit is written once: a method with code of its own runs the
            // generated implementation instead of keeping a copy that later edits would miss.
            if (HasSetting(isSetDatabaseParams))
                code = "inherited;";
            else if (SameText(name, "AfterInitInstance"))
                code = "{" + std::string(kAfterInitInstanceComment) + "}";
            else if (!FCode.empty())
                code = FCategory == mcFunction ? "Result:=inherited " + name + FParameters->CallList() + ";"
                                               : "inherited;";
            break;
        case TFileKind::ControllerUnit:
            code = context.GetServerOption() == moServerInDll ? AddLibraryCall(*method)
                                                              : CallExpression(target.instanceExpr, true);
            break;
        case TFileKind::InterfaceUnit:
            method->SetVisibility(mvNone);
            method->SetOptions({moSafeCall});
            break;
        default:
            break;
    }
    method->SetInheritance(inheritance);
    method->MethodImplementation().SetCode(code);
    return method;
}

void TemgMethod::AddExportEntry(TgmcExportMethods& target) const {
    if (ReachesHost()) target.Add()->SetAppellation(Appellation());
}

void TemgMethod::AddFunctionPointerField(TgmcFields& target) const {
    if (!ReachesHost()) return;
    TgmcField* field = target.Add();
    field->SetName("F" + GetName() + "Method");
    field->DataType().SetName("T" + GetName() + "Method");
}

void TemgMethod::AddFunctionPointerType(TgmcProceduralTypes& target) const {
    if (!ReachesHost()) return;
    TgmcProceduralType* type = target.Add();
    type->SetName(Format("T%sMethod", GetName()));
    type->SetMethodCategory(FCategory);
    type->ResultType().SetName(ResultTypeName(FCategory, DataType()));
    type->SetOptions({moStdCall});
    FParameters->ConvertParameters(type->Parameters(), true);
}

std::string TemgMethod::CallExpression(std::string_view instanceExpr, bool withResult) const {
    std::string call = GetName() + FParameters->CallList() + ";";
    if (!instanceExpr.empty()) call = std::string(instanceExpr) + "." + call;
    if (withResult && FCategory == mcFunction) call = "Result:=" + call;
    return call;
}

void TemgMethod::AssignTo(TPersistent& dest) const {
    TemgClassItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TemgMethod*>(&dest)) {
        target->SetParameters(*FParameters);
        target->SetCategory(FCategory);
        target->SetCode(FCode);
    }
}

// TemgMethods

void TemgMethods::ForEachReference(const TReferenceVisit& visit) const {
    for (int i = 0; i < Count(); ++i) Items(i)->ForEachReference(visit);
}

void TemgMethods::FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found) {
    for (int i = 0; i < Count(); ++i) Items(i)->FindOrRename(oldName, newName, found);
}

void TemgMethods::AddMethods(TgmcMethods& methods, TgmcFields* fields, const TGenerationTarget& target,
                             const IElementContext& context, const TemgExternalClasses& externalClasses) const {
    for (int i = 0; i < Count(); ++i) Items(i)->AddMethod(methods, fields, target, context, externalClasses);
}

void TemgMethods::AddExportEntries(TgmcExportMethods& target) const {
    for (int i = 0; i < Count(); ++i) Items(i)->AddExportEntry(target);
}

void TemgMethods::AddFunctionPointerFields(TgmcFields& target) const {
    for (int i = 0; i < Count(); ++i) Items(i)->AddFunctionPointerField(target);
}

void TemgMethods::AddFunctionPointerTypes(TgmcProceduralTypes& target) const {
    for (int i = 0; i < Count(); ++i) Items(i)->AddFunctionPointerType(target);
}

}  // namespace quillon
