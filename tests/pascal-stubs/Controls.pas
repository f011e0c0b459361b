{ Stand-in for the target environment's Controls unit: the base of visual controls. }
unit Controls;

interface

uses
  Classes;

type
  TControl = class(TComponent)
  end;

implementation

end.
