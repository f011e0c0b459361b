unit Account;
interface
uses 
   cntrAccount,Classes,DBTables;

type
    
   TAccount = class(TcntrAccount)
   PRIVATE
   FDatabaseName:string;
   FSessionName:string;
   PRIVATE
   procedure SetDatabaseName(const Value:string);
   procedure SetSessionName(const Value:string);
   PROTECTED
   function CreateTable:TTable;virtual;
   PUBLIC
   procedure AfterConstruction;override;
   PUBLIC
   property DatabaseName:string read FDatabaseName write SetDatabaseName;
   property SessionName:string read FSessionName write SetSessionName;
   end;
implementation

{TAccount}


procedure TAccount.AfterConstruction;
begin
   inherited;
   CreateTableMethod:=CreateTable;
   AfterInitInstance;
end;
procedure TAccount.SetDatabaseName(const Value:string);
begin
   FDatabaseName:=Value;
end;
procedure TAccount.SetSessionName(const Value:string);
begin
   FSessionName:=Value;
end;
function TAccount.CreateTable:TTable;
begin
   Result:=TTable.Create(Self);
   Result.DatabaseName:=DatabaseName;
   if SessionName <> '' then Result.SessionName:=SessionName;
end;

end.