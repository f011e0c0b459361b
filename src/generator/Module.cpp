#include "generator/Module.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <optional>

#include "elements/ElementMessages.h"
#include "elements/RunTimeIdentifiers.h"
#include "generator/DebugApplicationUnits.h"
#include "generator/GeneratorMessages.h"
#include "generator/WrittenValues.h"
#include "model/Collection.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/TextIndex.h"

namespace quillon {

TemgModuleConnection::TemgModuleConnection() { SetLoginPrompt(false); SetModified(false); }

void TemgModule::PublishProperties(PropertyList& p) {
    TBaseModel::PublishProperties(p);
    p.Object("Appellation", Mutable(&TemgModule::Appellation));
    p.Object("MainClass", Mutable(&TemgModule::MainClass));
    p.Collection("ProceduralTypes", Mutable(&TemgModule::ProceduralTypes));
    p.Collection("EnumTypes", Mutable(&TemgModule::EnumTypes));
    p.Collection("RegisteredDataTypes", Mutable(&TemgModule::RegisteredDataTypes));
    p.Boolean("InterfaceSupport", &TemgModule::GetInterfaceSupport, &TemgModule::SetInterfaceSupport, true);
    p.Collection("DebugApplications", Mutable(&TemgModule::DebugApplications));
    p.Enumeration<TServerOption>("ServerOption", &TemgModule::GetServerOption, &TemgModule::SetServerOption,
                                 ServerOptionNames, moServerInDll);
    p.Boolean("LibraryPathSameExe", &TemgModule::GetLibraryPathSameExe, &TemgModule::SetLibraryPathSameExe,
              std::nullopt);
    p.String("SrcPath", &TemgModule::GetSrcPath, &TemgModule::SetSrcPath);
    p.Collection("AddUnits", Mutable(&TemgModule::AddUnits));
    p.Set<TDatabaseSupportComponent>("DatabaseSupport", &TemgModule::GetDatabaseSupport,
                                     &TemgModule::SetDatabaseSupport, DatabaseSupportComponentNames, std::nullopt);
    p.Collection("CopyFiles", Mutable(&TemgModule::CopyFiles));
    p.Boolean("ShareMemSupport", &TemgModule::GetShareMemSupport, &TemgModule::SetShareMemSupport, true);
    p.Boolean("SetDatabaseParamsSupport", &TemgModule::GetSetDatabaseParamsSupport,
              &TemgModule::SetSetDatabaseParamsSupport, std::nullopt);
    p.String("DatabaseName", &TemgModule::GetDatabaseName, &TemgModule::SetDatabaseName);
    p.String("DataModuleName", &TemgModule::GetDataModuleName, &TemgModule::SetDataModuleName);
    p.Object("Connection", Mutable(&TemgModule::Connection));
    p.Boolean("ConnectToHostDB", &TemgModule::GetConnectToHostDB, &TemgModule::SetConnectToHostDB, true);
}

TemgModule::TemgModule()
    : FAppellation(std::make_unique<TgmcAppellation>()),
      FMainClass(std::make_unique<TemgClass>()),
      FProceduralTypes(std::make_unique<TemgProceduralTypes>(this)),
      FEnumTypes(std::make_unique<TgmcEnumTypes>(this)),
      FRegisteredDataTypes(std::make_unique<TemgRegisteredDataTypes>(this)),
      FDebugApplications(std::make_unique<TemgDebugApplications>(this)),
      FUnits(std::make_unique<TUnitsManagerCollection>(*this)),
      FAddUnits(std::make_unique<TemgAddUnits>(this)),
      FCopyFiles(std::make_unique<TCopyFileCollection>(this)),
      FConnection(std::make_unique<TemgModuleConnection>()) {
    FDebugApplications->SetModule(this);
    for (TFileKind kind : {TFileKind::GeneratorServerUnit, TFileKind::DeveloperServerUnit, TFileKind::InterfaceUnit,
                           TFileKind::LibraryProject, TFileKind::ControllerUnit, TFileKind::TypesUnit,
                           TFileKind::DatabaseSupportController, TFileKind::DataModuleUnit})
        FUnits->AddKind(kind);
}

TemgModule::~TemgModule() = default;

void TemgModule::SetMainClass(const TemgClass& value) {
    FMainClass->Assign(value);
    FAppellation->Assign(FMainClass->Appellation());
}

void TemgModule::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TemgModule*>(&source);
    if (!other) return;
    SetMainClass(other->MainClass());
    SetEnumTypes(other->EnumTypes());
    SetProceduralTypes(other->ProceduralTypes());
    SetRegisteredDataTypes(other->RegisteredDataTypes());
    SetInterfaceSupport(other->GetInterfaceSupport());
    SetAppellation(other->Appellation());
    SetDebugApplications(other->DebugApplications());
    SetServerOption(other->GetServerOption());
    SetSrcPath(other->GetSrcPath());
    SetAddUnits(other->AddUnits());
    SetDatabaseSupport(other->GetDatabaseSupport());
    SetCopyFiles(other->CopyFiles());
    SetShareMemSupport(other->GetShareMemSupport());
    SetSetDatabaseParamsSupport(other->GetSetDatabaseParamsSupport());
    SetDatabaseName(other->GetDatabaseName());
    SetDataModuleName(other->GetDataModuleName());
    SetConnection(other->Connection());
    SetConnectToHostDB(other->GetConnectToHostDB());
}

bool TemgModule::GetModified() const {
    return FModified || FMainClass->GetModified() || FAppellation->GetModified() ||
           FRegisteredDataTypes->GetModified() || FEnumTypes->GetModified() || FProceduralTypes->GetModified() ||
           FDebugApplications->GetModified() || FAddUnits->GetModified() || FCopyFiles->GetModified() ||
           FConnection->GetModified();
}

void TemgModule::SetModified(bool value) {
    FModified = value;
    if (value) return;
    FMainClass->SetModified(false);
    FAppellation->SetModified(false);
    FRegisteredDataTypes->SetModified(false);
    FEnumTypes->SetModified(false);
    FProceduralTypes->SetModified(false);
    FDebugApplications->SetModified(false);
    FAddUnits->SetModified(false);
    FCopyFiles->SetModified(false);
    FConnection->SetModified(false);
}

// Derived names

std::string TemgModule::GeneratorUnitName() const { return "gen" + MainClassName(); }
std::string TemgModule::GeneratorClassName() const { return "Tgen" + MainClassName(); }
std::string TemgModule::DeveloperUnitName() const { return "dev" + MainClassName(); }
std::string TemgModule::DeveloperClassName() const { return "Tdev" + MainClassName(); }
std::string TemgModule::InterfaceUnitName() const { return "intf" + MainClassName(); }
std::string TemgModule::InterfaceTypeName() const { return "I" + MainClassName(); }
std::string TemgModule::ClassIdentifierName() const { return FMainClass->ClassIdentifierName(); }
std::string TemgModule::ControllerUnitName() const { return "cntr" + MainClassName(); }
std::string TemgModule::ControllerClassName() const { return "Tcntr" + MainClassName(); }
std::string TemgModule::DatabaseSupportControllerUnitName() const { return MainClassName(); }
std::string TemgModule::DatabaseSupportControllerClassName() const { return "T" + MainClassName(); }
std::string TemgModule::LibraryFileNameConstant() const { return MainClassName() + "DllName"; }
std::string TemgModule::LibraryFileNameLiteral() const { return "'" + MainClassName() + ".dll'"; }
std::string TemgModule::LibraryProjectName() const { return MainClassName(); }
std::string TemgModule::DataModuleUnitName() const { return "gen_dmu" + FDataModuleName; }
std::string TemgModule::DataModuleClassName() const { return "Tgen_dm" + FDataModuleName; }
std::string TemgModule::DataModuleFormName() const { return "gen_dm" + FDataModuleName; }
std::string TemgModule::DataModuleVariable() const { return "dm" + FDataModuleName; }

int TemgModule::ImageIndex() const {
    switch (FServerOption) {
        case moServerInDll: return 21;
        case moDirectUsesServer: return 5;
        case moComServerInDll: return 22;
        case moComServer: return 28;
    }
    return -1;
}

// Generated files

std::string TemgModule::KindFileName(TFileKind kind) const {
    switch (kind) {
        case TFileKind::GeneratorServerUnit: return GeneratorUnitName() + ".pas";
        case TFileKind::DeveloperServerUnit: return DeveloperUnitName() + ".pas";
        case TFileKind::InterfaceUnit: return InterfaceUnitName() + ".pas";
        case TFileKind::LibraryProject: return LibraryProjectName() + ".dpr";
        case TFileKind::ControllerUnit: return ControllerUnitName() + ".pas";
        // The common types module's types unit bears the generator's unit name.
        case TFileKind::TypesUnit: return GeneratorUnitName() + ".pas";
        case TFileKind::DatabaseSupportController: return DatabaseSupportControllerUnitName() + ".pas";
        case TFileKind::DataModuleUnit: return DataModuleUnitName() + ".pas";
        case TFileKind::DebugProjectUnit:
        case TFileKind::DebugFormGeneratorUnit:
        case TFileKind::DebugFormDeveloperUnit:
        case TFileKind::UnitsGroup:
        case TFileKind::ProjectGroup: return {};
    }
    return {};
}

std::string TemgModule::KindFormFileName(TFileKind kind) const {
    return kind == TFileKind::DataModuleUnit ? DataModuleUnitName() + ".dfm" : std::string();
}

std::string TemgModule::ProjectOptionsFileName() const { return LibraryProjectName() + ".dof"; }

std::string TemgModule::LibraryFileName(std::string_view projectSrcPath) const {
    return OutputDirectory(projectSrcPath) + LibraryProjectName() + ".dll";
}

std::string TemgModule::OutputDirectory(std::string_view projectSrcPath) const {
    return ExpandOutputDirectory(FSrcPath, projectSrcPath);
}

std::string TemgModule::UnitFileName(TFileKind kind, std::string_view basePath) const {
    std::string name = KindFileName(kind);
    if (name.empty() || basePath.empty()) return name;
    return OutputDirectory(basePath) + name;
}

// Types

const TgmcAppellation* TemgModule::FindTypeAppellation(std::string_view name) const {
    if (const TemgProceduralType* type = FProceduralTypes->Find(name)) return &type->Appellation();
    for (int i = 0; i < FEnumTypes->Count(); ++i)
        if (SameText(FEnumTypes->Items(i)->GetName(), name)) return &FEnumTypes->Items(i)->Appellation();
    if (const TemgRegisteredDataType* type = FRegisteredDataTypes->Find(name)) return &type->Appellation();
    return nullptr;
}

std::string TemgModule::FindTypeCaption(std::string_view name) const {
    const TgmcAppellation* appellation = FindTypeAppellation(name);
    return appellation ? appellation->GetCaption() : std::string();
}

TemgRegisteredDataType& TemgModule::CreateRegisteredType(std::string_view name, std::string_view caption,
                                                         std::string_view unitName, bool procedural) {
    TemgRegisteredDataType& type = *FRegisteredDataTypes->Add();
    type.SetName(name);
    type.SetCaption(caption);
    type.SetModuleName(unitName);
    type.SetProceduralType(procedural);
    type.SetModified(true);
    return type;
}

TgmcEnumType& TemgModule::CreateEnumType(std::string_view name, std::string_view caption,
                                         const std::vector<std::string>& values) {
    TgmcEnumType& type = *FEnumTypes->Add();
    type.SetName(name);
    type.SetCaption(caption);
    for (const std::string& value : values) type.Values().Add()->SetName(value);
    type.SetModified(true);
    return type;
}

TemgProceduralType& TemgModule::CreateProceduralType(std::string_view name, std::string_view caption,
                                                     const TemgDataType& resultType,
                                                     const TemgParameters& parameters, TMethodCategory category) {
    TemgProceduralType& type = *FProceduralTypes->Add();
    type.SetName(name);
    type.SetCaption(caption);
    type.SetDataType(resultType);
    type.SetParameters(parameters);
    type.SetMethodCategory(category);
    type.SetModified(true);
    return type;
}

bool TemgModule::IsTypeNameUnique(std::string_view name, const TPersistent* except) const {
    for (TModifiedCollection* types : {static_cast<TModifiedCollection*>(FRegisteredDataTypes.get()),
                                       static_cast<TModifiedCollection*>(FEnumTypes.get()),
                                       static_cast<TModifiedCollection*>(FProceduralTypes.get())})
        if (!IsTextUnique(types, except, name, 0)) return false;
    return true;
}

// The types by name and the enumerated types by value name, each name to its first type in order,
// and the main class's scope.
struct TemgModule::Index {
    // Tables sized for the module's types and values, which the check's index fills at once: growing
    // them name by name rewrote each table several times.
    explicit Index(const TemgModule& module)
        : types(module.EnumTypes().Count()), registered(module.RegisteredDataTypes().Count()),
          procedural(module.ProceduralTypes().Count()), values(ValueCount(module)) {}
    static std::size_t ValueCount(const TemgModule& module) {
        std::size_t count = 0;
        for (int i = 0; i < module.EnumTypes().Count(); ++i) count += module.EnumTypes().Items(i)->Values().Count();
        return count;
    }

    // Whether the module declares a registered, enumerated or procedural type `name` (whose tag is
    // `tag`): the name check asks it for every enumeration value and method pointer type of this
    // module and of every module after it. The name is hashed once for the three tables, and
    // their filters answer for most names.
    bool DeclaresType(std::string_view name, std::uint32_t tag) const {
        return types.Contains(name, tag) || registered.Contains(name, tag) || procedural.Contains(name, tag);
    }

    TextMap<const TgmcEnumType*> types;
    TextMap<const TemgRegisteredDataType*> registered;
    TextMap<const TemgProceduralType*> procedural;
    TextMap<const TgmcEnumType*> values;
    // For each value in the order of the types and their values: whether an earlier one has its name.
    std::vector<bool> repeatedValues;
    // Built on first use, whole, once: generation's threads share the first module's.
    std::once_flag scopeOnce;
    std::shared_ptr<const ClassScope> scope;
    // ValuesNameUndeclared's answer for the first module it was asked with.
    std::once_flag valuesOnce;
    const TemgModule* valuesFirst = nullptr;
    bool valuesNameUndeclared = false;
};

namespace {

// Adds the names of the registered, enumerated and procedural types `module` declares.
void AddTypeNames(const TemgModule& module, TextMap<bool>& names) {
    for (int i = 0; i < module.RegisteredDataTypes().Count(); ++i)
        names.Add(module.RegisteredDataTypes().Items(i)->GetName(), true);
    for (int i = 0; i < module.EnumTypes().Count(); ++i) names.Add(module.EnumTypes().Items(i)->GetName(), true);
    for (int i = 0; i < module.ProceduralTypes().Count(); ++i)
        names.Add(module.ProceduralTypes().Items(i)->GetName(), true);
}

}  // namespace

TemgModule::IndexScope::IndexScope(const std::vector<const TemgModule*>& modules) {
    for (const TemgModule* module : modules) {
        if (module->FIndex) continue;
        auto index = std::make_unique<Index>(*module);
        const TgmcEnumTypes& types = module->EnumTypes();
        for (int i = 0; i < types.Count(); ++i) {
            const TgmcEnumType* type = types.Items(i);
            index->types.Add(type->GetName(), type);
            for (int j = 0; j < type->Values().Count(); ++j)
                index->repeatedValues.push_back(!index->values.Add(type->Values().Items(j)->GetName(), type));
        }
        const TemgRegisteredDataTypes& registered = module->RegisteredDataTypes();
        for (int i = 0; i < registered.Count(); ++i) index->registered.Add(registered.Items(i)->GetName(), registered.Items(i));
        const TemgProceduralTypes& procedural = module->ProceduralTypes();
        for (int i = 0; i < procedural.Count(); ++i) index->procedural.Add(procedural.Items(i)->GetName(), procedural.Items(i));
        module->FIndex = std::move(index);
        indexed_.push_back(module);
    }
}

TemgModule::IndexScope::~IndexScope() {
    for (const TemgModule* module : indexed_) module->FIndex.reset();
}

std::shared_ptr<const ClassScope> TemgModule::MainClassScope() const {
    if (!FIndex) return std::make_shared<const ClassScope>(*FMainClass);
    std::call_once(FIndex->scopeOnce, [&] {
        auto scope = std::make_shared<const ClassScope>(*FMainClass);
        scope->Gather();
        FIndex->scope = std::move(scope);
    });
    return FIndex->scope;
}

bool TemgModule::ValuesNameUndeclared(const TemgModule* first) const {
    if (!FIndex) return DesignValuesNameUndeclared(*this, first);
    std::call_once(FIndex->valuesOnce, [&] {
        FIndex->valuesFirst = first;
        FIndex->valuesNameUndeclared = DesignValuesNameUndeclared(*this, first);
    });
    return FIndex->valuesFirst == first ? FIndex->valuesNameUndeclared : DesignValuesNameUndeclared(*this, first);
}

const TemgRegisteredDataType* TemgModule::RegisteredTypeNamed(std::string_view name) const {
    return FIndex ? FIndex->registered.ValueOf(name) : FRegisteredDataTypes->Find(name);
}

const TemgProceduralType* TemgModule::ProceduralTypeNamed(std::string_view name) const {
    return FIndex ? FIndex->procedural.ValueOf(name) : FProceduralTypes->Find(name);
}

const TgmcEnumType* TemgModule::FindEnumType(std::string_view name) const {
    if (FIndex) return FIndex->types.ValueOf(name);
    for (int i = 0; i < FEnumTypes->Count(); ++i)
        if (SameText(FEnumTypes->Items(i)->GetName(), name)) return FEnumTypes->Items(i);
    return nullptr;
}

const TgmcEnumType* TemgModule::FindEnumTypeOfValue(std::string_view name) const {
    if (FIndex) return FIndex->values.ValueOf(name);
    for (int i = 0; i < FEnumTypes->Count(); ++i) {
        const TgmcEnumValues& values = FEnumTypes->Items(i)->Values();
        for (int j = 0; j < values.Count(); ++j)
            if (SameText(values.Items(j)->GetName(), name)) return FEnumTypes->Items(i);
    }
    return nullptr;
}

std::vector<std::string> TemgModule::TypeValues(std::string_view typeName) const {
    if (SameText(typeName, "Boolean")) return {"True", "False"};
    const TgmcEnumType* type = FindEnumType(typeName);
    if (!type && FResolver)
        if (const TemgModule* first = FResolver->GetFirstModule()) type = first->FindEnumType(typeName);
    std::vector<std::string> values;
    if (type)
        for (int i = 0; i < type->Values().Count(); ++i) values.push_back(type->Values().Items(i)->GetName());
    return values;
}

namespace {

// Appends the types of one module in look-up order (procedural, enumerated, registered).
void AppendKnownTypes(const TemgModule& module, std::vector<TemgModule::TKnownType>& types) {
    const TemgProceduralTypes& procedural = module.ProceduralTypes();
    for (int i = 0; i < procedural.Count(); ++i) types.push_back({procedural.Items(i)->GetName(), dtProcedural});
    const TgmcEnumTypes& enums = module.EnumTypes();
    for (int i = 0; i < enums.Count(); ++i) types.push_back({enums.Items(i)->GetName(), dtEnum});
    const TemgRegisteredDataTypes& registered = module.RegisteredDataTypes();
    for (int i = 0; i < registered.Count(); ++i) {
        const TemgRegisteredDataType& type = *registered.Items(i);
        types.push_back({type.GetName(), type.GetProceduralType() ? dtRegisteredProcedural : dtRegistered});
    }
}

}  // namespace

std::vector<TemgModule::TKnownType> TemgModule::KnownTypes() const {
    std::vector<TKnownType> all;
    AppendKnownTypes(*this, all);
    if (FResolver)
        if (const TemgModule* first = FResolver->GetFirstModule(); first && first != this) AppendKnownTypes(*first, all);
    // Stable: among equal names the first found (this module's) stays.
    std::stable_sort(all.begin(), all.end(), [](const TKnownType& a, const TKnownType& b) {
        return CompareText(a.name, b.name) < 0;
    });
    all.erase(std::unique(all.begin(), all.end(),
                          [](const TKnownType& a, const TKnownType& b) { return SameText(a.name, b.name); }),
              all.end());
    return all;
}

TemgModule::TKnownType TemgModule::FindKnownType(std::string_view name) const {
    std::vector<TKnownType> found;
    AppendKnownTypes(*this, found);
    if (FResolver)
        if (const TemgModule* first = FResolver->GetFirstModule(); first && first != this) AppendKnownTypes(*first, found);
    for (const TKnownType& type : found)
        if (SameText(type.name, name)) return type;
    return {};
}

// Common types and class modules

namespace {

// The fixed forms of the system methods, as the class gets them.
void MakeAfterInitInstance(TemgMethod& method) {
    method.SetName(kAfterInitInstance);
    method.SetSettings({isSystemItem});
    method.SetExported(true);
    method.SetCategory(mcProcedure);
    method.SetVisibility(mvPublic);
}

void MakeFactoryMethod(TemgMethod& method, const TDatasetFactory& factory) {
    method.SetName(factory.factoryMethod);
    method.SetCategory(mcFunction);
    method.DataType().SetName(factory.datasetClass);
    method.DataType().SetCategory(dtRegistered);
    method.SetCode("Result:=" + std::string(factory.routineVariable) + "();");
    method.SetSettings({isSystemItem, isDSC});
}

void MakeSetDatabaseParams(TemgMethod& method) {
    method.SetName(kSetDatabaseParams);
    method.SetCategory(mcProcedure);
    for (const char* name : {"aAliasName", "aUserName", "aPassword"}) {
        TemgParameter& parameter = *method.Parameters().Add();
        parameter.SetName(name);
        parameter.SetCategory(pcConst);
        parameter.DataType().SetName("String");
    }
    method.SetSettings({isSystemItem, isSetDatabaseParams});
}

}  // namespace

std::vector<std::unique_ptr<TemgMethod>> TemgModule::SystemMethods(bool classModule) const {
    std::vector<std::unique_ptr<TemgMethod>> methods;
    const auto add = [&] { return methods.emplace_back(std::make_unique<TemgMethod>()).get(); };
    if (classModule) MakeAfterInitInstance(*add());
    for (const TDatasetFactory& factory : kDatasetFactories)
        if (FDatabaseSupport.Contains(factory.component)) MakeFactoryMethod(*add(), factory);
    if (HasOwnConnection()) MakeSetDatabaseParams(*add());
    return methods;
}

void TemgModule::MarkClassModule(bool classModule) {
    TemgMethods& methods = FMainClass->Methods();
    KeepDatabaseSystemItems();
    if (classModule) {
        if (!FindItemByText(&methods, kAfterInitInstance)) MakeAfterInitInstance(*methods.Add());
        return;
    }
    bool removed = false;
    for (int i = methods.Count() - 1; i >= 0; --i)
        if (SameText(methods.Items(i)->GetName(), kAfterInitInstance)) {
            methods.Delete(i);
            removed = true;
        }
    if (removed) methods.SetModified(true);
}

void TemgModule::SetDatabaseSupport(TDatabaseSupport value) {
    if (FDatabaseSupport == value) return;
    SetField(FDatabaseSupport, value);
    KeepDatabaseSystemItems();
}

namespace {

// Removes every item of `collection` named `name` that carries `setting`; true when one went.
template <class Collection>
bool RemoveSystemItems(Collection& collection, std::string_view name, TItemSetting setting) {
    bool removed = false;
    for (int i = collection.Count() - 1; i >= 0; --i)
        if (collection.Items(i)->HasSetting(setting) && SameText(collection.Items(i)->GetName(), name)) {
            collection.Delete(i);
            removed = true;
        }
    return removed;
}

}  // namespace

void TemgModule::KeepDatabaseSystemItems() {
    TemgProperties& events = FMainClass->Events();
    TemgMethods& methods = FMainClass->Methods();
    const TItemSettings datasetSettings{isSystemItem, isDSC};
    for (const TDatasetFactory& factory : kDatasetFactories) {
        if (FDatabaseSupport.Contains(factory.component)) {
            if (!FindItemByText(&events, factory.routineVariable)) {
                TemgProperty& event = *events.Add();
                event.SetName(factory.routineVariable);
                event.DataType().SetName(factory.routineType);
                event.DataType().SetCategory(dtProcedural);
                event.SetSettings(datasetSettings);
            }
            if (!FindItemByText(&methods, factory.factoryMethod)) MakeFactoryMethod(*methods.Add(), factory);
        } else {
            if (RemoveSystemItems(events, factory.routineVariable, isDSC)) events.SetModified(true);
            if (RemoveSystemItems(methods, factory.factoryMethod, isDSC)) methods.SetModified(true);
        }
    }
    if (HasOwnConnection()) {
        if (!FindItemByText(&methods, kSetDatabaseParams)) MakeSetDatabaseParams(*methods.Add());
    } else if (RemoveSystemItems(methods, kSetDatabaseParams, isSetDatabaseParams)) {
        methods.SetModified(true);
    }
}

void TemgModule::MakeCommonTypesModule() {
    FMainClass->SetName(kCommonTypesName);
    FAppellation->Assign(FMainClass->Appellation());
    AddBuiltInRegisteredTypes(*FRegisteredDataTypes);
    AddSystemProceduralTypes(*FProceduralTypes);
    MarkClassModule(false);
}

// Element context

const IElementContext* TemgModule::GetFirstModule() const { return FResolver ? FResolver->GetFirstModule() : nullptr; }

const IElementContext* TemgModule::FindModule(std::string_view className) const {
    return FResolver ? FResolver->FindModule(className) : nullptr;
}

}  // namespace quillon

namespace quillon {

// --- Names and types generated code needs ------------------------------------------------------

std::vector<std::string> TemgModule::TypeUnitNames(const IModuleResolver* resolver) const {
    if (!resolver) resolver = FResolver;
    std::vector<std::string> units;
    const auto collect = [&](const TemgRegisteredDataTypes& types) {
        for (int i = 0; i < types.Count(); ++i)
            if (const std::string& unit = types.Items(i)->GetModuleName(); !unit.empty()) units.push_back(unit);
    };
    collect(*FRegisteredDataTypes);
    if (const TemgModule* first = resolver ? resolver->GetFirstModule() : nullptr; first && first != this)
        collect(first->RegisteredDataTypes());
    return units;
}

namespace {

// What takes `name` as the name of the program of `application`, a debug application of `module`.
// A design whose program cannot be built yet (a type or class it refers to is missing, which
// generation reports) is judged by the module's own units.
std::string DebugProgramNameTaker(const TemgDebugApplication& application, const TemgModule& module,
                                  std::string_view name, const IModuleResolver* resolver) {
    std::vector<std::string> units;
    try {
        if (resolver) {
            // Whether the program names the added units set aside changes the answer only for a
            // name of one of them.
            std::vector<std::string> setAside;
            units = DebugProgramUnits(application, module, *resolver, &setAside);
            if (std::any_of(setAside.begin(), setAside.end(), [&](const std::string& unit) { return SameText(unit, name); }))
                units = DebugProgramUnits(application, module, *resolver);
        }
    } catch (const Exception&) {
        units.clear();
    }
    if (units.empty()) {
        units = module.TypeUnitNames(resolver);
        for (std::string unit : {module.ControllerUnitName(), module.DatabaseSupportControllerUnitName(),
                                 module.GeneratorUnitName(), module.DeveloperUnitName(), module.InterfaceUnitName()})
            units.push_back(std::move(unit));
    }
    return ProgramNameTaker(name, units);
}

}  // namespace

std::vector<std::string> TemgModule::DebugFormUnitNames(const IModuleResolver* resolver,
                                                        std::vector<std::string>* setAside) const {
    std::vector<std::string> units;
    if (!resolver) return units;
    for (int i = 0; i < FDebugApplications->Count(); ++i) {
        // A design whose form cannot be built yet (a type it refers to is missing, which
        // generation reports) adds no units.
        try {
            for (std::string& unit : DebugGeneratorFormUnits(*FDebugApplications->Items(i), *this, *resolver, setAside))
                units.push_back(std::move(unit));
        } catch (const Exception&) {
        }
    }
    return units;
}

std::string TemgModule::TakenNameMessage(const TPersistent* element, std::string_view name) const {
    std::string taker;
    if (element == this)
        taker = ModuleNameTaker(name);
    else if (dynamic_cast<const TemgClassItem*>(element) || dynamic_cast<const TemgExternalClass*>(element))
        taker = GeneratedMemberTaker(*FMainClass, element, name);
    else if (const auto* application = dynamic_cast<const TemgDebugApplication*>(element))
        taker = DebugProgramNameTaker(*application, *this, name, FResolver);
    return taker.empty() ? std::string() : Format(kNameTaken, name, taker);
}

std::string TemgModule::ModuleNameTaker(std::string_view name, const IModuleResolver* resolver) const {
    std::string taker = UnitNameTaker(name, TypeUnitNames(resolver));
    const IModuleResolver* modules = resolver ? resolver : FResolver;
    // A class module's unit declares the class T + its name, which would hide the type of that
    // name in every unit that uses it (a module FreeInstance hid the controller's TFreeInstance).
    if (taker.empty() && (!modules || modules->GetFirstModule() != this))
        if (const std::string type = GeneratedTypeTaker("T" + std::string(name), nullptr); !type.empty())
            taker = type + ", which the module's class would be named";
    return taker;
}

std::string TemgModule::GeneratedTypeTaker(std::string_view name, const IModuleResolver* resolver) {
    for (std::string_view type : GeneratedCodeTypes())
        if (SameText(type, name)) return "the type " + std::string(type);
    if (!resolver) return {};
    const TemgModule* first = resolver->GetFirstModule();
    // The names derived from a class module's N: the prefix, then N. T + N is taken even without
    // database support: a debug application's form creates its controller of that class.
    struct Derived {
        std::string_view prefix;
        std::string_view what;
        std::string (TemgModule::*name)() const;
    };
    static constexpr std::array<Derived, 6> kDerived{{
        {"Tgen", "the generator class ", &TemgModule::GeneratorClassName},
        {"Tdev", "the developer class ", &TemgModule::DeveloperClassName},
        {"Tcntr", "the controller class ", &TemgModule::ControllerClassName},
        {"I", "the interface type ", &TemgModule::InterfaceTypeName},
        {"Class_", "the class identifier ", &TemgModule::ClassIdentifierName},
        {"T", "the database support controller class ", &TemgModule::DatabaseSupportControllerClassName},
    }};
    for (const Derived& derived : kDerived) {
        if (name.size() <= derived.prefix.size() || !SameText(name.substr(0, derived.prefix.size()), derived.prefix))
            continue;
        const TemgModule* module = resolver->FindModule(name.substr(derived.prefix.size()));
        if (!module || module == first) continue;
        return std::string(derived.what) + (module->*derived.name)();
    }
    return {};
}

void TemgModule::ForEachNameFault(const NameFaultReport& report, const IModuleResolver* resolver) const {
    // The class's name is the module's: the units and classes generated code declares derive from it.
    const std::string& name = MainClassName();
    const IModuleResolver* types = resolver ? resolver : FResolver;
    const TemgModule* first = types ? types->GetFirstModule() : nullptr;
    if (const std::string fault = NameFault(name, ModuleNameTaker(name, resolver)); !fault.empty())
        report(*this, fault);
    const auto check = [&](const TPersistent& element, const std::string& name) {
        if (const std::string fault = NameFault(name); !fault.empty()) report(element, fault);
    };
    // A type the module declares may not hide or repeat a type that generated code names.
    // Asked for every method pointer type and enumeration value: the modules' indexes answer, else
    // the type names are gathered once here.
    TextMap<bool> gathered;
    std::vector<const Index*> indexes;
    for (const TemgModule* module : {static_cast<const TemgModule*>(this), first == this ? nullptr : first}) {
        if (!module) continue;
        if (module->FIndex)
            indexes.push_back(module->FIndex.get());
        else
            AddTypeNames(*module, gathered);
    }
    const auto designTypeTaker = [&](std::string_view name) {
        const std::uint32_t tag = TextTag(name);
        if (gathered.Contains(name, tag) ||
            std::any_of(indexes.begin(), indexes.end(), [&](const Index* index) { return index->DeclaresType(name, tag); }))
            return "the type " + std::string(name);
        return std::string();
    };
    // Asked by the members' check and for every enumeration value: the class's derived names are
    // gathered once for both.
    const std::shared_ptr<const ClassScope> scopeOwner = MainClassScope();
    const ClassScope& scope = *scopeOwner;
    scope.ForEachMemberNameFault(report, [&](std::string_view name) {
        const std::string taker = GeneratedTypeTaker(name, types);
        return taker.empty() ? designTypeTaker(name) : taker;
    });
    const auto checkType = [&](const TPersistent& element, const std::string& name) {
        std::string taker = GeneratedTypeTaker(name, types);
        if (taker.empty()) taker = QualifierTaker(name);
        if (const std::string fault = NameFault(name, taker); !fault.empty()) report(element, fault);
    };
    for (int i = 0; i < FProceduralTypes->Count(); ++i) {
        const TemgProceduralType& type = *FProceduralTypes->Items(i);
        checkType(type, type.GetName());
        for (int j = 0; j < type.Parameters().Count(); ++j)
            check(*type.Parameters().Items(j), type.Parameters().Items(j)->GetName());
    }
    // Enumeration values live in the scope of each unit that declares their type, and of each unit
    // that uses the first module's types unit, beside the units these use and the types they
    // declare or name; and they are written inside the generated classes as default values, where
    // a member of their name would be read instead.
    const TNameList typeUnits(TypeUnitNames(resolver));
    // The debug forms set properties to their debug values in the scope of the forms' units. The
    // added units that the forms use only for constants their values name are set aside: whether
    // they do asks about every value of the class, and changes the answer only for their names.
    std::vector<std::string> setAside;
    const TNameList formUnits(DebugFormUnitNames(types, &setAside));
    const TNameList addedFormUnits(std::move(setAside));
    std::optional<TNameList> wholeFormUnits;
    const auto formUnitTaker = [&](std::string_view name) {
        if (!addedFormUnits.Find(name)) return UnitNameTaker(name, formUnits);
        if (!wholeFormUnits) wholeFormUnits.emplace(DebugFormUnitNames(types));
        return UnitNameTaker(name, *wholeFormUnits);
    };
    const auto valueTaker = [&](const std::string& value) {
        std::string taker = UnitNameTaker(value, typeUnits);
        if (taker.empty()) taker = formUnitTaker(value);
        if (taker.empty()) taker = GeneratedTypeTaker(value, types);
        if (taker.empty()) taker = designTypeTaker(value);
        if (taker.empty()) taker = scope.Taker(value);
        return taker;
    };
    // A repeated value name: the index has found it while it was built, else a table of its own does.
    TextMap<bool> values;
    std::size_t valueNumber = 0;
    for (int i = 0; i < FEnumTypes->Count(); ++i) {
        const TgmcEnumType& type = *FEnumTypes->Items(i);
        checkType(type, type.GetName());
        for (int j = 0; j < type.Values().Count(); ++j, ++valueNumber) {
            const TgmcEnumValue& value = *type.Values().Items(j);
            const std::string& name = value.GetName();
            const bool repeated = FIndex ? FIndex->repeatedValues[valueNumber] : !values.Add(name, true);
            if (std::string fault = NameFault(name, valueTaker(name)); !fault.empty())
                report(value, fault);
            else if (repeated)
                report(value, Format(kNotUnique, "Name", name));
        }
    }
    // The first module's values are written inside this module's classes too.
    if (first && first != this && first->EnumTypes().Count() > 0) {
        const std::shared_ptr<const ClassScope> firstScope = first->MainClassScope();
        for (int i = 0; i < first->EnumTypes().Count(); ++i) {
            const TgmcEnumValues& firstValues = first->EnumTypes().Items(i)->Values();
            for (int j = 0; j < firstValues.Count(); ++j) {
                const std::string& name = firstValues.Items(j)->GetName();
                // What every class declares is the first module's own fault, reported with it.
                if (const std::string taker = scope.Taker(name); !taker.empty()) {
                    if (firstScope->Taker(name).empty())
                        report(*firstValues.Items(j), Format(kNameTaken, name, taker + " of class " + MainClassName()));
                } else if (const std::string unit = formUnitTaker(name); !unit.empty()) {
                    report(*firstValues.Items(j),
                           Format(kNameTaken, name, unit + " of the debug forms of class " + MainClassName()));
                }
            }
        }
    }
    for (int i = 0; i < FDebugApplications->Count(); ++i) {
        const TemgDebugApplication& application = *FDebugApplications->Items(i);
        const std::string& program = application.GetName();
        if (const std::string fault = NameFault(program, DebugProgramNameTaker(application, *this, program, types));
            !fault.empty())
            report(application, fault);
    }
}

void TemgModule::ForEachUntypedElement(const std::function<void(const TemgDataTypeItem&)>& report) const {
    ForEachUntypedMember(*FMainClass, report);
    for (int i = 0; i < FProceduralTypes->Count(); ++i) ForEachUntypedPart(*FProceduralTypes->Items(i), report);
}

void TemgModule::CheckGeneratable() const {
    ForEachUntypedElement([](const TemgDataTypeItem& element) {
        throw Exception(Format(kTypeNotSet, element.GetName()));
    });
    ForEachNameFault([](const TPersistent&, const std::string& message) { throw Exception(message); });
}

}  // namespace quillon
