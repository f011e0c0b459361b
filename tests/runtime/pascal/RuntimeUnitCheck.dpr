{ Checks the run-time unit DLLServerCollection on its own: prints one line per check. }
program RuntimeUnitCheck;
{$APPTYPE CONSOLE}
{$MODE DELPHI}
uses
  Windows, SysUtils, Classes, DLLServerCollection;

type
  TCounted = class(TDLLServer)
  public
    Made: Boolean;
    constructor Create; override;
    destructor Destroy; override;
  end;

  TOther = class(TCounted);

  TWorker = class(TThread)
  protected
    procedure Execute; override;
  public
    Failures: Integer;
    Highest: Integer;
  end;

  TLeftoverStart = procedure(aCounter: PInteger); stdcall;

var
  Freed: Integer;

constructor TCounted.Create;
begin
  inherited Create;
  Made := True;
end;

destructor TCounted.Destroy;
begin
  InterlockedIncrement(Freed);
  inherited Destroy;
end;

procedure TWorker.Execute;
var
  i, lID: Integer;
  lServer: TDLLServer;
begin
  for i := 1 to 2000 do
  begin
    if i mod 2 = 0 then
      lID := DLLServers.RegisterID(TCounted, lServer)
    else
      lID := DLLServers.RegisterSingleID(TOther, lServer);
    if lID > Highest then
      Highest := lID;
    if DLLServers.FindServer(lID) <> lServer then
      Inc(Failures);
    DLLServerCollection.FreeInstance(lID);
  end;
end;

procedure Check(const aWhat: string; aOk: Boolean);
begin
  if aOk then
    WriteLn('ok   ', aWhat)
  else
    WriteLn('FAIL ', aWhat);
end;

function FindMessage(aID: Integer): string;
begin
  Result := '';
  try
    DLLServers.FindServer(aID);
  except
    on E: EDLLServerError do
      Result := E.Message;
  end;
end;

procedure CheckMulti;
var
  lA, lB: TDLLServer;
  lIDA, lIDB, lIDC: Integer;
begin
  Freed := 0;
  lIDA := DLLServers.RegisterID(TCounted, lA);
  lIDB := DLLServers.RegisterID(TCounted, lB);
  Check('RegisterID creates the class given through the virtual constructor',
    (lA is TCounted) and TCounted(lA).Made);
  Check('RegisterID: a new object and a new positive number per call',
    (lA <> lB) and (lIDA > 0) and (lIDB > lIDA));
  Check('FindServer answers the object of a number',
    (DLLServers.FindServer(lIDA) = lA) and (DLLServers.FindServer(lIDB) = lB));
  FreeInstance(lIDA);
  Check('FreeInstance frees the object of the number', Freed = 1);
  Check('FindServer of a freed number raises naming the number',
    Pos(IntToStr(lIDA), FindMessage(lIDA)) > 0);
  Check('FindServer of an unknown number raises naming the number',
    Pos('424242', FindMessage(424242)) > 0);
  FreeInstance(lIDA);
  FreeInstance(424242);
  Check('FreeInstance of a freed or unknown number does no harm', (Freed = 1) and (DLLServers.Count = 1));
  lIDC := DLLServers.RegisterID(TCounted, lA);
  Check('a freed number is not handed out again', (lIDC <> lIDA) and (lIDC > lIDB));
  FreeInstance(lIDB);
  FreeInstance(lIDC);
end;

procedure CheckSingle;
var
  lA, lB, lC: TDLLServer;
  lIDA, lIDB, lIDC: Integer;
begin
  Freed := 0;
  lIDA := DLLServers.RegisterSingleID(TCounted, lA);
  lIDB := DLLServers.RegisterSingleID(TCounted, lB);
  lIDC := DLLServers.RegisterSingleID(TOther, lC);
  Check('RegisterSingleID shares one object per class under new numbers',
    (lA = lB) and (lIDA <> lIDB) and (lC <> lA) and (lC is TOther));
  FreeInstance(lIDA);
  Check('freeing one number keeps the shared object for the others',
    (Freed = 0) and (DLLServers.FindServer(lIDB) = lB));
  FreeInstance(lIDB);
  Check('freeing the last number frees the shared object', Freed = 1);
  FreeInstance(lIDC);
  lIDA := DLLServers.RegisterSingleID(TCounted, lA);
  Check('after that a new shared object is made', (Freed = 2) and (lIDA > lIDC));
  FreeInstance(lIDA);
end;

procedure CheckThreads;
var
  lWorkers: array[0..3] of TWorker;
  i, lFailures: Integer;
begin
  Freed := 0;
  for i := Low(lWorkers) to High(lWorkers) do
    lWorkers[i] := TWorker.Create(False);
  lFailures := 0;
  for i := Low(lWorkers) to High(lWorkers) do
  begin
    lWorkers[i].WaitFor;
    Inc(lFailures, lWorkers[i].Failures);
    lWorkers[i].Free;
  end;
  Check('four threads registering, finding and freeing at once',
    (lFailures = 0) and (DLLServers.Count = 0) and (Freed >= 4000));
end;

procedure CheckUnload;
var
  lLibrary: HModule;
  lStart: TLeftoverStart;
  lCounter: Integer;
begin
  lCounter := 0;
  lLibrary := LoadLibrary('Leftover.dll');
  lStart := GetProcAddress(lLibrary, 'Start');
  lStart(@lCounter);
  FreeLibrary(lLibrary);
  Check('unloading a library frees the servers still registered', lCounter = 3);
end;

begin
  CheckMulti;
  CheckSingle;
  CheckThreads;
  CheckUnload;
end.
