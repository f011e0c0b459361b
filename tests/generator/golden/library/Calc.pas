unit Calc;
interface
uses 
   cntrCalc;

type
    
   TCalc = class(TcntrCalc)
   PUBLIC
   procedure AfterConstruction;override;
   end;
implementation

{TCalc}


procedure TCalc.AfterConstruction;
begin
   inherited;
   AfterInitInstance;
end;

end.