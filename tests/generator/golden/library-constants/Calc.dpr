library Calc;
{Calculator}
uses 
   ShareMem,
   DLLServerCollection,
   genCalc in '/work/demo/genCalc.pas',
   devCalc in '/work/demo/devCalc.pas',
   Limits in '/work/demo/Limits.pas';

exports
      genCalc.AfterInitInstance name 'AfterInitInstance',
      genCalc.Sum name 'Sum',
      genCalc.GetCount name 'GetCount',
      genCalc.SetCount name 'SetCount',
      genCalc.SetOnChange name 'SetOnChange',
      genCalc.InitInstance name 'InitInstance',
      genCalc.FindInstance name 'FindInstance',
      DLLServerCollection.FreeInstance name 'FreeInstance';
begin
end.