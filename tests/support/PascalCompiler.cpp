#include "support/PascalCompiler.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "platform/CommandLine.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace quillon::test {

namespace {

std::string FirstErrorLine(const std::string& output) {
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (line.find("Error:") != std::string::npos || line.find("Fatal:") != std::string::npos) return line;
    return {};
}

}  // namespace

std::string RunShell(const std::string& command, int& status) {
    const CommandOutcome outcome = RunShellCommand(command + " 2>&1");
    status = outcome.status;
    return outcome.out;
}

std::string PascalStubsDir() {
    if (const char* dir = std::getenv("QUILLON_PASCAL_STUBS"); dir && *dir) return dir;
    return QUILLON_DEFAULT_PASCAL_STUBS;
}

PascalCompileResult CompilePascalFile(const std::string& path, const std::vector<std::string>& unitDirs,
                                      const std::string& outputDir) {
    // -Cn: compile only, no linking; -FE/-FU keep every output file in the output directory.
    // The shipped run-time unit comes first: no stand-in of it can drift from the real one.
    std::string command = "fpc -Mdelphi -Cn -Fu" + ShellQuoted(QUILLON_PASCAL_RUNTIME) + " -Fu" + ShellQuoted(PascalStubsDir());
    for (const std::string& dir : unitDirs) command += " -Fu" + ShellQuoted(dir);
    command += " -FE" + ShellQuoted(outputDir) + " -FU" + ShellQuoted(outputDir) + " " + ShellQuoted(path);
    PascalCompileResult result;
    int status = -1;
    result.output = RunShell(command, status);
    result.firstError = FirstErrorLine(result.output);
    result.ok = status == 0 && result.firstError.empty();
    if (!result.ok && result.firstError.empty())
        result.firstError = status == 127 ? "fpc not found" : "fpc failed with status " + std::to_string(status);
    return result;
}

PascalCompileResult CompilePascal(const std::vector<PascalFile>& files, const std::string& mainFile) {
    TempDir dir;
    for (const PascalFile& file : files) WriteText(dir.File(file.name), file.text);
    return CompilePascalFile(dir.File(mainFile), {dir.Path()}, dir.Path());
}

::testing::AssertionResult PascalCompiles(const std::vector<PascalFile>& files, const std::string& mainFile) {
    const PascalCompileResult result = CompilePascal(files, mainFile);
    if (result.ok) return ::testing::AssertionSuccess();
    std::string text;
    for (const PascalFile& file : files)
        if (file.name == mainFile) text = file.text;
    return ::testing::AssertionFailure() << mainFile << ": " << result.firstError << "\n--- " << mainFile
                                         << " ---\n" << text;
}

::testing::AssertionResult FormTextAccepted(const std::string& formText) {
    static constexpr const char* kReader =
        "program ReadForm;\n"
        "uses Classes, SysUtils;\n"
        "var Input: TFileStream; Output: TMemoryStream;\n"
        "begin\n"
        "  Input := TFileStream.Create(ParamStr(1), fmOpenRead);\n"
        "  Output := TMemoryStream.Create;\n"
        "  try\n"
        "    try\n"
        "      ObjectTextToBinary(Input, Output);\n"
        "    except\n"
        "      on E: Exception do begin WriteLn('Error: ', E.Message); Halt(1); end;\n"
        "    end;\n"
        "  finally\n"
        "    Output.Free; Input.Free;\n"
        "  end;\n"
        "end.\n";
    TempDir dir;
    WriteText(dir.File("ReadForm.pas"), kReader);
    WriteText(dir.File("Form.dfm"), formText);
    int status = -1;
    const std::string build =
        RunShell("fpc -Mdelphi -FE" + ShellQuoted(dir.Path()) + " " + ShellQuoted(dir.File("ReadForm.pas")), status);
    if (status != 0) return ::testing::AssertionFailure() << "reader not built: " << FirstErrorLine(build);
    const std::string output = RunShell(ShellQuoted(dir.File("ReadForm")) + " " + ShellQuoted(dir.File("Form.dfm")), status);
    if (status == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << output << "\n--- form ---\n" << formText;
}

}  // namespace quillon::test
