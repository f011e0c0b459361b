{$WARNINGS OFF}{$HINTS OFF}
unit genCalc;
interface
uses 
   Windows,Classes,SysUtils,Forms,ComObj,ComServ,ActiveX,cntrStore,cntrPrinter,intfCalc;

type
    
   {Calculator}
   TgenCalc = class(TComObject,   ICalc)
   PRIVATE
   FStorePath:string;
   FArchivePath:string;
   PROTECTED
   FCount:Integer;
   FOnChange:TNotifyEvent;
   FShelf:TcntrStore;
   FOutput:TcntrPrinter;
   PROTECTED
   procedure SetApplicationHandle(aHandle:Integer); safecall;
   procedure SetCount(const Value:Integer);virtual; safecall;
   function GetCount:Integer; safecall;
   procedure SetOnChange(const Value:TNotifyEvent);virtual; safecall;
   function GetOnChange:TNotifyEvent; safecall;
   function GetShelf:TcntrStore;virtual;
   procedure CreateShelf;virtual;
   procedure FreeShelf;virtual;
   function GetOutput:TcntrPrinter;virtual;
   procedure CreateOutput;virtual;
   procedure FreeOutput;virtual;
   PUBLIC
   procedure AfterInitInstance;virtual; safecall;
   function Sum(a:Integer;b:Integer):Integer;virtual; safecall;
   procedure AfterConstruction;override;
   procedure BeforeDestruction;override;
   procedure SetDLLsPaths(aStorePath:string;aArchivePath:string); safecall;
   PUBLIC
   property Count:Integer read GetCount write SetCount;
   property OnChange:TNotifyEvent read GetOnChange write SetOnChange;
   {Shelf of stored results}
   property Shelf:TcntrStore read GetShelf;
   property Output:TcntrPrinter read GetOutput;
   end;
implementation
uses 
   devCalc;


{TgenCalc}
{Calculator}

procedure TgenCalc.AfterInitInstance;
begin
   raise SysUtils.Exception.Create('You need to override the method TdevCalc.AfterInitInstance. Don''t use the reserved word INHERITED.');
end;
function TgenCalc.Sum(a:Integer;b:Integer):Integer;
begin
   raise SysUtils.Exception.Create('You need to override the method TdevCalc.Sum. Don''t use the reserved word INHERITED.');
end;
procedure TgenCalc.AfterConstruction;
begin
   inherited;
   FCount := 10;
end;
procedure TgenCalc.BeforeDestruction;
begin
   inherited;
   Forms.Application.Handle:=0;
   FreeShelf;
   FreeOutput;
end;
procedure TgenCalc.SetApplicationHandle(aHandle:Integer);
begin
   Forms.Application.Handle:=aHandle;
end;
procedure TgenCalc.SetCount(const Value:Integer);
begin
   FCount := Value;
end;
function TgenCalc.GetCount:Integer;
begin
   Result:=FCount;
end;
procedure TgenCalc.SetOnChange(const Value:TNotifyEvent);
begin
   FOnChange := Value;
end;
function TgenCalc.GetOnChange:TNotifyEvent;
begin
   Result:=FOnChange;
end;
function TgenCalc.GetShelf:TcntrStore;
begin
   CreateShelf;
   Result:=FShelf;
end;
procedure TgenCalc.CreateShelf;
begin
   if FShelf = nil
   then 
   begin
   FShelf:=TcntrStore.CreateFromPath(nil,FStorePath,FArchivePath);
   FShelf.AfterInitInstance;
   end;
end;
procedure TgenCalc.FreeShelf;
begin
   TObject(FShelf).Free;
   FShelf:=nil;
end;
function TgenCalc.GetOutput:TcntrPrinter;
begin
   CreateOutput;
   Result:=FOutput;
end;
procedure TgenCalc.CreateOutput;
begin
   if FOutput = nil
   then 
   begin
   CoInitialize(nil);
   FOutput:=TcntrPrinter.Create(nil);
   FOutput.AfterInitInstance;
   end;
end;
procedure TgenCalc.FreeOutput;
begin
   if FOutput <> nil
   then 
   begin
      TObject(FOutput).Free;
      FOutput:=nil;
      CoUninitialize;
   end;
end;
procedure TgenCalc.SetDLLsPaths(aStorePath:string;aArchivePath:string);
begin
   FStorePath:=aStorePath;
   FArchivePath:=aArchivePath;
end;
initialization
ComObj.TComObjectFactory.Create(ComServ.ComServer,TdevCalc,Class_Calc,'TdevCalc','Calc server',ciMultiInstance,tmApartment);

end.