program DebugApp1;
uses 
   ShareMem,
   Forms,
   genuDebugApp1Form in '/work/demo/genuDebugApp1Form.pas' {genDebugApp1Form},
   devuDebugApp1Form in '/work/demo/devuDebugApp1Form.pas' {devDebugApp1Form},
   cntrCalc in '/work/demo/cntrCalc.pas',
   Calc in '/work/demo/Calc.pas',
   Classes,
   Limits in '/work/demo/Limits.pas';

begin
   Forms.Application.Initialize;
   Forms.Application.CreateForm(TdevDebugApp1Form, devDebugApp1Form);
   Forms.Application.Run;
end.