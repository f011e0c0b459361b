{ Run-time unit of Quillon's library servers.

  A library server built from the generated units keeps its server objects here. Every object a
  host creates through the library's InitInstance gets an instance number; the host passes that
  number to each exported routine, which finds the object with FindServer, and to FreeInstance,
  which frees it.

  - TDLLServer is the ancestor of the generated server classes. Its constructor is virtual, so
    registering a class creates an object of that very class (the developer's class).
  - DLLServers.RegisterID creates a new server object per call and answers a new instance number.
  - DLLServers.RegisterSingleID shares one server object among all numbers of that class: the
    first call creates it, freeing a number keeps it alive for the others, freeing the last
    number frees it.
  - Numbers are positive and never handed out twice while the library is loaded.
  - FindServer raises EDLLServerError naming the number when it is unknown or already freed, so
    the exported routines report a clear error instead of calling a method on nil.
  - FreeInstance of an unknown number does nothing.
  - One critical section guards the list: hosts may call from several threads.
  - Whatever is still registered when the library unloads is freed.

  Plain Object Pascal: compiles with Delphi and with Free Pascal (Delphi mode). Put the folder
  that holds this file on the library path of the library project. }
unit DLLServerCollection;

{$IFDEF FPC}{$MODE DELPHI}{$ENDIF}

interface

uses
  SysUtils, Classes, SyncObjs;

type
  { A server's class may have a published section: Delphi then adds run-time type information
    itself (with a warning), Free Pascal only when the class or an ancestor has it already. }
  {$M+}
  TDLLServer = class(TObject)
  public
    constructor Create; virtual;
  end;
  {$M-}

  TDLLServerClass = class of TDLLServer;

  EDLLServerError = class(Exception);

  TDLLServers = class(TObject)
  private
    FLock: TCriticalSection;
    FEntries: TList;
    FLastID: Integer;
    function IndexOfID(aInstanceID: Integer): Integer;
    function IndexOfShared(aClass: TDLLServerClass): Integer;
    function IsServerShared(aServer: TDLLServer; aExceptIndex: Integer): Boolean;
    function Add(aServer: TDLLServer; aShared: Boolean): Integer;
  public
    constructor Create;
    destructor Destroy; override;
    { Creates an object of aClass into aServer and answers its new instance number. }
    function RegisterID(aClass: TDLLServerClass; var aServer: TDLLServer): Integer;
    { Answers a new instance number for the one shared object of aClass (into aServer), creating
      the object on the first call. }
    function RegisterSingleID(aClass: TDLLServerClass; var aServer: TDLLServer): Integer;
    { The object of an instance number; raises EDLLServerError for an unknown or freed number. }
    function FindServer(aInstanceID: Integer): TDLLServer;
    { Forgets an instance number and frees its object unless other numbers share it. An unknown
      number is ignored. }
    procedure FreeID(aInstanceID: Integer);
    { Frees every object still registered. }
    procedure Clear;
    { How many instance numbers are registered. }
    function Count: Integer;
  end;

var
  DLLServers: TDLLServers;

{ Exported by the library: frees the object of an instance number. }
procedure FreeInstance(const VInstanceID: Integer); stdcall; export;

resourcestring
  SInstanceNotFound = 'Instance %d of the library server does not exist: it was never created or is already freed';
  SInstanceNumbersUsedUp = 'No instance number is left in the library server';

implementation

type
  TDLLServerEntry = class(TObject)
  public
    ID: Integer;
    Server: TDLLServer;
    Shared: Boolean;
  end;

constructor TDLLServer.Create;
begin
  inherited Create;
end;

constructor TDLLServers.Create;
begin
  inherited Create;
  FLock := TCriticalSection.Create;
  FEntries := TList.Create;
end;

destructor TDLLServers.Destroy;
begin
  Clear;
  FEntries.Free;
  FLock.Free;
  inherited Destroy;
end;

{ The entries stay in the order of their numbers, which only grow: a binary search finds one. }
function TDLLServers.IndexOfID(aInstanceID: Integer): Integer;
var
  lLow, lHigh, lMiddle, lID: Integer;
begin
  Result := -1;
  lLow := 0;
  lHigh := FEntries.Count - 1;
  while lLow <= lHigh do
  begin
    lMiddle := (lLow + lHigh) div 2;
    lID := TDLLServerEntry(FEntries[lMiddle]).ID;
    if lID = aInstanceID then
    begin
      Result := lMiddle;
      Exit;
    end;
    if lID < aInstanceID then
      lLow := lMiddle + 1
    else
      lHigh := lMiddle - 1;
  end;
end;

function TDLLServers.IndexOfShared(aClass: TDLLServerClass): Integer;
var
  i: Integer;
  lEntry: TDLLServerEntry;
begin
  Result := -1;
  for i := 0 to FEntries.Count - 1 do
  begin
    lEntry := TDLLServerEntry(FEntries[i]);
    if lEntry.Shared and (lEntry.Server.ClassType = aClass) then
    begin
      Result := i;
      Exit;
    end;
  end;
end;

function TDLLServers.IsServerShared(aServer: TDLLServer; aExceptIndex: Integer): Boolean;
var
  i: Integer;
begin
  Result := False;
  for i := 0 to FEntries.Count - 1 do
    if (i <> aExceptIndex) and (TDLLServerEntry(FEntries[i]).Server = aServer) then
    begin
      Result := True;
      Exit;
    end;
end;

{ Called inside the lock. }
function TDLLServers.Add(aServer: TDLLServer; aShared: Boolean): Integer;
var
  lEntry: TDLLServerEntry;
begin
  if FLastID = High(Integer) then
    raise EDLLServerError.Create(SInstanceNumbersUsedUp);
  Inc(FLastID);
  lEntry := TDLLServerEntry.Create;
  lEntry.ID := FLastID;
  lEntry.Server := aServer;
  lEntry.Shared := aShared;
  FEntries.Add(lEntry);
  Result := FLastID;
end;

function TDLLServers.RegisterID(aClass: TDLLServerClass; var aServer: TDLLServer): Integer;
var
  lServer: TDLLServer;
begin
  { The developer's constructor runs outside the lock: it may itself create servers. }
  lServer := aClass.Create;
  try
    FLock.Enter;
    try
      Result := Add(lServer, False);
    finally
      FLock.Leave;
    end;
  except
    lServer.Free;
    raise;
  end;
  aServer := lServer;
end;

function TDLLServers.RegisterSingleID(aClass: TDLLServerClass; var aServer: TDLLServer): Integer;
var
  lIndex: Integer;
begin
  { Creating the shared object inside the lock keeps two threads from creating one each. }
  FLock.Enter;
  try
    lIndex := IndexOfShared(aClass);
    if lIndex >= 0 then
    begin
      aServer := TDLLServerEntry(FEntries[lIndex]).Server;
      Result := Add(aServer, True);
    end
    else
    begin
      aServer := aClass.Create;
      try
        Result := Add(aServer, True);
      except
        aServer.Free;
        aServer := nil;
        raise;
      end;
    end;
  finally
    FLock.Leave;
  end;
end;

function TDLLServers.FindServer(aInstanceID: Integer): TDLLServer;
var
  lIndex: Integer;
begin
  FLock.Enter;
  try
    lIndex := IndexOfID(aInstanceID);
    if lIndex < 0 then
      raise EDLLServerError.CreateFmt(SInstanceNotFound, [aInstanceID]);
    Result := TDLLServerEntry(FEntries[lIndex]).Server;
  finally
    FLock.Leave;
  end;
end;

procedure TDLLServers.FreeID(aInstanceID: Integer);
var
  lIndex: Integer;
  lEntry: TDLLServerEntry;
  lServer: TDLLServer;
begin
  lServer := nil;
  FLock.Enter;
  try
    lIndex := IndexOfID(aInstanceID);
    if lIndex < 0 then
      Exit;
    lEntry := TDLLServerEntry(FEntries[lIndex]);
    if not IsServerShared(lEntry.Server, lIndex) then
      lServer := lEntry.Server;
    FEntries.Delete(lIndex);
    lEntry.Free;
  finally
    FLock.Leave;
  end;
  { The destructor runs outside the lock: the developer's code may free other servers. }
  lServer.Free;
end;

{ Frees the newest number first, one at a time, so that a destructor that frees other numbers
  finds the list consistent. }
procedure TDLLServers.Clear;
var
  lID: Integer;
begin
  repeat
    FLock.Enter;
    try
      if FEntries.Count > 0 then
        lID := TDLLServerEntry(FEntries[FEntries.Count - 1]).ID
      else
        lID := 0;
    finally
      FLock.Leave;
    end;
    if lID > 0 then
      FreeID(lID);
  until lID = 0;
end;

function TDLLServers.Count: Integer;
begin
  FLock.Enter;
  try
    Result := FEntries.Count;
  finally
    FLock.Leave;
  end;
end;

procedure FreeInstance(const VInstanceID: Integer); stdcall;
begin
  DLLServers.FreeID(VInstanceID);
end;

initialization
  DLLServers := TDLLServers.Create;

finalization
  FreeAndNil(DLLServers);

end.
