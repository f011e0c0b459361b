// The generated-file kinds of a module and of a debug application: their order, captions, images
// and file names.
#include <gtest/gtest.h>

#include "GeneratorTestSupport.h"
#include "support/NativePath.h"

namespace quillon {
namespace {

std::vector<int> KindsOf(const TUnitsManagerCollection& units) {
    std::vector<int> kinds;
    for (int i = 0; i < units.Count(); ++i) kinds.push_back(static_cast<int>(units.Items(i)->Kind()));
    return kinds;
}

// The golden texts and the generation tests hold the names the kinds derive from the class.
TEST(ModuleKinds, TheKindsOfAModuleAndOfADebugApplicationInOrderWithTheirFiles) {
    TemgModule module;
    EXPECT_EQ(KindsOf(module.Units()), (std::vector<int>{0, 1, 2, 3, 4, 8, 11, 12}));
    module.MainClass().SetName("Account");
    module.SetDataModuleName("Bank");
    module.SetSrcPath("gen");
    std::vector<std::string> names;
    for (int i = 0; i < module.Units().Count(); ++i) names.push_back(module.Units().Items(i)->FileName());
    EXPECT_EQ(names, (std::vector<std::string>{"genAccount.pas", "devAccount.pas", "intfAccount.pas", "Account.dpr",
                                               "cntrAccount.pas", "genAccount.pas", "Account.pas", "gen_dmuBank.pas"}));
    EXPECT_EQ(test::PosixPaths(module.Units().FindKind(TFileKind::LibraryProject)->FileName("/work/project/")),
              "/work/project/gen/Account.dpr");
    EXPECT_EQ(module.KindFormFileName(TFileKind::DataModuleUnit), "gen_dmuBank.dfm");
    EXPECT_EQ(module.KindFormFileName(TFileKind::ControllerUnit), "");
    EXPECT_EQ(module.ProjectOptionsFileName(), "Account.dof");
    EXPECT_EQ(module.Units().Items(0)->FormName(), "");
    EXPECT_EQ(module.KindFileName(TFileKind::DebugProjectUnit), "");
    EXPECT_EQ(test::PosixPaths(module.UnitFileName(TFileKind::ControllerUnit, "/work/project/")),
              "/work/project/gen/cntrAccount.pas");

    TemgDebugApplication& application = module.DebugApplications().NewDebugApplication();
    EXPECT_EQ(KindsOf(application.Units()), (std::vector<int>{5, 6, 7, 10, 3}));
    application.SetName("Try");
    application.SetSrcPath("debug");
    names.clear();
    for (int i = 0; i < application.Units().Count(); ++i)
        names.push_back(test::PosixPaths(application.Units().Items(i)->FileName("/p/")));
    EXPECT_EQ(names, (std::vector<std::string>{"/p/debug/Try.dpr", "/p/debug/genuTryForm.pas",
                                               "/p/debug/devuTryForm.pas", "/p/debug/TryGROUP.bpg",
                                               "/p/gen/Account.dpr"}));
    EXPECT_EQ(application.Units().Items(1)->FormName(), "genTryForm");
    EXPECT_EQ(application.Units().Items(2)->FormName(), "devTryForm");
}

}  // namespace
}  // namespace quillon
