// The commands of quillon-cli and its argument parsing. Each command takes its arguments, writes
// what it reports to `out` and answers an exit status; failures are raised as Exception and
// turned into status 3 by RunCli. Nothing here reads standard input.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace quillon {
class TemgpProject;
}

namespace quillon::cli {

enum ExitStatus : int {
    kExitSuccess = 0,
    // The check found errors, a file would change, or a release reported problems.
    kExitFindings = 1,
    kExitUsage = 2,
    // The command failed; its message went to the error stream.
    kExitFailure = 3,
};

// Parses `args` (without the program name), runs the command and answers its exit status.
// Messages and questions of the model go to `err` through a non-interactive dialogs
// implementation that answers No. A write to `out` that failed makes the status kExitFailure,
// with "Cannot write to standard output" on `err` unless the reader closed its end.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Loads the project file `path` (made absolute against the current directory). Raises when the
// project file or any of its module files cannot be read or is missing.
std::unique_ptr<TemgpProject> LoadProject(const std::string& path);

// DIR/Project1.qlp with its common types module; refuses to replace an existing project file.
int CommandNew(const std::string& dir, std::ostream& out);
// The project tree with every module's options, members and references.
int CommandShow(const std::string& projectFile, std::ostream& out);
// Registers the COM server library built from the module `moduleName` (without regard to case):
// its library project's name + ".dll" in the module's output directory. Raises where this system
// cannot register COM servers, when the module is missing and when the registration fails.
int CommandRegister(const std::string& projectFile, const std::string& moduleName, std::ostream& out);
enum class CheckFormat { Text, Json };
// One line per check result, "FILE(LINE): error: CAPTION [Module.Element]", then a summary; or
// only a JSON array of the results. kExitFindings when there is an error.
int CommandCheck(const std::string& projectFile, std::ostream& out, CheckFormat format = CheckFormat::Text);

struct GenerateOptions {
    // Empty: every module. Else this module, then the first module.
    std::string module;
    // With `module`: also every module its class refers to.
    bool withReferenced = false;
    // "MODULE/APP": only this debug application of this module (both names without regard to
    // case); excludes `module`.
    std::string debugApplication;
    // Write nothing, not even a directory; list the files that would be created or changed, judged
    // by the writing rules against the disk.
    bool dryRun = false;
    // As dryRun, and kExitFindings when any file would be created or changed.
    bool check = false;
};
// Generates as the options say and lists each file as it is written, flushing the line (a file
// that holds its text already is not rewritten), then a summary; a failure is raised after the
// files written before it were listed.
int CommandGenerate(const std::string& projectFile, const GenerateOptions& options, std::ostream& out);
// As above for the project file, then one line on `err` for each generated module's developer's
// unit that lacks overrides, naming them and the update-dev command that adds them.
int CommandGenerate(const std::string& projectFile, const GenerateOptions& options, std::ostream& out,
                    std::ostream& err);

struct UpdateDevOptions {
    // Empty: every class module.
    std::string module;
    // Write nothing; list the units that would change.
    bool dryRun = false;
    // As dryRun, and kExitFindings when any unit would change.
    bool check = false;
    // Write nothing; print a unified diff of each unit that would change.
    bool diff = false;
};
// Updates the developer's units: each unit written is listed, then a summary. Reports (signature
// differences, overrides the design no longer has) go to `err`; a unit the reader cannot follow
// is named there and left unchanged, the others are updated, and the status is kExitFailure.
int CommandUpdateDev(const std::string& projectFile, const UpdateDevOptions& options, std::ostream& out,
                     std::ostream& err);

// Runs the project's release `name` (without regard to case). The release directory is printed
// where the workbench would open it; the problems found go to `err`, one per line, and make the
// status kExitFindings. A missing release or a directory that cannot be created is raised.
int CommandRelease(const std::string& projectFile, const std::string& name, std::ostream& out, std::ostream& err);

// The modules as a Graphviz DOT graph: a node per module labelled with its class name and server
// option, an edge per external class from the owning module to the referenced one labelled with
// the property name; a class no module has is a dashed node marked missing, reached by a dashed
// edge.
int CommandGraph(const std::string& projectFile, std::ostream& out);

// Rewrites the project file and every module file in the writer's canonical form; with `check`
// nothing is written and kExitFindings says that some file would change.
int CommandFormat(const std::string& projectFile, bool check, std::ostream& out);

}  // namespace quillon::cli
