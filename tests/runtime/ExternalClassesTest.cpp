// External classes at run time, under wine64: the library server Store refers to the library
// server Archive and to the COM server Stamp (in a library). The three libraries stand in a
// folder other than the host's; the host hands that folder to Store's controller through
// CreateFromPath, and Store hands it on to Archive through SetDLLsPaths.
#include <gtest/gtest.h>

#include "RuntimeSupport.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

constexpr const char* kStoreHost = R"(program StoreHost;
{$APPTYPE CONSOLE}
{$MODE DELPHI}
uses
  ShareMem, Windows, SysUtils, ActiveX, cntrStore;

var
  lStore: TcntrStore;
  lLibraries: string;
begin
  CoInitialize(nil);
  try
    TcntrStore.Create(nil).Free;
    WriteLn('loaded without the path');
  except
    on E: Exception do WriteLn('Without the path: ', E.ClassName);
  end;
  lLibraries := ExtractFilePath(ParamStr(0)) + '..\libs';
  WriteLn('DllExists: ', TcntrStore.DllExists(lLibraries));
  lStore := TcntrStore.CreateFromPath(nil, lLibraries);
  try
    WriteLn('Keep: ', lStore.Keep('box'));
  finally
    lStore.Free;
  end;
  CoUninitialize;
  WriteLn('done');
end.
)";

TEST(ExternalClasses, ALibraryServerUsesALibraryServerAndACOMServerFromAnotherFolder) {
    RuntimeScenario scenario("external");
    TemgModule& archive = scenario.AddModule("Archive", "Archive", moServerInDll);
    AddParameter(AddFunction(archive.MainClass(), "Describe", "string"), "aItem", "string", pcConst);
    TemgModule& stamp = scenario.AddModule("Stamp", "Stamp", moComServerInDll);
    stamp.MainClass().SetGUID("{8F2E4C61-3B7A-4D9E-A150-6C2B9D4E7F13}");
    stamp.MainClass().SetComDescription("Quillon stamp");
    AddParameter(AddFunction(stamp.MainClass(), "Mark", "WideString"), "aText", "WideString", pcConst);
    TemgModule& store = scenario.AddModule("Store", "Store", moServerInDll);
    AddParameter(AddFunction(store.MainClass(), "Keep", "string"), "aItem", "string", pcConst);
    AddExternal(store, "Archive", "Backup");
    AddExternal(store, "Stamp", "Stamper");
    ASSERT_TRUE(scenario.SaveAndGenerate());
    ASSERT_TRUE(
        scenario.FillBodies("devArchive.pas", {{"function TdevArchive.Describe(", "Result := 'archived ' + aItem;"}}));
    ASSERT_TRUE(scenario.FillBodies("devStamp.pas", {{"function TdevStamp.Mark(", "Result := 'stamped ' + aText;"}}));
    ASSERT_TRUE(scenario.FillBodies(
        "devStore.pas", {{"function TdevStore.Keep(",
                          "Result := 'kept ' + aItem + ', ' + Backup.Describe(aItem) + ', ' + Stamper.Mark(aItem);"}}));

    const std::string libs = scenario.File("libs");
    const std::string host = scenario.File("host");
    for (const char* library : {"Archive.dpr", "Stamp.dpr", "Store.dpr"})
        ASSERT_TRUE(scenario.BuildWin64(library, libs));
    scenario.Write("StoreHost.dpr", kStoreHost);
    ASSERT_TRUE(scenario.BuildWin64("StoreHost.dpr", host));
    scenario.CopyShareMemLibrary(host);

    int status = -1;
    scenario.RunWin64("regsvr32 /s ../libs/Stamp.dll", &status, host);
    ASSERT_EQ(status, 0) << "DllRegisterServer of Stamp failed";
    EXPECT_EQ(scenario.RunWin64("StoreHost.exe", &status, host),
              "Without the path: EOSError\n"
              "DllExists: TRUE\n"
              "Keep: kept box, archived box, stamped box\n"
              "done\n");
    EXPECT_EQ(status, 0);
    scenario.RunWin64("regsvr32 /s /u ../libs/Stamp.dll", &status, host);
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace quillon::test
