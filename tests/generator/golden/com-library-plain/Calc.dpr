library Calc;
{Calculator}
uses 
   ComServ,
   intfCalc in '/work/demo/intfCalc.pas',
   genCalc in '/work/demo/genCalc.pas',
   devCalc in '/work/demo/devCalc.pas';

exports
      DllGetClassObject name 'DllGetClassObject',
      DllCanUnloadNow name 'DllCanUnloadNow',
      DllRegisterServer name 'DllRegisterServer',
      DllUnregisterServer name 'DllUnregisterServer';
begin
end.