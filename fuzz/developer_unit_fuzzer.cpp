// Feeds arbitrary bytes to the reader of a developer's unit as the unit of a small class module
// whose design has methods, a writable property and an event. The reader either refuses with an
// Exception or the update inserts and rewrites override headings only (the text outside the
// rewritten headings is a subsequence of the result; with no heading rewritten, the whole text
// is) and a second update of the result changes nothing more; none of it may crash.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "generator/DeveloperUnitUpdate.h"
#include "generator/Module.h"
#include "platform/Exception.h"

namespace {

using namespace quillon;

class Project final : public IModuleResolver {
public:
    Project() {
        common.MakeCommonTypesModule();
        calc.MainClass().SetName("Calc");
        calc.Appellation().Assign(calc.MainClass().Appellation());
        calc.SetServerOption(moServerInDll);
        calc.MarkClassModule(true);
        TemgClass& design = calc.MainClass();
        TemgMethod& sum = *design.Methods().Add();
        sum.SetName("Sum");
        sum.SetCategory(mcFunction);
        sum.DataType().SetName("Integer");
        TemgParameter& a = *sum.Parameters().Add();
        a.SetName("a");
        a.DataType().SetName("Integer");
        design.Methods().Add()->SetName("Clear");
        TemgProperty& count = *design.Properties().Add();
        count.SetName("Count");
        count.DataType().SetName("Integer");
        TemgProperty& change = *design.Events().Add();
        change.SetName("OnChange");
        change.DataType().SetName("TNotifyEvent");
        change.DataType().SetCategory(dtRegisteredProcedural);
    }
    std::string GetSrcPath() const override { return "/nowhere/"; }
    std::string GetSearchPath() const override { return {}; }
    std::string GetUnitHeader() const override { return {}; }
    const TemgModule* GetFirstModule() const override { return &common; }
    const TemgModule* FindModule(std::string_view className) const override {
        return className == "Calc" ? &calc : nullptr;
    }

    TemgModule common;
    TemgModule calc;
};

bool IsSubsequence(std::string_view part, std::string_view whole) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < whole.size() && at < part.size(); ++i)
        if (whole[i] == part[at]) ++at;
    return at == part.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Project project;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TDeveloperUnitUpdate update;
    try {
        update = PlanDeveloperUnitUpdate(project.calc, project, "devCalc.pas", text);
    } catch (const Exception&) {
        return 0;
    }
    std::string kept;
    std::size_t from = 0;
    for (const auto& [begin, end] : update.rewritten) {
        kept.append(text.substr(from, begin - from));
        from = end;
    }
    kept.append(text.substr(from));
    if (!IsSubsequence(kept, update.updated)) {
        std::fprintf(stderr, "a byte of the unit was lost\n");
        std::abort();
    }
    if (PlanDeveloperUnitUpdate(project.calc, project, "devCalc.pas", update.updated).Changed()) {
        std::fprintf(stderr, "a second update changed the unit again:\n%s\n", update.updated.c_str());
        std::abort();
    }
    (void)UnifiedDiff(update.original, update.updated, "devCalc.pas");
    return 0;
}
