// Every unit and library project that generation writes for a representative project must compile
// with Free Pascal in Delphi mode against the shipped run-time unit and our stand-ins of the
// target's other units, under each server option of the module in the middle of it: members of
// every kind (private and protected methods among them), the first module's enumerated and procedural types,
// registered types from other units, and external classes reaching library servers directly and
// transitively and a COM server.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "UnitsTestSupport.h"
#include "generator/UnitBuilder.h"
#include "support/PascalCompiler.h"
#include "support/TempDir.h"

namespace quillon {
namespace {

using test::AddExternal;
using test::PascalFile;
using test::Typed;

// The kinds generation writes for a class module, by its server option.
std::vector<TFileKind> WrittenKinds(TServerOption option) {
    std::vector<TFileKind> kinds{TFileKind::GeneratorServerUnit};
    if (IsComOption(option)) kinds.push_back(TFileKind::InterfaceUnit);
    kinds.push_back(TFileKind::DeveloperServerUnit);
    if (IsLibraryOption(option)) kinds.push_back(TFileKind::LibraryProject);
    kinds.push_back(TFileKind::ControllerUnit);
    kinds.push_back(TFileKind::DatabaseSupportController);
    return kinds;
}

class RepresentativeProject : public test::UnitsProject {
public:
    RepresentativeProject(std::string_view sourcePath, TServerOption option) : UnitsProject(sourcePath) {
        common.CreateEnumType("TShade", "", {"shLight", "shDark"});
        TemgProceduralType& onShade = *common.ProceduralTypes().Add();
        onShade.SetName("TOnShade");
        Typed(*onShade.Parameters().Add(), "Sender", "TObject");
        Typed(*onShade.Parameters().Add(), "aShade", "TShade", dtEnum);
        common.CreateRegisteredType("TObject", "", "", false);

        TemgModule& archive = AddModule("Archive", moServerInDll);
        Typed(*archive.MainClass().Methods().Add(), "Store", "");
        TemgModule& store = AddModule("Store", moServerInDll);
        AddExternal(store, "Archive", "Backup");
        TemgModule& printer = AddModule("Printer", moComServerInDll);
        printer.MainClass().SetGUID("{11111111-2222-3333-4444-555555555555}");
        Typed(*printer.MainClass().Properties().Add(), "Copies", "Integer");

        TemgModule& calc = AddModule("Calc", option);
        TemgClass& design = calc.MainClass();
        design.SetCaption("Calculator");
        design.SetGUID("{6B29FC40-CA47-1067-B31D-00DD010662DA}");
        design.SetComDescription("Bob's calculator");
        calc.CreateEnumType("TMode", "", {"mdFast", "mdExact"});
        TemgProceduralType& onResult = *calc.ProceduralTypes().Add();
        onResult.SetName("TOnResult");
        Typed(*onResult.Parameters().Add(), "aValue", "Integer");

        Typed(*design.Properties().Add(), "Count", "Integer").SetDefaultValue("10");
        Typed(*design.Properties().Add(), "Limit", "Integer").SetAccessTypes({atWrite});
        Typed(*design.Properties().Add(), "Total", "Integer").SetAccessTypes({atRead});
        Typed(*design.Properties().Add(), "Shade", "TShade", dtEnum);
        Typed(*design.Properties().Add(), "Mode", "TMode", dtEnum);
        Typed(*design.Events().Add(), "OnChange", "TNotifyEvent", dtRegisteredProcedural);
        Typed(*design.Events().Add(), "OnShade", "TOnShade", dtProcedural);
        Typed(*design.Events().Add(), "OnResult", "TOnResult", dtProcedural);
        Typed(*design.Events().Add(), "OnRecord", "TDataSetNotifyEvent", dtRegisteredProcedural);
        TemgMethod& sum = Typed(*design.Methods().Add(), "Sum", "Integer");
        sum.SetCategory(mcFunction);
        Typed(*sum.Parameters().Add(), "a", "Integer");
        Typed(*sum.Parameters().Add(), "b", "Integer").SetDefaultValue("1");
        TemgMethod& twice = Typed(*design.Methods().Add(), "Twice", "Integer");
        twice.SetCategory(mcFunction);
        twice.SetCode("Result:=Sum(FCount,FCount);");
        TemgMethod& tint = Typed(*design.Methods().Add(), "Tint", "");
        Typed(*tint.Parameters().Add(), "aShade", "TShade", dtEnum).SetCategory(pcConst);
        Typed(*tint.Parameters().Add(), "aMode", "TMode", dtEnum).SetCategory(pcVar);
        TemgMethod& factory = Typed(*design.Methods().Add(), "UseFactory", "");
        Typed(*factory.Parameters().Add(), "aFactory", "TCreateQueryMethod", dtProcedural);
        Typed(*design.Methods().Add(), "Internal", "").SetExported(false);
        Typed(*design.Methods().Add(), "Tidy", "").SetVisibility(mvPrivate);
        Typed(*design.Methods().Add(), "Guarded", "").SetVisibility(mvProtected);
        TemgMethod& hidden = Typed(*design.Methods().Add(), "Hidden", "");
        hidden.SetVisibility(mvPrivate);
        hidden.SetExported(false);
        AddExternal(calc, "Store", "Shelf");
        AddExternal(calc, "Printer", "Output");
    }

    // Every file generation writes for the project, named as on disk.
    std::vector<PascalFile> GeneratedFiles() const {
        std::vector<PascalFile> files{{common.KindFileName(TFileKind::TypesUnit),
                                       BuildUnitText(common, TFileKind::TypesUnit, *this)}};
        for (const auto& module : owned)
            for (TFileKind kind : WrittenKinds(module->GetServerOption()))
                files.push_back({module->KindFileName(kind), BuildUnitText(*module, kind, *this)});
        return files;
    }
};

class GeneratedUnitsCompile : public ::testing::TestWithParam<TServerOption> {};

TEST_P(GeneratedUnitsCompile, EveryUnitAndLibraryProjectCompilesLinuxOnly) {
    // The library projects name their units by full path: the files stand in the project's
    // source directory as well.
    test::TempDir sourceDir;
    const RepresentativeProject project(sourceDir.Prefix(), GetParam());
    const std::vector<PascalFile> files = project.GeneratedFiles();
    for (const PascalFile& file : files) test::WriteText(sourceDir.File(file.name), file.text);
    for (const PascalFile& file : files) EXPECT_TRUE(test::PascalCompiles(files, file.name));
}

TEST(GeneratedUnitsCompileWithHostileText, CaptionsHoldingBracesOrADirectiveAndAPathBeyondAsciiCompileLinuxOnly) {
    // The captions a user may type: a closing brace, a whole injected declaration, a directive;
    // an apostrophe and an umlaut in the path, written in UTF-8 after a byte-order mark.
    test::TempDir root;
    const std::string sourcePath = root.File("o'k J\xC3\xBCrgen") + "/";
    std::filesystem::create_directories(sourcePath);
    test::UnitsProject project(sourcePath);
    project.common.CreateEnumType("TRate", "rate in {EUR}", {"rtLow", "rtHigh"});
    project.common.EnumTypes().Items(0)->Values().Items(0)->SetCaption("$I x");
    TemgModule& calc = test::AddCalc(project, moServerInDll);
    calc.MainClass().SetCaption("Simple} procedure Injected; {calculator");
    calc.MainClass().Properties().Items(0)->SetCaption("a}b \xC3\x9C" "berweisung");
    calc.MainClass().Methods().Items(1)->SetCaption("$DEFINE X");
    Typed(*calc.MainClass().Properties().Add(), "Rate", "TRate", dtEnum).SetCaption("{$I x}");
    std::vector<PascalFile> files{{project.common.KindFileName(TFileKind::TypesUnit),
                                   BuildUnitText(project.common, TFileKind::TypesUnit, project)}};
    for (TFileKind kind : WrittenKinds(moServerInDll))
        files.push_back({calc.KindFileName(kind), BuildUnitText(calc, kind, project)});
    EXPECT_NE(files[1].text.find("{Simple) procedure Injected; (calculator}"), std::string::npos) << files[1].text;
    std::string encoded;
    for (PascalFile& file : files) {
        file.text = std::string(EncodedFileText(file.text, {.encoding = geUtf8Bom}, file.name, encoded));
        test::WriteText(sourcePath + file.name, file.text);
    }
    for (const PascalFile& file : files) EXPECT_TRUE(test::PascalCompiles(files, file.name)) << file.name;
}

INSTANTIATE_TEST_SUITE_P(ServerOptions, GeneratedUnitsCompile,
                         ::testing::Values(moServerInDll, moDirectUsesServer, moComServerInDll, moComServer),
                         [](const ::testing::TestParamInfo<TServerOption>& info) {
                             return std::string(ServerOptionNames.NameOf(static_cast<int>(info.param)));
                         });

}  // namespace
}  // namespace quillon
