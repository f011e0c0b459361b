unit devCalc;
interface
uses 
   SysUtils,genCalc,Classes,Limits;

type
    
   {Calculator}
   TdevCalc = class(TgenCalc)
   PROTECTED
   procedure SetCount(const Value:Integer);override;
   procedure SetOnChange(const Value:TNotifyEvent);override;
   PUBLIC
   procedure AfterInitInstance;override;
   function Sum(a:Integer;b:Integer=MinRows):Integer;override;
   procedure BeforeDestruction;override;
   end;
implementation

{TdevCalc}
{Calculator}

procedure TdevCalc.AfterInitInstance;
begin
   {External properties are not recommended to use in this method}
end;
function TdevCalc.Sum(a:Integer;b:Integer=MinRows):Integer;
begin
   
end;
procedure TdevCalc.SetCount(const Value:Integer);
begin
   inherited;
   
end;
procedure TdevCalc.SetOnChange(const Value:TNotifyEvent);
begin
   inherited;
   
end;
procedure TdevCalc.BeforeDestruction;
begin
   inherited;
end;

end.