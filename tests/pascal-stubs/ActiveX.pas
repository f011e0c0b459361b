{ Stand-in for the target environment's ActiveX unit: the per-thread COM start and stop that a
  server calls around the COM objects it owns. }
unit ActiveX;

interface

function CoInitialize(pvReserved: Pointer): HResult; stdcall;
procedure CoUninitialize; stdcall;

implementation

function CoInitialize(pvReserved: Pointer): HResult; stdcall;
begin
  Result := 0;
end;

procedure CoUninitialize; stdcall;
begin
end;

end.
