// Scale benchmarks on synthetic projects of 10, 100 and 1000 modules: model load, model save, the
// project check and whole-project generation, and the load and check of one module of 10,000 and
// of 100,000 properties, the command line's `show` and `generate --check`
// over up-to-date output, beside the floors the same machine sets for them (Free Pascal's
// ObjectTextToBinary over the same model text, cp -r of the generated output, `show` for an
// unchanged check), and the peak memory of each size measured in a fresh process. Ends with a
// table of ratios against targets.
//
//   quillon-scale-bench [benchmark flags]        the benchmarks, then the table
//   quillon-scale-bench --peak PROJECT.qlp       (internal) one size's peak memory
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "generator/GeneratedFileWriters.h"
#include "generator/UnitBuilder.h"
#include "platform/UserDialogs.h"
#include "project/Project.h"
#include "synth/SyntheticProject.h"

extern char** environ;

namespace quillon::bench {
namespace {

namespace fs = std::filesystem;

using Extra = SyntheticShape::Extra;

struct Size {
    int modules;
    int members;
    // One class of properties only: its module's load and check are measured, nothing else.
    bool propertiesOnly = false;
    // What else such a design has many of.
    Extra extra = Extra::kNone;
    std::string Label() const {
        static constexpr const char* kExtras[] = {"", "-procedural", "-type-units", "-form-rows"};
        return std::to_string(modules) + "x" + std::to_string(members) + (propertiesOnly ? "p" : "") +
               kExtras[static_cast<int>(extra)];
    }
};
const std::vector<Size> kSizes{{10, 30},
                               {100, 60},
                               {1000, 60},
                               {1, 10000, true},
                               {1, 100000, true},
                               {1, 10000, true, Extra::kProceduralProperties},
                               {1, 100000, true, Extra::kProceduralProperties},
                               {1, 10000, true, Extra::kTypeUnits},
                               {1, 100000, true, Extra::kTypeUnits},
                               {1, 10000, true, Extra::kFormRows},
                               {1, 100000, true, Extra::kFormRows}};

// One synthetic project on disk with the figures the table divides by.
struct Workload {
    Size size;
    std::string dir;
    std::string projectFile;
    std::vector<std::string> modelFiles;  // the project file and every module file
    std::uintmax_t modelBytes = 0;
    std::uintmax_t largestGenerated = 0;
    std::uintmax_t generatedBytes = 0;
    std::size_t generatedFiles = 0;
    std::string OutputDir() const { return dir + "/Source"; }
    std::string CopyDir() const { return dir + "/SourceCopy"; }
};

// Threads that build the modules' texts, as in the command line.
constexpr int kGenerationWorkers = 2;

std::string g_selfPath;
std::string g_floorProgram;
std::string g_cliProgram;
std::string g_root;
std::vector<std::unique_ptr<Workload>> g_workloads;

// Runs a program and waits for it; its standard output goes to `output` when given.
int RunProgram(const std::vector<std::string>& args, std::string* output = nullptr) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    int pipeFds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output) {
        if (pipe(pipeFds) != 0) return -1;
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    }
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (output) {
        close(pipeFds[1]);
        if (spawned == 0) {
            char buffer[4096];
            ssize_t n = 0;
            while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) output->append(buffer, static_cast<std::size_t>(n));
        }
        close(pipeFds[0]);
    }
    if (spawned != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::unique_ptr<TemgpProject> Load(const std::string& projectFile) {
    auto project = std::make_unique<TemgpProject>();
    project->LoadFromFile(projectFile);
    return project;
}

void Generate(const TemgpProject& project) {
    DiskFileWriter disk;
    project.GenerateAll(GenerationTools{StandardUnitBuilder(), disk}, kGenerationWorkers, {});
}

void MarkEverythingModified(TemgpProject& project) {
    project.SetModified(true);
    for (int i = 0; i < project.Modules().Count(); ++i) project.Modules().Items(i)->SetModified(true);
}

Workload& Prepare(const Size& size) {
    auto workload = std::make_unique<Workload>();
    workload->size = size;
    workload->dir = g_root + "/" + size.Label();
    workload->projectFile =
        WriteSyntheticProject(workload->dir, SyntheticShape{size.modules, size.members, 1, size.propertiesOnly, size.extra});
    for (const auto& entry : fs::directory_iterator(workload->dir))
        if (entry.is_regular_file()) {
            workload->modelFiles.push_back(entry.path().string());
            workload->modelBytes += entry.file_size();
        }
    std::sort(workload->modelFiles.begin(), workload->modelFiles.end());
    g_workloads.push_back(std::move(workload));
    if (size.propertiesOnly) return *g_workloads.back();
    Workload* w = g_workloads.back().get();
    Generate(*Load(w->projectFile));
    for (const auto& entry : fs::recursive_directory_iterator(w->OutputDir()))
        if (entry.is_regular_file()) {
            ++w->generatedFiles;
            w->generatedBytes += entry.file_size();
            w->largestGenerated = std::max(w->largestGenerated, entry.file_size());
        }
    return *w;
}

// --- Benchmarks ----------------------------------------------------------------------------

void SetModelCounters(benchmark::State& state, const Workload& workload) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(workload.modelBytes));
}

void BM_Load(benchmark::State& state, const Workload* workload) {
    for (auto _ : state) {
        std::unique_ptr<TemgpProject> project = Load(workload->projectFile);
        benchmark::DoNotOptimize(project.get());
        state.PauseTiming();
        project.reset();
        state.ResumeTiming();
    }
    SetModelCounters(state, *workload);
}

void BM_Save(benchmark::State& state, const Workload* workload) {
    std::unique_ptr<TemgpProject> project = Load(workload->projectFile);
    for (auto _ : state) {
        state.PauseTiming();
        MarkEverythingModified(*project);
        state.ResumeTiming();
        project->SaveToFile(workload->projectFile);
    }
    SetModelCounters(state, *workload);
}

// Removes an earlier iteration's output and waits until the file system has written back what
// that left pending (the deletions, the last files' data): otherwise the next timed iteration
// pays for the previous one, more the more files it wrote.
void RemoveAndSettle(const std::string& dir) {
    fs::remove_all(dir);
    ::sync();
}

void BM_Generate(benchmark::State& state, const Workload* workload) {
    const std::unique_ptr<TemgpProject> project = Load(workload->projectFile);
    for (auto _ : state) {
        state.PauseTiming();
        RemoveAndSettle(workload->OutputDir());
        state.ResumeTiming();
        Generate(*project);
    }
    state.counters["files"] = static_cast<double>(workload->generatedFiles);
}

void BM_Check(benchmark::State& state, const Workload* workload) {
    const std::unique_ptr<TemgpProject> project = Load(workload->projectFile);
    for (auto _ : state) benchmark::DoNotOptimize(&project->CheckProject());
    SetModelCounters(state, *workload);
}

// One run of the command line with `args` behind the program, its output read and dropped; the
// time includes the program's start and exit.
void RunCommandLine(benchmark::State& state, const std::vector<std::string>& args, int expectedStatus) {
    std::vector<std::string> command{g_cliProgram};
    command.insert(command.end(), args.begin(), args.end());
    for (auto _ : state) {
        std::string output;
        const auto started = std::chrono::steady_clock::now();
        const int status = RunProgram(command, &output);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        if (status != expectedStatus) {
            state.SkipWithError(("quillon-cli " + args.front() + " failed").c_str());
            break;
        }
    }
}

// Loads the project and prints it: the floor of a check that finds nothing to change.
void BM_Show(benchmark::State& state, const Workload* workload) {
    RunCommandLine(state, {"show", workload->projectFile}, 0);
}

// Over the output a generation just wrote: every file is up to date.
void BM_GenerateCheck(benchmark::State& state, const Workload* workload) {
    RunCommandLine(state, {"generate", "--check", workload->projectFile}, 0);
}

// Free Pascal's converter over the same files; the program times its own passes, so neither its
// start nor its exit is counted.
void BM_FloorObjectTextToBinary(benchmark::State& state, const Workload* workload) {
    const std::string list = workload->dir + ".list";
    {
        std::ostringstream text;
        for (const std::string& file : workload->modelFiles) text << file << "\n";
        std::FILE* out = std::fopen(list.c_str(), "w");
        std::fputs(text.str().c_str(), out);
        std::fclose(out);
    }
    for (auto _ : state) {
        std::string output;
        if (RunProgram({g_floorProgram, list, "1"}, &output) != 0) {
            state.SkipWithError("ObjectTextToBinary failed on the model text");
            break;
        }
        state.SetIterationTime(std::stod(output) / 1e6);
    }
    SetModelCounters(state, *workload);
}

void BM_FloorCopyOutput(benchmark::State& state, const Workload* workload) {
    for (auto _ : state) {
        RemoveAndSettle(workload->CopyDir());
        const auto started = std::chrono::steady_clock::now();
        if (RunProgram({"cp", "-r", workload->OutputDir(), workload->CopyDir()}) != 0) {
            state.SkipWithError("cp -r failed");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    }
    fs::remove_all(workload->CopyDir());
    state.counters["files"] = static_cast<double>(workload->generatedFiles);
}

// --- Peak memory -----------------------------------------------------------------------------

// The high-water mark of this process's resident memory. Not getrusage's ru_maxrss: across a
// spawn that figure starts at the parent's peak, while VmHWM belongs to this program's image.
long PeakResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

// The child's work: load, check, generate, save, as the command line and the workbench do them.
// Prints the peak resident size and the peak before the work began, in kilobytes.
int RunPeak(const std::string& projectFile) {
    const long before = PeakResidentKilobytes();
    {
        std::unique_ptr<TemgpProject> project = Load(projectFile);
        project->CheckProject();
        Generate(*project);
        MarkEverythingModified(*project);
        project->SaveToFile(projectFile);
    }
    std::cout << PeakResidentKilobytes() << " " << before << "\n";
    return 0;
}

// --- The table -------------------------------------------------------------------------------

// Keeps the best of each benchmark's repetitions, as time per iteration by name, and lets the
// console reporter print as usual. On a shared machine the other load only ever adds time: the
// fastest repetition is the closest to what the code costs.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0) {
                const double time = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
                const auto [best, added] = seconds.try_emplace(run.run_name.function_name, time);
                if (!added) best->second = std::min(best->second, time);
            }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

// Repetitions of every benchmark; the table takes the fastest.
constexpr int kRepetitions = 3;

std::string Fixed(double value, int digits = 2) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return text;
}

std::string Verdict(bool holds) { return holds ? "holds" : "MISSED"; }

void PrintTable(const CollectingReporter& reporter, const std::map<std::string, double>& peakRatio) {
    const auto time = [&](const std::string& what, const Workload& w) {
        const auto it = reporter.seconds.find(what + "/" + w.size.Label());
        return it == reporter.seconds.end() ? 0.0 : it->second;
    };
    const auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    const auto peakOf = [&](const Workload& w) {
        return peakRatio.count(w.size.Label()) ? peakRatio.at(w.size.Label()) : 0.0;
    };
    const auto within = [](double value, double limit) { return value > 0 && value <= limit; };

    std::cout << "\nScale ratios (best of " << kRepetitions
              << " runs; model text = project + module files; gen-chk/show = the command\n"
                 "line's `generate --check` over up-to-date output over its `show`; gen/cp -r = fresh generation\n"
                 "over cp -r of the output; peak = resident growth in a fresh process that loads, checks,\n"
                 "generates and saves, over model text + largest generated file)\n\n";
    std::printf("%-10s %8s %9s %8s | %10s %12s %10s %10s %9s\n", "size", "model MB", "out files", "out MB",
                "load/OTTB", "gen-chk/show", "gen/cp -r", "save/OTTB", "peak/text");
    for (const auto& w : g_workloads) {
        if (w->size.propertiesOnly) continue;
        std::printf("%-10s %8s %9zu %8s | %10s %12s %10s %10s %9s\n", w->size.Label().c_str(),
                    Fixed(static_cast<double>(w->modelBytes) / 1e6).c_str(), w->generatedFiles,
                    Fixed(static_cast<double>(w->generatedBytes) / 1e6).c_str(),
                    Fixed(ratio(time("Load", *w), time("FloorObjectTextToBinary", *w))).c_str(),
                    Fixed(ratio(time("GenerateCheck", *w), time("Show", *w))).c_str(),
                    Fixed(ratio(time("Generate", *w), time("FloorCopyOutput", *w))).c_str(),
                    Fixed(ratio(time("Save", *w), time("FloorObjectTextToBinary", *w))).c_str(),
                    Fixed(peakOf(*w)).c_str());
    }

    const Workload* hundred = nullptr;
    const Workload* thousand = nullptr;
    // The designs of one large class at 10,000 and 100,000 members, by what else they have many of.
    std::map<Extra, std::pair<const Workload*, const Workload*>> large;
    for (const auto& w : g_workloads) {
        if (w->size.modules == 100) hundred = w.get();
        if (w->size.modules == 1000) thousand = w.get();
        if (w->size.propertiesOnly) (w->size.members == 10000 ? large[w->size.extra].first : large[w->size.extra].second) = w.get();
    }
    std::cout << "\nOne module of many properties (model MB, load, check in ms):\n";
    for (const auto& w : g_workloads)
        if (w->size.propertiesOnly)
            std::printf("  %-24s %8s %10s %10s\n", w->size.Label().c_str(),
                        Fixed(static_cast<double>(w->modelBytes) / 1e6).c_str(), Fixed(time("Load", *w) * 1e3, 1).c_str(),
                        Fixed(time("Check", *w) * 1e3, 1).c_str());
    bool allHold = true;
    std::cout << "\nTargets:\n";
    for (const auto& w : g_workloads) {
        if (w->size.propertiesOnly) continue;
        const double load = ratio(time("Load", *w), time("FloorObjectTextToBinary", *w));
        const double check = ratio(time("GenerateCheck", *w), time("Show", *w));
        const double generate = ratio(time("Generate", *w), time("FloorCopyOutput", *w));
        const double peak = peakOf(*w);
        // The unchanged check's and the peak memory's targets stand for 100 modules and more; at
        // 10 the programs' start and the fixed memory outweigh the work, and the figures are
        // shown for reference.
        const bool checkCounts = w->size.modules >= 100;
        std::printf("  %-10s load/OTTB %5s <= 0.33 %-7s gen --check/show %5s <= 2 %-7s gen/cp -r %5s <= 2 %-7s "
                    "peak/text %5s <= 4 %s\n",
                    w->size.Label().c_str(), Fixed(load).c_str(), Verdict(within(load, 0.33)).c_str(),
                    Fixed(check).c_str(), checkCounts ? Verdict(within(check, 2)).c_str() : "(ref.)",
                    Fixed(generate).c_str(), Verdict(within(generate, 2)).c_str(), Fixed(peak).c_str(),
                    checkCounts ? Verdict(within(peak, 4)).c_str() : "(ref.)");
        allHold = allHold && within(load, 0.33) && (!checkCounts || (within(check, 2) && within(peak, 4))) &&
                  within(generate, 2);
    }
    if (hundred && thousand) {
        std::cout << "  growth t(1000 modules)/t(100 modules), target <= 11:\n";
        // Each row's benchmark and what the table calls it.
        const std::pair<std::string, std::string> rows[] = {
            {"Load", "load (in process)"},         {"Show", "show (load + print)"},
            {"Save", "save (all model files)"},     {"Check", "check (project check)"},
            {"GenerateCheck", "generate --check"},  {"Generate", "fresh generation"},
            {"FloorObjectTextToBinary", "ObjectTextToBinary"}, {"FloorCopyOutput", "cp -r of the output"}};
        for (const auto& [what, label] : rows) {
            const double growth = ratio(time(what, *thousand), time(what, *hundred));
            const bool floor = what.rfind("Floor", 0) == 0;
            std::printf("    %-24s %6s %s\n", label.c_str(), Fixed(growth).c_str(),
                        floor ? "(floor, for reference)" : Verdict(within(growth, 11)).c_str());
            if (!floor) allHold = allHold && within(growth, 11);
        }
        std::printf("    %-24s %6s (ratio to text at 1000 over that at 100)\n", "peak/text",
                    Fixed(ratio(peakOf(*thousand), peakOf(*hundred))).c_str());
    }
    // The check of one module grows with its members, not with their pairs. The other designs'
    // growth is shown for reference: a walk inside a loop over the members makes it about 100.
    for (const auto& [extra, sizes] : large) {
        if (!sizes.first || !sizes.second) continue;
        const double growth = ratio(time("Check", *sizes.second), time("Check", *sizes.first));
        if (extra == Extra::kNone) {
            std::printf("  growth of one module's check t(100000 properties)/t(10000), target <= 11: %6s %s\n",
                        Fixed(growth).c_str(), Verdict(within(growth, 11)).c_str());
            allHold = allHold && within(growth, 11);
        } else {
            static constexpr const char* kWith[] = {"", "properties of procedural types", "registered types in units",
                                                    "a debug form row per method"};
            std::printf("    with %-32s %6s (for reference)\n", kWith[static_cast<int>(extra)], Fixed(growth).c_str());
        }
    }
    std::cout << (allHold ? "All targets hold.\n" : "Some targets are MISSED.\n");
}

}  // namespace
}  // namespace quillon::bench

int main(int argc, char** argv) {
    using namespace quillon::bench;
    namespace fs = std::filesystem;
    quillon::NonInteractiveDialogs dialogs(std::cerr, quillon::DialogAnswer::Yes);
    const quillon::ScopedDialogs installed(dialogs);
    g_selfPath = fs::canonical("/proc/self/exe").string();
    if (argc == 3 && std::string(argv[1]) == "--peak") return RunPeak(argv[2]);

    g_floorProgram = (fs::path(g_selfPath).parent_path() / "objtext-floor").string();
    g_cliProgram = (fs::path(g_selfPath).parent_path() / "quillon-cli").string();
    char pattern[] = "/tmp/quillon-scale-XXXXXX";
    if (!mkdtemp(pattern)) return 3;
    g_root = pattern;

    std::map<std::string, double> peakRatio;
    for (const Size& size : kSizes) {
        std::cerr << "Preparing " << size.Label() << " ..." << std::endl;
        Workload& w = Prepare(size);
        const Workload* p = &w;
        const std::string label = size.Label();
        // The largest sizes run fewer iterations: each takes seconds.
        const double minTime = size.modules >= 1000 || size.members >= 100000 ? 0.01 : 0.3;
        // Benchmarks that time a program of their own set each iteration's time by hand.
        const auto add = [&](const std::string& what, void (*function)(benchmark::State&, const Workload*),
                             bool manualTime) {
            benchmark::internal::Benchmark* benchmark =
                benchmark::RegisterBenchmark((what + "/" + label).c_str(), function, p)
                    ->Unit(benchmark::kMillisecond)
                    ->MinTime(minTime)
                    ->Repetitions(kRepetitions);
            if (manualTime) benchmark->UseManualTime();
        };
        add("Load", BM_Load, false);
        add("Check", BM_Check, false);
        if (size.propertiesOnly) continue;
        add("Save", BM_Save, false);
        add("Generate", BM_Generate, false);
        add("Show", BM_Show, true);
        add("GenerateCheck", BM_GenerateCheck, true);
        add("FloorObjectTextToBinary", BM_FloorObjectTextToBinary, true);
        add("FloorCopyOutput", BM_FloorCopyOutput, true);

        // Peak memory in a process of its own per size, generating afresh.
        fs::remove_all(w.OutputDir());
        std::string output;
        const int status = RunProgram({g_selfPath, "--peak", w.projectFile}, &output);
        if (status != 0) std::cerr << "Peak memory of " << label << " not measured (status " << status << ")\n";
        if (status == 0) {
            long peak = 0;
            long before = 0;
            std::istringstream(output) >> peak >> before;
            peakRatio[label] = static_cast<double>(peak - before) * 1024.0 /
                               static_cast<double>(w.modelBytes + w.largestGenerated);
        }
    }

    benchmark::Initialize(&argc, argv);
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintTable(reporter, peakRatio);
    std::error_code ignored;
    fs::remove_all(g_root, ignored);
    benchmark::Shutdown();
    return 0;
}
