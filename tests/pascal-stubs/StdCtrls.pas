{ Stand-in for the target environment's StdCtrls unit: the standard controls of debug forms. }
unit StdCtrls;

interface

uses
  Classes, Controls, Graphics;

type
  TLabel = class(TControl)
  private
    FCaption: string;
    FFont: TFont;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    property Caption: string read FCaption write FCaption;
    property Font: TFont read FFont;
  end;

  TComboBox = class(TControl)
  private
    FItems: TStrings;
    FText: string;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    property Items: TStrings read FItems;
    property Text: string read FText write FText;
  end;

  TButton = class(TControl)
  end;

  TMemo = class(TControl)
  end;

implementation

constructor TLabel.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FFont := TFont.Create;
end;

destructor TLabel.Destroy;
begin
  FFont.Free;
  inherited Destroy;
end;

constructor TComboBox.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FItems := TStringList.Create;
end;

destructor TComboBox.Destroy;
begin
  FItems.Free;
  inherited Destroy;
end;

end.
