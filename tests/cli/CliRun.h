// Running the command line in the test process and reading what it printed.
#pragma once

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"

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

}  // namespace quillon::test
