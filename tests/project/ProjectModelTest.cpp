#include <gtest/gtest.h>

#include <regex>

#include "generator/GeneratorTestSupport.h"
#include "platform/FileSystem.h"
#include "project/Project.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

// The standard header, built from its description: six lines of 68 characters.
std::string ExpectedUnitHeader() {
    const auto line = [](const std::string& inner) { return "{" + inner + "}\r\n"; };
    const std::string stars(66, '*'), blanks(66, ' ');
    return line(stars) + line(blanks) +
           line(std::string(16, ' ') + "Borland Delphi Runtime Library" + std::string(20, ' ')) +
           line(std::string(20, ' ') + "Quillon generated" + std::string(29, ' ')) + line(blanks) + line(stars);
}

class NewProject : public ::testing::Test {
protected:
    void SetUp() override { project.NewProject(dir.Path()); }

    TempDir dir;
    TemgpProject project;
};

TEST_F(NewProject, HasTheCommonTypesModuleNumbersClassModulesModifiedFollowsTheProjectAndClosingEmptiesIt) {
    EXPECT_EQ(project.GetFileName(), dir.File("Project1.qlp"));
    EXPECT_EQ(project.GetName(), "Project1");
    EXPECT_EQ(project.GetSrcPath(), dir.Prefix());
    EXPECT_EQ(project.GetUnitHeader(), ExpectedUnitHeader());
    EXPECT_EQ(project.GetSearchPath(), "");
    ASSERT_EQ(project.Modules().Count(), 1);
    const TemgpModule& entry = *project.Modules().Items(0);
    EXPECT_EQ(entry.GetFileName(), dir.File("CommonTypes.qlm"));
    const TemgModule& common = project.FirstModule();
    EXPECT_EQ(common.ModuleName(), "CommonTypes");
    EXPECT_EQ(common.MainClassName(), "CommonTypes");
    EXPECT_EQ(common.RegisteredDataTypes().Count(), 27);
    EXPECT_EQ(common.ProceduralTypes().Count(), 3);
    EXPECT_EQ(common.MainClass().Methods().Count(), 0);
    EXPECT_EQ(common.Resolver(), &project);
    EXPECT_TRUE(project.GetModified());
    EXPECT_TRUE(project.Modules().GetModified());
    TemgpModule& first = project.AddClassModule();
    TemgpModule& second = project.AddClassModule();
    EXPECT_EQ(first.Module().ModuleName(), "ExtClass1");
    EXPECT_EQ(second.Module().MainClassName(), "ExtClass2");
    EXPECT_EQ(second.GetFileName(), dir.File("ExtClass2.qlm"));
    EXPECT_TRUE(std::regex_match(second.Module().MainClass().GetGUID(),
                                 std::regex(R"(\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\})")));
    EXPECT_NE(first.Module().MainClass().GetGUID(), second.Module().MainClass().GetGUID());
    const TemgMethod& system = *second.Module().MainClass().Methods().Items(0);
    EXPECT_EQ(system.GetName(), "AfterInitInstance");
    EXPECT_TRUE(system.IsSystemItem());

    // The renamed module still holds the file ExtClass2.qlm: the next number is taken.
    second.Module().MainClass().SetName("Account");
    second.Module().SetAppellation(second.Module().MainClass().Appellation());
    EXPECT_EQ(project.AddClassModule().Module().ModuleName(), "ExtClass3");
    second.Module().Appellation().SetCaption("External Class7");
    EXPECT_EQ(project.AddClassModule().Module().ModuleName(), "ExtClass8");
    project.SetModified(false);
    project.Modules().SetModified(false);
    EXPECT_FALSE(project.GetModified());
    project.FirstModule().SetSrcPath("out");
    EXPECT_FALSE(project.GetModified());
    EXPECT_TRUE(project.Modules().GetModified());

    project.Appellation().SetCaption("Bank");
    EXPECT_TRUE(project.GetModified());
    project.SetModified(false);
    EXPECT_FALSE(project.Appellation().GetModified());
    project.Releases().Add()->SetName("Nightly");
    EXPECT_TRUE(project.GetModified());
    project.SetModified(false);
    EXPECT_FALSE(project.Releases().GetModified());
    project.SetUnitHeader(project.GetUnitHeader());
    EXPECT_FALSE(project.GetModified());
    project.SetUnitHeader("{ header }\r\n");
    EXPECT_TRUE(project.GetModified());
    project.CloseProject();
    EXPECT_TRUE(project.IsEmpty());
    EXPECT_EQ(project.GetFileName(), "");
    EXPECT_EQ(project.GetFileDate(), 0);
    EXPECT_FALSE(project.GetModified());
    project.SetSearchPath("lib");
    project.SetModified(true);
    EXPECT_FALSE(project.GetModified());
    EXPECT_EQ(ExceptionMessage([&] { project.FirstModule(); }), "No module found");
    EXPECT_EQ(ExceptionMessage([&] { project.FirstModuleEntry(); }), "No module found");
    EXPECT_EQ(ExceptionMessage([&] { project.GenerateAll(); }), "No module found");
    EXPECT_EQ(project.GetFirstModule(), nullptr);
}

}  // namespace
}  // namespace quillon::test
