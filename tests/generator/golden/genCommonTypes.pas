unit genCommonTypes;
interface
type
   TShade=(shLight,shDark);{Shade of a colour}
   TSize=(szSmall,szLarge);
implementation

end.