{ Stand-in for the target environment's ExtCtrls unit: panels and splitters. }
unit ExtCtrls;

interface

uses
  Controls;

type
  TPanel = class(TControl)
  end;

  TSplitter = class(TControl)
  end;

implementation

end.
