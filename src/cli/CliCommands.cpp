#include "cli/CliCommands.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>

#include "checking/CheckResults.h"
#include "generator/GeneratorMessages.h"
#include "model/ComponentFile.h"
#include "model/ModelMessages.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/Guid.h"
#include "platform/UserDialogs.h"
#include "project/Project.h"

namespace quillon::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kProgramName = "quillon-cli";
constexpr std::string_view kProjectExists = "Project file '%s' already exists";
constexpr std::string_view kModuleFilesMissing = "Project '%s' lacks %d of its module files";
constexpr std::string_view kOutputOutsideProject =
    "Cannot try out the generation: the output directory '%s' lies outside the project's directory";

std::string AbsolutePath(const std::string& path) { return fs::absolute(fs::path(path)).lexically_normal().string(); }

std::string Plural(std::size_t count, std::string_view word) {
    return std::to_string(count) + " " + std::string(word) + (count == 1 ? "" : "s");
}

// The modules that a generation writes, in the order it writes them.
std::vector<const TemgModule*> ModulesOf(const TemgpProject& project) {
    std::vector<const TemgModule*> modules;
    project.ForEachModule([&](TemgModule& module) { modules.push_back(&module); });
    return modules;
}

// Every file a module's generation may write: the units of its kinds, the data module's form and
// the library project's options file, in the module's output directory.
std::vector<std::string> GeneratedFileCandidates(const TemgpProject& project) {
    std::vector<std::string> files;
    const std::string srcPath = project.GetSrcPath();
    for (const TemgModule* module : ModulesOf(project)) {
        const std::string directory = module->OutputDirectory(srcPath);
        for (int i = 0; i < module->Units().Count(); ++i) {
            const TFileKind kind = module->Units().Items(i)->Kind();
            for (const std::string& name : {module->KindFileName(kind), module->KindFormFileName(kind)})
                if (!name.empty()) files.push_back(fs::path(directory + name).lexically_normal().string());
        }
        files.push_back(fs::path(directory + module->ProjectOptionsFileName()).lexically_normal().string());
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    return files;
}

// The modification times of files, to tell afterwards which ones a generation wrote.
using FileTimes = std::vector<std::pair<std::string, std::optional<fs::file_time_type>>>;

FileTimes TakeFileTimes(const std::vector<std::string>& files) {
    FileTimes times;
    for (const std::string& file : files) {
        std::error_code error;
        const fs::file_time_type time = fs::last_write_time(file, error);
        times.emplace_back(file, error ? std::nullopt : std::optional(time));
    }
    return times;
}

std::vector<std::string> WrittenSince(const FileTimes& before) {
    std::vector<std::string> written;
    for (const auto& [file, time] : before) {
        std::error_code error;
        const fs::file_time_type now = fs::last_write_time(file, error);
        if (!error && (!time || *time != now)) written.push_back(file);
    }
    return written;
}

// Runs the generation the options ask for: every module, or one module and the first module.
void RunGeneration(const TemgpProject& project, const GenerateOptions& options) {
    if (options.module.empty()) {
        project.GenerateAll();
        return;
    }
    const TemgModule* module = project.FindModule(options.module);
    if (!module) throw Exception(Format(kReferencedClassNotFound, options.module));
    const TemgModule& first = project.FirstModule();
    const std::string srcPath = project.GetSrcPath();
    const auto generate = [&](const TemgModule& target, bool allReferenced) {
        target.Generate(srcPath, project.GetSearchPath(), allReferenced, project, project.GetUnitHeader(), &first);
    };
    if (options.withReferenced) {
        generate(first, false);
        generate(*module, true);
    } else {
        generate(*module, false);
        generate(first, false);
    }
}

// A directory removed with everything in it at the end of the scope.
class ScratchDirectory {
public:
    ScratchDirectory()
        : path_(fs::temp_directory_path() / (std::string(kProgramName) + "-" + CreateGuidString().substr(1, 36))) {
        fs::create_directories(path_);
    }
    ~ScratchDirectory() {
        std::error_code error;
        // Generated files end read-only; the directory must go all the same.
        for (const auto& entry : fs::recursive_directory_iterator(path_, error))
            fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, error);
        fs::remove_all(path_, error);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

bool IsWithin(const fs::path& path, const fs::path& directory) {
    const std::string p = path.lexically_normal().string();
    const std::string d = (directory / "").lexically_normal().string();
    return p.compare(0, d.size(), d) == 0;
}

// The files a generation would create or change, found by generating into a copy: the project
// is pointed at a scratch directory that mirrors the file system below its root, the existing
// generated files are copied there first (files written only when absent stay so), and the
// results are compared with the real files. A module whose output directory does not lie
// below the scratch root is refused before anything is written.
std::vector<std::string> FilesGenerationWouldChange(TemgpProject& project, const GenerateOptions& options) {
    const std::vector<std::string> candidates = GeneratedFileCandidates(project);
    const ScratchDirectory scratch;
    const fs::path root = scratch.Path() / "root";
    const auto mirror = [&](const std::string& path) { return (root / fs::path(path).relative_path()).string(); };

    const std::string realFileName = project.GetFileName();
    project.SetFileName(mirror(realFileName));
    struct RestoreFileName {
        TemgpProject& project;
        std::string fileName;
        ~RestoreFileName() { project.SetFileName(fileName); }
    } restore{project, realFileName};

    for (const TemgModule* module : ModulesOf(project)) {
        const std::string directory = module->OutputDirectory(project.GetSrcPath());
        if (!IsWithin(directory, root))
            throw Exception(Format(kOutputOutsideProject, module->OutputDirectory(ExtractFilePath(realFileName))));
    }
    for (const std::string& file : candidates) {
        if (!FileExists(file)) continue;
        ForceDirectories(ExtractFilePath(mirror(file)));
        WriteFileAtomic(mirror(file), ReadFileBytes(file));
    }
    RunGeneration(project, options);

    std::vector<std::string> changed;
    for (const std::string& file : candidates) {
        const std::string copy = mirror(file);
        if (!FileExists(copy)) continue;
        if (!FileExists(file) || ReadFileBytes(file) != ReadFileBytes(copy)) changed.push_back(file);
    }
    return changed;
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

}  // namespace

std::unique_ptr<TemgpProject> LoadProject(const std::string& path) {
    const std::string fileName = AbsolutePath(path);
    if (!FileExists(fileName)) throw Exception(Format(kFileNotFound, fileName));
    auto project = std::make_unique<TemgpProject>();
    project->LoadFromFile(fileName);
    // A missing module file has been reported; working on without it would write an empty module.
    int missing = 0;
    for (int i = 0; i < project->Modules().Count(); ++i)
        if (!FileExists(project->GetSrcPath() + ExtractFileName(project->Modules().Items(i)->GetFileName())))
            ++missing;
    if (missing > 0) throw Exception(Format(kModuleFilesMissing, fileName, missing));
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

int CommandCheck(const std::string& projectFile, std::ostream& out) {
    const std::unique_ptr<TemgpProject> project = LoadProject(projectFile);
    const TCheckCollection& results = project->CheckProject();
    for (int i = 0; i < results.Count(); ++i) out << CheckResultLine(*results.Items(i)) << "\n";
    const int errors = results.CountOf(cicError);
    out << Plural(static_cast<std::size_t>(errors), "error") << ", "
        << Plural(static_cast<std::size_t>(results.CountOf(cicWarning)), "warning") << ", "
        << Plural(static_cast<std::size_t>(results.CountOf(cicHint)), "hint") << " in "
        << Plural(static_cast<std::size_t>(project->Modules().Count()), "module") << "\n";
    return errors > 0 ? kExitFindings : kExitSuccess;
}

int CommandGenerate(const std::string& projectFile, const GenerateOptions& options, std::ostream& out) {
    const std::unique_ptr<TemgpProject> project = LoadProject(projectFile);
    if (options.dryRun || options.check) {
        const std::vector<std::string> changed = FilesGenerationWouldChange(*project, options);
        for (const std::string& file : changed) out << file << "\n";
        out << (changed.empty() ? "Every generated file is up to date"
                                : Plural(changed.size(), "file") + " would be created or changed")
            << "\n";
        return options.check && !changed.empty() ? kExitFindings : kExitSuccess;
    }
    const FileTimes before = TakeFileTimes(GeneratedFileCandidates(*project));
    try {
        RunGeneration(*project, options);
    } catch (...) {
        // What was written before the failure stays written: say so.
        for (const std::string& file : WrittenSince(before)) out << file << "\n";
        throw;
    }
    const std::vector<std::string> written = WrittenSince(before);
    for (const std::string& file : written) out << file << "\n";
    out << "Wrote " << Plural(written.size(), "file") << "\n";
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
    std::vector<std::string> changed;
    for (const ModelFile& file : files) {
        if (ReadFileBytes(file.path) == ModelFileText(*file.model, file.signature, file.options)) continue;
        if (!check) WriteModelFile(*file.model, file.path, file.signature, file.options);
        changed.push_back(file.path);
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

    std::string path;
    CLI::App* newCommand = app.add_subcommand("new", "Create DIR/Project1.qlp with its CommonTypes module");
    newCommand->add_option("DIR", path, "Directory of the new project")->required();

    CLI::App* showCommand = app.add_subcommand("show", "Print the project tree with the module options");
    showCommand->add_option("PROJECT", path, "Project file (.qlp)")->required();

    CLI::App* checkCommand =
        app.add_subcommand("check", "Check the project: one line per result, exit status 1 on errors");
    checkCommand->add_option("PROJECT", path, "Project file (.qlp)")->required();

    GenerateOptions generate;
    CLI::App* generateCommand = app.add_subcommand("generate", "Generate the source of every module");
    generateCommand->add_option("PROJECT", path, "Project file (.qlp)")->required();
    CLI::Option* moduleOption = generateCommand->add_option(
        "--module", generate.module, "Generate only this module (then the first module), as Generate Class");
    generateCommand->add_flag("--with-referenced", generate.withReferenced,
                              "With --module: also every module its class refers to")
        ->needs(moduleOption);
    CLI::Option* dryRun =
        generateCommand->add_flag("--dry-run", generate.dryRun, "Write nothing; list the files that would change");
    generateCommand
        ->add_flag("--check", generate.check, "Write nothing; exit status 1 when a generated file is stale")
        ->excludes(dryRun);

    bool formatCheck = false;
    CLI::App* formatCommand =
        app.add_subcommand("format", "Rewrite the project and module files in canonical form");
    formatCommand->add_option("PROJECT", path, "Project file (.qlp)")->required();
    formatCommand->add_flag("--check", formatCheck, "Write nothing; exit status 1 when a file would change");

    std::vector<const char*> argv{kProgramName.data()};
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e, out, err);
        return status == static_cast<int>(CLI::ExitCodes::Success) ? kExitSuccess : kExitUsage;
    }

    try {
        if (newCommand->parsed()) return CommandNew(path, out);
        if (showCommand->parsed()) return CommandShow(path, out);
        if (checkCommand->parsed()) return CommandCheck(path, out);
        if (generateCommand->parsed()) return CommandGenerate(path, generate, out);
        if (formatCommand->parsed()) return CommandFormat(path, formatCheck, out);
    } catch (const EAbort&) {
        return kExitFailure;
    } catch (const std::exception& e) {
        err << kProgramName << ": " << e.what() << "\n";
        return kExitFailure;
    }
    return kExitUsage;
}

}  // namespace quillon::cli
