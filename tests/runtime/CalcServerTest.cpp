// The Calc server generated from a design, with the developer's unit filled in, built with the
// shipped run-time unit and Free Pascal's Windows units, and driven by a host under wine64, as a
// multi-instance library server and as a direct server compiled into the host: separate state
// per instance, properties of every access kind with defaults, methods with const, var and
// default parameters (defaults naming an added unit's constants among them) and results of
// Integer, string, WideString, Double, Currency and a common-types enumeration, an exception
// from the developer's code, events calling the host back, and (library only) calls on a freed
// or unknown instance number.
#include <gtest/gtest.h>

#include <string>

#include "RuntimeSupport.h"
#include "support/TempDir.h"

namespace quillon::test {
namespace {

// The design of the Calc server, whose result and parameter types cover the common ones.
void DesignCalc(RuntimeScenario& scenario, TServerOption option) {
    scenario.CommonTypes().CreateEnumType("TShade", "", {"shLight", "shDark"});
    TemgModule& calc = scenario.AddModule("Calc", "Calculator", option);
    calc.CreateRegisteredType("TObject", "", "", false);
    TemgProceduralType& onTotal = *calc.ProceduralTypes().Add();
    onTotal.SetName("TOnTotal");
    Typed(*onTotal.Parameters().Add(), "Sender", "TObject");
    Typed(*onTotal.Parameters().Add(), "aTotal", "Integer");

    TemgClass& design = calc.MainClass();
    // Defaults naming constants of a unit of the developer's own, bare and qualified.
    calc.AddUnits().Add()->SetName("Limits.pas");
    scenario.Write("Limits.pas", "unit Limits;\ninterface\nconst\n  DefaultCount = 10;\n  Step = 1;\nimplementation\nend.\n");
    Typed(*design.Properties().Add(), "Count", "Integer").SetDefaultValue("DefaultCount");
    Typed(*design.Properties().Add(), "Shade", "TShade", dtEnum).SetDefaultValue("shDark");
    Typed(*design.Properties().Add(), "Title", "string");
    Typed(*design.Properties().Add(), "Total", "Integer").SetAccessTypes({atRead});
    Typed(*design.Properties().Add(), "Limit", "Integer").SetAccessTypes({atWrite});
    Typed(*design.Events().Add(), "OnChange", "TNotifyEvent", dtRegisteredProcedural);
    Typed(*design.Events().Add(), "OnTotal", "TOnTotal", dtProcedural);

    TemgMethod& add = AddFunction(design, "Add", "Integer");
    AddParameter(add, "a", "Integer", pcConst);
    AddParameter(add, "b", "Integer").SetDefaultValue("Limits.Step");
    AddParameter(AddFunction(design, "Greet", "string"), "aName", "string", pcConst);
    TemgMethod& bump = AddProcedure(design, "Bump");
    AddParameter(bump, "aValue", "Integer", pcVar);
    AddParameter(bump, "aText", "string", pcVar);
    AddParameter(AddFunction(design, "Wide", "WideString"), "aText", "WideString", pcConst);
    AddParameter(AddFunction(design, "Half", "Double"), "aValue", "Double");
    TemgMethod& price = AddFunction(design, "Price", "Currency");
    AddParameter(price, "aAmount", "Currency", pcConst);
    AddParameter(price, "aCount", "Integer");
    TemgMethod& next = AddProcedure(design, "NextShade");
    AddParameter(next, "aShade", "TShade", pcVar, dtEnum);
    TemgMethod& flip = AddFunction(design, "Flip", "TShade", dtEnum);
    AddParameter(flip, "aShade", "TShade", pcNone, dtEnum);
    AddParameter(AddProcedure(design, "Fail"), "aMessage", "string", pcConst);
    AddProcedure(design, "Fire");
    // A private method: the developer's unit still overrides it.
    AddProcedure(design, "Tidy").SetVisibility(mvPrivate);
}

// The developer's bodies; Add sets the read-only Total through its field and checks the
// write-only Limit.
const std::vector<RoutineBody> kCalcBodies{
    {"function TdevCalc.Add(",
     "if (FLimit > 0) and (FTotal + a + b > FLimit) then\n"
     "  raise Exception.CreateFmt('Total %d would pass the limit %d', [FTotal + a + b, FLimit]);\n"
     "FTotal := FTotal + a + b;\n"
     "Result := FTotal;"},
    {"function TdevCalc.Greet(", "Result := 'Hello ' + aName + ', this is ' + Title;"},
    {"procedure TdevCalc.Bump(", "aValue := aValue + Count;\naText := aText + '!';"},
    {"function TdevCalc.Wide(", "Result := aText + WideString(' and ') + aText;"},
    {"function TdevCalc.Half(", "Result := aValue / 2;"},
    {"function TdevCalc.Price(", "Result := aAmount * aCount;"},
    {"procedure TdevCalc.NextShade(", "if aShade = shLight then aShade := shDark else aShade := shLight;"},
    {"function TdevCalc.Flip(", "if aShade = shLight then Result := shDark else Result := shLight;"},
    {"procedure TdevCalc.Fail(", "raise Exception.Create(aMessage);"},
    {"procedure TdevCalc.Fire;",
     "if Assigned(OnChange) then OnChange(Self);\nif Assigned(OnTotal) then OnTotal(Self, Total);"},
    {"procedure TdevCalc.Tidy;", "FTotal := 0;"},
};

// The fresh developer's unit uses SysUtils, which the bodies need.
void FillCalc(RuntimeScenario& scenario) { ASSERT_TRUE(scenario.FillBodies("devCalc.pas", kCalcBodies)); }

constexpr const char* kCalcHost = R"(program CalcHost;
{$APPTYPE CONSOLE}
{$MODE DELPHI}
uses
  ShareMem, Windows, SysUtils, Classes, genCommonTypes, cntrCalc;

type
  TListener = class
    procedure Changed(Sender: TObject);
    procedure TotalChanged(Sender: TObject; aTotal: Integer);
  end;

  TInitInstance = procedure(var VInstanceID: Integer; const aApplicationHandle: THandle); stdcall;
  TFreeInstance = procedure(const VInstanceID: Integer); stdcall;
  TAddMethod = function(const aInstanceID: Integer; var VErrorMessage: string; const a: Integer;
    b: Integer): Integer; stdcall;

procedure TListener.Changed(Sender: TObject);
begin
  WriteLn('OnChange called back');
end;

procedure TListener.TotalChanged(Sender: TObject; aTotal: Integer);
begin
  WriteLn('OnTotal called back with ', aTotal);
end;

{ Calls the exported Add of an instance number directly, as a controller would. }
procedure CallFreed;
var
  lLibrary: HModule;
  lInit: TInitInstance;
  lFree: TFreeInstance;
  lAdd: TAddMethod;
  lID: Integer;
  lError: string;
begin
  lLibrary := LoadLibrary('Calc.dll');
  lInit := GetProcAddress(lLibrary, 'InitInstance');
  lFree := GetProcAddress(lLibrary, 'FreeInstance');
  lAdd := GetProcAddress(lLibrary, 'Add');
  lInit(lID, 0);
  WriteLn('Raw instance: ', lID);
  lFree(lID);
  lFree(lID);
  lError := '';
  lAdd(lID, lError, 1, 1);
  WriteLn('Freed: ', lError);
  lError := '';
  lAdd(777, lError, 1, 1);
  WriteLn('Unknown: ', lError);
  FreeLibrary(lLibrary);
end;

var
  A, B: TcntrCalc;
  lListener: TListener;
  lValue: Integer;
  lText: string;
  lShade: TShade;
begin
  DefaultFormatSettings.DecimalSeparator := '.';
  A := TcntrCalc.Create(nil);
  B := TcntrCalc.Create(nil);
  WriteLn('Defaults: A.Count=', A.Count, ' B.Count=', B.Count, ' A.Shade=', Ord(A.Shade));
  A.Count := 5;
  B.Shade := shLight;
  WriteLn('Set: A.Count=', A.Count, ' B.Count=', B.Count, ' A.Shade=', Ord(A.Shade), ' B.Shade=', Ord(B.Shade));
  A.Title := 'Alpha';
  B.Title := 'Beta';
  WriteLn('Greet: ', A.Greet('Bob'), ' / ', B.Greet('Ann'));
  WriteLn('Add(2): ', A.Add(2));
  WriteLn('Add(2,5): ', A.Add(2, 5));
  WriteLn('Total: A=', A.Total, ' B=', B.Total);
  lValue := 1;
  lText := 'x';
  A.Bump(lValue, lText);
  WriteLn('Bump: ', lValue, ' ', lText);
  WriteLn('Wide: ', string(A.Wide('ab')));
  WriteLn('Half: ', FloatToStr(A.Half(5)));
  WriteLn('Price: ', CurrToStr(A.Price(1.25, 3)));
  lShade := shLight;
  A.NextShade(lShade);
  WriteLn('NextShade: ', Ord(lShade), ' Flip: ', Ord(A.Flip(shDark)));
  A.Limit := 12;
  try
    A.Add(5);
  except
    on E: Exception do WriteLn('Limit: ', E.Message);
  end;
  try
    A.Fail('Boom in the server');
    WriteLn('no exception');
  except
    on E: Exception do WriteLn('Caught ', E.ClassName, ': ', E.Message);
  end;
  lListener := TListener.Create;
  A.OnChange := lListener.Changed;
  A.OnTotal := lListener.TotalChanged;
  A.Fire;
  B.Fire;
  CallFreed;
  B.Free;
  A.Free;
  lListener.Free;
  WriteLn('done');
end.
)";

constexpr const char* kCalcExpected =
    "Defaults: A.Count=10 B.Count=10 A.Shade=1\n"
    "Set: A.Count=5 B.Count=10 A.Shade=1 B.Shade=0\n"
    "Greet: Hello Bob, this is Alpha / Hello Ann, this is Beta\n"
    "Add(2): 3\n"
    "Add(2,5): 10\n"
    "Total: A=10 B=0\n"
    "Bump: 6 x!\n"
    "Wide: ab and ab\n"
    "Half: 2.5\n"
    "Price: 3.75\n"
    "NextShade: 1 Flip: 0\n"
    "Limit: Total 16 would pass the limit 12\n"
    "Caught Exception: Boom in the server\n"
    "OnChange called back\n"
    "OnTotal called back with 10\n"
    "Raw instance: 3\n"
    "Freed: Instance 3 of the library server does not exist: it was never created or is already freed\n"
    "Unknown: Instance 777 of the library server does not exist: it was never created or is already freed\n"
    "done\n";

// Removes every occurrence of `part` from `text`.
std::string Without(std::string text, const std::string& part) {
    for (std::size_t at; (at = text.find(part)) != std::string::npos;) text.erase(at, part.size());
    return text;
}

// The same host drives a multi-instance library server and a direct server compiled into it,
// which neither loads a library nor needs ShareMem.
TEST(CalcServer, RunsEveryMemberKindUnderWineAsALibraryAndCompiledIntoTheHost) {
    for (const TServerOption option : {moServerInDll, moDirectUsesServer}) {
        const bool library = option == moServerInDll;
        RuntimeScenario scenario(library ? "library-multi" : "direct");
        DesignCalc(scenario, option);
        ASSERT_TRUE(scenario.SaveAndGenerate());
        FillCalc(scenario);
        std::string expected = kCalcExpected;
        if (library) {
            scenario.Write("CalcHost.dpr", kCalcHost);
            ASSERT_TRUE(scenario.BuildWin64("Calc.dpr"));
            scenario.CopyShareMemLibrary(scenario.Dir());
        } else {
            scenario.Write("CalcHost.dpr", Without(Without(kCalcHost, "ShareMem, "), "  CallFreed;\n"));
            expected.erase(expected.find("Raw instance:"), expected.find("done\n") - expected.find("Raw instance:"));
        }
        ASSERT_TRUE(scenario.BuildWin64("CalcHost.dpr"));
        int status = -1;
        EXPECT_EQ(scenario.RunWin64("CalcHost.exe", &status), expected) << scenario.Dir();
        EXPECT_EQ(status, 0);
    }
}

}  // namespace
}  // namespace quillon::test
