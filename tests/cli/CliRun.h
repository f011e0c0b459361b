// Running the command line in the test process and reading what it printed.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/CliCommands.h"
#include "project/Project.h"
#include "support/TempDir.h"

namespace quillon::test {

struct Outcome {
    int status;
    std::string out;
    std::string err;

    bool operator==(const Outcome&) const = default;
};

inline void PrintTo(const Outcome& outcome, std::ostream* os) {
    *os << "status " << outcome.status << ", out \"" << outcome.out << "\", err \"" << outcome.err << '"';
}

// With `outBuffer`, standard output goes there instead of into the outcome.
inline Outcome RunCommand(const std::vector<std::string>& args, std::streambuf* outBuffer = nullptr) {
    std::ostringstream out, err;
    if (outBuffer) static_cast<std::ios&>(out).rdbuf(outBuffer);
    const int status = cli::RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

// The lines of a printed text.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A project in the directory bank of a temporary directory.
class CliProject : public ::testing::Test {
protected:
    std::string ProjectFile() const { return dir.File("bank/Project1.qlp"); }

    // A new project in dir/bank, made by the command.
    void New() { ASSERT_EQ(RunCommand({"new", dir.File("bank")}).status, 0); }

    // Loads the project (by default the one in dir/bank), lets `change` edit it and saves it.
    void Edit(const std::function<void(TemgpProject&)>& change, const std::string& file = {}) {
        std::unique_ptr<TemgpProject> project = cli::LoadProject(file.empty() ? ProjectFile() : file);
        change(*project);
        project->SaveToFile(project->GetFileName());
    }

    TempDir dir;
};

}  // namespace quillon::test
