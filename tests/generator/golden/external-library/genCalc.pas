{$WARNINGS OFF}{$HINTS OFF}
unit genCalc;
interface
uses 
   DLLServerCollection,Windows,Classes,SysUtils,Forms,ActiveX,cntrStore,cntrPrinter;

type
    
   {Calculator}
   TgenCalc = class(TDLLServer)
   PRIVATE
   FStorePath:string;
   FArchivePath:string;
   PROTECTED
   FCount:Integer;
   FOnChange:TNotifyEvent;
   FShelf:TcntrStore;
   FOutput:TcntrPrinter;
   PROTECTED
   procedure SetCount(const Value:Integer);virtual;
   procedure SetOnChange(const Value:TNotifyEvent);virtual;
   function GetShelf:TcntrStore;virtual;
   procedure CreateShelf;virtual;
   procedure FreeShelf;virtual;
   function GetOutput:TcntrPrinter;virtual;
   procedure CreateOutput;virtual;
   procedure FreeOutput;virtual;
   PUBLIC
   procedure AfterInitInstance;virtual;
   function Sum(a:Integer;b:Integer):Integer;virtual;
   procedure AfterConstruction;override;
   procedure BeforeDestruction;override;
   procedure SetDLLsPaths(aStorePath:string;aArchivePath:string);
   PUBLIC
   property Count:Integer read FCount write SetCount;
   property OnChange:TNotifyEvent read FOnChange write SetOnChange;
   {Shelf of stored results}
   property Shelf:TcntrStore read GetShelf;
   property Output:TcntrPrinter read GetOutput;
   end;
procedure AfterInitInstance(const aInstanceID:Integer;var VErrorMessage:string); stdcall;export;
function Sum(const aInstanceID:Integer;var VErrorMessage:string;a:Integer;b:Integer):Integer; stdcall;export;
function GetCount(const aInstanceID:Integer;var VErrorMessage:string):Integer; stdcall;export;
procedure SetCount(const aInstanceID:Integer;var VErrorMessage:string;const Value:Integer); stdcall;export;
procedure SetOnChange(const aInstanceID:Integer;var VErrorMessage:string;const Value:TNotifyEvent); stdcall;export;
procedure InitInstance(var VInstanceID:Integer;const aApplicationHandle:THandle); stdcall;export;
function FindInstance(const aInstanceID:Integer):TDllServer;
procedure SetDLLsPaths(const aInstanceID:Integer;var VErrorMessage:string;aStorePath:string;aArchivePath:string); stdcall;export;
implementation
uses 
   devCalc;

procedure AfterInitInstance(const aInstanceID:Integer;var VErrorMessage:string);
begin
   try
      (FindInstance(aInstanceID) as TdevCalc).AfterInitInstance;
   except
      on E:SysUtils.Exception do
      begin
         VErrorMessage:=E.Message;
      end;
   end;
end;
function Sum(const aInstanceID:Integer;var VErrorMessage:string;a:Integer;b:Integer):Integer;
begin
   try
      Result:=(FindInstance(aInstanceID) as TdevCalc).Sum(a,b);
   except
      on E:SysUtils.Exception do
      begin
         VErrorMessage:=E.Message;
      end;
   end;
end;
function GetCount(const aInstanceID:Integer;var VErrorMessage:string):Integer;
begin
   Result:=(FindInstance(aInstanceID) as TdevCalc).Count;
end;
procedure SetCount(const aInstanceID:Integer;var VErrorMessage:string;const Value:Integer);
begin
   try
      (FindInstance(aInstanceID) as TdevCalc).SetCount(Value);
   except
      on E:SysUtils.Exception do
      begin
         VErrorMessage:=E.Message;
      end;
   end;
end;
procedure SetOnChange(const aInstanceID:Integer;var VErrorMessage:string;const Value:TNotifyEvent);
begin
   try
      (FindInstance(aInstanceID) as TdevCalc).SetOnChange(Value);
   except
      on E:SysUtils.Exception do
      begin
         VErrorMessage:=E.Message;
      end;
   end;
end;
procedure InitInstance(var VInstanceID:Integer;const aApplicationHandle:THandle);

var 
   lServer:TDLLServer;
begin
   Forms.Application.Handle:=aApplicationHandle;
   VInstanceID:=DLLServerCollection.DLLServers.RegisterID(TdevCalc, lServer);
end;
function FindInstance(const aInstanceID:Integer):TDllServer;
begin
   Result:=DLLServerCollection.DLLServers.FindServer(aInstanceID) as TdevCalc;
end;
procedure SetDLLsPaths(const aInstanceID:Integer;var VErrorMessage:string;aStorePath:string;aArchivePath:string);
begin
   try
      (FindInstance(aInstanceID) as TdevCalc).SetDLLsPaths(aStorePath,aArchivePath);
   except
      on E:SysUtils.Exception do
      begin
         VErrorMessage:=E.Message;
      end;
   end;
end;

{TgenCalc}
{Calculator}

procedure TgenCalc.AfterInitInstance;
begin
   raise SysUtils.Exception.Create('You need to override the method TdevCalc.AfterInitInstance. Don''t use the reserved word INHERITED.');
end;
function TgenCalc.Sum(a:Integer;b:Integer):Integer;
begin
   raise SysUtils.Exception.Create('You need to override the method TdevCalc.Sum. Don''t use the reserved word INHERITED.');
end;
procedure TgenCalc.AfterConstruction;
begin
   inherited;
   FCount := 10;
end;
procedure TgenCalc.BeforeDestruction;
begin
   inherited;
   Forms.Application.Handle:=0;
   FreeShelf;
   FreeOutput;
end;
procedure TgenCalc.SetCount(const Value:Integer);
begin
   FCount := Value;
end;
procedure TgenCalc.SetOnChange(const Value:TNotifyEvent);
begin
   FOnChange := Value;
end;
function TgenCalc.GetShelf:TcntrStore;
begin
   CreateShelf;
   Result:=FShelf;
end;
procedure TgenCalc.CreateShelf;
begin
   if FShelf = nil
   then 
   begin
   FShelf:=TcntrStore.CreateFromPath(nil,FStorePath,FArchivePath);
   FShelf.AfterInitInstance;
   end;
end;
procedure TgenCalc.FreeShelf;
begin
   TObject(FShelf).Free;
   FShelf:=nil;
end;
function TgenCalc.GetOutput:TcntrPrinter;
begin
   CreateOutput;
   Result:=FOutput;
end;
procedure TgenCalc.CreateOutput;
begin
   if FOutput = nil
   then 
   begin
   CoInitialize(nil);
   FOutput:=TcntrPrinter.Create(nil);
   FOutput.AfterInitInstance;
   end;
end;
procedure TgenCalc.FreeOutput;
begin
   if FOutput <> nil
   then 
   begin
      TObject(FOutput).Free;
      FOutput:=nil;
      CoUninitialize;
   end;
end;
procedure TgenCalc.SetDLLsPaths(aStorePath:string;aArchivePath:string);
begin
   FStorePath:=aStorePath;
   FArchivePath:=aArchivePath;
end;

end.