unit genuTellerForm;
interface
uses 
   Classes,Forms,SysUtils,Graphics,ExtCtrls,Controls,StdCtrls,Account;

type
    
   TgenTellerForm = class(TForm)
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
   procedure DepositClick(Sender:TObject);
   procedure TransferClick(Sender:TObject);
   procedure BalanceClick(Sender:TObject);
   PROTECTED
   FController:TAccount;
   PROTECTED
   procedure SetProperties;virtual;
   PUBLIC
   procedure BeforeDestruction;override;
   procedure AfterConstruction;override;
   PUBLIC
   property Controller:TAccount read FController;
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
procedure TgenTellerForm.BeforeDestruction;
begin
   inherited;
end;
procedure TgenTellerForm.AfterConstruction;
begin
   inherited;
   FController:=TAccount.CreateFromPath(Self,'/work/demo/');
   SetProperties;
end;
procedure TgenTellerForm.SetProperties;
begin
   FController.Owner:='Smith';
   
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

end.