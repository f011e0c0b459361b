// COM servers generated from a design and run under wine64. In a library: registered with
// regsvr32 through the generated DllRegisterServer, created by the host's controller by its class
// identifier, properties and methods called, an exception from a safecall method arriving as an
// exception with its message, then unregistered with regsvr32 /u.
#include <gtest/gtest.h>

#include "RuntimeSupport.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

void DesignVault(TemgModule& vault) {
    TemgClass& design = vault.MainClass();
    design.SetGUID("{3D1C8A52-7E0B-4C55-9B1E-5F3A2C6D7E81}");
    design.SetComDescription("Quillon vault");
    Typed(*design.Properties().Add(), "Count", "Integer").SetDefaultValue("3");
    Typed(*design.Properties().Add(), "Owner", "WideString");
    AddParameter(AddFunction(design, "Deposit", "Integer"), "aAmount", "Integer");
    AddParameter(AddFunction(design, "Describe", "WideString"), "aPrefix", "WideString", pcConst);
    AddParameter(AddProcedure(design, "Fail"), "aMessage", "WideString", pcConst);
}

::testing::AssertionResult FillVault(RuntimeScenario& scenario) {
    // The fresh developer's unit uses SysUtils, for Exception and IntToStr.
    return scenario.FillBodies("devVault.pas",
                               {{"function TdevVault.Deposit(", "FCount := FCount + aAmount;\nResult := FCount;"},
                                {"function TdevVault.Describe(", "Result := aPrefix + Owner + ' holds ' + IntToStr(Count);"},
                                {"procedure TdevVault.Fail(", "raise Exception.Create(aMessage);"}});
}

// Without an argument the host uses the server; with "gone" it reports how creating it fails.
constexpr const char* kVaultHost = R"(program VaultHost;
{$APPTYPE CONSOLE}
{$MODE DELPHI}
uses
  ShareMem, Windows, SysUtils, ActiveX, ComObj, cntrVault;

procedure UseVault;
var
  A, B: TcntrVault;
begin
  A := TcntrVault.Create(nil);
  B := TcntrVault.Create(nil);
  try
    WriteLn('Defaults: ', A.Count, ' ', B.Count);
    A.Owner := 'Ann';
    WriteLn('Deposit: ', A.Deposit(4), ' B.Count: ', B.Count);
    WriteLn('Describe: ', string(A.Describe('Vault of ')));
    try
      A.Fail('No funds');
      WriteLn('no exception');
    except
      on E: Exception do WriteLn('Caught ', E.ClassName, ': ', E.Message);
    end;
  finally
    B.Free;
    A.Free;
  end;
end;

procedure CreateUnregistered;
begin
  try
    TcntrVault.Create(nil).Free;
    WriteLn('created');
  except
    on E: EOleSysError do WriteLn('Not created: ', E.ClassName, ' ', IntToHex(E.ErrorCode, 8));
  end;
end;

begin
  CoInitialize(nil);
  if ParamStr(1) = 'gone' then
    CreateUnregistered
  else
    UseVault;
  CoUninitialize;
  WriteLn('done');
end.
)";

TEST(ComServerInLibrary, RegisteredWithRegsvr32CreatedByTheControllerAndUnregistered) {
    RuntimeScenario scenario("com-library");
    DesignVault(scenario.AddModule("Vault", "Vault", moComServerInDll));
    ASSERT_TRUE(scenario.SaveAndGenerate());
    ASSERT_TRUE(FillVault(scenario));
    scenario.Write("VaultHost.dpr", kVaultHost);
    ASSERT_TRUE(scenario.BuildWin64("Vault.dpr"));
    ASSERT_TRUE(scenario.BuildWin64("VaultHost.dpr"));
    scenario.CopyShareMemLibrary(scenario.Dir());

    int status = -1;
    scenario.RunWin64("regsvr32 /s Vault.dll", &status);
    ASSERT_EQ(status, 0) << "DllRegisterServer failed";
    EXPECT_EQ(scenario.RunWin64("VaultHost.exe", &status),
              "Defaults: 3 3\n"
              "Deposit: 7 B.Count: 3\n"
              "Describe: Vault of Ann holds 7\n"
              "Caught EOleException: No funds\n"
              "done\n");
    EXPECT_EQ(status, 0);
    scenario.RunWin64("regsvr32 /s /u Vault.dll", &status);
    EXPECT_EQ(status, 0) << "DllUnregisterServer failed";
    // REGDB_E_CLASSNOTREG: the class is gone from the registry.
    EXPECT_EQ(scenario.RunWin64("VaultHost.exe gone", &status), "Not created: EOleSysError 80040154\ndone\n");
}

}  // namespace
}  // namespace quillon::test
