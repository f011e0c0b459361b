#include "RuntimeSupport.h"

#include <filesystem>
#include <iostream>

#include "platform/CommandLine.h"
#include "support/PascalCompiler.h"
#include "support/TempDir.h"

namespace quillon::test {

namespace {

std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

// The compiler's error lines, or its last lines when it printed none.
std::string CompilerErrors(const std::string& output) {
    std::string errors;
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        const std::string line = output.substr(start, end - start);
        if (line.find("Error:") != std::string::npos || line.find("Fatal:") != std::string::npos) errors += line + "\n";
        start = end + 1;
    }
    return errors.empty() ? output.substr(output.size() > 2000 ? output.size() - 2000 : 0) : errors;
}

}  // namespace

RuntimeScenario::RuntimeScenario(std::string_view name)
    : dir_(std::string(QUILLON_RUNTIME_WORK) + "/" + std::string(name)) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    project_.NewProject(dir_);
    project_.SetFileName(File("Project1.qlp"));
    // The one unit the target has and Free Pascal lacks that generated servers use: Forms. The
    // other stand-ins of the compile tests stay out, so that Windows, COM and ShareMem are real.
    std::filesystem::copy_file(PascalStubsDir() + "/Forms.pas", File("Forms.pas"));
    std::cout << "[scenario folder] " << dir_ << "\n";
}

TemgModule& RuntimeScenario::AddModule(std::string_view name, std::string_view caption, TServerOption option) {
    TemgpModule& entry = project_.AddClassModule();
    project_.RenameModule(entry, name, caption);
    entry.SetFileName(File(std::string(name) + ".qlm"));
    entry.Module().SetServerOption(option);
    return entry.Module();
}

::testing::AssertionResult RuntimeScenario::SaveAndGenerate() {
    project_.SaveToFile(project_.GetFileName());
    int status = -1;
    const std::string output =
        RunShell(ShellQuoted(QUILLON_CLI_PROGRAM) + " generate " + ShellQuoted(project_.GetFileName()), status);
    std::cout << "[quillon-cli generate]\n" << output;
    if (status != 0) return ::testing::AssertionFailure() << "quillon-cli generate failed:\n" << output;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult RuntimeScenario::FillBodies(std::string_view name, const std::vector<RoutineBody>& bodies) {
    std::string text = ReadText(File(name));
    for (const RoutineBody& routine : bodies) {
        const std::size_t header = text.find("\r\n" + routine.header);
        if (header == std::string::npos)
            return ::testing::AssertionFailure() << name << ": no routine " << routine.header;
        const std::size_t begin = text.find("\r\nbegin\r\n", header + 2);
        const std::size_t end = text.find("\r\nend;", begin);
        if (begin == std::string::npos || end == std::string::npos)
            return ::testing::AssertionFailure() << name << ": no body for " << routine.header;
        std::string body;
        std::size_t start = 0;
        while (start <= routine.body.size()) {
            std::size_t stop = routine.body.find('\n', start);
            if (stop == std::string::npos) stop = routine.body.size();
            body += "   " + routine.body.substr(start, stop - start) + "\r\n";
            start = stop + 1;
        }
        text.replace(begin + 9, end + 2 - (begin + 9), body);
    }
    WriteText(File(name), text);
    return ::testing::AssertionSuccess();
}

void RuntimeScenario::Write(std::string_view name, std::string_view text) const {
    std::filesystem::create_directories(std::filesystem::path(File(name)).parent_path());
    WriteText(File(name), std::string(text));
}

::testing::AssertionResult RuntimeScenario::BuildWin64(std::string_view source, const std::string& outputDir,
                                                       const std::vector<std::string>& unitDirs) const {
    const std::string output = outputDir.empty() ? dir_ : outputDir;
    // Each program keeps its compiled units apart, so that a library and a host never share them.
    const std::string unitsOut = dir_ + "/obj/" + std::filesystem::path(source).stem().string();
    std::filesystem::create_directories(unitsOut);
    std::filesystem::create_directories(output);
    // -B: a test may change a unit within the second of the previous build, which the compiler's
    // time stamps do not tell apart; Free Pascal's own units have no source on the path and stay.
    std::string command = ShellQuoted(QUILLON_PPCX64) + " -Twin64 -Mdelphi -vew -B -Fu" + ShellQuoted(QUILLON_WIN64_UNITS) + " -Fu" +
                          ShellQuoted(QUILLON_RUNTIME_UNIT_DIR) + " -Fu" + ShellQuoted(dir_);
    for (const std::string& unitDir : unitDirs) command += " -Fu" + ShellQuoted(unitDir);
    command += " -FE" + ShellQuoted(output) + " -FU" + ShellQuoted(unitsOut) + " " + ShellQuoted(File(source));
    int status = -1;
    const std::string printed = RunShell(command, status);
    if (status != 0)
        return ::testing::AssertionFailure() << "ppcx64 -Twin64 " << source << " failed:\n" << CompilerErrors(printed);
    return ::testing::AssertionSuccess();
}

void RuntimeScenario::CopyShareMemLibrary(const std::string& dir) const {
    std::filesystem::copy_file(std::string(QUILLON_WIN64_UNITS) + "/fpcmemdll.dll", dir + "/fpcmemdll.dll",
                               std::filesystem::copy_options::overwrite_existing);
}

std::string RuntimeScenario::RunWin64(std::string_view commandLine, int* status, const std::string& dir) const {
    int exitStatus = -1;
    const std::string output =
        WithoutCarriageReturns(RunShell("cd " + ShellQuoted(dir.empty() ? dir_ : dir) + " && timeout 120 " +
                                            QUILLON_WINE_RUNNER + " " + std::string(commandLine),
                                        exitStatus));
    std::cout << "[wine64 " << commandLine << "] exit status " << exitStatus << "\n" << output;
    if (status) *status = exitStatus;
    return output;
}

TemgMethod& AddFunction(TemgClass& cls, std::string_view name, std::string_view type, TDataTypeCategory category) {
    TemgMethod& method = Typed(*cls.Methods().Add(), name, type, category);
    method.SetCategory(mcFunction);
    return method;
}

TemgMethod& AddProcedure(TemgClass& cls, std::string_view name) { return Typed(*cls.Methods().Add(), name, ""); }

TemgParameter& AddParameter(TemgMethod& method, std::string_view name, std::string_view type,
                            TParameterCategory parameterCategory, TDataTypeCategory category) {
    TemgParameter& parameter = Typed(*method.Parameters().Add(), name, type, category);
    parameter.SetCategory(parameterCategory);
    return parameter;
}

}  // namespace quillon::test
