{$WARNINGS OFF}{$HINTS OFF}
unit genCalc;
interface
uses 
   Windows,Classes,SysUtils,Forms,ComObj,ComServ,intfCalc;

type
    
   {Calculator}
   TgenCalc = class(TComObject,   ICalc)
   PROTECTED
   FCount:Integer;
   FOnChange:TNotifyEvent;
   PROTECTED
   procedure SetApplicationHandle(aHandle:Integer); safecall;
   procedure SetCount(const Value:Integer);virtual; safecall;
   function GetCount:Integer; safecall;
   procedure SetOnChange(const Value:TNotifyEvent);virtual; safecall;
   function GetOnChange:TNotifyEvent; safecall;
   PUBLIC
   procedure AfterInitInstance;virtual; safecall;
   function Sum(a:Integer;b:Integer):Integer;virtual; safecall;
   procedure AfterConstruction;override;
   procedure BeforeDestruction;override;
   PUBLIC
   property Count:Integer read GetCount write SetCount;
   property OnChange:TNotifyEvent read GetOnChange write SetOnChange;
   end;
implementation
uses 
   devCalc;


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
end;
procedure TgenCalc.SetApplicationHandle(aHandle:Integer);
begin
   Forms.Application.Handle:=aHandle;
end;
procedure TgenCalc.SetCount(const Value:Integer);
begin
   FCount := Value;
end;
function TgenCalc.GetCount:Integer;
begin
   Result:=FCount;
end;
procedure TgenCalc.SetOnChange(const Value:TNotifyEvent);
begin
   FOnChange := Value;
end;
function TgenCalc.GetOnChange:TNotifyEvent;
begin
   Result:=FOnChange;
end;
initialization
ComObj.TComObjectFactory.Create(ComServ.ComServer,TdevCalc,Class_Calc,'TdevCalc','Calc server',ciMultiInstance,tmApartment);

end.