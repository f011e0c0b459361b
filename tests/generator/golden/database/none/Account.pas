unit Account;
interface
uses 
   cntrAccount;

type
    
   TAccount = class(TcntrAccount)
   PUBLIC
   procedure AfterConstruction;override;
   end;
implementation

{TAccount}


procedure TAccount.AfterConstruction;
begin
   inherited;
   AfterInitInstance;
end;

end.