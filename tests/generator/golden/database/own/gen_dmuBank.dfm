object gen_dmBank: Tgen_dmBank
  object Database1: TDatabase
    AliasName = ''
    DatabaseName = ''
    LoginPrompt = False
    Params.Strings = (
      'User Name='
      'Password=')
    SessionName = 'Session4'
    Left = 50
    Top = 10
  end
  object Session1: TSession
    AutoSessionName = False
    SessionName = 'Session4'
    Left = 150
    Top = 10
  end
end
