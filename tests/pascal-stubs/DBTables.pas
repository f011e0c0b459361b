{ Stand-in for the target environment's DBTables unit: the dataset classes that dataset factories
  create, on Free Pascal's own DB unit. }
unit DBTables;

interface

uses
  DB;

type
  TQuery = class(TDataSet)
  end;

  TTable = class(TDataSet)
  end;

  TStoredProc = class(TDataSet)
  end;

implementation

end.
