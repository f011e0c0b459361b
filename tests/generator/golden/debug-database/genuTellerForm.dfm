object genTellerForm: TgenTellerForm
  Caption = 'Generator'#39's form '#39'Teller'#39
  Top = 100
  Width = 380
  OnClose = FormClose
  object paTopPanel: TPanel
    Height = 41
    Align = alTop
    BevelInner = bvNone
    BevelOuter = bvNone
    Caption = ''
    object laAlias: TLabel
      Left = 5
      Top = 2
      Caption = 'Database'
    end
    object cbAlias: TComboBox
      Left = 5
      Top = 20
      Width = 200
      Height = 21
      Sorted = True
      Text = ''
      OnChange = cbAliasChange
    end
    object buCloseDatabase: TButton
      Left = 220
      Top = 8
      Width = 105
      Caption = 'Close Database'
      OnClick = DoCloseDatabase
    end
  end
  object sbMethodCalls: TScrollBox
    Align = alClient
    BorderStyle = bsNone
    object paDepositMain: TPanel
      Top = 0
      Align = alTop
      Height = 30
      BevelOuter = bvNone
      Caption = ''
      object paDepositMemo: TPanel
        Align = alClient
        BevelOuter = bvNone
        Caption = ''
        object meDepositDescription: TMemo
          Top = 0
          Height = 10
          Align = alClient
          Color = clBtnFace
          BorderStyle = bsNone
          Lines.Strings = (
            'Puts money in'
            'procedure Deposit(Amount:Integer);override;')
          ReadOnly = True
          ScrollBars = ssVertical
          TabStop = False
          WordWrap = False
        end
      end
      object paDepositButton: TPanel
        Width = 60
        Align = alRight
        BevelOuter = bvNone
        object btnDepositCall: TButton
          Left = 2
          Top = 2
          Width = 58
          Height = 28
          Caption = 'Run'
          Hint = 'Run method'
          ShowHint = True
          OnClick = DepositClick
        end
      end
    end
    object paTransferMain: TPanel
      Top = 30
      Align = alTop
      Height = 30
      BevelOuter = bvNone
      Caption = ''
      object paTransferMemo: TPanel
        Align = alClient
        BevelOuter = bvNone
        Caption = ''
        object meTransferDescription: TMemo
          Top = 0
          Height = 10
          Align = alClient
          Color = clBtnFace
          BorderStyle = bsNone
          Lines.Strings = (
            'procedure Transfer(Target:String);override;')
          ReadOnly = True
          ScrollBars = ssVertical
          TabStop = False
          WordWrap = False
        end
      end
      object paTransferButton: TPanel
        Width = 60
        Align = alRight
        BevelOuter = bvNone
        object btnTransferCall: TButton
          Left = 2
          Top = 2
          Width = 58
          Height = 28
          Caption = 'Run'
          Hint = 'Run method'
          ShowHint = True
          OnClick = TransferClick
        end
      end
    end
    object spTransferSplitter: TSplitter
      Top = 60
      Align = alTop
      Beveled = True
    end
    object paBalanceMain: TPanel
      Top = 60
      Align = alTop
      Height = 30
      BevelOuter = bvNone
      Caption = ''
      object paBalanceMemo: TPanel
        Align = alClient
        BevelOuter = bvNone
        Caption = ''
        object meBalanceDescription: TMemo
          Top = 0
          Height = 10
          Align = alClient
          Color = clBtnFace
          BorderStyle = bsNone
          Lines.Strings = (
            'function Balance:Integer;override;')
          ReadOnly = True
          ScrollBars = ssVertical
          TabStop = False
          WordWrap = False
        end
      end
      object paBalanceButton: TPanel
        Width = 60
        Align = alRight
        BevelOuter = bvNone
        object btnBalanceCall: TButton
          Left = 2
          Top = 2
          Width = 58
          Height = 28
          Caption = 'Run'
          Hint = 'Run method'
          ShowHint = True
          OnClick = BalanceClick
        end
      end
    end
    object spBalanceSplitter: TSplitter
      Top = 90
      Align = alTop
      Beveled = True
    end
  end
end
