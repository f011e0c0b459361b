// What every run-time scenario does: design a project through the core, generate it with the
// command line, fill in the developer's units, build libraries and hosts for Win64 with Free
// Pascal's own Windows units, and run the hosts under wine64 in the build directory's prefix.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "generator/UnitsTestSupport.h"
#include "platform/UserDialogs.h"
#include "project/Project.h"

namespace quillon::test {

// A body for one routine of a generated unit: the routine's header line starts with `header`
// (e.g. "function TdevCalc.Sum("), and `body` replaces everything between its "begin" and "end;".
struct RoutineBody {
    std::string header;
    std::string body;
};

class RuntimeScenario {
public:
    // A fresh folder named `name` under the build directory's run-time work folder, and a new
    // project in it.
    explicit RuntimeScenario(std::string_view name);

    const std::string& Dir() const { return dir_; }
    std::string File(std::string_view name) const { return dir_ + "/" + std::string(name); }

    TemgpProject& Project() { return project_; }
    TemgModule& CommonTypes() { return project_.FirstModule(); }
    // A class module named `name` (class, module and module file) with the server option.
    TemgModule& AddModule(std::string_view name, std::string_view caption, TServerOption option);

    // Saves the project and generates every module with `quillon-cli generate`.
    ::testing::AssertionResult SaveAndGenerate();

    // Replaces routine bodies in the file `name` of the scenario's folder (a developer's unit).
    ::testing::AssertionResult FillBodies(std::string_view name, const std::vector<RoutineBody>& bodies);
    void Write(std::string_view name, std::string_view text) const;

    // Builds the program or library `source` (a file of the scenario's folder) for Win64 into
    // `outputDir` (default: the scenario's folder). Further unit folders may be given.
    ::testing::AssertionResult BuildWin64(std::string_view source, const std::string& outputDir = {},
                                          const std::vector<std::string>& unitDirs = {}) const;
    // Puts fpcmemdll.dll, which ShareMem loads, into `dir`.
    void CopyShareMemLibrary(const std::string& dir) const;

    // Runs `program` (with arguments) under wine64 in `dir` (default: the scenario's folder);
    // prints and answers what it wrote, line ends as "\n". `status` gets the exit status.
    std::string RunWin64(std::string_view commandLine, int* status = nullptr, const std::string& dir = {}) const;

private:
    std::string dir_;
    ScriptedDialogs dialogs_;
    ScopedDialogs installed_{dialogs_};
    TemgpProject project_;
};

// A function method `name` with result type `type`.
TemgMethod& AddFunction(TemgClass& cls, std::string_view name, std::string_view type,
                        TDataTypeCategory category = dtRegistered);
TemgMethod& AddProcedure(TemgClass& cls, std::string_view name);
TemgParameter& AddParameter(TemgMethod& method, std::string_view name, std::string_view type,
                            TParameterCategory parameterCategory = pcNone, TDataTypeCategory category = dtRegistered);

}  // namespace quillon::test
