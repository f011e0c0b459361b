// Generating a module: which kinds are built in which order for each server option, the files
// that end on disk with their headers and protection, the common types module, the referenced
// modules, and what a second generation keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "generator/GeneratedFiles.h"
#include "generator/GeneratorMessages.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/UserDialogs.h"
#include "support/Lines.h"
#include "support/NativePath.h"

#include "UnitsTestSupport.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

const std::string kHeader = "{ header }\r\n";

class ModuleGeneration : public ::testing::Test {
protected:
    ModuleGeneration() : scope(dialogs) {
        project.unitHeader = kHeader;
        account.SetDataModuleName("Bank");
    }

    void Generate(const TemgModule& module, bool allReferenced = false) {
        module.Generate(project.srcPath, project.searchPath, allReferenced, project, project.unitHeader, &common, builder);
    }

    // Every file below the project directory, relative to it, sorted; read-only ones marked "(ro)".
    std::vector<std::string> Files() const { return Files(dir.Path()); }
    static std::vector<std::string> Files(const std::string& root) {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file())
                files.push_back(fs::relative(entry.path(), root).generic_string() +
                                (IsFileReadOnly(entry.path().string()) ? " (ro)" : ""));
        std::sort(files.begin(), files.end());
        return files;
    }

    test::TempDir dir;
    ScriptedDialogs dialogs;  // fails on any question: generation never asks
    ScopedDialogs scope;
    test::UnitsProject project{dir.Prefix()};
    test::RecordingBuilder builder;
    TemgModule& common = project.common;
    TemgModule& account = project.AddModule("Account", moServerInDll);
};

using Names = std::vector<std::string>;
using Requests = std::vector<std::string>;

// The kinds built, in order, and the files written ("(ro)": read-only) by server option and
// database support. Dataset factories beside the parameters are no own connection.
TEST_F(ModuleGeneration, EachServerOptionWritesItsKindsInOrderAndASecondGenerationKeepsTheDevelopersFiles) {
    const Names units{"Account.pas (ro)", "cntrAccount.pas (ro)", "devAccount.pas", "genAccount.pas (ro)"};
    const auto with = [](Names names, std::initializer_list<std::string> more) {
        names.insert(names.end(), more);
        std::sort(names.begin(), names.end());
        return names;
    };
    const Names library = with(units, {"Account.dof", "Account.dpr"});
    const struct {
        TServerOption option;
        TDatabaseSupport support;
        Requests kinds;
        Names files;
    } cases[] = {
        {moServerInDll, {}, {"0", "1", "3", "4", "11"}, library},
        {moDirectUsesServer, {}, {"0", "1", "4", "11"}, units},
        {moComServerInDll, {}, {"0", "2", "1", "3", "4", "11"}, with(library, {"intfAccount.pas (ro)"})},
        {moComServer, {}, {"0", "2", "1", "4", "11"}, with(units, {"intfAccount.pas (ro)"})},
        {moServerInDll, {dbsSetDatabaseParams}, {"0", "1", "12", "3", "4", "11"},
         with(library, {"gen_dmuBank.dfm (ro)", "gen_dmuBank.pas (ro)"})},
        {moServerInDll, {dbsSetDatabaseParams, dbsQuery}, {"0", "1", "3", "4", "11"}, library},
    };
    for (const auto& c : cases) {
        test::TempDir out;
        project.srcPath = out.Prefix();
        account.SetServerOption(c.option);
        account.SetDatabaseSupport(c.support);
        Generate(account);
        Requests expected;
        for (const std::string& kind : c.kinds) expected.push_back("Account:" + kind);
        const std::string_view option = ServerOptionNames.NameOf(static_cast<int>(c.option));
        EXPECT_EQ(builder.TakeRequests(), expected) << option;
        EXPECT_EQ(Files(out.Path()), c.files) << option;
        if (FileExists(out.File("gen_dmuBank.dfm"))) {
            EXPECT_EQ(test::ReadText(out.File("gen_dmuBank.dfm")), "object gen_dmBank: Tgen_dmBank\r\nend\r\n");
        }
    }
    // Recreated files carry the header and the block, the developer's unit only the header; the
    // options file names the search path expanded against the project. A second generation keeps the
    // developer's files and rewrites the recreated ones, protected again.
    project.srcPath = dir.Prefix();
    project.searchPath = "lib;../shared;;/opt/units";
    Generate(account);
    const std::string recreated = GeneratedFileHeader(kHeader, true);
    EXPECT_EQ(test::ReadText(dir.File("genAccount.pas")), recreated + "unit genAccount;\r\nend.");
    EXPECT_EQ(test::ReadText(dir.File("Account.dpr")), recreated + "unit Account;\r\nend.");
    EXPECT_EQ(test::ReadText(dir.File("devAccount.pas")), kHeader + "unit devAccount;\r\nend.");
    EXPECT_EQ(test::ReadText(dir.File("Account.dof")),
              "[Directories]\r\nSearchPath=" + dir.File("lib") + ";" +
                  (fs::path(dir.Path()).parent_path() / "shared").string() + ";;" + test::NativePath("/opt/units"));

    test::WriteText(dir.File("devAccount.pas"), "edited by hand");
    test::WriteText(dir.File("Account.dof"), "[Directories]\r\nSearchPath=mine");
    SetFileReadOnly(dir.File("genAccount.pas"), false);
    test::WriteText(dir.File("genAccount.pas"), "stale");
    SetFileReadOnly(dir.File("genAccount.pas"), true);
    SetFileReadOnly(dir.File("Account.dpr"), true);
    builder.TakeRequests();
    Generate(account);
    // The developer's unit exists, so its text is not even built (kind 1).
    EXPECT_EQ(builder.TakeRequests(), (Requests{"Account:0", "Account:3", "Account:4", "Account:11"}));
    EXPECT_EQ(test::ReadText(dir.File("devAccount.pas")), "edited by hand");
    EXPECT_EQ(test::ReadText(dir.File("Account.dof")), "[Directories]\r\nSearchPath=mine");
    EXPECT_NE(test::ReadText(dir.File("genAccount.pas")), "stale");
    EXPECT_TRUE(IsFileReadOnly(dir.File("genAccount.pas")));
    EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(ModuleGeneration, AKindWithoutTextWritesNothing) {
    builder.silent = {TFileKind::GeneratorServerUnit, TFileKind::LibraryProject, TFileKind::DatabaseSupportController};
    Generate(account);
    EXPECT_EQ(builder.TakeRequests(), (Requests{"Account:0", "Account:1", "Account:3", "Account:4", "Account:11"}));
    // The options file is the module's own text and follows the library project's step.
    EXPECT_EQ(Files(), (Names{"Account.dof", "cntrAccount.pas (ro)", "devAccount.pas"}));
}

TEST_F(ModuleGeneration, TheFirstModuleWritesOnlyItsTypesUnitAndOnlyWithEnumeratedTypes) {
    Generate(common);
    EXPECT_TRUE(builder.TakeRequests().empty());
    EXPECT_TRUE(Files().empty());
    common.CreateEnumType("TSide", "", {"sdLeft", "sdRight"});
    Generate(common);
    EXPECT_EQ(builder.TakeRequests(), (Requests{"CommonTypes:8"}));
    EXPECT_EQ(Files(), (Names{"genCommonTypes.pas (ro)"}));
}

TEST_F(ModuleGeneration, FilesGoToTheModulesSourcePathBelowTheProjectOrWhereAnAbsoluteOneSays) {
    account.SetSrcPath("out/account");
    account.SetServerOption(moDirectUsesServer);
    Generate(account);
    EXPECT_EQ(Files(), (Names{"out/account/Account.pas (ro)", "out/account/cntrAccount.pas (ro)",
                              "out/account/devAccount.pas", "out/account/genAccount.pas (ro)"}));
    test::TempDir elsewhere;
    account.SetSrcPath(elsewhere.Path());
    Generate(account);
    EXPECT_EQ(Files().size(), 4u);
    EXPECT_TRUE(FileExists(elsewhere.File("genAccount.pas")));
}

class ReferencedGeneration : public ModuleGeneration {
protected:
    ReferencedGeneration() {
        test::AddExternal(account, "Customer", "CustomerObject");
        test::AddExternal(account, "Branch", "BranchObject");
        test::AddExternal(customer, "Branch", "BranchObject");
    }
    TemgModule& customer = project.AddModule("Customer", moDirectUsesServer);
    TemgModule& branch = project.AddModule("Branch", moDirectUsesServer);
};

TEST_F(ReferencedGeneration, WithTheFlagTheDirectlyReferencedModulesFollowInListOrder) {
    account.SetServerOption(moDirectUsesServer);
    Generate(account);
    EXPECT_EQ(builder.TakeRequests(), (Requests{"Account:0", "Account:1", "Account:4", "Account:11"}));
    // Account's developer's unit now exists: its text is not built again.
    Generate(account, true);
    EXPECT_EQ(builder.TakeRequests(),
              (Requests{"Account:0", "Account:4", "Account:11", "Customer:0", "Customer:1", "Customer:4",
                        "Customer:11", "Branch:0", "Branch:1", "Branch:4", "Branch:11"}));
}

TEST_F(ReferencedGeneration, AMissingReferencedClassStopsBeforeAnythingIsWritten) {
    test::AddExternal(account, "Ghost", "GhostObject");
    EXPECT_EQ(test::ExceptionMessage([&] { Generate(account, true); }), "Class 'Ghost' not found");
    EXPECT_TRUE(builder.TakeRequests().empty());
    EXPECT_TRUE(Files().empty());
}

TEST_F(ReferencedGeneration, APlanNamesEveryFileTheGenerationWritesAndTouchesNothing) {
    account.SetDatabaseSupport({dbsSetDatabaseParams});
    const auto plan = [&] {
        PlanningFileWriter planner;
        account.Generate(project.srcPath, "", true, project, kHeader, &common, GenerationTools{builder, planner});
        Names changed;
        for (const std::string& file : planner.ChangedFiles())
            changed.push_back(fs::relative(file, dir.Path()).generic_string());
        std::sort(changed.begin(), changed.end());
        return changed;
    };
    const Names planned = plan();
    EXPECT_TRUE(Files().empty());

    Generate(account, true);
    Names written;
    for (const std::string& file : Files()) written.push_back(file.substr(0, file.find(" (ro)")));
    EXPECT_EQ(planned, written);
    EXPECT_TRUE(plan().empty());

    test::WriteText(dir.File("devAccount.pas"), "edited by hand");
    SetFileReadOnly(dir.File("cntrCustomer.pas"), false);
    test::WriteText(dir.File("cntrCustomer.pas"), "stale");
    EXPECT_EQ(plan(), (Names{"cntrCustomer.pas"}));
}

TEST_F(ModuleGeneration, TheElementContextSeesTheProjectWhileGenerating) {
    struct ContextProbe : test::RecordingBuilder {
        std::string UnitText(const TemgModule& module, TFileKind, const IModuleResolver&) const override {
            const IElementContext& context = module;
            seen = context.GetFirstModule();
            return {};
        }
        mutable const IElementContext* seen = nullptr;
    } probe;
    account.Generate(project.srcPath, "", false, project, kHeader, &common, probe);
    EXPECT_EQ(probe.seen, &common);
    EXPECT_EQ(account.Resolver(), nullptr);
}

TEST_F(ModuleGeneration, AnUntypedMemberOrAnUncompilableNameStopsGenerationBeforeAnyFileIsWritten) {
    TemgProperty& property = test::Typed(*account.MainClass().Properties().Add(), "Property1", "");
    EXPECT_EQ(test::ExceptionMessage([&] { Generate(account); }), "Type of 'Property1' is not set");
    property.DataType().SetName("Integer");
    property.SetName("Label");
    EXPECT_EQ(test::ExceptionMessage([&] { Generate(account); }), "Name Label is a reserved word");
    property.SetName("Count");
    TemgMethod& method = *account.MainClass().Methods().Add();
    method.SetName("SetCount");
    EXPECT_EQ(test::ExceptionMessage([&] { Generate(account); }),
              "Name SetCount is taken by the generated code: the setter of property Count");
    method.SetName("Reset");
    account.MainClass().SetName("Classes");
    EXPECT_EQ(test::ExceptionMessage([&] { Generate(account); }),
              "Name Classes is taken by the generated code: the unit Classes");
    EXPECT_TRUE(Files().empty());
    EXPECT_TRUE(builder.requests.empty());
    // A module that refers to a faulty one writes nothing either.
    account.MainClass().SetName("Account");
    TemgModule& branch = project.AddModule("Branch", moServerInDll);
    test::AddExternal(branch, "Account", "Owner");
    method.SetName("FreeOwner");  // fine in Account; Branch's external property Owner is unrelated
    property.SetName("Label");
    EXPECT_EQ(test::ExceptionMessage([&] { Generate(branch, true); }), "Name Label is a reserved word");
    EXPECT_TRUE(Files().empty());
}

}  // namespace
}  // namespace quillon
