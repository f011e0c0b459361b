#include "cli/CliCommands.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <atomic>
#include <exception>
#include <ostream>
#include <thread>
#include <unordered_set>

#include "checking/CheckResults.h"
#include "elements/ReleaseElements.h"
#include "generator/DebugApplication.h"
#include "generator/DebugApplicationUnits.h"
#include "generator/DeveloperUnitUpdate.h"
#include "generator/GeneratedFileWriters.h"
#include "generator/GeneratorMessages.h"
#include "generator/Release.h"
#include "generator/UnitBuilder.h"
#include "model/ComponentFile.h"
#include "model/ModelMessages.h"
#include "platform/ComServer.h"
#include "platform/CommandLine.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/Process.h"
#include "platform/ShellOpen.h"
#include "platform/Text.h"
#include "platform/UserDialogs.h"
#include "project/Project.h"

namespace quillon::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kProgramName = "quillon-cli";
constexpr std::string_view kProjectExists = "Project file '%s' already exists";
constexpr std::string_view kGeneratedUnitStale = "%s is not up to date with the design: run quillon-cli generate first";
constexpr std::string_view kDebugApplicationNotFound = "Debug application '%s' not found in class '%s'";
constexpr std::string_view kReleaseNotFound = "Release '%s' not found";
constexpr std::string_view kReleaseDirectoryLine = "Release directory: %s";
constexpr std::string_view kRegistrationNeedsWindows = "Registering the COM server %s needs Windows";
constexpr std::string_view kDevUnitLacksOverrides =
    "%s lacks the overrides %s; run quillon-cli update-dev %s --module %s to add them";
constexpr std::string_view kDevUnitAbsent = "%s does not exist; generate writes it";
constexpr std::string_view kDevUnitsDiffer = "%d of %d developer's units differ from the design";
constexpr std::string_view kCannotWriteOutput = "Cannot write to standard output";
constexpr std::string_view kNotACommand = "'%s' is not a quillon-cli command";
// Threads that build the modules' texts of a whole-project generation; the files are still
// written one by one, in order, by the main thread.
constexpr int kGenerationWorkers = 2;

// The platform's expansion keeps network (\\server\share) and long (\\?\C:\...) names whole.
std::string AbsolutePath(const std::string& path) { return ExpandFileName(path, CurrentDirectory()); }

// `text` as a JSON string: quotes, backslashes and control characters escaped, the rest as it is
// (UTF-8).
std::string JsonString(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            quoted += "\\u00";
            quoted += kHex[static_cast<unsigned char>(c) >> 4];
            quoted += kHex[static_cast<unsigned char>(c) & 0xF];
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

// A failure on `err`: a reader's names its place as compilers do, so that editors can go there.
void ReportFailure(const std::exception& e, std::ostream& err) {
    if (const FilePosition position = Exception::PositionOf(e); position.line > 0)
        err << position.file << "(" << position.line << "): error: " << position.text << "\n";
    else
        err << kProgramName << ": " << e.what() << "\n";
}

std::string Plural(std::size_t count, std::string_view word) {
    return std::to_string(count) + " " + std::string(word) + (count == 1 ? "" : "s");
}

// A check result as every command prints it: "FILE(LINE): error: CAPTION [Module.Element]".
std::string CheckLine(const TemgpProject& project, const TCheckItem& item) {
    return CheckResultLine(item, project.PlaceOf(item.GetObjectReference()));
}

// Writes to disk and prints the name of each file it wrote, once, as soon as it is written: an
// interrupted run has shown what it wrote.
class ListingFileWriter final : public IGeneratedFileWriter {
public:
    explicit ListingFileWriter(std::ostream& out) : out_(out) {}
    void CheckWritable(const std::vector<TGeneratedFile>& files) const override { disk_.CheckWritable(files); }
    bool Write(std::string_view text, const std::string& fileName, const TWriteRules& rules) override {
        if (!disk_.Write(text, fileName, rules)) return false;
        std::string name = NormalizePath(fileName);
        if (seen_.insert(name).second) out_ << name << std::endl;
        return true;
    }
    std::size_t WrittenCount() const { return seen_.size(); }

private:
    std::ostream& out_;
    DiskFileWriter disk_;
    std::unordered_set<std::string> seen_;
};

// The generation the options ask for: every module, one module and the first module, or one
// debug application.
TGenerationRun GenerationRun(const TemgpProject& project, const GenerateOptions& options) {
    if (!options.debugApplication.empty()) {
        // The argument's form was checked by the parser: the first "/" separates the names.
        const std::size_t slash = options.debugApplication.find('/');
        const std::string moduleName = options.debugApplication.substr(0, slash);
        const std::string applicationName = options.debugApplication.substr(slash + 1);
        const TemgModule* module = project.FindModule(moduleName);
        if (!module) throw Exception(Format(kReferencedClassNotFound, moduleName));
        const TemgDebugApplications& applications = module->DebugApplications();
        for (int i = 0; i < applications.Count(); ++i)
            if (SameText(applications.Items(i)->GetName(), applicationName))
                return {.module = module, .withReferenced = false, .debugApplication = applications.Items(i)};
        throw Exception(Format(kDebugApplicationNotFound, applicationName, module->MainClassName()));
    }
    if (options.module.empty()) return {};
    const TemgModule* module = project.FindModule(options.module);
    if (!module) throw Exception(Format(kReferencedClassNotFound, options.module));
    return {.module = module, .withReferenced = options.withReferenced, .debugApplication = nullptr};
}

// Runs the generation the options ask for with `tools`, the check first.
void RunGeneration(TemgpProject& project, const GenerateOptions& options, const GenerationTools& tools) {
    project.Generate(GenerationRun(project, options), tools, kGenerationWorkers);
}

// `text` as a quoted DOT string; a line break becomes the label's centred line break.
std::string DotQuoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\n') {
            quoted += "\\n";
            continue;
        }
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

// The text a member shows in the tree.
std::string MethodText(const TemgMethod& method) {
    std::string text;
    switch (method.GetCategory()) {
        case mcProcedure: text = "procedure "; break;
        case mcFunction: text = "function "; break;
        case mcConstructor: text = "constructor "; break;
        case mcDestructor: text = "destructor "; break;
    }
    text += method.GetName();
    const TemgParameters& parameters = method.Parameters();
    if (parameters.Count() > 0) {
        text += "(";
        for (int i = 0; i < parameters.Count(); ++i) {
            if (i > 0) text += "; ";
            text += parameters.Items(i)->GetDisplayName();
        }
        text += ")";
    }
    if (method.GetCategory() == mcFunction) text += ": " + method.DataType().GetName();
    return text;
}

std::string CaptionSuffix(const std::string& caption) { return caption.empty() ? "" : " \"" + caption + "\""; }

std::string SetText(TDatabaseSupport support) {
    std::string text = "[";
    for (int i = 0; i < DatabaseSupportComponentNames.Count(); ++i)
        if (support.Contains(static_cast<TDatabaseSupportComponent>(i))) {
            if (text.size() > 1) text += ", ";
            text += DatabaseSupportComponentNames.NameOf(i);
        }
    return text + "]";
}

std::string YesNo(bool value) { return value ? "yes" : "no"; }

void ShowModule(const TemgpModule& entry, bool first, std::ostream& out) {
    const TemgModule& module = entry.Module();
    out << "  " << module.ModuleName() << CaptionSuffix(module.ModuleCaption()) << " ["
        << ExtractFileName(entry.GetFileName()) << "]" << (first ? " common types" : "") << "\n";
    const std::string indent = "    ";
    if (!first) {
        out << indent << "server option: " << ServerOptionNames.NameOf(static_cast<int>(module.GetServerOption()))
            << "\n";
        out << indent << "database support: " << SetText(module.GetDatabaseSupport());
        if (!module.GetDatabaseName().empty()) out << ", database " << module.GetDatabaseName();
        if (!module.GetDataModuleName().empty()) out << ", data module " << module.GetDataModuleName();
        out << ", connect to host database: " << YesNo(module.GetConnectToHostDB()) << "\n";
        out << indent << "forms: " << YesNo(module.GetInterfaceSupport())
            << ", sharemem: " << YesNo(module.GetShareMemSupport())
            << ", library in exe path only: " << YesNo(module.GetLibraryPathSameExe()) << "\n";
        out << indent << "output directory: " << (module.GetSrcPath().empty() ? "." : module.GetSrcPath()) << "\n";
        const TemgClass& cls = module.MainClass();
        if (!cls.GetGUID().empty()) out << indent << "class identifier: " << cls.GetGUID() << "\n";
    }
    for (int i = 0; i < module.EnumTypes().Count(); ++i) {
        const TgmcEnumType& type = *module.EnumTypes().Items(i);
        out << indent << "enumerated type " << type.GetName() << " = (";
        for (int v = 0; v < type.Values().Count(); ++v)
            out << (v > 0 ? ", " : "") << type.Values().Items(v)->GetName();
        out << ")\n";
    }
    for (int i = 0; i < module.ProceduralTypes().Count(); ++i)
        out << indent << "procedural type " << module.ProceduralTypes().Items(i)->GetName() << "\n";
    if (first) {
        out << indent << "registered types: " << module.RegisteredDataTypes().Count() << "\n";
    } else {
        for (int i = 0; i < module.RegisteredDataTypes().Count(); ++i)
            out << indent << "registered type " << module.RegisteredDataTypes().Items(i)->DeclarationText() << "\n";
    }
    const TemgClass& cls = module.MainClass();
    for (int i = 0; i < cls.Properties().Count(); ++i) {
        const TemgProperty& property = *cls.Properties().Items(i);
        out << indent << "property " << property.GetName() << ": " << property.DataType().GetName() << "\n";
    }
    for (int i = 0; i < cls.Events().Count(); ++i) {
        const TemgProperty& event = *cls.Events().Items(i);
        out << indent << "event " << event.GetName() << ": " << event.DataType().GetName() << "\n";
    }
    for (int i = 0; i < cls.Methods().Count(); ++i) out << indent << MethodText(*cls.Methods().Items(i)) << "\n";
    for (int i = 0; i < cls.ExternalClasses().Count(); ++i) {
        const TemgExternalClass& external = *cls.ExternalClasses().Items(i);
        out << indent << "external property " << external.GetPropertyName() << ": " << external.GetName() << "\n";
    }
    for (int i = 0; i < module.DebugApplications().Count(); ++i)
        out << indent << "debug application " << module.DebugApplications().Items(i)->GetName() << "\n";
}

// The class modules a command works on: every one but the first, or the one named `name`.
std::vector<const TemgModule*> ClassModules(const TemgpProject& project, const std::string& name) {
    if (!name.empty()) {
        const TemgModule* module = project.FindModule(name);
        if (!module) throw Exception(Format(kReferencedClassNotFound, name));
        if (module == &project.FirstModule()) return {};
        return {module};
    }
    std::vector<const TemgModule*> modules;
    for (int i = 1; i < project.Modules().Count(); ++i) modules.push_back(&project.Modules().Items(i)->Module());
    return modules;
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
    return joined;
}

// Generates as `options` say, lists the files and a summary on `out`.
int GenerateProject(TemgpProject& project, const GenerateOptions& options, std::ostream& out) {
    if (options.dryRun || options.check) {
        PlanningFileWriter plan;
        RunGeneration(project, options, GenerationTools{StandardUnitBuilder(), plan});
        std::size_t created = 0;
        std::size_t changed = 0;
        for (const PlanningFileWriter::PlannedFile& file : plan.Files()) {
            if (file.change == PlanningFileWriter::Change::None) continue;
            (file.change == PlanningFileWriter::Change::Created ? created : changed) += 1;
            out << file.fileName << "\n";
        }
        if (created + changed == 0)
            out << "Every generated file is up to date\n";
        else
            out << Plural(created + changed, "file") << " would be written: " << created << " new, " << changed
                << " changed\n";
        return options.check && created + changed > 0 ? kExitFindings : kExitSuccess;
    }
    ListingFileWriter listing(out);
    RunGeneration(project, options, GenerationTools{StandardUnitBuilder(), listing});
    out << "Wrote " << Plural(listing.WrittenCount(), "file") << "\n";
    return kExitSuccess;
}

// The overrides each module's developer's unit lacks, or the failure of its scan. Each scan reads
// one unit and builds the module's developer's class in a model of its own, reading the project
// only; with a unit per module they took a good part of an unchanged check's time on one thread,
// so they run on as many threads as generation.
struct OverridesScan {
    std::vector<std::string> missing;
    std::exception_ptr failure;
};

std::vector<OverridesScan> ScanDeveloperUnits(const TemgpProject& project,
                                              const std::vector<const TemgModule*>& modules) {
    std::vector<OverridesScan> scans(modules.size());
    std::atomic<std::size_t> next{0};
    const std::string srcPath = project.GetSrcPath();
    const auto work = [&] {
        for (std::size_t i = next++; i < modules.size(); i = next++) {
            try {
                scans[i].missing = MissingDeveloperOverrides(*modules[i], project, srcPath);
            } catch (...) {
                scans[i].failure = std::current_exception();
            }
        }
    };
    std::vector<std::thread> threads;
    const int extra = std::min<int>(kGenerationWorkers, static_cast<int>(modules.size())) - 1;
    for (int i = 0; i < extra; ++i) threads.emplace_back(work);
    work();
    for (std::thread& thread : threads) thread.join();
    return scans;
}

// One line on `err` per developer's unit of the generated modules that lacks overrides, in the
// modules' order; a scan that failed raises its error after the lines of the modules before it.
void ReportDeveloperUnitsLackingOverrides(const TemgpProject& project, const GenerateOptions& options,
                                          const std::string& projectFile, std::ostream& err) {
    if (!options.debugApplication.empty()) return;
    const std::vector<const TemgModule*> modules = ClassModules(project, options.module);
    const std::vector<OverridesScan> scans = ScanDeveloperUnits(project, modules);
    for (std::size_t i = 0; i < modules.size(); ++i) {
        if (scans[i].failure) std::rethrow_exception(scans[i].failure);
        const std::vector<std::string>& missing = scans[i].missing;
        const TemgModule* module = modules[i];
        if (missing.empty()) continue;
        err << Format(kDevUnitLacksOverrides, module->DeveloperUnitFileName(project.GetSrcPath()), JoinNames(missing),
                      ShellQuoted(projectFile), ShellQuoted(module->ModuleName()))
            << "\n";
    }
}

}  // namespace

std::unique_ptr<TemgpProject> LoadProject(const std::string& path) {
    const std::string fileName = AbsolutePath(path);
    auto project = std::make_unique<TemgpProject>();
    // Working on without a module file would write the project without that module.
    project->LoadFromFile(fileName, TMissingModuleFiles::Refuse);
    return project;
}

int CommandNew(const std::string& dir, std::ostream& out) {
    const std::string directory = AbsolutePath(dir);
    TemgpProject project;
    project.NewProject(directory);
    if (FileExists(project.GetFileName())) throw Exception(Format(kProjectExists, project.GetFileName()));
    if (!ForceDirectories(directory)) throw Exception(std::string(kUnableToCreateDirectory) + " " + directory);
    std::vector<std::string> files{project.GetFileName()};
    for (int i = 0; i < project.Modules().Count(); ++i) files.push_back(project.Modules().Items(i)->GetFileName());
    project.SaveToFile(project.GetFileName());
    for (const std::string& file : files) out << file << "\n";
    out << "Created project " << project.GetName() << " with " << Plural(project.Modules().Count(), "module")
        << " in " << directory << "\n";
    return kExitSuccess;
}

int CommandShow(const std::string& projectFile, std::ostream& out) {
    const std::unique_ptr<TemgpProject> project = LoadProject(projectFile);
    out << project->GetName() << CaptionSuffix(project->Appellation().GetCaption()) << " ("
        << project->GetFileName() << ")\n";
    if (!project->GetSearchPath().empty()) out << "  search path: " << project->GetSearchPath() << "\n";
    for (int i = 0; i < project->Modules().Count(); ++i) ShowModule(*project->Modules().Items(i), i == 0, out);
    for (int i = 0; i < project->Releases().Count(); ++i) {
        const TReleaseDll& release = *project->Releases().Items(i);
        out << "  release " << release.GetName() << " -> " << release.GetPath()
            << (release.GetOption() == roModule ? " (module " + release.GetModuleName() + ")" : "") << "\n";
    }
    out << Plural(project->Modules().Count(), "module") << ", " << Plural(project->Releases().Count(), "release")
        << "\n";
    return kExitSuccess;
}

int CommandCheck(const std::string& projectFile, std::ostream& out, CheckFormat format) {
    const std::unique_ptr<TemgpProject> project = LoadProject(projectFile);
    const TCheckCollection& results = project->CheckProject();
    const int errors = results.CountOf(cicError);
    const int status = errors > 0 ? kExitFindings : kExitSuccess;
    if (format == CheckFormat::Json) {
        out << "[";
        for (int i = 0; i < results.Count(); ++i) {
            const TCheckItem& item = *results.Items(i);
            const CheckResultPlace place = project->PlaceOf(item.GetObjectReference());
            out << (i > 0 ? ",\n " : "\n ") << "{\"severity\": " << JsonString(CheckSeverity(item.GetCategory()))
                << ", \"message\": " << JsonString(item.GetCaption()) << ", \"module\": " << JsonString(place.module)
                << ", \"element\": " << JsonString(place.element) << ", \"file\": " << JsonString(place.file)
                << ", \"line\": " << place.line << "}";
        }
        out << (results.Count() > 0 ? "\n]\n" : "]\n");
        return status;
    }
    for (int i = 0; i < results.Count(); ++i) out << CheckLine(*project, *results.Items(i)) << "\n";
    out << Plural(static_cast<std::size_t>(errors), "error") << ", "
        << Plural(static_cast<std::size_t>(results.CountOf(cicWarning)), "warning") << ", "
        << Plural(static_cast<std::size_t>(results.CountOf(cicHint)), "hint") << " in "
        << Plural(static_cast<std::size_t>(project->Modules().Count()), "module") << "\n";
    return status;
}

int CommandGenerate(const std::string& projectFile, const GenerateOptions& options, std::ostream& out,
                    std::ostream& err) {
    const std::unique_ptr<TemgpProject> project = LoadProject(projectFile);
    int status = kExitSuccess;
    try {
        status = GenerateProject(*project, options, out);
    } catch (const EGenerationStopped& stopped) {
        // The errors, as `check` prints them, then why nothing was written.
        const TCheckCollection& results = *project->CheckResults();
        for (int i = 0; i < results.Count(); ++i)
            if (results.Items(i)->GetCategory() == cicError) err << CheckLine(*project, *results.Items(i)) << "\n";
        err << stopped.what() << "\n";
        return kExitFindings;
    }
    ReportDeveloperUnitsLackingOverrides(*project, options, projectFile, err);
    return status;
}

int CommandGenerate(const std::string& projectFile, const GenerateOptions& options, std::ostream& out) {
    return GenerateProject(*LoadProject(projectFile), options, out);
}

// One line on `err` per file that generating `module` as "generate --module" does would write:
// the developer's unit is brought in step with the design, the generator's units it builds on
// only by generate. A module that cannot be generated is left to the update's own report.
void ReportStaleGeneratedUnits(const TemgpProject& project, const TemgModule& module, std::ostream& err) {
    PlanningFileWriter plan;
    try {
        project.WriteGeneration({.module = &module, .withReferenced = false, .debugApplication = nullptr},
                                GenerationTools{StandardUnitBuilder(), plan});
    } catch (const Exception&) {
        return;
    }
    for (const std::string& file : plan.ChangedFiles()) err << Format(kGeneratedUnitStale, file) << "\n";
}

int CommandUpdateDev(const std::string& projectFile, const UpdateDevOptions& options, std::ostream& out,
                     std::ostream& err) {
    const std::unique_ptr<TemgpProject> project = LoadProject(projectFile);
    const bool writes = !options.dryRun && !options.check && !options.diff;
    std::size_t changed = 0;
    // Units that differ from the design in a way the update reports: absent, refused, or with
    // findings.
    std::size_t differing = 0;
    bool refused = false;
    const std::vector<const TemgModule*> modules = ClassModules(*project, options.module);
    for (const TemgModule* module : modules) {
        const std::string fileName = module->DeveloperUnitFileName(project->GetSrcPath());
        if (!FileExists(fileName)) {
            err << Format(kDevUnitAbsent, fileName) << "\n";
            ++differing;
            continue;
        }
        ReportStaleGeneratedUnits(*project, *module, err);
        TDeveloperUnitUpdate update;
        try {
            update = PlanDeveloperUnitUpdate(*module, *project, project->GetSrcPath());
        } catch (const Exception& e) {
            // One unit the reader cannot follow does not stop the others.
            ReportFailure(e, err);
            refused = true;
            ++differing;
            continue;
        }
        // The lines of the reports are those of the file as this run leaves it.
        const bool written = writes && update.Changed();
        for (const std::string& finding : written ? update.findings : update.findingsBefore) err << finding << "\n";
        if (!update.findings.empty()) ++differing;
        if (!update.Changed()) continue;
        ++changed;
        if (options.diff) {
            out << UnifiedDiff(update.original, update.updated, fileName);
            continue;
        }
        if (writes) ApplyDeveloperUnitUpdate(update);
        out << fileName << "\n";
    }
    // A diff stands alone; an empty one says that there is nothing to insert.
    if (!options.diff && changed > 0)
        out << (writes ? "Updated " : "Would update ") << Plural(changed, "developer's unit") << "\n";
    if (!options.diff && differing > 0)
        out << Format(kDevUnitsDiffer, differing, modules.size()) << "\n";
    else if (changed == 0 && differing == 0)
        out << "Every developer's unit is up to date\n";
    if (refused) return kExitFailure;
    return options.check && changed + differing > 0 ? kExitFindings : kExitSuccess;
}

int CommandRegister(const std::string& projectFile, const std::string& moduleName, std::ostream& out) {
    const std::unique_ptr<TemgpProject> project = LoadProject(projectFile);
    const TemgModule* module = project->FindModule(moduleName);
    if (!module) throw Exception(Format(kReferencedClassNotFound, moduleName));
    const std::string library = module->LibraryFileName(project->GetSrcPath());
    if (!ComRegistrationAvailable()) throw Exception(Format(kRegistrationNeedsWindows, library));
    out << RegisterComServer(library) << "\n";
    return kExitSuccess;
}

int CommandRelease(const std::string& projectFile, const std::string& name, std::ostream& out, std::ostream& err) {
    const std::unique_ptr<TemgpProject> project = LoadProject(projectFile);
    const TReleaseDll* release = nullptr;
    for (int i = 0; i < project->Releases().Count() && !release; ++i)
        if (SameText(project->Releases().Items(i)->GetName(), name)) release = project->Releases().Items(i);
    if (!release) throw Exception(Format(kReleaseNotFound, name));

    const std::vector<TemgModule*> classModules = project->ClassModules();
    const std::vector<const TemgModule*> modules(classModules.begin(), classModules.end());
    // The user asked for the release by running the command: no "Copy files to" question, and
    // the directory a desktop would open is printed instead.
    const ShellOpenScope shell([&out](const std::string& path) { out << Format(kReleaseDirectoryLine, path) << "\n"; });
    const std::vector<std::string> errors = RunRelease(*release, *project, modules);
    for (const std::string& error : errors) err << error << "\n";
    out << "Released " << release->GetName();
    if (!errors.empty()) out << " with " << Plural(errors.size(), "problem");
    out << "\n";
    return errors.empty() ? kExitSuccess : kExitFindings;
}

int CommandGraph(const std::string& projectFile, std::ostream& out) {
    const std::unique_ptr<TemgpProject> project = LoadProject(projectFile);
    out << "digraph " << DotQuoted(project->GetName()) << " {\n";
    out << "  node [shape=box];\n";
    const TemgpModules& modules = project->Modules();
    for (int i = 0; i < modules.Count(); ++i) {
        const TemgModule& module = modules.Items(i)->Module();
        const std::string role =
            i == 0 ? "common types" : std::string(ServerOptionNames.NameOf(static_cast<int>(module.GetServerOption())));
        out << "  " << DotQuoted(module.MainClassName()) << " [label=" << DotQuoted(module.MainClassName() + "\n" + role)
            << "];\n";
    }
    // A class no module has gets a node of its own, once, before its first edge.
    std::vector<std::string> missing;
    for (int i = 0; i < modules.Count(); ++i) {
        const TemgModule& module = modules.Items(i)->Module();
        const TemgExternalClasses& externalClasses = module.MainClass().ExternalClasses();
        for (int e = 0; e < externalClasses.Count(); ++e) {
            const TemgExternalClass& external = *externalClasses.Items(e);
            const TemgModule* target = project->FindModule(external.GetName());
            std::string style;
            if (!target) {
                style = ", style=dashed";
                if (std::find(missing.begin(), missing.end(), external.GetName()) == missing.end()) {
                    missing.push_back(external.GetName());
                    out << "  " << DotQuoted(external.GetName())
                        << " [label=" << DotQuoted(external.GetName() + "\nmissing") << ", style=dashed];\n";
                }
            }
            out << "  " << DotQuoted(module.MainClassName()) << " -> "
                << DotQuoted(target ? target->MainClassName() : external.GetName())
                << " [label=" << DotQuoted(external.GetPropertyName()) << style << "];\n";
        }
    }
    out << "}\n";
    return kExitSuccess;
}

int CommandFormat(const std::string& projectFile, bool check, std::ostream& out) {
    const std::unique_ptr<TemgpProject> project = LoadProject(projectFile);
    struct ModelFile {
        const TPersistent* model;
        std::string path;
        std::string_view signature;
        std::string options;
    };
    std::vector<ModelFile> files{{project.get(), project->GetFileName(), kProjectSignature, {}}};
    for (int i = 0; i < project->Modules().Count(); ++i) {
        const TemgpModule& entry = *project->Modules().Items(i);
        files.push_back({&entry.Module(), project->GetSrcPath() + ExtractFileName(entry.GetFileName()),
                         kModuleSignature, entry.Options().CommaText()});
    }
    std::vector<const ModelFile*> changedFiles;
    for (const ModelFile& file : files)
        if (ReadFileBytes(file.path) != ModelFileText(*file.model, file.signature, file.options))
            changedFiles.push_back(&file);
    // A protected file refuses the command before any file is rewritten.
    if (!check)
        for (const ModelFile* file : changedFiles) CheckFileWritable(file->path);
    std::vector<std::string> changed;
    for (const ModelFile* file : changedFiles) {
        if (!check) WriteModelFile(*file->model, file->path, file->signature, file->options);
        changed.push_back(file->path);
    }
    for (const std::string& file : changed) out << file << "\n";
    if (check)
        out << (changed.empty() ? "All " + Plural(files.size(), "file") + " are in canonical form"
                                : Plural(changed.size(), "file") + " would be reformatted")
            << "\n";
    else
        out << "Reformatted " << changed.size() << " of " << Plural(files.size(), "file") << "\n";
    return check && !changed.empty() ? kExitFindings : kExitSuccess;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    NonInteractiveDialogs dialogs(err, DialogAnswer::No);
    const ScopedDialogs installed(dialogs);

    CLI::App app{"Quillon: design Object Pascal library servers and generate their source.",
                 std::string(kProgramName)};
    app.set_version_flag("--version", std::string(kProgramName) + " " + QUILLON_VERSION);
    app.require_subcommand(1);
    app.footer(
        "Exit status: 0 success; 1 the check found errors, a file would change or a release had\n"
        "problems; 2 usage error; 3 the command failed (its message on standard error).\n"
        "'quillon-cli COMMAND --help' describes a command's arguments and options.");

    std::string path;
    // The commands that list the files they write leave only problems and the exit status with
    // --quiet.
    bool quiet = false;
    const auto addQuiet = [&quiet](CLI::App* command) {
        return command->add_flag("-q,--quiet", quiet, "Print nothing but problems; the exit status tells the rest");
    };
    CLI::App* newCommand = app.add_subcommand("new", "Create the project DIR/Project1.qlp with its CommonTypes module");
    newCommand->add_option("DIR", path, "Directory of the new project")->required();
    addQuiet(newCommand);

    GenerateOptions generate;
    CLI::App* generateCommand = app.add_subcommand(
        "generate", "Generate every module, one (--module) or a debug application (--debug-app); --dry-run and "
                    "--check write nothing");
    generateCommand->add_option("PROJECT", path, "Project file (.qlp)")->required();
    CLI::Option* moduleOption = generateCommand->add_option(
        "--module", generate.module, "Generate only this module (then the first module), as Generate Class");
    generateCommand->add_flag("--with-referenced", generate.withReferenced,
                              "With --module: also every module its class refers to")
        ->needs(moduleOption);
    generateCommand
        ->add_option("--debug-app", generate.debugApplication, "Generate only this debug application of this module")
        ->type_name("MODULE/APP")
        ->check([](const std::string& value) -> std::string {
            const std::size_t slash = value.find('/');
            if (slash == std::string::npos || slash == 0 || slash + 1 == value.size())
                return "expected MODULE/APP, got '" + value + "'";
            return {};
        })
        ->excludes(moduleOption);
    CLI::Option* dryRun =
        generateCommand->add_flag("--dry-run", generate.dryRun, "Write nothing; list the files that would change");
    generateCommand
        ->add_flag("--check", generate.check, "Write nothing; exit status 1 when a generated file is stale")
        ->excludes(dryRun);
    addQuiet(generateCommand);

    UpdateDevOptions updateDev;
    CLI::App* updateDevCommand = app.add_subcommand(
        "update-dev", "Insert what the design added into the developer's units: override declarations, their bodies "
                      "and uses; nothing of the developer's changes, the previous text stays as dev*.~pas");
    updateDevCommand->add_option("PROJECT", path, "Project file (.qlp)")->required();
    updateDevCommand->add_option("--module", updateDev.module, "Update only this module's developer's unit");
    CLI::Option* updateDryRun = updateDevCommand->add_flag("--dry-run", updateDev.dryRun,
                                                           "Write nothing; list the units that would change");
    CLI::Option* updateCheck = updateDevCommand->add_flag(
        "--check", updateDev.check, "Write nothing; exit status 1 when a unit would change");
    updateDevCommand->add_flag("--diff", updateDev.diff, "Write nothing; print a unified diff of the changes")
        ->excludes(updateDryRun)
        ->excludes(updateCheck)
        ->excludes(addQuiet(updateDevCommand));
    updateCheck->excludes(updateDryRun);

    CLI::App* checkCommand =
        app.add_subcommand("check", "Check the project: one line per result, exit status 1 on errors");
    checkCommand->add_option("PROJECT", path, "Project file (.qlp)")->required();
    std::string checkFormat = "text";
    checkCommand
        ->add_option("--format", checkFormat,
                     "text: FILE(LINE): error: MESSAGE [Module.Element] lines and a summary; json: only a JSON "
                     "array of objects with severity, message, module, element, file, line")
        ->check(CLI::IsMember({"text", "json"}));

    std::string releaseName;
    CLI::App* releaseCommand = app.add_subcommand(
        "release", "Run the release NAME: copy the built libraries and units; problems on standard error");
    releaseCommand->add_option("PROJECT", path, "Project file (.qlp)")->required();
    releaseCommand->add_option("NAME", releaseName, "Name of the release")->required();
    addQuiet(releaseCommand);

    std::string registerModule;
    CLI::App* registerCommand = app.add_subcommand(
        "register", "Register the COM server library built from MODULE's library project (Windows only)");
    registerCommand->add_option("PROJECT", path, "Project file (.qlp)")->required();
    registerCommand->add_option("MODULE", registerModule, "Name of the module")->required();

    CLI::App* showCommand = app.add_subcommand("show", "Print the project tree with the module options");
    showCommand->add_option("PROJECT", path, "Project file (.qlp)")->required();

    CLI::App* graphCommand =
        app.add_subcommand("graph", "Print the modules' class references as a Graphviz DOT graph");
    graphCommand->add_option("PROJECT", path, "Project file (.qlp)")->required();

    bool formatCheck = false;
    CLI::App* formatCommand =
        app.add_subcommand("format", "Rewrite the project and module files in canonical form; --check writes nothing");
    formatCommand->add_option("PROJECT", path, "Project file (.qlp)")->required();
    formatCommand->add_flag("--check", formatCheck, "Write nothing; exit status 1 when a file would change");
    addQuiet(formatCommand);

    // A first argument that names no command gets the list of commands rather than the parser's
    // complaint about an unexpected argument.
    if (!args.empty() && !args.front().starts_with('-')) {
        const std::vector<CLI::App*> commands = app.get_subcommands([](const CLI::App*) { return true; });
        if (std::none_of(commands.begin(), commands.end(),
                         [&](const CLI::App* command) { return command->check_name(args.front()); })) {
            err << Format(kNotACommand, args.front()) << "\nCommands:\n";
            for (const CLI::App* command : commands)
                err << "  " << command->get_name() << std::string(12 - command->get_name().size(), ' ')
                    << command->get_description() << "\n";
            return kExitUsage;
        }
    }

    std::vector<const char*> argv{kProgramName.data()};
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e, out, err);
        return status == static_cast<int>(CLI::ExitCodes::Success) ? kExitSuccess : kExitUsage;
    }

    // What a quiet command would list goes nowhere.
    std::ostream silent(nullptr);
    std::ostream& listing = quiet ? silent : out;
    const auto run = [&] {
        if (newCommand->parsed()) return CommandNew(path, listing);
        if (showCommand->parsed()) return CommandShow(path, out);
        if (checkCommand->parsed())
            return CommandCheck(path, out, checkFormat == "json" ? CheckFormat::Json : CheckFormat::Text);
        if (generateCommand->parsed()) return CommandGenerate(path, generate, listing, err);
        if (updateDevCommand->parsed()) return CommandUpdateDev(path, updateDev, listing, err);
        if (releaseCommand->parsed()) return CommandRelease(path, releaseName, listing, err);
        if (registerCommand->parsed()) return CommandRegister(path, registerModule, out);
        if (graphCommand->parsed()) return CommandGraph(path, out);
        if (formatCommand->parsed()) return CommandFormat(path, formatCheck, listing);
        return static_cast<int>(kExitUsage);
    };
    try {
        const int status = run();
        // A failed write stopped the output part-way (the command went on): the report is not
        // whole, and a script must not read it as success. A reader that closed its end, as
        // `head` does, asked for no more and is told nothing.
        if (!out.flush()) {
            if (!OutputReaderGone(out)) err << kProgramName << ": " << kCannotWriteOutput << "\n";
            return kExitFailure;
        }
        return status;
    } catch (const EAbort&) {
        return kExitFailure;
    } catch (const std::exception& e) {
        ReportFailure(e, err);
        return kExitFailure;
    }
}

}  // namespace quillon::cli
