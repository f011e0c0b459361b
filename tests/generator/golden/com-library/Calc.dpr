library Calc;
{Calculator}
uses 
   ShareMem,
   ComServ,
   intfCalc in '/work/demo/intfCalc.pas',
   genCalc in '/work/demo/genCalc.pas',
   devCalc in '/work/demo/devCalc.pas';

exports
      ComServ.DllGetClassObject name 'DllGetClassObject',
      ComServ.DllCanUnloadNow name 'DllCanUnloadNow',
      ComServ.DllRegisterServer name 'DllRegisterServer',
      ComServ.DllUnregisterServer name 'DllUnregisterServer';
begin
end.