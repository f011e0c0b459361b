// A method added to the design after the developer's unit was written and filled in: without the
// update the library builds and the host gets the generator's "You need to override" error; after
// quillon-cli update-dev and the developer's body for the new override, the host gets the
// developer's result, and the earlier bodies are still the developer's. Then a method gains a
// parameter with a default: the library does not build until update-dev rewrote the override's
// headings, and the host, built again, gets the same results from the bodies kept.
#include <gtest/gtest.h>

#include <cstdlib>

#include "RuntimeSupport.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

constexpr const char* kCounterHost = R"(program CounterHost;
{$APPTYPE CONSOLE}
{$MODE DELPHI}
uses
  ShareMem, SysUtils, cntrCounter;

var
  Counter: TcntrCounter;
begin
  Counter := TcntrCounter.Create(nil);
  WriteLn('Next: ', Counter.Next);
  try
    WriteLn('Twice: ', Counter.Twice);
  except
    on E: Exception do WriteLn('Twice failed: ', E.Message);
  end;
  Counter.Free;
end.
)";

TEST(UpdatedDeveloperUnit, TheHostGetsTheDevelopersResultOfAMethodAddedLater) {
    RuntimeScenario scenario("updated-developer-unit");
    TemgModule& counter = scenario.AddModule("Counter", "Counter", moServerInDll);
    TemgClass& design = counter.MainClass();
    TemgMethod& next = AddFunction(design, "Next", "Integer");
    ASSERT_TRUE(scenario.SaveAndGenerate());
    ASSERT_TRUE(scenario.FillBodies("devCounter.pas", {{"function TdevCounter.Next", "Result := 41;"}}));
    scenario.Write("CounterHost.dpr", kCounterHost);

    // The design gains Twice after the developer's unit was written.
    AddFunction(design, "Twice", "Integer");
    ASSERT_TRUE(scenario.SaveAndGenerate());
    ASSERT_TRUE(scenario.BuildWin64("Counter.dpr"));
    ASSERT_TRUE(scenario.BuildWin64("CounterHost.dpr"));
    scenario.CopyShareMemLibrary(scenario.Dir());
    const std::string before = scenario.RunWin64("CounterHost.exe");
    EXPECT_NE(before.find("Next: 41\n"), std::string::npos) << before;
    EXPECT_NE(before.find("Twice failed: You need to override the method TdevCounter.Twice"), std::string::npos)
        << before;

    const std::string command = std::string("'") + QUILLON_CLI_PROGRAM + "' update-dev '" +
                                scenario.Project().GetFileName() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_TRUE(scenario.FillBodies("devCounter.pas", {{"function TdevCounter.Twice", "Result := 2 * Next;"}}));
    ASSERT_TRUE(scenario.BuildWin64("Counter.dpr"));
    int status = -1;
    EXPECT_EQ(scenario.RunWin64("CounterHost.exe", &status), "Next: 41\nTwice: 82\n");
    EXPECT_EQ(status, 0);

    // Next gains "Step: Integer = 1"; the host's call stays as it is.
    AddParameter(next, "Step", "Integer").SetDefaultValue("1");
    ASSERT_TRUE(scenario.SaveAndGenerate());
    EXPECT_FALSE(scenario.BuildWin64("Counter.dpr"));
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_TRUE(scenario.BuildWin64("Counter.dpr"));
    ASSERT_TRUE(scenario.BuildWin64("CounterHost.dpr"));
    EXPECT_EQ(scenario.RunWin64("CounterHost.exe", &status), "Next: 41\nTwice: 82\n");
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace quillon::test
