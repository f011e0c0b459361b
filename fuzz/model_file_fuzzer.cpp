// Feeds arbitrary bytes to the readers of the real model files: as a module file (".qlm") into a
// TemgModule and as a project file (".qlp") into a TemgpProject, each with its own signature.
// A rejected text must leave the object exactly as constructed and the options untouched; an
// accepted module goes on the way a loaded one does (marked as a class module, placed in a
// project, checked and generated into memory) and none of that may crash.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "generator/GeneratedFileWriters.h"
#include "generator/UnitBuilder.h"
#include "model/ComponentFile.h"
#include "model/ObjectText.h"
#include "platform/Exception.h"
#include "platform/UserDialogs.h"
#include "project/Project.h"

namespace {

using namespace quillon;

[[noreturn]] void Differs(const char* what, const std::string& expected, const std::string& actual) {
    std::fprintf(stderr, "%s:\n--- expected\n%s\n--- actual\n%s\n", what, expected.c_str(), actual.c_str());
    std::abort();
}

// Takes every generated file and keeps nothing: generation must not touch the disk here.
class DiscardingWriter final : public IGeneratedFileWriter {
public:
    bool Write(std::string_view, const std::string&, const TWriteRules&) override { return true; }
};

// Answers No to every question and shows nothing, as the command line does without a terminal.
class SilentDialogs {
public:
    SilentDialogs() { InstallDialogs(&dialogs_); }

private:
    std::ostringstream sink_;
    NonInteractiveDialogs dialogs_{sink_, DialogAnswer::No};
};

const std::string kKept = "kept";

// Reads `text` into `target`; on rejection checks that nothing changed. True when accepted.
template <class T>
bool ReadOrUnchanged(std::string_view text, T& target, std::string_view signature, std::string& options) {
    options = kKept;
    try {
        ReadModelText(target, text, signature, options);
        return true;
    } catch (const Exception&) {
        const std::string fresh = ObjectToText(T());
        const std::string after = ObjectToText(target);
        if (after != fresh) Differs("a rejected text changed the object", fresh, after);
        if (options != kKept) Differs("a rejected text changed the options", kKept, options);
        return false;
    }
}

// What loading does with an accepted module: the options become the entry's list, the module
// becomes the project's common types module (first) or a class module (after a new project's
// common types module); then the check and a generation into memory run over the project.
void UseModule(std::string_view text, const std::string& options, bool classModule) {
    TemgpProject project;
    if (classModule) project.NewProject("/nonexistent/quillon-fuzz");
    TemgpModule& entry = *project.Modules().Add();
    entry.SetFileName("/nonexistent/quillon-fuzz/Fuzzed.qlm");
    std::string again;
    ReadModelText(entry.Module(), text, kModuleSignature, again);
    if (again != options) Differs("a second read gave other options", options, again);
    entry.Options().SetCommaText(options);
    entry.Module().MarkClassModule(classModule);
    entry.Module().SetModified(false);
    (void)ModelFileText(entry.Module(), kModuleSignature, entry.Options().CommaText());

    project.CheckProject();
    DiscardingWriter writer;
    try {
        project.GenerateAll(GenerationTools{StandardUnitBuilder(), writer});
    } catch (const Exception&) {
        // A design the generator refuses (a missing referenced class, say) is reported, not a fault.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SilentDialogs dialogs;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string options;
    {
        TemgModule module;
        if (ReadOrUnchanged(text, module, kModuleSignature, options)) {
            UseModule(text, options, true);
            UseModule(text, options, false);
        }
    }
    {
        TemgpProject project;
        if (ReadOrUnchanged(text, project, kProjectSignature, options)) {
            TStringList list;
            list.SetCommaText(options);
            (void)ModelFileText(project, kProjectSignature, list.CommaText());
        }
    }
    return 0;
}
