// Projects for the unit builder tests: a small class module for whole-text comparisons, a
// representative project whose every generated file is compiled, and reading and rewriting the
// golden texts under tests/generator/golden.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "GeneratorTestSupport.h"
#include "generator/Module.h"
#include "support/NativePath.h"
#include "support/TempDir.h"

namespace quillon::test {

// A project holding the common types module and the class modules a test adds, in order.
class UnitsProject : public StandInProject {
public:
    explicit UnitsProject(std::string_view sourcePath = "/work/demo/") {
        srcPath = sourcePath;
        common.MakeCommonTypesModule();
        modules.push_back(&common);
    }

    // A class module named `name` as the project creates one: the class with its system method.
    TemgModule& AddModule(std::string_view name, TServerOption option) {
        TemgModule& module = *owned.emplace_back(std::make_unique<TemgModule>());
        module.MainClass().SetName(name);
        module.Appellation().Assign(module.MainClass().Appellation());
        module.SetServerOption(option);
        module.MarkClassModule(true);
        module.SetModified(false);
        modules.push_back(&module);
        return module;
    }

    TemgModule common;
    std::vector<std::unique_ptr<TemgModule>> owned;
};

// The small module of the whole-text tests: Calc, with a property with a default value, an event
// of a registered type and a function with two parameters.
inline TemgModule& AddCalc(UnitsProject& project, TServerOption option) {
    TemgModule& calc = project.AddModule("Calc", option);
    TemgClass& design = calc.MainClass();
    design.SetCaption("Calculator");
    design.SetGUID("{6B29FC40-CA47-1067-B31D-00DD010662DA}");
    design.SetComDescription("Calc server");
    Typed(*design.Properties().Add(), "Count", "Integer").SetDefaultValue("10");
    Typed(*design.Events().Add(), "OnChange", "TNotifyEvent", dtRegisteredProcedural);
    TemgMethod& sum = Typed(*design.Methods().Add(), "Sum", "Integer");
    sum.SetCategory(mcFunction);
    Typed(*sum.Parameters().Add(), "a", "Integer");
    Typed(*sum.Parameters().Add(), "b", "Integer");
    return calc;
}

// The expected texts live in tests/generator/golden, CR LF kept.
inline std::filesystem::path GoldenPath(std::string_view name) {
    return std::filesystem::path(__FILE__).parent_path() / "golden" / name;
}

// Compares `actual` with the golden file `name`. With QUILLON_UPDATE_GOLDEN=1 in the environment
// the file is rewritten instead (review the difference before committing it).
inline ::testing::AssertionResult MatchesGolden(const std::string& actual, std::string_view name) {
    const std::filesystem::path path = GoldenPath(name);
    if (const char* update = std::getenv("QUILLON_UPDATE_GOLDEN"); update && std::string_view(update) == "1") {
        std::filesystem::create_directories(path.parent_path());
        WriteText(path.string(), actual);
        return ::testing::AssertionSuccess();
    }
    if (!std::filesystem::exists(path))
        return ::testing::AssertionFailure() << "no golden file " << path
                                             << "; run the test with QUILLON_UPDATE_GOLDEN=1 to write it";
    const std::string expected = ReadText(path.string());
    // The expected texts spell full paths the POSIX way; Windows' are mapped back to compare.
    if (PosixPaths(actual) == expected) return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    return ::testing::AssertionFailure()
           << "differs from " << path << " at byte " << at << "\n--- actual ---\n"
           << actual << "\n--- expected ---\n"
           << expected << "\nrun the test with QUILLON_UPDATE_GOLDEN=1 to rewrite the golden file";
}

}  // namespace quillon::test
