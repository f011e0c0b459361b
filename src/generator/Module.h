// The module: one designed class that a library serves to host applications, with its types,
// added units, debug applications, copy rules and database options; the names every generated
// file and identifier derives from; its generated-file kinds; generation and release. It is the
// model of a module file and the element context its elements see.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "elements/AddedUnits.h"
#include "elements/DatabaseElements.h"
#include "elements/DesignClass.h"
#include "elements/ElementRules.h"
#include "elements/ElementContext.h"
#include "elements/ModuleOptions.h"
#include "elements/ProceduralTypes.h"
#include "elements/RegisteredTypes.h"
#include "elements/ReleaseElements.h"
#include "generator/DebugApplication.h"
#include "generator/GeneratedFileWriters.h"
#include "generator/GeneratedFiles.h"
#include "generator/ModuleResolver.h"
#include "generator/UnitsManager.h"
#include "model/BaseModel.h"
#include "source/SourceTypes.h"

namespace quillon {

class IUnitBuilder;
class TgmcModule;

// The module's own database connection. A new one asks for no login, so LoginPrompt has no
// declared default here and is always written: a module file keeps a login prompt switched on
// as well as off.
class TemgModuleConnection : public TemgDatabaseConnection {
public:
    static constexpr std::string_view kClassName = "TemgModuleConnection";
    static void PublishProperties(PropertyList& p) { PublishConnection(p, std::nullopt); }
    const PropertyList& Published() const override { return PublishedOf<TemgModuleConnection>(); }

    TemgModuleConnection();
};

class TemgModule : public TBaseModel, public IElementContext, public IUnitsOwner {
public:
    static constexpr std::string_view kClassName = "TemgModule";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgModule>(); }

    TemgModule();
    ~TemgModule() override;

    // --- Stored data -------------------------------------------------------------------------

    // Name and Caption of the module; they mirror the main class's.
    TgmcAppellation& Appellation() { return *FAppellation; }
    const TgmcAppellation& Appellation() const { return *FAppellation; }
    void SetAppellation(const TgmcAppellation& value) { FAppellation->Assign(value); }
    TemgClass& MainClass() { return *FMainClass; }
    const TemgClass& MainClass() const { return *FMainClass; }
    // Copies the class, then takes its appellation as the module's.
    void SetMainClass(const TemgClass& value);
    TemgProceduralTypes& ProceduralTypes() { return *FProceduralTypes; }
    const TemgProceduralTypes& ProceduralTypes() const { return *FProceduralTypes; }
    void SetProceduralTypes(const TemgProceduralTypes& value) { FProceduralTypes->Assign(value); }
    TgmcEnumTypes& EnumTypes() { return *FEnumTypes; }
    const TgmcEnumTypes& EnumTypes() const { return *FEnumTypes; }
    void SetEnumTypes(const TgmcEnumTypes& value) { FEnumTypes->Assign(value); }
    TemgRegisteredDataTypes& RegisteredDataTypes() { return *FRegisteredDataTypes; }
    const TemgRegisteredDataTypes& RegisteredDataTypes() const { return *FRegisteredDataTypes; }
    void SetRegisteredDataTypes(const TemgRegisteredDataTypes& value) { FRegisteredDataTypes->Assign(value); }
    // "Forms": the server and controller use Forms and hand over the host's application handle.
    bool GetInterfaceSupport() const { return FInterfaceSupport; }
    void SetInterfaceSupport(bool value) { SetField(FInterfaceSupport, value); }
    TemgDebugApplications& DebugApplications() { return *FDebugApplications; }
    const TemgDebugApplications& DebugApplications() const { return *FDebugApplications; }
    void SetDebugApplications(const TemgDebugApplications& value) { FDebugApplications->Assign(value); }
    TServerOption GetServerOption() const override { return FServerOption; }
    void SetServerOption(TServerOption value) { SetField(FServerOption, value); }
    // "Search DLL only in EXE path": stored and edited; no generated text depends on it.
    bool GetLibraryPathSameExe() const { return FLibraryPathSameExe; }
    void SetLibraryPathSameExe(bool value) { SetField(FLibraryPathSameExe, value); }
    // Output directory of the module's files, relative to the project's source path.
    const std::string& GetSrcPath() const { return FSrcPath; }
    void SetSrcPath(std::string_view value) { SetField(FSrcPath, value); }
    TemgAddUnits& AddUnits() { return *FAddUnits; }
    const TemgAddUnits& AddUnits() const { return *FAddUnits; }
    void SetAddUnits(const TemgAddUnits& value) { FAddUnits->Assign(value); }
    TDatabaseSupport GetDatabaseSupport() const override { return FDatabaseSupport; }
    // Keeps the database system items in step with the new set.
    void SetDatabaseSupport(TDatabaseSupport value);
    TCopyFileCollection& CopyFiles() { return *FCopyFiles; }
    const TCopyFileCollection& CopyFiles() const { return *FCopyFiles; }
    void SetCopyFiles(const TCopyFileCollection& value) { FCopyFiles->Assign(value); }
    // "ShareMem": the library project and the debug program use ShareMem first.
    bool GetShareMemSupport() const { return FShareMemSupport; }
    void SetShareMemSupport(bool value) { SetField(FShareMemSupport, value); }
    bool GetSetDatabaseParamsSupport() const { return FSetDatabaseParamsSupport; }
    void SetSetDatabaseParamsSupport(bool value) { SetField(FSetDatabaseParamsSupport, value); }
    const std::string& GetDatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(std::string_view value) { SetField(FDatabaseName, value); }
    // D: the suffix of the generated data module's names.
    const std::string& GetDataModuleName() const { return FDataModuleName; }
    void SetDataModuleName(std::string_view value) { SetField(FDataModuleName, value); }
    // The module's own database connection; a new module's asks for no login.
    TemgDatabaseConnection& Connection() { return *FConnection; }
    const TemgDatabaseConnection& Connection() const { return *FConnection; }
    void SetConnection(const TemgDatabaseConnection& value) { FConnection->Assign(value); }
    bool GetConnectToHostDB() const override { return FConnectToHostDB; }
    void SetConnectToHostDB(bool value) { SetField(FConnectToHostDB, value); }

    // Copies every stored value of another module but LibraryPathSameExe; other sources are
    // ignored.
    void Assign(const TPersistent& source) override;

    // --- Modified flag and names ---------------------------------------------------------------

    // The own flag, or any owned part that reports modified.
    bool GetModified() const override;
    // False clears the own flag and every owned part's; True sets only the own flag.
    void SetModified(bool value) override;
    // The module's name (Appellation.Name).
    std::string GetName() const override { return FAppellation->GetName(); }
    bool IsModuleModel() const override { return true; }
    const std::string& ModuleName() const { return FAppellation->GetName(); }
    const std::string& ModuleCaption() const { return FAppellation->GetCaption(); }
    // N: the main class's name, the base of every derived name.
    const std::string& MainClassName() const { return FMainClass->GetName(); }

    // The module has its own generated data module: DatabaseSupport is exactly
    // [dbsSetDatabaseParams].
    bool HasOwnConnection() const { return quillon::HasOwnConnection(FDatabaseSupport); }
    // The module offers dataset-creating methods.
    bool HasDatasetFactories() const { return quillon::HasDatasetFactories(FDatabaseSupport); }

    // Derived names.
    std::string GeneratorUnitName() const;               // "gen" + N
    std::string GeneratorClassName() const;              // "Tgen" + N
    std::string DeveloperUnitName() const;               // "dev" + N
    std::string DeveloperClassName() const;              // "Tdev" + N
    std::string InterfaceUnitName() const;               // "intf" + N
    std::string InterfaceTypeName() const;               // "I" + N
    std::string ClassIdentifierName() const;             // "Class_" + N
    std::string ControllerUnitName() const;              // "cntr" + N
    std::string ControllerClassName() const;             // "Tcntr" + N
    std::string DatabaseSupportControllerUnitName() const;   // N
    std::string DatabaseSupportControllerClassName() const;  // "T" + N
    std::string LibraryFileNameConstant() const;         // N + "DllName"
    std::string LibraryFileNameLiteral() const;          // "'" + N + ".dll'"
    std::string LibraryProjectName() const;              // N
    std::string DataModuleUnitName() const;              // "gen_dmu" + D
    std::string DataModuleClassName() const;             // "Tgen_dm" + D
    std::string DataModuleFormName() const;              // "gen_dm" + D
    std::string DataModuleVariable() const override;     // "dm" + D

    // The workbench's tree image of the module, by server option.
    int ImageIndex() const;

    // --- Generated files -------------------------------------------------------------------------

    // The kinds 0, 1, 2, 3, 4, 8, 11 and 12, in this order.
    const TUnitsManagerCollection& Units() const { return *FUnits; }
    // Every file the module's generation writes, in the order written: for the project's first
    // module (`firstModule`) the types unit when it has enumerated types, for every other module
    // the files its server option needs. Generation writes from this list; the check and the
    // checks before a run read it.
    std::vector<TGeneratedFile> GeneratedFiles(std::string_view projectSrcPath, bool firstModule) const;
    // The bare file name of one of the module's kinds (empty for the debug application's kinds).
    std::string KindFileName(TFileKind kind) const;
    // The data module's form file "gen_dmu" + D + ".dfm" for kind 12, else empty.
    std::string KindFormFileName(TFileKind kind) const;
    // The library project's options file, N + ".dof".
    std::string ProjectOptionsFileName() const;
    // SrcPath expanded against the project's source path, with a trailing separator; computed
    // only, the current directory is never changed.
    std::string OutputDirectory(std::string_view projectSrcPath) const;
    // The library that the compiler builds from the library project: N + ".dll" in the output
    // directory. COM registration loads it.
    std::string LibraryFileName(std::string_view projectSrcPath) const;

    std::string UnitFileName(TFileKind kind, std::string_view basePath) const override;
    std::string UnitFormName(TFileKind) const override { return {}; }
    // The text of a kind without header, from the standard unit builders.
    std::string UnitText(TFileKind kind, const IModuleResolver& resolver) const override;
    // The source models of the developer's unit and, when asked for, the generator's unit, as the
    // standard builders make them (the update of an existing developer's unit inserts from them).
    void ServerUnitModels(const IModuleResolver& resolver, TgmcModule& developer, TgmcModule* generator) const;
    // Where the developer's unit of this module lives in a project with source path `projectSrcPath`.
    std::string DeveloperUnitFileName(std::string_view projectSrcPath) const;

    // --- Types ----------------------------------------------------------------------------------

    // The appellation of the procedural, enumerated or registered type named `name` (without
    // regard to case, in that order), or nullptr.
    const TgmcAppellation* FindTypeAppellation(std::string_view name) const;
    // Its caption; empty when there is no such type.
    std::string FindTypeCaption(std::string_view name) const;
    TemgRegisteredDataType& CreateRegisteredType(std::string_view name, std::string_view caption,
                                                 std::string_view unitName, bool procedural);
    TgmcEnumType& CreateEnumType(std::string_view name, std::string_view caption,
                                 const std::vector<std::string>& values);
    TemgProceduralType& CreateProceduralType(std::string_view name, std::string_view caption,
                                             const TemgDataType& resultType, const TemgParameters& parameters,
                                             TMethodCategory category);
    // True when no registered, enumerated or procedural type other than `except` is named `name`
    // (without regard to case).
    bool IsTypeNameUnique(std::string_view name, const TPersistent* except = nullptr) const;
    // The values a member of type `typeName` can default to: "True" and "False" for Boolean, the
    // values of an enumerated type (this module's, else the first module's), else none.
    std::vector<std::string> TypeValues(std::string_view typeName) const;
    // This module's enumerated type named `name`, or nullptr (names without regard to case).
    const TgmcEnumType* FindEnumType(std::string_view name) const;
    // This module's first enumerated type with a value named `name`, or nullptr.
    const TgmcEnumType* FindEnumTypeOfValue(std::string_view name) const;
    // The scope of the main class: while an IndexScope is open the one it keeps, else a new one.
    std::shared_ptr<const ClassScope> MainClassScope() const;
    // DesignValuesNameUndeclared for this module: while an IndexScope is open, worked out once, as
    // the check and generation ask it for unit after unit and each answer walks every value.
    bool ValuesNameUndeclared(const TemgModule* first) const;

    // The check and generation ask for enumerated types by name and by value for every member,
    // parameter and value, of the module and of the first module, and the check for the names in
    // the scope of their classes, for the name rules and for the default values. The design cannot
    // change while they run, so for their duration (the project's module index opens this scope)
    // the modules answer from an index instead of walking their types, which made the work on one
    // module grow with its members times the types it can name, and keep their class's scope,
    // whose table of derived names is built once.
    class IndexScope {
    public:
        explicit IndexScope(const std::vector<const TemgModule*>& modules);
        ~IndexScope();
        IndexScope(const IndexScope&) = delete;
        IndexScope& operator=(const IndexScope&) = delete;

    private:
        // The modules this scope indexed; a module indexed by an outer scope keeps that index.
        std::vector<const TemgModule*> indexed_;
    };

    // A type a member of this module can refer to, with the category a reference to it gets.
    struct TKnownType {
        std::string name;
        TDataTypeCategory category = dtRegistered;
    };
    // The procedural, enumerated and registered types of this module and of the project's first
    // module (which holds the built-in types), sorted without regard to case; a name defined in
    // both counts once, as this module's.
    std::vector<TKnownType> KnownTypes() const;
    // The known type named `name` (without regard to case; this module first); its name is empty
    // when there is none.
    TKnownType FindKnownType(std::string_view name) const;

    // --- Common types and class modules ----------------------------------------------------------

    // A class module's class has the system method AfterInitInstance (added when missing); the
    // common types module's class has none (removed). Either way the database system items are
    // brought in step with DatabaseSupport first, as loading needs: a file may state the set
    // before the class's members, whose lists then replace the items the set brought.
    void MarkClassModule(bool classModule);
    // The main class's database system items follow DatabaseSupport: per dataset factory in the
    // set the event "Create...Method" and the function "Create...", for the own connection the
    // procedure SetDatabaseParams. Items already there are kept as they are; those of kinds that
    // left the set are removed. Runs on every change of the set and after loading.
    void KeepDatabaseSystemItems();
    // The fixed forms of the system methods the class has: AfterInitInstance for a class module,
    // a dataset factory's function per factory in DatabaseSupport, SetDatabaseParams for the own
    // connection. The items MarkClassModule and KeepDatabaseSystemItems add are these.
    std::vector<std::unique_ptr<TemgMethod>> SystemMethods(bool classModule) const;
    // Names the module and its class "CommonTypes", fills in the built-in registered types and
    // the system procedural types, and removes the system method.
    void MakeCommonTypesModule();

    // --- Project access ----------------------------------------------------------------------------

    // The project the module belongs to (not owned), for the element context's look-ups.
    const IModuleResolver* Resolver() const { return FResolver; }
    void SetResolver(const IModuleResolver* resolver) { FResolver = resolver; }

    // IElementContext
    // While an IndexScope is open, from the index.
    const TemgRegisteredDataType* RegisteredTypeNamed(std::string_view name) const override;
    const TemgProceduralType* ProceduralTypeNamed(std::string_view name) const override;
    const IElementContext* GetFirstModule() const override;
    const IElementContext* FindModule(std::string_view className) const override;

    // --- Names and types generated code needs ------------------------------------------------------

    // The units of the registered types the module can use: its own and the first module's, found
    // through `resolver` (the module's own by default).
    std::vector<std::string> TypeUnitNames(const IModuleResolver* resolver = nullptr) const;
    // The units the generator's forms of the module's debug applications use, where the debug
    // values are written; none without `resolver`. `setAside` as for DebugProgramUnits.
    std::vector<std::string> DebugFormUnitNames(const IModuleResolver* resolver,
                                                std::vector<std::string>* setAside = nullptr) const;
    // For an editor about to give `element` (this module, a member of its class or one of its
    // debug applications) the name `name`: "Name %s is taken by the generated code: %s" when
    // generated code already declares it (a unit for the module, a derived or fixed member for a
    // member, a unit or identifier of its program for a debug application), else empty.
    std::string TakenNameMessage(const TPersistent* element, std::string_view name) const;
    // What generated code declares or names as a type under `name`, worded after "taken by the
    // generated code: " ("the type TComponent", "the generator class TgenCalc" of any class module
    // `resolver` finds), or empty. A type of the design of that name would hide it or repeat it.
    static std::string GeneratedTypeTaker(std::string_view name, const IModuleResolver* resolver);
    // What generated code declares under the name `name` were it this module's: a unit the
    // generated units use, or (for a class module) the type T + `name` that its class would hide.
    // `resolver` as for TypeUnitNames.
    std::string ModuleNameTaker(std::string_view name, const IModuleResolver* resolver = nullptr) const;
    // Every name generated code could not declare (ElementRules' NameFault): the module's own
    // (reported on the module), its class's members and parameters, its procedural and
    // enumerated types and their parameters and values, its debug applications' programs.
    // `resolver` as for TypeUnitNames.
    void ForEachNameFault(const NameFaultReport& report, const IModuleResolver* resolver = nullptr) const;
    // Every member, parameter and function result of the class and of the procedural types whose
    // type is not set.
    void ForEachUntypedElement(const std::function<void(const TemgDataTypeItem&)>& report) const;
    // Raises the first fault that would write code that does not compile: "Type of '%s' is not
    // set" naming an element without a type, else the first name fault.
    void CheckGeneratable() const;

    // --- Generation and release -------------------------------------------------------------------

    // Writes the module's generated files into its output directory: for the project's first
    // module only the types unit (when it has enumerated types), for every other module the
    // files its server option needs. With `allReferenced` the modules that the main class's
    // external classes refer to are generated after it; a reference to a missing module raises
    // "Class '%s' not found" before anything is written. `builder` supplies the unit texts and
    // `tools.writer` takes every file; without them the standard builders write to disk.
    void Generate(std::string_view projectSrcPath, std::string_view searchPath, bool allReferenced,
                  const IModuleResolver& resolver, std::string_view unitHeader, const TemgModule* firstModule) const;
    void Generate(std::string_view projectSrcPath, std::string_view searchPath, bool allReferenced,
                  const IModuleResolver& resolver, std::string_view unitHeader, const TemgModule* firstModule,
                  const IUnitBuilder& builder) const;
    void Generate(std::string_view projectSrcPath, std::string_view searchPath, bool allReferenced,
                  const IModuleResolver& resolver, std::string_view unitHeader, const TemgModule* firstModule,
                  const GenerationTools& tools) const;

    // Writes the text of one kind, after `header`, into the output directory by `rules`; true
    // when written. An empty text writes nothing.
    bool WriteKind(TFileKind kind, std::string_view projectSrcPath, const IModuleResolver& resolver,
                   std::string_view header, const TWriteRules& rules) const;
    bool WriteKind(TFileKind kind, std::string_view projectSrcPath, const IModuleResolver& resolver,
                   std::string_view header, const TWriteRules& rules, const IUnitBuilder& builder) const;
    bool WriteKind(TFileKind kind, std::string_view projectSrcPath, const IModuleResolver& resolver,
                   std::string_view header, const TWriteRules& rules, const GenerationTools& tools) const;

    // Copies the built library into `baseDir`/`libraryDir` (the library options only: no other
    // option builds one) and, with `withUnits`, regenerates the units a host needs into
    // `baseDir`/`unitDir`. Relative directories are taken against the project's source path.
    // Never raises: missing paths and files, and any failure, are added to `errors`.
    void Release(std::string_view baseDir, std::string_view libraryDir, std::vector<std::string>& errors,
                 const IModuleResolver& project, bool withUnits, std::string_view unitDir) const;
    void Release(std::string_view baseDir, std::string_view libraryDir, std::vector<std::string>& errors,
                 const IModuleResolver& project, bool withUnits, std::string_view unitDir,
                 const IUnitBuilder& builder) const;

private:
    // Points the module at a resolver for the duration of a generation or a text request.
    class ResolverScope;

    // Writes the kind's text after `header` into `directory`, then its form file (without header)
    // when the builder gives one; true when the unit was written.
    bool WriteKindTo(const std::string& directory, TFileKind kind, const IModuleResolver& resolver,
                     std::string_view header, const TWriteRules& rules, const GenerationTools& tools) const;

    // Raises the own flag on a real change.
    template <class T, class V>
    void SetField(T& field, V&& value) {
        ChangeField(field, std::forward<V>(value), FModified);
    }

    std::unique_ptr<TgmcAppellation> FAppellation;
    std::unique_ptr<TemgClass> FMainClass;
    std::unique_ptr<TemgProceduralTypes> FProceduralTypes;
    std::unique_ptr<TgmcEnumTypes> FEnumTypes;
    std::unique_ptr<TemgRegisteredDataTypes> FRegisteredDataTypes;
    bool FInterfaceSupport = true;
    std::unique_ptr<TemgDebugApplications> FDebugApplications;
    TServerOption FServerOption = moServerInDll;
    bool FLibraryPathSameExe = false;
    std::unique_ptr<TUnitsManagerCollection> FUnits;
    std::string FSrcPath;
    std::unique_ptr<TemgAddUnits> FAddUnits;
    TDatabaseSupport FDatabaseSupport;
    std::unique_ptr<TCopyFileCollection> FCopyFiles;
    bool FShareMemSupport = true;
    bool FSetDatabaseParamsSupport = false;
    std::string FDatabaseName;
    std::string FDataModuleName;
    std::unique_ptr<TemgModuleConnection> FConnection;
    bool FConnectToHostDB = true;
    bool FModified = false;
    // Generation points it at the resolver it was given for its duration.
    mutable const IModuleResolver* FResolver = nullptr;
    // Set only while an IndexScope is open.
    struct Index;
    mutable std::unique_ptr<Index> FIndex;
};

}  // namespace quillon
