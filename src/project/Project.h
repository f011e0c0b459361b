// The project: its module entries (each module in a file of its own), name, search path, unit
// header and releases, stored in the project file; new, load, save and close; the creation of
// the common types module and of class modules; generation and the check over all modules; and
// the project services of IProject.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "checking/CheckResults.h"
#include "elements/ReleaseElements.h"
#include "generator/Module.h"
#include "model/ModelInFile.h"
#include "platform/Exception.h"
#include "project/IProject.h"
#include "source/SourceBase.h"

namespace quillon {

class IUnitBuilder;
class TemgpProject;

// What one generation run writes: every module (no `module`); one module, then the first module
// (`module`); with `withReferenced` the module, each module its class refers to, then the first
// refers to; or one debug application of `module`.
struct TGenerationRun {
    const TemgModule* module = nullptr;
    bool withReferenced = false;
    const TemgDebugApplication* debugApplication = nullptr;
};

// Raised by a generation whose check found errors, before anything is written; the project's
// check results hold them.
class EGenerationStopped : public Exception {
public:
    explicit EGenerationStopped(int errors);
    int Errors() const { return FErrors; }

private:
    int FErrors;
};

// One module entry: the module and the file it lives in.
class TemgpModule : public TModelInFile {
public:
    static constexpr std::string_view kClassName = "TemgpModule";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgpModule>(); }

    TemgModule& Module() const { return static_cast<TemgModule&>(Model()); }

    // The module's flag; setting also sets the entry's own.
    bool GetModified() const override;
    void SetModified(bool value) override;
    // Raises "File  name for %s not assigned" (the class's name) when FileName is empty.
    bool CanSave() const override;

    // The form the project file stores: the bare file name. Modules always load from the
    // project's directory, so the directory adds nothing but a path of the machine that wrote it.
    std::string GetStoredFileName() const;
    void SetStoredFileName(std::string_view value) { SetFileName(value); }
    // The file the module was read from while its file is renamed (TemgpProject::RenameModuleFile)
    // and the next save has not yet written the new one; empty otherwise.
    const std::string& GetFormerFileName() const { return FFormerFileName; }

protected:
    std::unique_ptr<TBaseModel> CreateModel() const override { return std::make_unique<TemgModule>(); }

private:
    friend class TemgpProject;
    std::string FFormerFileName;
};

// What opening a project does when module files that its entries name are not there. Ask:
// "Project '%s' lacks %d of its module files", the files one a line, and whether to open it
// without them; Yes leaves their entries out (the project is then modified), No aborts. Refuse:
// each file is reported as "File '%s' not found" and the project is refused with the first text.
// A missing common types module is always refused: no class module can take its place.
enum class TMissingModuleFiles { Ask, Refuse };

class TemgpModules : public TTypedCollection<TModelCollection, TemgpModule> {
public:
    static constexpr std::string_view kClassName = "TemgpModules";
    const PropertyList& Published() const override { return PublishedOf<TemgpModules>(); }
    explicit TemgpModules(TemgpProject* project);

    TemgpProject* Project() const { return FProject; }
    void SetProject(TemgpProject* project);

    // Kind 0: the module's name; kind 1: its caption.
    std::string GetItemText(int index, int kind) const override;

    // Loads every module from `dir` like LoadAll, but a module file that cannot be read raises
    // "Cannot load module file '%s': %s" naming it. Before anything is read, every entry of a
    // file that an earlier entry names is left out, each shown as "Module file '%s' is named
    // twice in the project; the second entry is left out"; returns whether any was.
    // Entries whose file is missing then follow `missing`, for the project file `projectFile`.
    bool LoadModules(std::string_view dir, std::string_view projectFile = {},
                     TMissingModuleFiles missing = TMissingModuleFiles::Ask);
    // Whether an entry names the file `fileName` (compared by bare file name).
    bool NamesFile(std::string_view fileName) const;

protected:
    // The module at index 0 is the common types module, every other one a class module.
    void ItemLoaded(TModelInFile& item) override;
    // A new entry's module resolves other modules through the project.
    void ItemAdded(TCollectionItem& item) override;

private:
    TemgpProject* FProject;
};

class TemgpProject : public TComponent, public IProject, public IModified, public IItemState {
public:
    static constexpr std::string_view kClassName = "TemgpProject";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgpProject>(); }

    TemgpProject();
    ~TemgpProject() override;

    // --- Stored data -----------------------------------------------------------------------------

    TemgpModules& Modules() { return *FModules; }
    const TemgpModules& Modules() const { return *FModules; }
    void SetModules(const TemgpModules& value) { FModules->Assign(value); }
    TgmcAppellation& Appellation() { return *FAppellation; }
    const TgmcAppellation& Appellation() const { return *FAppellation; }
    void SetAppellation(const TgmcAppellation& value) { FAppellation->Assign(value); }
    // The directory of the project file with a trailing separator; computed, never stored.
    std::string GetSrcPath() const override;
    // Directories separated by ";" for the library project options.
    std::string GetSearchPath() const override { return FSearchPath; }
    void SetSearchPath(std::string_view value);
    std::string GetUnitHeader() const override { return FUnitHeader; }
    void SetUnitHeader(std::string_view value);
    // How generated files holding text beyond ASCII are written; both stored only when not the
    // default (the Western code page), so that files of older versions stay as they were.
    TGeneratedFileEncoding GetGeneratedFileEncoding() const { return FEncoding.encoding; }
    void SetGeneratedFileEncoding(TGeneratedFileEncoding value) { ChangeField(FEncoding.encoding, value, FModified); }
    int GetGeneratedFileCodePage() const { return FEncoding.codePage; }
    void SetGeneratedFileCodePage(int value) { ChangeField(FEncoding.codePage, value, FModified); }
    TReleaseDllCollection& Releases() { return *FReleases; }
    const TReleaseDllCollection& Releases() const { return *FReleases; }
    void SetReleases(const TReleaseDllCollection& value) { FReleases->Assign(value); }

    const std::string& GetFileName() const { return FFileName; }
    // Stores the file name (save-as, new, close); nothing else changes.
    void SetFileName(std::string_view fileName) { FFileName = fileName; }
    // Modification time of the project file when last read or written; 0 when none.
    TDateTime GetFileDate() const { return FFileDate; }
    // The results of the last check; nullptr before the first.
    const TCheckCollection* CheckResults() const { return FCheckResults.get(); }

    // Copies the modules' file names, the appellation, search path, unit header, encoding and
    // releases.
    void Assign(const TPersistent& source) override;

    // --- Modified flag ----------------------------------------------------------------------------

    // False for an empty project; else the own flag, the appellation's or the releases'. Module
    // changes are not part of it: Modules() answers for them.
    bool GetModified() const override;
    // False also clears the appellation's and the releases' flags.
    void SetModified(bool value) override;
    bool IsSystemItem() const override { return false; }

    // --- Life cycle -----------------------------------------------------------------------------

    // A new project "Project1" in `dir` with the standard unit header and the common types
    // module; modified, not yet on disk.
    void NewProject(std::string_view dir);
    // Back to empty: no name, no modules, no file name.
    void CloseProject();
    // Reads the project file and every module file from the project's directory (each by its
    // bare name). Everything is read into a fresh project that replaces this one only when
    // all of it succeeded; missing module files are handled as `missing` says. A project file
    // that is missing, not a regular file or unreadable is raised, the last as
    // "Cannot load project file '%s': %s" with the reader's message.
    void LoadFromFile(const std::string& fileName, TMissingModuleFiles missing = TMissingModuleFiles::Ask);
    // Writes the project file when the project is modified (asking before replacing a file that
    // changed on disk since it was read), then every modified module into `fileName`'s directory.
    void SaveToFile(const std::string& fileName);
    void UnlockAll();

    // --- Modules ----------------------------------------------------------------------------------

    // Appends a class module "ExtClass<n>" with a new class identifier and the system method; its
    // file is the project's directory + the class name + ".qlm". The number is the next over the
    // modules' names and captions, raised until no entry names that file and none is on disk.
    TemgpModule& AddClassModule();
    // Appends the common types module with the built-in registered and system procedural types.
    TemgpModule& AddCommonTypesModule();
    // Appends an entry and loads it from the project's directory under `fileName`'s bare name;
    // when the file cannot be read the entry is removed again and the error raised. A file an
    // entry names already is refused with "Module file '%s' is already in the project".
    TemgpModule& AddExistingModule(std::string_view fileName);
    // Gives a module's class and the module the name `name` and the caption `caption`; the
    // external classes of every module that referred to the old name follow it, so that a
    // renamed class keeps its references.
    void RenameModule(TemgpModule& entry, std::string_view name, std::string_view caption);
    // The bare name of the file that `entry`'s module has under its name ("Account.qlm").
    static std::string NamedModuleFile(const TemgpModule& entry);
    // Gives `entry` the file NamedModuleFile in the project's directory. Nothing is written until
    // the next save, which removes the old file only after it has written both the module's new
    // file and the project file naming it. False, and nothing changes, when another entry names
    // that file or one is on disk (the module's own old file excepted: the rename is undone).
    bool RenameModuleFile(TemgpModule& entry);
    TemgpModule& FirstModuleEntry() const;
    TemgModule& FirstModule() const override;
    // The entry whose module is named `className` (without regard to case), or nullptr.
    TemgpModule* FindModuleEntry(std::string_view className) const;
    TemgModule* FindModule(std::string_view className) override;
    const TemgModule* FindModule(std::string_view className) const override;

    std::string GetName() const { return FAppellation->GetName(); }
    // No name and no modules.
    bool IsEmpty() const;

    // --- Generation and checking ------------------------------------------------------------------

    // Generates every module in order, the common types module first, as WriteGeneration of the
    // whole project; `tools` (by default the standard builders and the disk) build the texts and
    // take the files.
    void GenerateAll() const;
    void GenerateAll(const IUnitBuilder& builder) const;
    void GenerateAll(const GenerationTools& tools) const;
    // The same, calling `moduleDone` after each module with the number done and the total.
    void GenerateAll(const GenerationTools& tools, const std::function<void(int done, int count)>& moduleDone) const;
    // The same with `workers` threads building the modules' texts (1 or less: the calling thread
    // builds them itself). Whatever the count, every file goes to `tools.writer` on the calling
    // thread in the order of a one-thread run, and `moduleDone`, questions and errors happen
    // there too; an error of a module stops the generation after that module's earlier files,
    // as without workers. `tools.builder` must allow calls from several threads at once.
    void GenerateAll(const GenerationTools& tools, int workers,
                     const std::function<void(int done, int count)>& moduleDone) const;
    // Runs the check over every module in order into the project's results (cleared first) and
    // hands them to `receiver` when given.
    const TCheckCollection& CheckProject(ICheckResultsReceiver* receiver = nullptr);
    // The check a generation runs first, into the project's results: the module rules on the
    // modules the run writes, those their classes reach through external classes (transitively)
    // and the first module; the project-wide rules (names, files and their owners) on all.
    const TCheckCollection& CheckGeneration(const TGenerationRun& run);
    // Generates `run`: the check first (CheckGeneration), which raises EGenerationStopped when it
    // finds errors (warnings and hints do not stop it), then what WriteGeneration does. `stepDone`
    // is called after each module (or the debug application) with the number done and the total.
    void Generate(const TGenerationRun& run, const GenerationTools& tools, int workers = 1,
                  const std::function<void(int done, int count)>& stepDone = {});
    // Generates `run` without the check. Before the first file is written every file the run
    // writes is judged: one that is a unit added to a module raises "Generation stopped: %s is an
    // added unit of module %s", and `tools.writer` refuses those it could not write
    // (IGeneratedFileWriter::CheckWritable), so that a run writes all its files or none.
    void WriteGeneration(const TGenerationRun& run, const GenerationTools& tools, int workers = 1,
                         const std::function<void(int done, int count)>& stepDone = {}) const;
    // The files `run` writes, in the order written (a file may come twice).
    std::vector<TGeneratedFile> GenerationFiles(const TGenerationRun& run) const;
    // Where the element a check result is about is written: an element of a module in the
    // module's file at the line of its item; the module, its entry and its class at the line of
    // the module's object; anything else in the project file at the line of the project's object.
    CheckResultPlace PlaceOf(const TPersistent* object) const;

    // A deletion's reference search over every module (ElementRules' CheckDeletion).
    std::function<void(const TgmcAppellation&, TStringList&)> TypeReferenceSearch();

    // --- IProject ----------------------------------------------------------------------------------

    const TemgModule* GetFirstModule() const override;
    TFileEncoding FileEncoding() const override { return FEncoding; }
    void ListReferencableClasses(TStringList& target, const TemgClass& cls, const TemgModule& module,
                                 std::string_view currentName) override;
    void RenameReferences(const TgmcAppellation& oldName, const TgmcAppellation* newName,
                          TStringList* found) override;
    void RenameClassReferences(const TgmcAppellation& oldName, const TgmcAppellation* newName,
                               TStringList* found) override;
    std::string GetProjectName() const override { return GetName(); }
    void ListClassModules(TStringList& target) const override;
    std::vector<TemgModule*> ClassModules() const override;
    void ExternalClassesOf(TStringList& result, std::string_view className,
                           std::vector<std::string>& errors) const override;
    void ForEachModule(const std::function<void(TemgModule&)>& operation) const override;

private:
    // Generation and the check look modules up by class name for every external class of every
    // unit. The modules cannot change while they run, so for their duration the look-up goes
    // through this index (first module of each name, folded like SameText) instead of a walk
    // over all modules, which made a generation grow with the square of the modules.
    class ModuleIndexScope;
    using ModuleIndex = std::unordered_map<std::string, TemgpModule*>;

    // Runs the check into the project's results: the module rules on the `selected` modules (all
    // without), the project-wide rules on all.
    void RunCheck(const std::unordered_set<const TemgModule*>* selected);
    // Generates every module in order, as GenerateAll says, without the checks before the run.
    void GenerateModules(const GenerationTools& tools, int workers,
                         const std::function<void(int done, int count)>& moduleDone) const;

    // The stored SrcPath: the project file keeps none (it is computed from the file name).
    std::string GetStoredSrcPath() const { return {}; }
    void SetStoredSrcPath(std::string_view) {}
    // The project's directory with a trailing separator.
    std::string Directory() const { return GetSrcPath(); }
    // Exchanges everything with `other`, each side keeping itself as its parts' owner.
    void Swap(TemgpProject& other);

    std::unique_ptr<TemgpModules> FModules;
    std::unique_ptr<TgmcAppellation> FAppellation;
    std::string FSearchPath;
    std::string FUnitHeader;
    TFileEncoding FEncoding;
    std::unique_ptr<TReleaseDllCollection> FReleases;
    std::string FFileName;
    TDateTime FFileDate = 0;
    bool FModified = false;
    std::unique_ptr<TCheckCollection> FCheckResults;
    // Set only while a ModuleIndexScope is open.
    mutable std::unique_ptr<ModuleIndex> FModuleIndex;
};

}  // namespace quillon
