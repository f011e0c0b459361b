// A single-instance library server without the application handle and without ShareMem, built
// for Win64 and driven by a host under wine64: two controllers share one server object, which
// outlives the first of them. Without ShareMem the library and the host each have their own
// heap, so the design passes only unmanaged types and WideString (allocated by the system) and
// the host takes no exception path (an error message is a string the library would allocate).
#include <gtest/gtest.h>

#include "RuntimeSupport.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

constexpr const char* kTallyHost = R"(program TallyHost;
{$APPTYPE CONSOLE}
{$MODE DELPHI}
uses
  SysUtils, cntrTally;

var
  A, B, C: TcntrTally;
begin
  DefaultFormatSettings.DecimalSeparator := '.';
  A := TcntrTally.Create(nil);
  B := TcntrTally.Create(nil);
  WriteLn('Default: ', A.Count, ' ', B.Count);
  A.Count := 7;
  WriteLn('B sees A''s count: ', B.Count);
  WriteLn('B.Next: ', B.Next, ' A.Count: ', A.Count);
  A.Text := 'shared';
  WriteLn('B.Echo: ', string(B.Echo('x')));
  A.Rate := 1.5;
  WriteLn('B.Scale: ', FloatToStr(B.Scale(2)));
  A.Free;
  WriteLn('B after A is freed: ', B.Next);
  B.Free;
  C := TcntrTally.Create(nil);
  WriteLn('A new server after the last one: ', C.Count);
  C.Free;
  WriteLn('done');
end.
)";

TEST(SingleInstanceServer, TwoControllersShareOneServerWithoutShareMem) {
    RuntimeScenario scenario("library-single");
    TemgModule& tally = scenario.AddModule("Tally", "Tally counter", moServerInDll);
    tally.SetInterfaceSupport(false);
    tally.SetShareMemSupport(false);
    TemgClass& design = tally.MainClass();
    design.SetDllClassInstancing(dllciSingleInstance);
    Typed(*design.Properties().Add(), "Count", "Integer").SetDefaultValue("1");
    Typed(*design.Properties().Add(), "Text", "WideString");
    Typed(*design.Properties().Add(), "Rate", "Double");
    AddFunction(design, "Next", "Integer");
    AddParameter(AddFunction(design, "Echo", "WideString"), "aText", "WideString", pcConst);
    AddParameter(AddFunction(design, "Scale", "Double"), "aValue", "Double");
    ASSERT_TRUE(scenario.SaveAndGenerate());
    ASSERT_TRUE(scenario.FillBodies("devTally.pas", {{"function TdevTally.Next", "Inc(FCount);\nResult := FCount;"},
                                                     {"function TdevTally.Echo(", "Result := aText + '/' + Text;"},
                                                     {"function TdevTally.Scale(", "Result := aValue * Rate;"}}));
    // Neither the library project nor the controller names ShareMem or Forms.
    for (const char* name : {"Tally.dpr", "cntrTally.pas", "genTally.pas"}) {
        const std::string text = ReadText(scenario.File(name));
        EXPECT_EQ(text.find("ShareMem"), std::string::npos) << name;
        EXPECT_EQ(text.find("Forms"), std::string::npos) << name;
    }
    scenario.Write("TallyHost.dpr", kTallyHost);
    ASSERT_TRUE(scenario.BuildWin64("Tally.dpr"));
    ASSERT_TRUE(scenario.BuildWin64("TallyHost.dpr"));
    int status = -1;
    EXPECT_EQ(scenario.RunWin64("TallyHost.exe", &status),
              "Default: 1 1\n"
              "B sees A's count: 7\n"
              "B.Next: 8 A.Count: 8\n"
              "B.Echo: x/shared\n"
              "B.Scale: 3\n"
              "B after A is freed: 9\n"
              "A new server after the last one: 1\n"
              "done\n");
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace quillon::test
