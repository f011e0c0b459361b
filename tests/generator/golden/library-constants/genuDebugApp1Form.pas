unit genuDebugApp1Form;
interface
uses 
   Classes,Forms,SysUtils,Graphics,ExtCtrls,Controls,StdCtrls,Calc;

type
    
   TgenDebugApp1Form = class(TForm)
   sbMethodCalls:TScrollBox;
   paSumMain:TPanel;
   paSumMemo:TPanel;
   meSumDescription:TMemo;
   paSumButton:TPanel;
   btnSumCall:TButton;
   procedure FormClose(Sender:TObject;var Action:TCloseAction);
   procedure SumClick(Sender:TObject);
   PROTECTED
   FController:TCalc;
   PROTECTED
   procedure SetProperties;virtual;
   PUBLIC
   procedure BeforeDestruction;override;
   procedure AfterConstruction;override;
   PUBLIC
   property Controller:TCalc read FController;
   end;
implementation
{$R *.DFM}
uses 
   devuDebugApp1Form,Limits;


{TgenDebugApp1Form}


procedure TgenDebugApp1Form.FormClose(Sender:TObject;var Action:TCloseAction);
begin
   TObject(FController).Free;
end;
procedure TgenDebugApp1Form.BeforeDestruction;
begin
   inherited;
end;
procedure TgenDebugApp1Form.AfterConstruction;
begin
   inherited;
   FController:=TCalc.CreateFromPath(Self,'/work/demo/');
   SetProperties;
end;
procedure TgenDebugApp1Form.SetProperties;
begin
   FController.Count:=MinRows + 1;
   //FController.OnChange:= ;
end;
procedure TgenDebugApp1Form.SumClick(Sender:TObject);
begin
   FController.Sum(MaxRows,2);
end;

end.