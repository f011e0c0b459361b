{ Stand-in for the target environment's Windows unit, which Free Pascal provides only on
  Windows targets. Holds just what the compile tests' units refer to; grow it as they need. }
unit Windows;

interface

type
  DWORD = LongWord;
  BOOL = LongBool;
  HWND = PtrUInt;
  HMODULE = PtrUInt;
  FARPROC = Pointer;
  { A window message, as the VCL's TMessageEvent hands it over. }
  TMsg = record
    hwnd: HWND;
    message: LongWord;
    wParam: PtrUInt;
    lParam: PtrInt;
    time: DWORD;
  end;

{ Library loading, as the library controllers call it. }
function LoadLibrary(lpLibFileName: PChar): HMODULE;
function FreeLibrary(hLibModule: HMODULE): BOOL;
function GetProcAddress(hModule: HMODULE; lpProcName: PChar): FARPROC;

{ The target keeps this check in SysUtils; Free Pascal's SysUtils has none outside Windows, and a
  stand-in SysUtils would hide the real one, so it stands here. }
function Win32Check(RetVal: BOOL): BOOL;

implementation

function LoadLibrary(lpLibFileName: PChar): HMODULE;
begin
  Result := 0;
end;

function FreeLibrary(hLibModule: HMODULE): BOOL;
begin
  Result := True;
end;

function GetProcAddress(hModule: HMODULE; lpProcName: PChar): FARPROC;
begin
  Result := nil;
end;

function Win32Check(RetVal: BOOL): BOOL;
begin
  Result := RetVal;
end;

end.
