{ Stand-in for the target environment's ComServ unit: the server object that class factories
  register with, and the four entry points a COM library exports. }
unit ComServ;

interface

uses
  ComObj;

type
  TComServer = class(TComServerObject)
  end;

var
  ComServer: TComServer;

function DllGetClassObject(const CLSID, IID: TGUID; var Obj): HResult; stdcall;
function DllCanUnloadNow: HResult; stdcall;
function DllRegisterServer: HResult; stdcall;
function DllUnregisterServer: HResult; stdcall;

implementation

function DllGetClassObject(const CLSID, IID: TGUID; var Obj): HResult; stdcall;
begin
  Result := 0;
end;

function DllCanUnloadNow: HResult; stdcall;
begin
  Result := 0;
end;

function DllRegisterServer: HResult; stdcall;
begin
  Result := 0;
end;

function DllUnregisterServer: HResult; stdcall;
begin
  Result := 0;
end;

end.
