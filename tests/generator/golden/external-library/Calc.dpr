library Calc;
{Calculator}
uses 
   ShareMem,
   DLLServerCollection,
   genCalc in '/work/demo/genCalc.pas',
   devCalc in '/work/demo/devCalc.pas',
   cntrStore in '/work/demo/cntrStore.pas',
   cntrPrinter in '/work/demo/cntrPrinter.pas';

exports
      AfterInitInstance name 'AfterInitInstance',
      Sum name 'Sum',
      GetCount name 'GetCount',
      SetCount name 'SetCount',
      SetOnChange name 'SetOnChange',
      InitInstance name 'InitInstance',
      FindInstance name 'FindInstance',
      FreeInstance name 'FreeInstance',
      SetDLLsPaths name 'SetDLLsPaths';
begin
end.