unit devCalc;
interface
uses genCalc;
type
  TdevCalc = class(TgenCalc)
  private
    FState: record A: Integer; case Boolean of True: (B: Integer); end;
  public
    function Sum(a: Integer): Integer; override;
    procedure Gone; override;
  end;
implementation
{ procedure TdevCalc.X; end. }
function TdevCalc.Sum(a: Integer): Integer;
begin
  Result := Length('end.''') + a; // end;
end;
procedure TdevCalc.Gone; asm end;
initialization
finalization
end.
