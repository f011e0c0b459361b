// Debug applications of a module: small generated host programs that call chosen methods of the
// module's class. This file holds the stored element and its collection; the files it generates
// are built by the debug application generator.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "elements/DatabaseElements.h"
#include "elements/ElementBase.h"
#include "generator/GeneratedFiles.h"
#include "generator/UnitsManager.h"

namespace quillon {

class TemgClass;
class TemgModule;

class TemgDebugApplication : public TemgAppellationItem, public IUnitsOwner {
public:
    static constexpr std::string_view kClassName = "TemgDebugApplication";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgDebugApplication>(); }

    TemgDebugApplication();
    ~TemgDebugApplication() override;

    // Names of the main class's methods that get a row in the generated form.
    const TStringList& Methods() const { return *FMethods; }
    TStringList& Methods() { return *FMethods; }
    // Copies `value` and marks the application modified, unless the strings are the same.
    void SetMethods(const TStringList& value);
    TemgDatabaseConnection& Connection() { return *FConnection; }
    const TemgDatabaseConnection& Connection() const { return *FConnection; }
    void SetConnection(const TemgDatabaseConnection& value) { FConnection->Assign(value); }
    // Output directory, relative to the project's source path.
    const std::string& GetSrcPath() const { return FSrcPath; }
    void SetSrcPath(std::string_view value) { SetField(FSrcPath, value); }

    // The kinds 5, 6, 7, 10 and 3.
    const TUnitsManagerCollection& Units() const { return *FUnits; }
    // The module whose collection holds the application, or nullptr.
    const TemgModule* Module() const;

    // Also modified when the connection is; clearing clears it.
    bool GetModified() const override;
    void SetModified(bool value) override;

    // Derived names (A is the application's name).
    std::string GeneratorFormUnitName() const { return "genu" + GetName() + "Form"; }
    std::string DeveloperFormUnitName() const { return "devu" + GetName() + "Form"; }
    std::string GeneratorFormName() const { return "gen" + GetName() + "Form"; }
    std::string GeneratorFormClassName() const { return std::string("T").append(GeneratorFormName()); }
    std::string DeveloperFormName() const { return "dev" + GetName() + "Form"; }
    std::string DeveloperFormClassName() const { return std::string("T").append(DeveloperFormName()); }
    std::string ProgramProjectName() const { return GetName(); }

    // SrcPath expanded against the project's source path, with a trailing separator.
    std::string OutputDirectory(std::string_view projectSrcPath) const;

    // Every file the application's generation writes, in the order written: the program, its
    // options file, the generator's and the developer's form units, their form files and the
    // project group. Generation writes from this list; the check and the checks before a run
    // read it.
    std::vector<TGeneratedFile> GeneratedFiles(std::string_view projectSrcPath) const;

    std::string UnitFileName(TFileKind kind, std::string_view basePath) const override;
    std::string UnitFormName(TFileKind kind) const override;
    // The program, the form units and the project group; the module's library project.
    std::string UnitText(TFileKind kind, const IModuleResolver& resolver) const override;

protected:
    // Copies the appellation and settings, then Methods, Connection and SrcPath.
    void AssignTo(TPersistent& dest) const override;

private:
    std::unique_ptr<TemgDatabaseConnection> FConnection;
    std::unique_ptr<TStringList> FMethods;
    std::unique_ptr<TUnitsManagerCollection> FUnits;
    std::string FSrcPath;
};

class TemgDebugApplications : public TTypedCollection<TemgAppellationCollection, TemgDebugApplication> {
public:
    static constexpr std::string_view kClassName = "TemgDebugApplications";
    const PropertyList& Published() const override { return PublishedOf<TemgDebugApplications>(); }
    using TTypedCollection::TTypedCollection;

    // The owning module, set when the module creates the collection.
    const TemgModule* Module() const { return FModule; }
    void SetModule(const TemgModule* module) { FModule = module; }
    // The module's main class, or nullptr without a module.
    const TemgClass* MainClass() const;

    // Appends an application named "DebugApp<n>" (the next free number) and marks the
    // collection modified.
    TemgDebugApplication& NewDebugApplication();

private:
    const TemgModule* FModule = nullptr;
};

}  // namespace quillon
