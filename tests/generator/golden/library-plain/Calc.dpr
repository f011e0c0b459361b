library Calc;
{Calculator}
uses 
   DLLServerCollection,
   genCalc in '/work/demo/genCalc.pas',
   devCalc in '/work/demo/devCalc.pas';

exports
      AfterInitInstance name 'AfterInitInstance',
      Sum name 'Sum',
      GetCount name 'GetCount',
      SetCount name 'SetCount',
      SetOnChange name 'SetOnChange',
      InitInstance name 'InitInstance',
      FindInstance name 'FindInstance',
      FreeInstance name 'FreeInstance';
begin
end.