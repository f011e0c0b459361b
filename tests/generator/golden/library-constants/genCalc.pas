{$WARNINGS OFF}{$HINTS OFF}
unit genCalc;
interface
uses 
   DLLServerCollection,Windows,Classes,SysUtils,Forms,Limits;

type
    
   {Calculator}
   TgenCalc = class(TDLLServer)
   PROTECTED
   FCount:Integer;
   FOnChange:TNotifyEvent;
   PROTECTED
   procedure SetCount(const Value:Integer);virtual;
   procedure SetOnChange(const Value:TNotifyEvent);virtual;
   PUBLIC
   procedure AfterInitInstance;virtual;
   function Sum(a:Integer;b:Integer=MinRows):Integer;virtual;
   procedure AfterConstruction;override;
   procedure BeforeDestruction;override;
   PUBLIC
   property Count:Integer read FCount write SetCount;
   property OnChange:TNotifyEvent read FOnChange write SetOnChange;
   end;
procedure AfterInitInstance(const aInstanceID:Integer;var VErrorMessage:string); stdcall;export;
function Sum(const aInstanceID:Integer;var VErrorMessage:string;a:Integer;b:Integer=MinRows):Integer; stdcall;export;
function GetCount(const aInstanceID:Integer;var VErrorMessage:string):Integer; stdcall;export;
procedure SetCount(const aInstanceID:Integer;var VErrorMessage:string;const Value:Integer); stdcall;export;
procedure SetOnChange(const aInstanceID:Integer;var VErrorMessage:string;const Value:TNotifyEvent); stdcall;export;
procedure InitInstance(var VInstanceID:Integer;const aApplicationHandle:THandle); stdcall;export;
function FindInstance(const aInstanceID:Integer):TDllServer;
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
function Sum(const aInstanceID:Integer;var VErrorMessage:string;a:Integer;b:Integer=MinRows):Integer;
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

{TgenCalc}
{Calculator}

procedure TgenCalc.AfterInitInstance;
begin
   raise SysUtils.Exception.Create('You need to override the method TdevCalc.AfterInitInstance. Don''t use the reserved word INHERITED.');
end;
function TgenCalc.Sum(a:Integer;b:Integer=MinRows):Integer;
begin
   raise SysUtils.Exception.Create('You need to override the method TdevCalc.Sum. Don''t use the reserved word INHERITED.');
end;
procedure TgenCalc.AfterConstruction;
begin
   inherited;
   FCount := MaxRows;
end;
procedure TgenCalc.BeforeDestruction;
begin
   inherited;
   Forms.Application.Handle:=0;
end;
procedure TgenCalc.SetCount(const Value:Integer);
begin
   FCount := Value;
end;
procedure TgenCalc.SetOnChange(const Value:TNotifyEvent);
begin
   FOnChange := Value;
end;

end.