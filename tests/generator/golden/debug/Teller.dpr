program Teller;
uses 
   ShareMem,
   Forms,
   genuTellerForm in '/work/demo/debug/genuTellerForm.pas' {genTellerForm},
   devuTellerForm in '/work/demo/debug/devuTellerForm.pas' {devTellerForm},
   cntrAccount in '/work/demo/cntrAccount.pas',
   Account in '/work/demo/Account.pas';

begin
   Forms.Application.Initialize;
   Forms.Application.CreateForm(TdevTellerForm, devTellerForm);
   Forms.Application.Run;
end.