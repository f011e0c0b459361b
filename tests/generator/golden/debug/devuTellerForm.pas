unit devuTellerForm;
interface
uses 
   Classes,Forms,SysUtils,ExtCtrls,Controls,StdCtrls,genuTellerForm;

type
    
   TdevTellerForm = class(TgenTellerForm)
   PROTECTED
   procedure SetProperties;override;
   end;
var 
   devTellerForm:TdevTellerForm;
implementation
{$R *.DFM}

{TdevTellerForm}


procedure TdevTellerForm.SetProperties;
begin
   inherited;
   
end;

end.