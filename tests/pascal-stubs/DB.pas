{ Stand-in for the target environment's DB unit. Free Pascal's own DB unit declares a TDatabase
  of its own that would hide the one of DBTables in units that use both; this one holds only
  the dataset base and its event type. }
unit DB;

interface

uses
  Classes;

type
  TDataSet = class(TComponent)
  end;

  TDataSetNotifyEvent = procedure(DataSet: TDataSet) of object;

implementation

end.
