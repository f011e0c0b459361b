{ Stand-in for the target environment's DBTables unit: the dataset classes that dataset factories
  create, on Free Pascal's own DB unit, and the database and session components of generated
  data modules and debug forms. The link dbtables.pas lets the spelling "DbTables" of generated
  debug forms find it on a case-sensitive file system. }
unit DBTables;

interface

uses
  Classes, DB;

type
  TDBDataSet = class(TDataSet)
  private
    FDatabaseName: string;
    FSessionName: string;
  public
    property DatabaseName: string read FDatabaseName write FDatabaseName;
    property SessionName: string read FSessionName write FSessionName;
  end;

  TQuery = class(TDBDataSet)
  end;

  TTable = class(TDBDataSet)
  end;

  TStoredProc = class(TDBDataSet)
  end;

  TDatabase = class;
  TDatabaseLoginEvent = procedure(Database: TDatabase; LoginParams: TStrings) of object;

  TDatabase = class(TComponent)
  private
    FAliasName: string;
    FDatabaseName: string;
    FSessionName: string;
    FLoginPrompt: Boolean;
    FParams: TStrings;
    FAfterConnect: TNotifyEvent;
    FAfterDisconnect: TNotifyEvent;
    FOnLogin: TDatabaseLoginEvent;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    procedure Open;
    procedure Close;
    property AliasName: string read FAliasName write FAliasName;
    property DatabaseName: string read FDatabaseName write FDatabaseName;
    property SessionName: string read FSessionName write FSessionName;
    property LoginPrompt: Boolean read FLoginPrompt write FLoginPrompt;
    property Params: TStrings read FParams;
    property AfterConnect: TNotifyEvent read FAfterConnect write FAfterConnect;
    property AfterDisconnect: TNotifyEvent read FAfterDisconnect write FAfterDisconnect;
    property OnLogin: TDatabaseLoginEvent read FOnLogin write FOnLogin;
  end;

  TSession = class(TComponent)
  private
    FAutoSessionName: Boolean;
    FSessionName: string;
  public
    procedure GetAliasNames(List: TStrings);
    property AutoSessionName: Boolean read FAutoSessionName write FAutoSessionName;
    property SessionName: string read FSessionName write FSessionName;
  end;

var
  Session: TSession;

implementation

constructor TDatabase.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FParams := TStringList.Create;
  FLoginPrompt := True;
end;

destructor TDatabase.Destroy;
begin
  FParams.Free;
  inherited Destroy;
end;

procedure TDatabase.Open;
begin
end;

procedure TDatabase.Close;
begin
end;

procedure TSession.GetAliasNames(List: TStrings);
begin
end;

end.
