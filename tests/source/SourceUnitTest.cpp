#include <gtest/gtest.h>

#include "source/SourceProject.h"
#include "source/SourceUnit.h"
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

class SourceUnit : public ::testing::Test {
protected:
    SourceUnit() { unit.Appellation().SetName("Unit1"); }

    TgmcUsesModule* Uses(TgmcModulePart& part, std::string_view name) {
        TgmcUsesModule* entry = part.UsesModules().Add();
        entry->SetName(name);
        return entry;
    }

    TgmcModule unit;
};

}  // namespace

// Empty collections write no keyword; a finalization part alone still writes the initialization
// line; header, defines, caption and resources stand around the parts.
TEST_F(SourceUnit, WritesTheFixedLinesOnlyThePartsThatHoldSomethingAndAUsesListWithoutRepeatsWrappedAfter80Characters) {
    Uses(unit.InterfacePart(), "");  // an entry whose text is empty
    EXPECT_EQ(unit.SrcCode(), Lines({"unit Unit1;", "interface", "implementation", "", "end."}));
    unit.SetFinalizationPart("   Done;");
    EXPECT_EQ(unit.SrcCode(), Lines({"unit Unit1;", "interface", "implementation", "initialization", "finalization",
                                     "   Done;", "", "end."}));
    unit.SetInitializationPart("   Start;");
    unit.SetConditionalDefines("{$DEFINE Q}");
    unit.Appellation().SetCaption("Generated");
    unit.SetIncludeResources("{$R *.DFM}");
    EXPECT_EQ(unit.SrcCode("// header"), Lines({"// header", "{$DEFINE Q}", "unit Unit1;", "{Generated}", "interface",
                                                "implementation", "{$R *.DFM}", "initialization", "   Start;",
                                                "finalization", "   Done;", "", "end."}));
    for (const char* name : {"Windows", "Messages", "SysUtils", "windows", "Variants", "Classes", "Graphics",
                             "Controls", "Forms", "Dialogs", "StdCtrls", "ExtCtrls", "SYSUTILS"})
        Uses(unit.InterfacePart(), name);
    EXPECT_EQ(unit.InterfacePart().SrcCode(),
              Lines({"uses ", "   Windows,Messages,SysUtils,Variants,Classes,Graphics,Controls,Forms,Dialogs,StdCtrls,",
                     "   ExtCtrls;", ""}));
}

TEST_F(SourceUnit, WritesDeclarationBlocksInTheirFixedOrderAndAUsesEntryAssignsAllButItsFormName) {
    TgmcModulePart& part = unit.InterfacePart();
    TgmcVar* v = part.Vars().Add();
    v->SetName("Count");
    v->DataType().SetName("Integer");
    v->SetCaption("how many");
    TgmcConst* typed = part.Consts().Add();
    typed->SetName("Max");
    typed->DataType().SetName("Integer");
    typed->DataType().SetModuleName("System");
    typed->SetValue("10");
    TgmcConst* untyped = part.Consts().Add();
    untyped->SetName("Min");
    untyped->DataType().SetModuleName("System");  // no type name: no type written
    untyped->SetValue("1");
    TgmcResourceString* text = part.ResourceStrings().Add();
    text->SetName("SHello");
    text->SetValue("Hello");
    text->SetCaption("never written");
    TgmcUsesModule* form = Uses(part, "Main");
    form->SetFileName("Main.pas");
    form->SetFormName("fmMain");
    TgmcUsesModule* frame = Uses(part, "Edit");
    frame->SetFormName("frEdit");
    frame->SetFrame(true);
    EXPECT_EQ(part.SrcCode(), Lines({"uses ", "   Main in 'Main.pas' {fmMain},Edit {frEdit: TFrame};", "",
                                     "resourcestring", "   SHello = 'Hello';", "const", "   Max:System.Integer=10;",
                                     "   Min=1;", "var ", "   Count:Integer;{how many}"}));
    // Assign copies everything but the form name.
    form->SetFrame(true);
    TgmcUsesModule copy;
    copy.Assign(*form);
    EXPECT_EQ(copy.SrcCode(0), "Main in 'Main.pas'");
    EXPECT_TRUE(copy.GetFrame());
}

TEST_F(SourceUnit, ImplementationRoutinesAreDeclaredForwardAndGetBodies) {
    TgmcMethod* run = unit.ImplementationPart().Methods().Add();
    run->SetName("Run");
    run->MethodImplementation().SetCode("Beep;");
    TgmcMethod* get = unit.InterfacePart().Methods().Add();
    get->SetName("Get");
    get->SetCategory(mcFunction);
    get->DataType().SetName("Integer");
    get->MethodImplementation().SetCode("Result:=1;");
    EXPECT_EQ(unit.SrcCode(), Lines({"unit Unit1;", "interface", "function Get:Integer;", "implementation",
                                     "procedure Run;forward;", "function Get:Integer;", "begin", "   Result:=1;",
                                     "end;", "procedure Run;", "begin", "   Beep;", "end;", "", "end."}));
}

// Repeated units and exports are left out; a qualified entry exports its routine under the plain
// name, duplicates being judged by the name; programs never export; Assign copies the whole project.
TEST_F(SourceProject, WritesLibrariesThatExportUnderThePlainNameProgramsThatNeverExportAndProjectGroups) {
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
    project.Appellation().SetCaption("Debug");
    project.SetImplementCode("  Run;");
    EXPECT_EQ(project.SrcCode(pkProgram, "// header"),
              Lines({"// header", "program Srv;", "{Debug}", "uses ", "   SysUtils,", "   SrvGen in 'SrvGen.pas';", "",
                     "begin", "  Run;", "end."}));
    copy.Assign(project);
    EXPECT_EQ(copy.SrcCode(pkProgram), project.SrcCode(pkProgram));
    TgmcProjectGroup group;
    EXPECT_EQ(group.SrcCode(), GroupHead() + Lines({"", kRule, "default: $(PROJECTS)", kRule, ""}));
    group.ProjectFiles().Add("C:\\Work\\Srv.dll");
    EXPECT_EQ(group.SrcCode(), GroupHead() + Lines({"Srv.dll", kRule, "default: $(PROJECTS)", kRule,
                                                    "Srv.dll: C:\\Work\\Srv.dpr", "  $(DCC)"}));
    group.ProjectFiles().Add("/home/me/Debug");  // no extension: used unchanged
    EXPECT_EQ(group.SrcCode(), GroupHead() + Lines({"Srv.dll Debug", kRule, "default: $(PROJECTS)", kRule,
                                                    "Srv.dll: C:\\Work\\Srv.dpr", "  $(DCC)", "",
                                                    "Debug: /home/me/Debug", "  $(DCC)"}));
    EXPECT_EQ(ChangeExtension("C:\\Work\\Srv.dll", ".dpr"), "C:\\Work\\Srv.dpr");
    EXPECT_EQ(ChangeExtension("Srv.dll", "dpr"), "Srv.dpr");
    EXPECT_EQ(ChangeExtension("C:\\Lib.dll\\Srv.dll", ".dpr"), "C:\\Lib.dpr\\Srv.dpr");
    EXPECT_EQ(ChangeExtension("C:\\Work.d\\Srv", ".dpr"), "C:\\Work.d\\Srv");
    EXPECT_EQ(ChangeExtension("/home/me.d/Srv", ".dpr"), "/home/me.d/Srv");
    EXPECT_EQ(ChangeExtension("C:Srv.exe", ".dpr"), "C:Srv.dpr");
    EXPECT_EQ(FileNamePart("a\\b/c:d.dll"), "d.dll");
}

}  // namespace quillon
