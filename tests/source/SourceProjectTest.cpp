#include <gtest/gtest.h>

#include "source/SourceProject.h"
#include "support/Lines.h"

namespace quillon {
namespace {

using test::Lines;

const std::string kRule = "#" + std::string(78, '-');

std::string GroupHead() {
    return Lines({kRule, "VERSION = BWS.01", kRule, "!ifndef ROOT", "ROOT = $(MAKEDIR)\\..", "!endif", kRule,
                  "MAKE = $(ROOT)\\bin\\make.exe -$(MAKEFLAGS) -f$**", "DCC = $(ROOT)\\bin\\dcc32.exe $**",
                  "BRCC = $(ROOT)\\bin\\brcc32.exe $**", kRule, "PROJECTS = "});
}

class SourceProject : public ::testing::Test {
protected:
    SourceProject() {
        project.Appellation().SetName("Srv");
        project.UsesModules().Add()->SetName("SysUtils");
        TgmcUsesModule* gen = project.UsesModules().Add();
        gen->SetName("SrvGen");
        gen->SetFileName("SrvGen.pas");
        project.UsesModules().Add()->SetName("sysutils");
        for (const char* name : {"InitInstance", "FreeInstance", "INITINSTANCE"})
            project.ExportMethods().Add()->SetName(name);
    }

    TgmcProject project;
};

}  // namespace

// Repeated units and exports are left out; a qualified entry exports its routine under the plain
// name, duplicates being judged by the name; Assign copies the whole project.
TEST_F(SourceProject, WritesTheLibrarySrvAndAQualifiedEntryExportsThePlainName) {
    const auto library = [](std::string_view initInstance) {
        return Lines({"library Srv;", "uses ", "   SysUtils,", "   SrvGen in 'SrvGen.pas';", "", "exports",
                      "      " + std::string(initInstance) + " name 'InitInstance',",
                      "      FreeInstance name 'FreeInstance';", "begin", "end."});
    };
    EXPECT_EQ(project.SrcCode(pkLibrary), library("InitInstance"));
    project.ExportMethods().Items(0)->SetUnitName("SrvGen");
    project.ExportMethods().Add()->SetName("FreeInstance");
    TgmcProject copy;
    copy.Assign(project);
    EXPECT_EQ(copy.SrcCode(pkLibrary), library("SrvGen.InitInstance"));
}

TEST_F(SourceProject, ProgramsNeverExportAndKeepTheirCodeUnchanged) {
    project.Appellation().SetCaption("Debug");
    project.SetImplementCode("  Run;");
    EXPECT_EQ(project.SrcCode(pkProgram, "// header"),
              Lines({"// header", "program Srv;", "{Debug}", "uses ", "   SysUtils,", "   SrvGen in 'SrvGen.pas';", "",
                     "begin", "  Run;", "end."}));
    TgmcProject copy;
    copy.Assign(project);
    EXPECT_EQ(copy.SrcCode(pkProgram), project.SrcCode(pkProgram));
}

TEST(TgmcProjectGroup, WritesTheGroupOfNoneOneOrSeveralEntries) {
    TgmcProjectGroup group;
    EXPECT_EQ(group.SrcCode(), GroupHead() + Lines({"", kRule, "default: $(PROJECTS)", kRule, ""}));
    group.ProjectFiles().Add("C:\\Work\\Srv.dll");
    EXPECT_EQ(group.SrcCode(), GroupHead() + Lines({"Srv.dll", kRule, "default: $(PROJECTS)", kRule,
                                                    "Srv.dll: C:\\Work\\Srv.dpr", "  $(DCC)"}));
    group.ProjectFiles().Add("/home/me/Debug");  // no extension: used unchanged
    EXPECT_EQ(group.SrcCode(), GroupHead() + Lines({"Srv.dll Debug", kRule, "default: $(PROJECTS)", kRule,
                                                    "Srv.dll: C:\\Work\\Srv.dpr", "  $(DCC)", "",
                                                    "Debug: /home/me/Debug", "  $(DCC)"}));
}

TEST(ChangeExtension, ReplacesEveryOccurrenceOfTheCurrentExtension) {
    EXPECT_EQ(ChangeExtension("C:\\Work\\Srv.dll", ".dpr"), "C:\\Work\\Srv.dpr");
    EXPECT_EQ(ChangeExtension("Srv.dll", "dpr"), "Srv.dpr");
    EXPECT_EQ(ChangeExtension("C:\\Lib.dll\\Srv.dll", ".dpr"), "C:\\Lib.dpr\\Srv.dpr");
    EXPECT_EQ(ChangeExtension("C:\\Work.d\\Srv", ".dpr"), "C:\\Work.d\\Srv");
    EXPECT_EQ(ChangeExtension("/home/me.d/Srv", ".dpr"), "/home/me.d/Srv");
    EXPECT_EQ(ChangeExtension("C:Srv.exe", ".dpr"), "C:Srv.dpr");
    EXPECT_EQ(FileNamePart("a\\b/c:d.dll"), "d.dll");
}

}  // namespace quillon
