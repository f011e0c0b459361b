unit genuTellerForm;
interface
uses 
   Classes,Forms,SysUtils,Graphics,DbTables,eduPasswordDlg,ExtCtrls,Controls,StdCtrls,
   Account;

type
    
   TgenTellerForm = class(TForm)
   paTopPanel:TPanel;
   laAlias:TLabel;
   cbAlias:TComboBox;
   buCloseDatabase:TButton;
   sbMethodCalls:TScrollBox;
   paDepositMain:TPanel;
   paDepositMemo:TPanel;
   meDepositDescription:TMemo;
   paDepositButton:TPanel;
   btnDepositCall:TButton;
   paTransferMain:TPanel;
   spTransferSplitter:TSplitter;
   paTransferMemo:TPanel;
   meTransferDescription:TMemo;
   paTransferButton:TPanel;
   btnTransferCall:TButton;
   paBalanceMain:TPanel;
   spBalanceSplitter:TSplitter;
   paBalanceMemo:TPanel;
   meBalanceDescription:TMemo;
   paBalanceButton:TPanel;
   btnBalanceCall:TButton;
   procedure FormClose(Sender:TObject;var Action:TCloseAction);
   procedure cbAliasChange(Sender:TObject);
   procedure DepositClick(Sender:TObject);
   procedure TransferClick(Sender:TObject);
   procedure BalanceClick(Sender:TObject);
   procedure DoCloseDatabase(Sender:TObject);
   PRIVATE
   procedure OnLogin(Database:TDatabase;LoginParams:TStrings);
   procedure AfterConnect(Sender:TObject);
   procedure AfterDisconnect(Sender:TObject);
   PROTECTED
   FController:TAccount;
   FDatabase:TDatabase;
   PROTECTED
   procedure SetProperties;virtual;
   PUBLIC
   procedure BeforeDestruction;override;
   procedure AfterConstruction;override;
   PUBLIC
   property Controller:TAccount read FController;
   property Database:TDatabase read FDatabase;
   end;
implementation
{$R *.DFM}
uses 
   devuTellerForm;


{TgenTellerForm}


procedure TgenTellerForm.FormClose(Sender:TObject;var Action:TCloseAction);
begin
   TObject(FController).Free;
end;
procedure TgenTellerForm.OnLogin(Database:TDatabase;LoginParams:TStrings);
begin
   if not eduPasswordDlg.TedPasswordDlg.Edit(Database.Params)
   then
   begin
      SysUtils.Abort;
   end;
   LoginParams.Text:=Database.Params.Text;
end;
procedure TgenTellerForm.AfterConnect(Sender:TObject);
begin
   laAlias.Caption:='Database is connected';
   laAlias.Font.Style:=[Graphics.fsBold];
   laAlias.Font.Color:=Graphics.clTeal;
end;
procedure TgenTellerForm.AfterDisconnect(Sender:TObject);
begin
   laAlias.Caption:='Database is disconnected';
   laAlias.Font.Style:=[];
   laAlias.Font.Color:=Graphics.clDkGray;
end;
procedure TgenTellerForm.BeforeDestruction;
begin
   inherited;
   FDatabase.Close;
end;
procedure TgenTellerForm.AfterConstruction;
begin
   inherited;
   FDatabase:=TDatabase.Create(Self);
   FDatabase.DatabaseName:='DebugDB';
   DBTables.Session.GetAliasNames(cbAlias.Items);
   FDatabase.OnLogin:=OnLogin;
   FDatabase.AfterConnect:=AfterConnect;
   FDatabase.AfterDisconnect:=AfterDisconnect;
   FController:=TAccount.CreateFromPath(Self,'/work/demo/');
   FDatabase.Params.Values['User Name']:='teller';
   FDatabase.LoginPrompt:=False;
   cbAlias.Text:='BANK';
   cbAliasChange(cbAlias);
end;
procedure TgenTellerForm.SetProperties;
begin
   FController.Owner:='Smith';
   
end;
procedure TgenTellerForm.cbAliasChange(Sender:TObject);
begin
   FDatabase.Close;
   FDatabase.AliasName:=cbAlias.Text;
   FDatabase.Open;
   FDatabase.LoginPrompt:=True;
   FController.DatabaseName:=FDatabase.DatabaseName;
   SetProperties;
end;
procedure TgenTellerForm.DepositClick(Sender:TObject);
begin
   FController.Deposit(100);
end;
procedure TgenTellerForm.TransferClick(Sender:TObject);
begin
   raise SysUtils.Exception.Create('You have to create method ''Transfer'' and write calling code with actual parameters');
end;
procedure TgenTellerForm.BalanceClick(Sender:TObject);
begin
   FController.Balance;
end;
procedure TgenTellerForm.DoCloseDatabase(Sender:TObject);
begin
   FDatabase.Close;
end;

end.