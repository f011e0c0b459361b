{ Stand-in for the target environment's Windows unit, which Free Pascal provides only on
  Windows targets. Holds just what the compile tests' units refer to; grow it as they need. }
unit Windows;

interface

type
  DWORD = LongWord;
  BOOL = LongBool;
  HWND = PtrUInt;
  HMODULE = PtrUInt;

implementation

end.
