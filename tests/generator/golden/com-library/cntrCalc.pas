unit cntrCalc;
interface
uses 
   Windows,Classes,SysUtils,ComObj,Forms,intfCalc;

type
    
   {Calculator}
   TcntrCalc = class(TComponent)
   PRIVATE
   FServer:ICalc;
   FOnChange:TNotifyEvent;
   PROTECTED
   procedure SetCount(const Value:Integer);virtual;
   function GetCount:Integer;virtual;
   procedure SetOnChange(const Value:TNotifyEvent);virtual;
   PUBLIC
   constructor Create(aOwner:TComponent);override;
   procedure AfterInitInstance;
   function Sum(a:Integer;b:Integer):Integer;
   PUBLIC
   property Count:Integer read GetCount write SetCount;
   property OnChange:TNotifyEvent read FOnChange write SetOnChange;
   end;
implementation

{TcntrCalc}
{Calculator}

constructor TcntrCalc.Create(aOwner:TComponent);
begin
   inherited;
   FServer:=ComObj.CreateComObject(Class_Calc) as ICalc;
   FServer.SetApplicationHandle(Forms.Application.Handle);
   
end;
procedure TcntrCalc.AfterInitInstance;
begin
   FServer.AfterInitInstance;
end;
function TcntrCalc.Sum(a:Integer;b:Integer):Integer;
begin
   Result:=FServer.Sum(a,b);
end;
procedure TcntrCalc.SetCount(const Value:Integer);
begin
   FServer.Count:=Value;
end;
function TcntrCalc.GetCount:Integer;
begin
   Result:=FServer.Count;
end;
procedure TcntrCalc.SetOnChange(const Value:TNotifyEvent);
begin
   FOnChange:=Value;
   FServer.OnChange:=Value;
end;

end.