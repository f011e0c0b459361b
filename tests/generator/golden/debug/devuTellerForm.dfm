inherited devTellerForm: TdevTellerForm
  Caption = 'Developer'#39's form '#39'Teller'#39
  Top = 150
  Width = 380
end
