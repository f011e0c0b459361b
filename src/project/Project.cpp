#include "project/Project.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_set>

#include "checking/DesignChecks.h"
#include "checking/EncodingChecks.h"
#include "checking/ProjectChecks.h"
#include "elements/ElementMessages.h"
#include "generator/CommonTypesUnit.h"
#include "generator/DebugApplicationUnits.h"
#include "generator/GeneratedFileWriters.h"
#include "generator/GeneratorMessages.h"
#include "generator/UnitBuilder.h"
#include "model/ComponentFile.h"
#include "model/Locker.h"
#include "model/ModelMessages.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/Guid.h"
#include "platform/Text.h"
#include "platform/UserDialogs.h"
#include "project/ProjectMessages.h"

namespace quillon {

namespace {

std::string ModuleFileName(std::string_view name) { return std::string(name) + "." + std::string(kModuleExtension); }

// Whether one of `externalClasses` refers to the class `className` (without regard to case).
bool RefersTo(const TemgExternalClasses& externalClasses, std::string_view className) {
    for (int i = 0; i < externalClasses.Count(); ++i)
        if (SameText(externalClasses.Items(i)->GetName(), className)) return true;
    return false;
}

}  // namespace

// --- Module index -------------------------------------------------------------------------------

class TemgpProject::ModuleIndexScope {
public:
    explicit ModuleIndexScope(const TemgpProject& project) : project_(project) {
        // A nested scope keeps the outer one's index.
        if (project_.FModuleIndex) return;
        auto index = std::make_unique<ModuleIndex>();
        const TemgpModules& modules = *project_.FModules;
        index->reserve(static_cast<std::size_t>(modules.Count()));
        std::vector<const TemgModule*> all;
        for (int i = 0; i < modules.Count(); ++i) {
            index->try_emplace(LowerCase(modules.GetItemText(i, 0)), modules.Items(i));
            all.push_back(&modules.Items(i)->Module());
        }
        project_.FModuleIndex = std::move(index);
        modules_.emplace(all);
        owner_ = true;
    }
    ~ModuleIndexScope() {
        if (owner_) project_.FModuleIndex.reset();
    }
    ModuleIndexScope(const ModuleIndexScope&) = delete;
    ModuleIndexScope& operator=(const ModuleIndexScope&) = delete;

private:
    const TemgpProject& project_;
    bool owner_ = false;
    // The modules' own indexes (enumerations, class scopes) for the same time.
    std::optional<TemgModule::IndexScope> modules_;
};

// --- TemgpModule ---------------------------------------------------------------------------------

void TemgpModule::PublishProperties(PropertyList& p) {
    TModifiedItem::PublishProperties(p);
    p.String("FileName", &TemgpModule::GetStoredFileName, &TemgpModule::SetStoredFileName);
}

bool TemgpModule::GetModified() const { return Module().GetModified(); }

void TemgpModule::SetModified(bool value) {
    FModified = value;
    Module().SetModified(value);
}

bool TemgpModule::CanSave() const {
    if (GetFileName().empty()) throw Exception(Format(kFileNameNotAssigned, Module().MainClassName()));
    return true;
}

std::string TemgpModule::GetStoredFileName() const { return ExtractFileName(GetFileName()); }

// --- TemgpModules --------------------------------------------------------------------------------

TemgpModules::TemgpModules(TemgpProject* project) : TTypedCollection(project), FProject(project) {}

void TemgpModules::SetProject(TemgpProject* project) {
    FProject = project;
    SetOwner(project);
    for (int i = 0; i < Count(); ++i) Items(i)->Module().SetResolver(project);
}

std::string TemgpModules::GetItemText(int index, int kind) const {
    switch (kind) {
        case 0: return Items(index)->Module().ModuleName();
        case 1: return Items(index)->Module().ModuleCaption();
        default: return {};
    }
}

bool TemgpModules::LoadModules(std::string_view dir, std::string_view projectFile, TMissingModuleFiles missing) {
    // Two entries for one file would load it twice and save it twice: the later entries of a file
    // are left out before anything is read.
    bool dropped = false;
    std::vector<std::string> names;
    for (int i = 0; i < Count();) {
        std::string name = ExtractFileName(Items(i)->GetFileName());
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            Dialogs().ShowMessage(MessageKind::Error,
                                  Format(kModuleFileTwice, IncludeTrailingPathDelimiter(dir) + name));
            Delete(i);
            dropped = true;
            continue;
        }
        names.push_back(std::move(name));
        ++i;
    }
    std::vector<int> absent;
    std::string list;
    for (int i = 0; i < Count(); ++i) {
        const std::string path = IncludeTrailingPathDelimiter(dir) + names[static_cast<std::size_t>(i)];
        if (FileExists(path)) continue;
        absent.push_back(i);
        list += "\n" + path;
    }
    if (!absent.empty()) {
        const std::string lacks = Format(kModuleFilesMissing, projectFile, static_cast<int>(absent.size()));
        if (missing == TMissingModuleFiles::Refuse || absent.front() == 0) {
            if (missing == TMissingModuleFiles::Refuse)
                for (int i : absent)
                    Dialogs().ShowMessage(MessageKind::Error,
                                          MissingModelFileMessage(IncludeTrailingPathDelimiter(dir) +
                                                                  names[static_cast<std::size_t>(i)]));
            throw Exception(missing == TMissingModuleFiles::Refuse ? lacks : lacks + list);
        }
        if (Dialogs().Ask(lacks + list + "\n" + std::string(kOpenWithoutModuleFiles), AskButtons::YesNo) !=
            DialogAnswer::Yes)
            Abort();
        for (auto i = absent.rbegin(); i != absent.rend(); ++i) {
            Delete(*i);
            names.erase(names.begin() + *i);
        }
        dropped = true;
    }
    for (int i = 0; i < Count(); ++i) {
        TemgpModule& entry = *Items(i);
        try {
            entry.LoadFromDir(dir);
        } catch (const EAbort&) {
            throw;
        } catch (const std::exception& e) {
            throw Exception(Format(kModuleFileUnreadable, IncludeTrailingPathDelimiter(dir) + names[i], e.what()), e);
        }
        ItemLoaded(entry);
    }
    return dropped;
}

bool TemgpModules::NamesFile(std::string_view fileName) const {
    const std::string name = ExtractFileName(fileName);
    for (int i = 0; i < Count(); ++i)
        if (ExtractFileName(Items(i)->GetFileName()) == name) return true;
    return false;
}

void TemgpModules::ItemLoaded(TModelInFile& item) {
    TModelCollection::ItemLoaded(item);
    static_cast<TemgpModule&>(item).Module().MarkClassModule(item.Index() != 0);
}

void TemgpModules::ItemAdded(TCollectionItem& item) {
    TModelCollection::ItemAdded(item);
    static_cast<TemgpModule&>(item).Module().SetResolver(FProject);
}

// --- TemgpProject: stored data ---------------------------------------------------------------

void TemgpProject::PublishProperties(PropertyList& p) {
    TComponent::PublishProperties(p);
    p.Collection("Modules", Mutable(&TemgpProject::Modules));
    p.Object("Appellation", Mutable(&TemgpProject::Appellation));
    p.String("SrcPath", &TemgpProject::GetStoredSrcPath, &TemgpProject::SetStoredSrcPath);
    p.String("SearchPath", &TemgpProject::GetSearchPath, &TemgpProject::SetSearchPath);
    p.String("UnitHeader", &TemgpProject::GetUnitHeader, &TemgpProject::SetUnitHeader);
    p.Collection("Releases", Mutable(&TemgpProject::Releases));
    p.Enumeration("GeneratedFileEncoding", &TemgpProject::GetGeneratedFileEncoding,
                  &TemgpProject::SetGeneratedFileEncoding, GeneratedFileEncodingNames, std::optional(geAnsi));
    p.Integer("GeneratedFileCodePage", &TemgpProject::GetGeneratedFileCodePage,
              &TemgpProject::SetGeneratedFileCodePage, kWesternCodePage);
}

TemgpProject::TemgpProject()
    : FModules(std::make_unique<TemgpModules>(this)),
      FAppellation(std::make_unique<TgmcAppellation>()),
      FReleases(std::make_unique<TReleaseDllCollection>(this)) {}

TemgpProject::~TemgpProject() = default;

std::string TemgpProject::GetSrcPath() const { return ExtractFilePath(FFileName); }

void TemgpProject::SetSearchPath(std::string_view value) { ChangeField(FSearchPath, std::string(value), FModified); }

void TemgpProject::SetUnitHeader(std::string_view value) { ChangeField(FUnitHeader, std::string(value), FModified); }

void TemgpProject::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TemgpProject*>(&source);
    if (!other) {
        TComponent::Assign(source);
        return;
    }
    SetModules(other->Modules());
    SetAppellation(other->Appellation());
    SetSearchPath(other->FSearchPath);
    SetUnitHeader(other->FUnitHeader);
    SetGeneratedFileEncoding(other->FEncoding.encoding);
    SetGeneratedFileCodePage(other->FEncoding.codePage);
    SetReleases(other->Releases());
}

// --- Modified flag ---------------------------------------------------------------------------------

bool TemgpProject::GetModified() const {
    if (IsEmpty()) return false;
    return FModified || FAppellation->GetModified() || FReleases->GetModified();
}

void TemgpProject::SetModified(bool value) {
    FModified = value;
    if (value) return;
    FAppellation->SetModified(false);
    FReleases->SetModified(false);
}

// --- Life cycle ---------------------------------------------------------------------------------------

void TemgpProject::NewProject(std::string_view dir) {
    if (FCheckResults) FCheckResults->Clear();
    FModules->Clear();
    FAppellation->SetName(kNewProjectName);
    FAppellation->SetCaption("");
    FFileName = IncludeTrailingPathDelimiter(dir) + std::string(kNewProjectName) + "." + std::string(kProjectExtension);
    FFileDate = 0;
    SetUnitHeader(kStandardUnitHeader);
    SetSearchPath("");
    SetGeneratedFileEncoding(geAnsi);
    SetGeneratedFileCodePage(kWesternCodePage);
    AddCommonTypesModule();
    FReleases->Clear();
    SetModified(true);
}

void TemgpProject::CloseProject() {
    if (FCheckResults) FCheckResults->Clear();
    FModules->Clear();
    FModules->SetModified(false);
    FAppellation->SetName("");
    FAppellation->SetCaption("");
    FFileName.clear();
    FFileDate = 0;
    SetModified(false);
}

void TemgpProject::LoadFromFile(const std::string& fileName, TMissingModuleFiles missing) {
    // Everything is read into a fresh project first: a failure leaves this one as it was.
    TemgpProject loaded;
    if (!FileExists(fileName)) throw Exception(MissingModelFileMessage(fileName));
    std::string options;
    try {
        ReadModelFile(loaded, fileName, kProjectSignature, options);
    } catch (const EAbort&) {
        throw;
    } catch (const std::exception& e) {
        // The reader's place stays with it: a command line names the file and line first.
        throw Exception(Format(kProjectFileUnreadable, fileName, e.what()), e);
    }
    loaded.FFileName = fileName;
    loaded.FFileDate = FileAge(fileName).value_or(0);
    const bool dropped = loaded.FModules->LoadModules(loaded.Directory(), fileName, missing);
    loaded.SetModified(false);
    loaded.FModules->SetModified(false);
    // A left-out entry is a change: the next save writes the project without it.
    if (dropped) loaded.SetModified(true);
    Swap(loaded);
}

void TemgpProject::Swap(TemgpProject& other) {
    // Results point into the modules being swapped away.
    if (FCheckResults) FCheckResults->Clear();
    if (other.FCheckResults) other.FCheckResults->Clear();
    std::swap(FModules, other.FModules);
    std::swap(FAppellation, other.FAppellation);
    std::swap(FSearchPath, other.FSearchPath);
    std::swap(FUnitHeader, other.FUnitHeader);
    std::swap(FEncoding, other.FEncoding);
    std::swap(FReleases, other.FReleases);
    std::swap(FFileName, other.FFileName);
    std::swap(FFileDate, other.FFileDate);
    std::swap(FModified, other.FModified);
    const int line = SourceLine();
    SetSourceLine(other.SourceLine());
    other.SetSourceLine(line);
    for (TemgpProject* side : {this, &other}) {
        side->FModules->SetProject(side);
        side->FReleases->SetOwner(side);
    }
}

void TemgpProject::SaveToFile(const std::string& fileName) {
    // A protected project or module file refuses the save before any file is written.
    if (GetModified()) CheckFileWritable(fileName);
    for (int i = 0; i < FModules->Count(); ++i)
        if (FModules->Items(i)->Model().GetModified())
            CheckFileWritable(ExtractFilePath(fileName) + ExtractFileName(FModules->Items(i)->GetFileName()));
    ModelFilesSave save;
    if (GetModified() && !IsModelFileLocked(fileName)) {
        bool write = true;
        if (SameText(FFileName, fileName)) {
            const std::optional<TDateTime> diskDate = FileAge(fileName);
            if (diskDate && *diskDate != FFileDate) {
                const std::string question = Format(kFileReplaceQuestion, FFileName, DateTimeToText(*diskDate),
                                                    DateTimeToText(FFileDate == 0 ? Now() : FFileDate));
                switch (Dialogs().Ask(question, AskButtons::YesNoCancel)) {
                    case DialogAnswer::Yes: break;
                    case DialogAnswer::No: write = false; break;
                    case DialogAnswer::Cancel: Abort();
                }
            }
        }
        if (write) {
            UnlockModelFile(fileName);
            save.Add(fileName, ModelFileText(*this, kProjectSignature, ""), [this, fileName] {
                FFileDate = FileAge(fileName).value_or(0);
                SetModified(false);
            });
        }
    }
    // The project file and the module files are flushed together and only then take their
    // places: a save that fails before leaves every file as it was.
    if (FModules->GetModified()) FModules->AddModifiedToSave(save, ExtractFilePath(fileName));
    save.Commit();
    // A renamed module's old file goes once its new file and the project file naming it are both
    // written beside it, and no entry names it again; a save elsewhere leaves the old project whole.
    for (int i = 0; i < FModules->Count(); ++i) {
        TemgpModule& entry = *FModules->Items(i);
        if (entry.FFormerFileName.empty() || entry.Model().GetModified() || GetModified()) continue;
        const std::string dir = ExtractFilePath(fileName);
        if (SameText(ExtractFilePath(entry.FFormerFileName), dir) && FileExists(dir + ExtractFileName(entry.GetFileName())) &&
            !FModules->NamesFile(entry.FFormerFileName))
            RemoveFile(entry.FFormerFileName);
        entry.FFormerFileName.clear();
    }
}

void TemgpProject::UnlockAll() {
    if (!FFileName.empty()) UnlockModelFile(FFileName);
    for (int i = 0; i < FModules->Count(); ++i)
        if (!FModules->Items(i)->GetFileName().empty()) UnlockModelFile(FModules->Items(i)->GetFileName());
}

// --- Modules ------------------------------------------------------------------------------------------

TemgpModule& TemgpProject::AddClassModule() {
    TemgpModule& entry = *FModules->Add();
    SetModified(true);
    long long number = std::max(NextNumber(FModules.get(), kNewClassWord, 0),
                                NextNumber(FModules.get(), kExternalClassCaptionWord, 1));
    // The file is named after the class: a renamed module may still hold the file of a free
    // name, and a file on disk may belong to no entry yet. Neither is taken over.
    const auto fileTaken = [&](long long candidate) {
        const std::string file = ModuleFileName(std::string(kNewClassWord) + std::to_string(candidate));
        return FModules->NamesFile(file) || FileExists(Directory() + file);
    };
    while (fileTaken(number)) ++number;
    const std::string name = std::string(kNewClassWord) + std::to_string(number);
    TemgModule& module = entry.Module();
    module.MainClass().SetName(name);
    module.SetAppellation(module.MainClass().Appellation());
    entry.SetFileName(Directory() + ModuleFileName(name));
    module.MainClass().SetGUID(CreateGuidString());
    module.MarkClassModule(true);
    return entry;
}

void TemgpProject::RenameModule(TemgpModule& entry, std::string_view name, std::string_view caption) {
    TemgClass& cls = entry.Module().MainClass();
    if (cls.GetName() != name) {
        TgmcAppellation renamed;
        renamed.Assign(cls.Appellation());
        renamed.SetName(name);
        RenameClassReferences(cls.Appellation(), &renamed, nullptr);
    }
    cls.SetName(name);
    cls.SetCaption(caption);
    entry.Module().SetAppellation(cls.Appellation());
}

std::string TemgpProject::NamedModuleFile(const TemgpModule& entry) {
    return ModuleFileName(entry.Module().GetName());
}

bool TemgpProject::RenameModuleFile(TemgpModule& entry) {
    const std::string path = Directory() + NamedModuleFile(entry);
    const std::string former = entry.FFormerFileName.empty() ? entry.GetFileName() : entry.FFormerFileName;
    const bool undone = SameText(ExtractFileName(former), ExtractFileName(path));
    if (!undone && (FModules->NamesFile(path) || FileExists(path))) return false;
    entry.FFormerFileName = undone ? std::string() : former;
    entry.SetFileName(undone ? former : path);
    entry.SetModified(true);
    SetModified(true);
    return true;
}

TemgpModule& TemgpProject::AddCommonTypesModule() {
    TemgpModule& entry = *FModules->Add();
    SetModified(true);
    entry.Module().MakeCommonTypesModule();
    entry.SetFileName(Directory() + ModuleFileName(kCommonTypesName));
    return entry;
}

TemgpModule& TemgpProject::AddExistingModule(std::string_view fileName) {
    if (FModules->NamesFile(fileName))
        throw Exception(Format(kModuleFileInProject, Directory() + ExtractFileName(fileName)));
    TemgpModule& entry = *FModules->Add();
    try {
        entry.LoadFromFile(Directory(), fileName);
    } catch (const EAbort&) {
        FModules->Delete(entry.Index());
        throw;
    } catch (const std::exception& e) {
        const std::string path = Directory() + ExtractFileName(fileName);
        FModules->Delete(entry.Index());
        throw Exception(Format(kModuleFileUnreadable, path, e.what()), e);
    }
    return entry;
}

TemgpModule& TemgpProject::FirstModuleEntry() const {
    if (FModules->Count() == 0) throw Exception(std::string(kNoModuleFound));
    return *FModules->Items(0);
}

TemgModule& TemgpProject::FirstModule() const { return FirstModuleEntry().Module(); }

const TemgModule* TemgpProject::GetFirstModule() const {
    return FModules->Count() == 0 ? nullptr : &FModules->Items(0)->Module();
}

TemgpModule* TemgpProject::FindModuleEntry(std::string_view className) const {
    if (FModuleIndex) {
        const auto found = FModuleIndex->find(LowerCase(className));
        return found == FModuleIndex->end() ? nullptr : found->second;
    }
    return static_cast<TemgpModule*>(FindItemByText(FModules.get(), className));
}

TemgModule* TemgpProject::FindModule(std::string_view className) {
    TemgpModule* entry = FindModuleEntry(className);
    return entry ? &entry->Module() : nullptr;
}

const TemgModule* TemgpProject::FindModule(std::string_view className) const {
    TemgpModule* entry = FindModuleEntry(className);
    return entry ? &entry->Module() : nullptr;
}

bool TemgpProject::IsEmpty() const { return FAppellation->GetName().empty() && FModules->Count() == 0; }

// --- Generation and checking ----------------------------------------------------------------------

void TemgpProject::GenerateAll() const { GenerateAll(StandardUnitBuilder()); }

void TemgpProject::GenerateAll(const IUnitBuilder& builder) const {
    DiskFileWriter disk;
    GenerateAll(GenerationTools{builder, disk});
}

void TemgpProject::GenerateAll(const GenerationTools& tools) const { GenerateAll(tools, 1, {}); }

void TemgpProject::GenerateAll(const GenerationTools& tools,
                               const std::function<void(int done, int count)>& moduleDone) const {
    GenerateAll(tools, 1, moduleDone);
}

namespace {

// Keeps the files one module's generation hands over, for the calling thread to pass on.
class RecordingFileWriter final : public IGeneratedFileWriter {
public:
    struct File {
        std::string text;
        std::string fileName;
        TWriteRules rules;
    };
    bool Write(std::string_view text, const std::string& fileName, const TWriteRules& rules) override {
        return Take(std::string(text), fileName, rules);
    }
    bool Take(std::string&& text, const std::string& fileName, const TWriteRules& rules) override {
        files.push_back({std::move(text), fileName, rules});
        return true;
    }
    std::vector<File> files;
};

// Modules are generated by worker threads, each into a slot of its own, while the calling thread
// passes the slots' files on in module order. Workers stay at most a few modules ahead of the
// calling thread, so that memory holds the texts of a few modules, not of the project.
class ParallelGeneration {
public:
    using GenerateModule = std::function<void(int index, IGeneratedFileWriter& writer)>;

    ParallelGeneration(int count, int workers, GenerateModule generate)
        : slots_(static_cast<std::size_t>(count)), count_(count), ahead_(2 * workers), generate_(std::move(generate)) {
        for (int i = 0; i < workers; ++i) threads_.emplace_back([this] { Work(); });
    }
    ~ParallelGeneration() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        for (std::thread& thread : threads_) thread.join();
    }
    ParallelGeneration(const ParallelGeneration&) = delete;
    ParallelGeneration& operator=(const ParallelGeneration&) = delete;

    // Waits for module `index`, hands its files to `writer`, then raises the module's error if
    // it had one.
    void PassOn(int index, IGeneratedFileWriter& writer) {
        Slot& slot = slots_[static_cast<std::size_t>(index)];
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return slot.done; });
        }
        std::vector<RecordingFileWriter::File> files = std::move(slot.writer.files);
        for (const RecordingFileWriter::File& file : files) writer.Write(file.text, file.fileName, file.rules);
        if (slot.error) std::rethrow_exception(slot.error);
        {
            const std::lock_guard lock(mutex_);
            passedOn_ = index + 1;
        }
        changed_.notify_all();
    }

private:
    struct Slot {
        RecordingFileWriter writer;
        std::exception_ptr error;
        bool done = false;
    };

    void Work() {
        for (;;) {
            int index = 0;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return stop_ || next_ >= count_ || next_ < passedOn_ + ahead_; });
                if (stop_ || next_ >= count_) return;
                index = next_++;
            }
            Slot& slot = slots_[static_cast<std::size_t>(index)];
            try {
                generate_(index, slot.writer);
            } catch (...) {
                slot.error = std::current_exception();
            }
            {
                const std::lock_guard lock(mutex_);
                slot.done = true;
            }
            changed_.notify_all();
        }
    }

    std::vector<Slot> slots_;
    const int count_;
    const int ahead_;
    const GenerateModule generate_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int next_ = 0;
    int passedOn_ = 0;
    bool stop_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace

void TemgpProject::GenerateAll(const GenerationTools& tools, int workers,
                               const std::function<void(int done, int count)>& moduleDone) const {
    WriteGeneration(TGenerationRun{}, tools, workers, moduleDone);
}

void TemgpProject::GenerateModules(const GenerationTools& tools, int workers,
                                   const std::function<void(int done, int count)>& moduleDone) const {
    const TemgModule& first = FirstModule();
    const std::string srcPath = GetSrcPath();
    const ModuleIndexScope index(*this);
    const int count = FModules->Count();
    const auto generate = [&](int i, IGeneratedFileWriter& writer) {
        FModules->Items(i)->Module().Generate(srcPath, FSearchPath, false, *this, FUnitHeader, &first,
                                              GenerationTools{tools.builder, writer});
    };
    if (workers <= 1 || count < 2) {
        for (int i = 0; i < count; ++i) {
            generate(i, tools.writer);
            if (moduleDone) moduleDone(i + 1, count);
        }
        return;
    }
    // A module's generation points the module at its resolver while it runs; set here for every
    // module at once, the workers only read it, also of modules other threads generate.
    struct ResolversScope {
        ResolversScope(const TemgpModules& modules, const IModuleResolver* resolver) : modules_(modules) {
            for (int i = 0; i < modules_.Count(); ++i) {
                TemgModule& module = modules_.Items(i)->Module();
                previous_.push_back(module.Resolver());
                module.SetResolver(resolver);
            }
        }
        ~ResolversScope() {
            for (int i = 0; i < modules_.Count(); ++i)
                modules_.Items(i)->Module().SetResolver(previous_[static_cast<std::size_t>(i)]);
        }
        const TemgpModules& modules_;
        std::vector<const IModuleResolver*> previous_;
    };
    const ResolversScope resolvers(*FModules, this);
    ParallelGeneration generation(count, std::min(workers, count), generate);
    for (int i = 0; i < count; ++i) {
        generation.PassOn(i, tools.writer);
        if (moduleDone) moduleDone(i + 1, count);
    }
}

const TCheckCollection& TemgpProject::CheckProject(ICheckResultsReceiver* receiver) {
    RunCheck(nullptr);
    if (receiver) receiver->ShowCheckResults(*FCheckResults);
    return *FCheckResults;
}

void TemgpProject::RunCheck(const std::unordered_set<const TemgModule*>* selected) {
    if (FCheckResults)
        FCheckResults->Clear();
    else
        FCheckResults = std::make_unique<TCheckCollection>();
    const ModuleIndexScope index(*this);
    const std::string srcPath = GetSrcPath();
    std::vector<const TemgModule*> checked;
    std::vector<const TemgModule*> all;
    std::vector<TCheckedModule> entries;
    for (int i = 0; i < FModules->Count(); ++i) all.push_back(&FModules->Items(i)->Module());
    CheckUnitHeader(FUnitHeader, *FCheckResults);
    for (int i = 0; i < FModules->Count(); ++i) {
        const TemgModule& module = FModules->Items(i)->Module();
        if (!selected || selected->count(&module)) {
            // The module's rules ask what its units use, each walking every member: once will do.
            const TypeReferencesScope references(module, *this);
            CheckModule(module, *this, *FCheckResults, FModules->Items(i));
            CheckModuleDesign(module, *this, all, *FCheckResults, FModules->Items(i));
            CheckModuleEncoding(module, FEncoding, *FCheckResults, FModules->Items(i));
        }
        CheckModuleNameUnique(module, checked, *FCheckResults, FModules->Items(i));
        CheckDebugApplicationFiles(module, checked, srcPath, *FCheckResults);
        CheckDataModuleUnit(module, entries, *FCheckResults, FModules->Items(i));
        checked.push_back(&module);
        entries.push_back({&module, FModules->Items(i)});
    }
    CheckGeneratedFileOwners(entries, srcPath, *FCheckResults);
    // The project's directory is in the paths that generated units and projects name.
    for (const std::string& text : {srcPath, FSearchPath, FUnitHeader})
        CheckTextEncoding(text, FEncoding, *FCheckResults, this);
}

// --- Generation runs -----------------------------------------------------------------------------

EGenerationStopped::EGenerationStopped(int errors)
    : Exception(errors == 1 ? std::string(kGenerationStoppedOneError) : Format(kGenerationStoppedErrors, errors)),
      FErrors(errors) {}

const TCheckCollection& TemgpProject::CheckGeneration(const TGenerationRun& run) {
    if (!run.module) {
        RunCheck(nullptr);
        return *FCheckResults;
    }
    // The run's module, the first module and every module reached through external classes.
    std::unordered_set<const TemgModule*> selected;
    std::vector<const TemgModule*> pending{run.module, &FirstModule()};
    const ModuleIndexScope index(*this);
    while (!pending.empty()) {
        const TemgModule* module = pending.back();
        pending.pop_back();
        if (!selected.insert(module).second) continue;
        const TemgExternalClasses& externals = module->MainClass().ExternalClasses();
        for (int i = 0; i < externals.Count(); ++i)
            if (const TemgModule* referenced = FindModule(externals.Items(i)->GetName());
                referenced && !selected.count(referenced))
                pending.push_back(referenced);
    }
    RunCheck(&selected);
    return *FCheckResults;
}

void TemgpProject::Generate(const TGenerationRun& run, const GenerationTools& tools, int workers,
                            const std::function<void(int done, int count)>& stepDone) {
    if (const int errors = CheckGeneration(run).CountOf(cicError); errors > 0) throw EGenerationStopped(errors);
    WriteGeneration(run, tools, workers, stepDone);
}

std::vector<TGeneratedFile> TemgpProject::GenerationFiles(const TGenerationRun& run) const {
    const std::string srcPath = GetSrcPath();
    const TemgModule& first = FirstModule();
    if (run.debugApplication) return run.debugApplication->GeneratedFiles(srcPath);
    std::vector<TGeneratedFile> files;
    const auto add = [&](const TemgModule& module) {
        std::vector<TGeneratedFile> more = module.GeneratedFiles(srcPath, &module == &first);
        files.insert(files.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    };
    if (!run.module) {
        for (int i = 0; i < FModules->Count(); ++i) add(FModules->Items(i)->Module());
        return files;
    }
    add(*run.module);
    if (run.withReferenced) {
        const TemgExternalClasses& externals = run.module->MainClass().ExternalClasses();
        for (int i = 0; i < externals.Count(); ++i)
            if (const TemgModule* referenced = FindModule(externals.Items(i)->GetName())) add(*referenced);
    }
    add(first);
    return files;
}

void TemgpProject::WriteGeneration(const TGenerationRun& run, const GenerationTools& tools, int workers,
                                   const std::function<void(int done, int count)>& stepDone) const {
    const ModuleIndexScope index(*this);
    const std::vector<TGeneratedFile> files = GenerationFiles(run);
    // A unit the user added is never written over, even in a design that was not checked.
    std::unordered_map<std::string, const TemgModule*> addedUnits;
    const std::string srcPath = GetSrcPath();
    for (int i = 0; i < FModules->Count(); ++i) {
        const TemgModule& module = FModules->Items(i)->Module();
        const std::string directory = module.OutputDirectory(srcPath);
        for (int j = 0; j < module.AddUnits().Count(); ++j)
            addedUnits.try_emplace(FileNameKey(module.AddUnits().Items(j)->FileName(directory)), &module);
    }
    if (!addedUnits.empty())
        for (const TGeneratedFile& file : files)
            if (const auto found = addedUnits.find(FileNameKey(file.fileName)); found != addedUnits.end())
                throw Exception(Format(kGenerationStoppedAddedUnit, file.fileName, found->second->MainClassName()));
    tools.writer.CheckWritable(files);

    if (!run.module) {
        GenerateModules(tools, workers, stepDone);
        return;
    }
    if (run.debugApplication) {
        GenerateDebugApplication(*run.debugApplication, *run.module, *this, tools.writer);
        if (stepDone) stepDone(1, 1);
        return;
    }
    const TemgModule& first = FirstModule();
    const auto generate = [&](const TemgModule& module, bool allReferenced, int done) {
        module.Generate(srcPath, FSearchPath, allReferenced, *this, FUnitHeader, &first, tools);
        if (stepDone) stepDone(done, 2);
    };
    // The module (with the modules its class refers to, when asked), then the first module.
    generate(*run.module, run.withReferenced, 1);
    generate(first, false, 2);
}

CheckResultPlace TemgpProject::PlaceOf(const TPersistent* object) const {
    // The outermost owner of the object: an element's items lead up to the module's class or to
    // a collection that the module, or the project, owns.
    const TPersistent* top = object;
    while (const auto* item = dynamic_cast<const TCollectionItem*>(top)) {
        const TCollection* collection = item->Collection();
        if (!collection || !collection->Owner()) break;
        top = collection->Owner();
    }
    for (int i = 0; i < FModules->Count(); ++i) {
        const TemgpModule* entry = FModules->Items(i);
        const TemgModule& module = entry->Module();
        const std::array<const TPersistent*, 3> moduleObjects{entry, &module, &module.MainClass()};
        const auto isModuleObject = [&](const TPersistent* p) { return std::ranges::find(moduleObjects, p) != moduleObjects.end(); };
        if (!isModuleObject(top) && !isModuleObject(object)) continue;
        const int line = !isModuleObject(object) && object->SourceLine() > 0 ? object->SourceLine() : module.SourceLine();
        return {entry->GetFileName(), line, module.ModuleName(), CheckObjectPath(object, isModuleObject)};
    }
    return {FFileName, SourceLine(), {}, CheckObjectPath(object)};
}

std::function<void(const TgmcAppellation&, TStringList&)> TemgpProject::TypeReferenceSearch() {
    return [this](const TgmcAppellation& name, TStringList& found) { RenameReferences(name, nullptr, &found); };
}

// --- IProject ----------------------------------------------------------------------------------------

void TemgpProject::ListReferencableClasses(TStringList& target, const TemgClass& cls, const TemgModule& module,
                                           std::string_view currentName) {
    target.Clear();
    const TemgExternalClasses& own = cls.ExternalClasses();
    for (int i = 0; i < FModules->Count(); ++i) {
        TemgModule& candidate = FModules->Items(i)->Module();
        TemgClass& candidateClass = candidate.MainClass();
        const std::string& name = candidateClass.GetName();
        if (name != currentName) {
            if (&candidateClass == &cls || &candidate == &module) continue;
            if (i == 0) continue;
            if (RefersTo(own, name) || RefersTo(candidateClass.ExternalClasses(), cls.GetName())) continue;
            if (!MayReferenceByDatabaseSupport(module.GetDatabaseSupport(), candidate.GetDatabaseSupport())) continue;
        }
        target.Add(candidateClass.GetDisplayName(), &candidateClass);
    }
}

void TemgpProject::RenameReferences(const TgmcAppellation& oldName, const TgmcAppellation* newName,
                                    TStringList* found) {
    for (int i = 0; i < FModules->Count(); ++i) {
        TemgModule& module = FModules->Items(i)->Module();
        module.MainClass().RenameReferences(oldName, newName, found);
        module.ProceduralTypes().FindOrRename(oldName, newName, found);
    }
}

void TemgpProject::RenameClassReferences(const TgmcAppellation& oldName, const TgmcAppellation* newName,
                                         TStringList* found) {
    for (int i = 0; i < FModules->Count(); ++i)
        FModules->Items(i)->Module().MainClass().ExternalClasses().FindOrRename(oldName, newName, found);
}

void TemgpProject::ListClassModules(TStringList& target) const {
    for (int i = 1; i < FModules->Count(); ++i) {
        TemgModule& module = FModules->Items(i)->Module();
        target.Add(module.ModuleName(), &module);
    }
}

std::vector<TemgModule*> TemgpProject::ClassModules() const {
    std::vector<TemgModule*> modules;
    for (int i = 1; i < FModules->Count(); ++i) modules.push_back(&FModules->Items(i)->Module());
    return modules;
}

void TemgpProject::ExternalClassesOf(TStringList& result, std::string_view className,
                                     std::vector<std::string>& errors) const {
    const TemgpModule* entry = FindModuleEntry(className);
    if (!entry) {
        errors.push_back(Format(kReferencedClassNotFound, className));
        return;
    }
    TemgExternalClasses& externalClasses = entry->Module().MainClass().ExternalClasses();
    for (int i = 0; i < externalClasses.Count(); ++i)
        result.Add(externalClasses.Items(i)->GetName(), externalClasses.Items(i));
}

void TemgpProject::ForEachModule(const std::function<void(TemgModule&)>& operation) const {
    for (int i = 0; i < FModules->Count(); ++i) operation(FModules->Items(i)->Module());
}

}  // namespace quillon
