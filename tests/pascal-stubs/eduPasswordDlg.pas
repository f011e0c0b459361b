{ Stand-in for the developer's password dialog that generated debug forms expect to find. }
unit eduPasswordDlg;

interface

uses
  Classes;

type
  TedPasswordDlg = class
  public
    class function Edit(Params: TStrings): Boolean;
  end;

implementation

class function TedPasswordDlg.Edit(Params: TStrings): Boolean;
begin
  Result := True;
end;

end.
