// An out-of-process COM server (moComServer) generated from a design, under wine64: the program
// that serves the class is built, registers itself with /regserver and unregisters with
// /unregserver. Creating it from a host starts the server and answers IUnknown, but the generated
// custom interface (derived from IUnknown, not an automation interface, with no type library and
// no proxy/stub registered for its interface identifier) cannot be marshalled to another process:
// QueryInterface for it answers E_NOINTERFACE, and the controller's "as" raises EInvalidCast.
#include <gtest/gtest.h>

#include "RuntimeSupport.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

// What a Delphi project of a local server does: Application.Initialize runs InitProc, where
// ComServ handles /regserver and /unregserver and registers the class objects; then the message
// loop runs until the last object is released.
constexpr const char* kLedgerServer = R"(program Ledger;
{$MODE DELPHI}
uses
  Windows, SysUtils, ComObj, ComServ, genLedger, devLedger;

var
  lMessage: TMsg;
begin
  if InitProc <> nil then
    TProcedure(InitProc)();
  while GetMessage(lMessage, 0, 0, 0) do
    DispatchMessage(lMessage);
end.
)";

constexpr const char* kLedgerHost = R"(program LedgerHost;
{$APPTYPE CONSOLE}
{$MODE DELPHI}
uses
  Windows, SysUtils, ActiveX, ComObj, intfLedger, cntrLedger;

var
  lUnknown: IUnknown;
  lLedger: ILedger;
  lResult: HResult;
begin
  CoInitialize(nil);
  lUnknown := CreateComObject(Class_Ledger);
  WriteLn('IUnknown of the local server: ', lUnknown <> nil);
  lResult := lUnknown.QueryInterface(ILedger, lLedger);
  WriteLn('QueryInterface(ILedger): ', IntToHex(lResult, 8));
  lUnknown := nil;
  try
    TcntrLedger.Create(nil).Free;
    WriteLn('controller created');
  except
    on E: Exception do WriteLn('Controller: ', E.ClassName, ': ', E.Message);
  end;
  CoUninitialize;
  WriteLn('done');
end.
)";

TEST(OutOfProcessComServer, RegistersButItsCustomInterfaceCannotBeMarshalled) {
    RuntimeScenario scenario("com-local");
    TemgModule& ledger = scenario.AddModule("Ledger", "Ledger", moComServer);
    ledger.MainClass().SetGUID("{5A7C3E91-2D4B-4F68-8E13-B9C0D2A4F657}");
    ledger.MainClass().SetComDescription("Quillon ledger");
    Typed(*ledger.MainClass().Properties().Add(), "Count", "Integer").SetDefaultValue("2");
    ASSERT_TRUE(scenario.SaveAndGenerate());
    scenario.Write("Ledger.dpr", kLedgerServer);
    scenario.Write("LedgerHost.dpr", kLedgerHost);
    ASSERT_TRUE(scenario.BuildWin64("Ledger.dpr"));
    ASSERT_TRUE(scenario.BuildWin64("LedgerHost.dpr"));

    int status = -1;
    scenario.RunWin64("Ledger.exe /regserver", &status);
    ASSERT_EQ(status, 0) << "registration failed";
    EXPECT_EQ(scenario.RunWin64("LedgerHost.exe", &status),
              "IUnknown of the local server: TRUE\n"
              "QueryInterface(ILedger): 80004002\n"
              "Controller: EInvalidCast: Invalid type cast\n"
              "done\n");
    EXPECT_EQ(status, 0);
    scenario.RunWin64("Ledger.exe /unregserver", &status);
    EXPECT_EQ(status, 0) << "unregistration failed";
}

}  // namespace
}  // namespace quillon::test
