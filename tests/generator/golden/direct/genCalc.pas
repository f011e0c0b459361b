{$WARNINGS OFF}{$HINTS OFF}
unit genCalc;
interface
uses 
   Windows,Classes,SysUtils,Forms;

type
    
   {Calculator}
   TgenCalc = class(TComponent)
   PROTECTED
   FCount:Integer;
   FOnChange:TNotifyEvent;
   PROTECTED
   procedure SetCount(const Value:Integer);virtual;
   procedure SetOnChange(const Value:TNotifyEvent);virtual;
   PUBLIC
   procedure AfterInitInstance;virtual;
   function Sum(a:Integer;b:Integer):Integer;virtual;
   procedure AfterConstruction;override;
   procedure BeforeDestruction;override;
   PUBLIC
   property Count:Integer read FCount write SetCount;
   property OnChange:TNotifyEvent read FOnChange write SetOnChange;
   end;
implementation

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