{ Stand-in for the target environment's Graphics unit: fonts and the colours generated debug
  forms use. }
unit Graphics;

interface

type
  TColor = LongInt;
  TFontStyle = (fsBold, fsItalic, fsUnderline, fsStrikeOut);
  TFontStyles = set of TFontStyle;

  TFont = class
  private
    FColor: TColor;
    FStyle: TFontStyles;
  public
    property Color: TColor read FColor write FColor;
    property Style: TFontStyles read FStyle write FStyle;
  end;

const
  clTeal = TColor($808000);
  clDkGray = TColor($808080);
  clBtnFace = TColor($FF00000F);

implementation

end.
