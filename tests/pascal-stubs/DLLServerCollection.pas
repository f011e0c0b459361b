{ Stand-in for the run-time unit of library servers: the server base class, the list that hands
  out instance numbers, and the exported routine that frees an instance. }
unit DLLServerCollection;

interface

type
  { Delphi adds run-time type information to a class that declares a published section (with a
    warning); Free Pascal refuses the section unless the class or an ancestor has it. The base
    class carries it, so that a server's published members compile as they do on the target. }
  {$M+}
  TDLLServer = class(TObject)
  public
    constructor Create; virtual;
  end;
  {$M-}

  TDLLServerClass = class of TDLLServer;

  TDLLServers = class(TObject)
  public
    { Both create an instance of aClass into aServer and answer its number; the single variant
      hands out the one instance it already has. }
    function RegisterID(aClass: TDLLServerClass; var aServer: TDLLServer): Integer;
    function RegisterSingleID(aClass: TDLLServerClass; var aServer: TDLLServer): Integer;
    function FindServer(aInstanceID: Integer): TDLLServer;
  end;

var
  DLLServers: TDLLServers;

procedure FreeInstance(const VInstanceID: Integer); stdcall; export;

implementation

constructor TDLLServer.Create;
begin
  inherited Create;
end;

function TDLLServers.RegisterID(aClass: TDLLServerClass; var aServer: TDLLServer): Integer;
begin
  aServer := aClass.Create;
  Result := 1;
end;

function TDLLServers.RegisterSingleID(aClass: TDLLServerClass; var aServer: TDLLServer): Integer;
begin
  aServer := aClass.Create;
  Result := 1;
end;

function TDLLServers.FindServer(aInstanceID: Integer): TDLLServer;
begin
  Result := nil;
end;

procedure FreeInstance(const VInstanceID: Integer); stdcall; export;
begin
end;

end.
