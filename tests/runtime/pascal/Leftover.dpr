{ A library that registers three servers (one of them shared by two numbers) and never frees
  them: unloading it must. Each destructor counts in the host's counter. }
library Leftover;
{$MODE DELPHI}
uses
  SysUtils, DLLServerCollection;

type
  TLeftover = class(TDLLServer)
  public
    destructor Destroy; override;
  end;

  TSharedLeftover = class(TLeftover);

var
  Counter: PInteger;

destructor TLeftover.Destroy;
begin
  Inc(Counter^);
  inherited Destroy;
end;

procedure Start(aCounter: PInteger); stdcall;
var
  lServer: TDLLServer;
begin
  Counter := aCounter;
  DLLServers.RegisterID(TLeftover, lServer);
  DLLServers.RegisterID(TLeftover, lServer);
  DLLServers.RegisterSingleID(TSharedLeftover, lServer);
  DLLServers.RegisterSingleID(TSharedLeftover, lServer);
end;

exports
  Start;

begin
end.
