{ The floor of model loading: reads each model file named in LISTFILE (one path a line) and
  converts its object text with ObjectTextToBinary from Free Pascal's Classes unit, REPEATS
  times. A model file holds several top-level objects one after another and the converter takes
  one object per call, so each file is cut before every line that opens a top-level object.
  Prints the microseconds of each pass (reading and converting every file) on a line of its own. }
program ObjectTextFloor;

{$mode objfpc}{$H+}

uses
  Classes, SysUtils, Unix;

function NowMicroseconds: Int64;
var
  tv: TTimeVal;
begin
  fpgettimeofday(@tv, nil);
  Result := Int64(tv.tv_sec) * 1000000 + tv.tv_usec;
end;

function ReadFileText(const FileName: string): string;
var
  Stream: TFileStream;
begin
  Stream := TFileStream.Create(FileName, fmOpenRead or fmShareDenyNone);
  try
    SetLength(Result, Stream.Size);
    if Length(Result) > 0 then
      Stream.ReadBuffer(Result[1], Length(Result));
  finally
    Stream.Free;
  end;
end;

procedure ConvertObject(const Text: string; Output: TMemoryStream);
var
  Input: TStringStream;
begin
  Input := TStringStream.Create(Text);
  try
    ObjectTextToBinary(Input, Output);
  finally
    Input.Free;
  end;
end;

{ Converts every top-level object of the file; returns the binary size. }
function ConvertFile(const FileName: string): Int64;
var
  Text: string;
  Output: TMemoryStream;
  Start, I: Integer;
begin
  Text := ReadFileText(FileName);
  Output := TMemoryStream.Create;
  try
    Start := 1;
    for I := 2 to Length(Text) - 6 do
      if (Text[I - 1] = #10) and (Text[I] = 'o') and (Copy(Text, I, 7) = 'object ') then
      begin
        ConvertObject(Copy(Text, Start, I - Start), Output);
        Start := I;
      end;
    ConvertObject(Copy(Text, Start, Length(Text) - Start + 1), Output);
    Result := Output.Size;
  finally
    Output.Free;
  end;
end;

var
  Files: TStringList;
  Repeats, Pass, I: Integer;
  Started: Int64;
  Bytes: Int64;
begin
  if ParamCount <> 2 then
  begin
    WriteLn(StdErr, 'usage: objtext-floor LISTFILE REPEATS');
    Halt(2);
  end;
  Files := TStringList.Create;
  try
    Files.LoadFromFile(ParamStr(1));
    Repeats := StrToInt(ParamStr(2));
    for Pass := 1 to Repeats do
    begin
      Bytes := 0;
      Started := NowMicroseconds;
      for I := 0 to Files.Count - 1 do
        if Files[I] <> '' then
          Inc(Bytes, ConvertFile(Files[I]));
      WriteLn(NowMicroseconds - Started);
    end;
    if Bytes = 0 then
      Halt(1);
  finally
    Files.Free;
  end;
end.
