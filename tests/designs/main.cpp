// quillon-designfuzz: the design fuzzer's campaign. Builds the designs of a range of seeds, runs
// the oracle on each (check; when it passes, generate and compile everything) in parallel
// processes, prints every failure with its seed, the design's files and the compiler's first
// error, then the figures: designs tried, accepted by the check, failures by class.
//
//   quillon-designfuzz [--first SEED] [--count N] [--jobs J] [--modules M] [--work DIR]
//                      [--leave-out FLAGS] [--keep]
// --keep keeps every design's directory under the work directory, not only those that failed.
// FLAGS is the sum of the DesignRisk kinds to leave out (see DesignGenerator.h).
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "designs/DesignGenerator.h"
#include "designs/DesignOracle.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using quillon::DesignOutcome;

namespace {

struct Options {
    std::uint32_t first = 1;
    int count = 100;
    int jobs = 2;
    int modules = 4;
    std::string work;
    unsigned leaveOut = 0;
    bool keep = false;
};

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return text;
}

// One worker: every `jobs`-th seed from `slot`, a result line each into `results`.
void Work(const Options& options, int slot, const std::string& root) {
    std::ofstream results(root + "/results-" + std::to_string(slot) + ".tsv");
    for (int i = slot; i < options.count; i += options.jobs) {
        const std::uint32_t seed = options.first + static_cast<std::uint32_t>(i);
        const std::string dir = root + "/seed-" + std::to_string(seed);
        DesignOutcome outcome;
        outcome.seed = seed;
        try {
            outcome = quillon::RunDesign(seed, dir, options.modules, options.leaveOut);
        } catch (const std::exception& e) {
            outcome.failed = true;
            outcome.failureClass = std::string("design not built: ") + e.what();
        }
        if (outcome.failed) {
            std::ofstream report(root + "/seed-" + std::to_string(seed) + ".report");
            report << quillon::DesignFilesText(dir);
        } else if (!options.keep) {
            fs::remove_all(dir);
        }
        results << seed << '\t' << outcome.accepted << '\t' << outcome.checkErrors << '\t' << outcome.failed << '\t'
                << OneLine(outcome.failureClass) << '\t' << OneLine(outcome.file) << '\t' << OneLine(outcome.firstError)
                << '\t' << outcome.filesCompiled << '\t' << outcome.spaces << std::endl;
    }
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    return fields;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--keep") {
            options.keep = true;
            continue;
        }
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!value) {
            std::cerr << "usage: quillon-designfuzz [--first SEED] [--count N] [--jobs J] [--modules M] [--work DIR] [--leave-out FLAGS] [--keep]\n";
            return 2;
        }
        if (arg == "--first") options.first = static_cast<std::uint32_t>(std::stoul(value));
        else if (arg == "--count") options.count = std::stoi(value);
        else if (arg == "--jobs") options.jobs = std::max(1, std::stoi(value));
        else if (arg == "--modules") options.modules = std::max(1, std::stoi(value));
        else if (arg == "--work") options.work = value;
        else if (arg == "--leave-out") options.leaveOut = static_cast<unsigned>(std::stoul(value));
        else {
            std::cerr << "unknown option " << arg << "\n";
            return 2;
        }
        ++i;
    }
    std::unique_ptr<quillon::test::TempDir> temporary;
    std::string root = options.work;
    if (root.empty()) {
        temporary = std::make_unique<quillon::test::TempDir>();
        root = temporary->Path();
    }
    fs::create_directories(root);

    std::vector<pid_t> workers;
    for (int slot = 0; slot < options.jobs; ++slot) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            Work(options, slot, root);
            std::_Exit(0);
        }
        workers.push_back(pid);
    }
    for (pid_t pid : workers) ::waitpid(pid, nullptr, 0);

    int tried = 0, accepted = 0, failed = 0, files = 0;
    std::vector<int> drawn(quillon::kDesignSpaceCount), acceptedIn(quillon::kDesignSpaceCount);
    std::map<std::string, std::vector<std::string>> classes;
    for (int slot = 0; slot < options.jobs; ++slot) {
        std::ifstream results(root + "/results-" + std::to_string(slot) + ".tsv");
        for (std::string line; std::getline(results, line);) {
            const std::vector<std::string> f = Split(line);
            if (f.size() < 8) continue;
            ++tried;
            accepted += f[1] == "1";
            files += std::stoi(f[7]);
            const unsigned spaces = f.size() > 8 ? static_cast<unsigned>(std::stoul(f[8])) : 0;
            for (int space = 0; space < quillon::kDesignSpaceCount; ++space)
                if (spaces & (1u << space)) {
                    ++drawn[static_cast<std::size_t>(space)];
                    acceptedIn[static_cast<std::size_t>(space)] += f[1] == "1";
                }
            if (f[3] != "1") continue;
            ++failed;
            classes[f[4]].push_back(f[0]);
            std::cout << "FAILED seed " << f[0] << ": " << f[5] << ": " << f[6] << "\n";
            std::ifstream report(root + "/seed-" + f[0] + ".report");
            // Streaming an empty buffer would set the stream's failbit and swallow the summary.
            if (report.peek() != std::ifstream::traits_type::eof()) std::cout << report.rdbuf() << "\n";
        }
    }
    std::cout << "designs tried: " << tried << ", accepted by the check: " << accepted << ", failed: " << failed
              << ", files compiled: " << files << "\n";
    for (int space = 0; space < quillon::kDesignSpaceCount; ++space)
        std::cout << "  space " << quillon::DesignSpaceName(space) << ": drawn " << drawn[static_cast<std::size_t>(space)]
                  << ", accepted by the check " << acceptedIn[static_cast<std::size_t>(space)] << "\n";
    for (const auto& [name, seeds] : classes) {
        std::cout << "  " << seeds.size() << " x " << name << " (seeds";
        for (std::size_t i = 0; i < seeds.size() && i < 8; ++i) std::cout << " " << seeds[i];
        std::cout << (seeds.size() > 8 ? " ...)" : ")") << "\n";
    }
    if (!options.work.empty()) std::cout << "designs that failed are kept in " << root << "\n";
    return failed == 0 && tried == options.count ? 0 : 1;
}
