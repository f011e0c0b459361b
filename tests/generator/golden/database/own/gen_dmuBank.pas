unit gen_dmuBank;
interface
uses 
   Classes,DBTables,DB,Forms;

type
   TOnChangeConnection=procedure(const aAliasName:string;const aUserName:string;const aPassword:string) of object;
type
    
   Tgen_dmBank = class(TDataModule)
   Database1:TDatabase;
   Session1:TSession;
   PRIVATE
   FOnChangeConnection:TOnChangeConnection;
   PRIVATE
   procedure AfterDatabaseConnection(Sender:TObject);
   PUBLIC
   procedure SetDatabaseParams(aAliasName:string;aUserName:string;aPassword:string);virtual;
   procedure AfterConstruction;override;
   PUBLIC
   property OnChangeConnection:TOnChangeConnection read FOnChangeConnection write FOnChangeConnection;
   end;
var 
   dmBank:Tgen_dmBank;
implementation
{$R *.DFM}

{Tgen_dmBank}


procedure Tgen_dmBank.SetDatabaseParams(aAliasName:string;aUserName:string;aPassword:string);
begin
   Database1.Close;
   Database1.AliasName:=aAliasName;
   Database1.Params.Values['user name']:=aUserName;
   Database1.Params.Values['password']:=aPassword;
end;
procedure Tgen_dmBank.AfterDatabaseConnection(Sender:TObject);
begin
   if System.Assigned(OnChangeConnection) then
   begin
      OnChangeConnection(Database1.AliasName,Database1.Params.Values['user name'],Database1.Params.Values['password']);
   end;
end;
procedure Tgen_dmBank.AfterConstruction;
begin
   inherited;
   Database1.AfterConnect:=AfterDatabaseConnection;
end;

end.