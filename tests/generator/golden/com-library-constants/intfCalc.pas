unit intfCalc;
interface
uses 
   Classes,Limits;

const
   Class_Calc:TGUID='{6B29FC40-CA47-1067-B31D-00DD010662DA}';
type
    
   {Calculator}
   ICalc = interface(IUnknown)
   ['{6B29FC40-CA47-1067-B31D-00DD010662DA}']
   procedure AfterInitInstance; safecall;
   function Sum(a:Integer;b:Integer=MinRows):Integer; safecall;
   procedure SetCount(const Value:Integer); safecall;
   function GetCount:Integer; safecall;
   procedure SetOnChange(const Value:TNotifyEvent); safecall;
   function GetOnChange:TNotifyEvent; safecall;
   procedure SetApplicationHandle(aHandle:Integer); safecall;
   property Count:Integer read GetCount write SetCount;
   property OnChange:TNotifyEvent read GetOnChange write SetOnChange;
   end;
implementation

end.