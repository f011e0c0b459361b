// Reads arbitrary bytes as a module file (in both of a module's roles) and as a project file the
// way loading does, and for each accepted one writes the file back, reads that text again into a
// fresh object and writes it once more: the two written texts must be identical. The options
// travel through the entry's string list as on a real load and save, so the comma text takes part
// in the round trip.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "model/ComponentFile.h"
#include "model/ObjectText.h"
#include "platform/Exception.h"
#include "platform/UserDialogs.h"
#include "project/Project.h"

namespace {

using namespace quillon;

[[noreturn]] void Mismatch(const std::string& first, const std::string& second) {
    std::fprintf(stderr, "round trip differs:\n--- first\n%s\n--- second\n%s\n", first.c_str(), second.c_str());
    std::abort();
}

class SilentDialogs {
public:
    SilentDialogs() { InstallDialogs(&dialogs_); }

private:
    std::ostringstream sink_;
    NonInteractiveDialogs dialogs_{sink_, DialogAnswer::No};
};

// Reads a module file's text as TModelInFile::LoadFromFile and TemgpModules::ItemLoaded do (the
// project's first module is the common types module, every other one a class module) and
// returns the text SaveToFile would write; false when the text is rejected.
template <bool ClassModule>
bool ModuleWrittenAfterRead(std::string_view text, std::string& written) {
    TemgModule module;
    TStringList options;
    std::string optionText;
    try {
        ReadModelText(module, text, kModuleSignature, optionText);
    } catch (const Exception&) {
        return false;
    }
    options.SetCommaText(optionText);
    module.MarkClassModule(ClassModule);
    module.SetModified(false);
    written = ModelFileText(module, kModuleSignature, options.CommaText());
    return true;
}

// The same for a project file: read into the project, written as TemgpProject::SaveToFile does.
bool ProjectWrittenAfterRead(std::string_view text, std::string& written) {
    TemgpProject project;
    std::string options;
    try {
        ReadModelText(project, text, kProjectSignature, options);
    } catch (const Exception&) {
        return false;
    }
    written = ModelFileText(project, kProjectSignature, "");
    return true;
}

void CheckRoundTrip(std::string_view text, bool (*writtenAfterRead)(std::string_view, std::string&)) {
    std::string first;
    if (!writtenAfterRead(text, first)) return;
    std::string second;
    if (!writtenAfterRead(first, second)) {
        std::fprintf(stderr, "the written text is not readable\n");
        Mismatch(first, "");
    }
    if (first != second) Mismatch(first, second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SilentDialogs dialogs;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckRoundTrip(text, ModuleWrittenAfterRead<true>);
    CheckRoundTrip(text, ModuleWrittenAfterRead<false>);
    CheckRoundTrip(text, ProjectWrittenAfterRead);
    return 0;
}
