#include "designs/DesignOracle.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <vector>

#include "designs/DesignGenerator.h"
#include "generator/DebugApplicationUnits.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/UserDialogs.h"
#include "project/Project.h"
#include "support/PascalCompiler.h"
#include "support/TempDir.h"

namespace quillon {

namespace fs = std::filesystem;

namespace {

// The files to compile: every unit and every library or program under `dir`, by name, so that a
// run is the same on every machine; and the directories that hold units.
struct CompileList {
    std::vector<std::string> units;
    std::vector<std::string> programs;
    std::vector<std::string> unitDirs;
};

CompileList ListSources(const std::string& dir, const std::string& outputDir) {
    CompileList list;
    std::set<std::string> unitDirs;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file()) continue;
        const fs::path& path = entry.path();
        if (path.string().starts_with(outputDir)) continue;
        if (path.extension() == ".pas") {
            list.units.push_back(path.string());
            unitDirs.insert(path.parent_path().string());
        } else if (path.extension() == ".dpr") {
            list.programs.push_back(path.string());
        } else if (path.extension() == ".dfm") {
            // Form units name their form file "*.DFM"; the target's file system ignores case.
            fs::path upper = path;
            upper.replace_extension(".DFM");
            fs::copy_file(path, upper, fs::copy_options::overwrite_existing);
        }
    }
    std::sort(list.units.begin(), list.units.end());
    std::sort(list.programs.begin(), list.programs.end());
    list.unitDirs.assign(unitDirs.begin(), unitDirs.end());
    return list;
}

void GenerateEverything(const TemgpProject& project) {
    project.GenerateAll();
    for (int i = 1; i < project.Modules().Count(); ++i) {
        const TemgModule& module = project.Modules().Items(i)->Module();
        for (int a = 0; a < module.DebugApplications().Count(); ++a)
            GenerateDebugApplication(*module.DebugApplications().Items(a), module, project);
    }
}

}  // namespace

std::string FailureClass(const std::string& firstError) {
    std::string message = firstError;
    for (std::string_view marker : {"Error: ", "Fatal: "})
        if (const std::size_t at = message.find(marker); at != std::string::npos) {
            message = message.substr(at + marker.size());
            break;
        }
    std::string result;
    bool quoted = false;
    for (char c : message) {
        if (c == '"') {
            result += quoted ? "…\"" : "\"";
            quoted = !quoted;
        } else if (!quoted) {
            result += c;
        }
    }
    while (!result.empty() && (result.back() == '\r' || result.back() == ' ')) result.pop_back();
    return result;
}

std::string DesignFilesText(const std::string& dir) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir))
        if (entry.path().extension() == ".qlp" || entry.path().extension() == ".qlm") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::string text;
    for (const fs::path& file : files) text += "--- " + file.filename().string() + " ---\n" + test::ReadText(file.string());
    return text;
}

DesignOutcome JudgeDesign(TemgpProject& project) {
    std::ostringstream messages;
    NonInteractiveDialogs dialogs(messages, DialogAnswer::Yes);
    const ScopedDialogs installed(dialogs);
    DesignOutcome outcome;
    outcome.checkErrors = project.CheckProject().CountOf(cicError);
    outcome.accepted = outcome.checkErrors == 0;
    if (!outcome.accepted) return outcome;
    try {
        GenerateEverything(project);
    } catch (const Exception& e) {
        outcome.failed = true;
        outcome.failureClass = "generation refused: " + FailureClass(e.what());
        outcome.firstError = e.what();
        return outcome;
    }
    std::string dir = project.GetSrcPath();
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    const std::string outputDir = dir + "/.compiled";
    fs::create_directories(outputDir);
    const CompileList list = ListSources(dir, outputDir);
    // Every unit at once, through a program that uses them all: one run of the compiler instead
    // of one for each. The libraries and programs follow and find the units compiled. Units of one
    // name in two directories (debug applications of one name writing into different directories,
    // as a user may have them) cannot meet in one program: the first of each name goes there, and
    // every library and program is then compiled into a directory of its own, from its sources.
    std::vector<std::string> allUnitsUses;
    std::set<std::string> names;
    for (const std::string& unit : list.units)
        if (names.insert(LowerCase(fs::path(unit).stem().string())).second) allUnitsUses.push_back(unit);
    const bool namesRepeat = allUnitsUses.size() < list.units.size();
    std::string program = "program AllUnits;\r\nuses\r\n";
    for (std::size_t i = 0; i < allUnitsUses.size(); ++i)
        program += "  " + fs::path(allUnitsUses[i]).stem().string() + (i + 1 < allUnitsUses.size() ? ",\r\n" : ";\r\n");
    program += "begin\r\nend.\r\n";
    const std::string allUnits = outputDir + "/AllUnits.dpr";
    test::WriteText(allUnits, program);
    std::vector<std::string> files{allUnits};
    files.insert(files.end(), list.programs.begin(), list.programs.end());
    for (std::size_t f = 0; f < files.size(); ++f) {
        const std::string& file = files[f];
        std::string unitOutput = outputDir;
        if (namesRepeat && f > 0) {
            unitOutput += "/" + std::to_string(f);
            fs::create_directories(unitOutput);
        }
        const test::PascalCompileResult result = test::CompilePascalFile(file, list.unitDirs, unitOutput);
        outcome.filesCompiled += file == allUnits ? static_cast<int>(allUnitsUses.size()) : 1;
        if (!result.ok) {
            outcome.failed = true;
            outcome.file = file == allUnits ? "(every unit)" : file.substr(dir.size() + 1);
            outcome.firstError = result.firstError;
            outcome.failureClass = FailureClass(result.firstError);
            return outcome;
        }
    }
    return outcome;
}

DesignOutcome RunDesign(std::uint32_t seed, const std::string& dir, int maxModules, unsigned leaveOut) {
    fs::create_directories(dir);
    std::ostringstream messages;
    NonInteractiveDialogs dialogs(messages, DialogAnswer::Yes);
    const ScopedDialogs installed(dialogs);
    TemgpProject project;
    const unsigned spaces = BuildRandomDesign(project, dir, DesignShape{seed, maxModules, leaveOut});
    project.SaveToFile(project.GetFileName());
    DesignOutcome outcome = JudgeDesign(project);
    outcome.seed = seed;
    outcome.spaces = spaces;
    return outcome;
}

}  // namespace quillon
