unit cntrCalc;
interface
uses 
   Windows,Classes,SysUtils,Forms,Limits;

type
   TInitInstance=procedure(var VInstanceID:Integer;const aApplicationHandle:THandle) stdcall;
   TGetCountMethod=function(const aInstanceID:Integer;var VErrorMessage:string):Integer stdcall;
   TSetCountMethod=procedure(const aInstanceID:Integer;var VErrorMessage:string;const Value:Integer) stdcall;
   TSetOnChangeMethod=procedure(const aInstanceID:Integer;var VErrorMessage:string;const Value:TNotifyEvent) stdcall;
   TAfterInitInstanceMethod=procedure(const aInstanceID:Integer;var VErrorMessage:string) stdcall;
   TSumMethod=function(const aInstanceID:Integer;var VErrorMessage:string;a:Integer;b:Integer=MinRows):Integer stdcall;
   TFreeInstance=procedure(const VInstanceID:Integer) stdcall;
type
    
   {Calculator}
   TcntrCalc = class(TComponent)
   PRIVATE
   FLibraryPath:string;
   FInstanceID:Integer;
   FLibrary:HModule;
   FOnChange:TNotifyEvent;
   FGetCountMethod:TGetCountMethod;
   FSetCountMethod:TSetCountMethod;
   FSetOnChangeMethod:TSetOnChangeMethod;
   FAfterInitInstanceMethod:TAfterInitInstanceMethod;
   FSumMethod:TSumMethod;
   PROTECTED
   procedure SetCount(const Value:Integer);virtual;
   function GetCount:Integer;virtual;
   procedure SetOnChange(const Value:TNotifyEvent);virtual;
   PROTECTED
   property LibraryPath:string read FLibraryPath write FLibraryPath;
   PUBLIC
   constructor CreateFromPath(aOwner:TComponent;aLibraryPath:string);
   procedure AfterInitInstance;
   function Sum(a:Integer;b:Integer=MinRows):Integer;
   constructor Create(aOwner:TComponent);override;
   destructor Destroy;override;
   class function DllExists(const aPath:string):Boolean;overload;
   function DllExists:Boolean;overload;
   class function DllName:string;
   PUBLIC
   property Count:Integer read GetCount write SetCount;
   property OnChange:TNotifyEvent read FOnChange write SetOnChange;
   end;
implementation
const
   CalcDllName='Calc.dll';

{TcntrCalc}
{Calculator}

constructor TcntrCalc.CreateFromPath(aOwner:TComponent;aLibraryPath:string);
begin
   FLibraryPath:=aLibraryPath;Create(aOwner);
   
end;
procedure TcntrCalc.AfterInitInstance;
var 
   sErrorMessage:string;
begin
   if not System.Assigned(FAfterInitInstanceMethod)
   then
   begin
      FAfterInitInstanceMethod:=Windows.GetProcAddress(FLibrary,'AfterInitInstance');
      Win32Check(@FAfterInitInstanceMethod <> nil);
   end;
   FAfterInitInstanceMethod(FInstanceID,sErrorMessage);
   if sErrorMessage<>''
   then
   begin
      raise SysUtils.Exception.Create(sErrorMessage);
   end;
end;
function TcntrCalc.Sum(a:Integer;b:Integer=MinRows):Integer;
var 
   sErrorMessage:string;
begin
   if not System.Assigned(FSumMethod)
   then
   begin
      FSumMethod:=Windows.GetProcAddress(FLibrary,'Sum');
      Win32Check(@FSumMethod <> nil);
   end;
   Result:=FSumMethod(FInstanceID,sErrorMessage,a,b);
   if sErrorMessage<>''
   then
   begin
      raise SysUtils.Exception.Create(sErrorMessage);
   end;
end;
constructor TcntrCalc.Create(aOwner:TComponent);
var 
   lInitInstance:TInitInstance;
   sFileName:string;
begin
   inherited;
   if LibraryPath <> '' 
   then 
   begin
      sFileName:=SysUtils.ExcludeTrailingBackslash(LibraryPath)+'\'+CalcDllName;
      if not SysUtils.FileExists(sFileName) then raise SysUtils.Exception.CreateFmt('Library %s not found',[sFileName]);
   end
   else
   begin
      sFileName:=CalcDllName;
   end;
   FLibrary:=Windows.LoadLibrary(System.PChar(sFileName));
   Win32Check(FLibrary <> 0);
   @lInitInstance:=Windows.GetProcAddress(FLibrary,'InitInstance');
   Win32Check(@lInitInstance<>nil);
   lInitInstance(FInstanceID,Forms.Application.Handle);
end;
destructor TcntrCalc.Destroy;
var 
   lFreeInstance:TFreeInstance;
begin
   if FLibrary<>0
   then
   begin
      lFreeInstance:=Windows.GetProcAddress(FLibrary,'FreeInstance');
      Win32Check(@lFreeInstance <> nil);
      lFreeInstance(FInstanceID);
      Windows.FreeLibrary(FLibrary);
   end;
   inherited;
end;
procedure TcntrCalc.SetCount(const Value:Integer);
var 
   sErrorMessage:string;
begin
   if not System.Assigned(FSetCountMethod)
   then
   begin
      FSetCountMethod:=Windows.GetProcAddress(FLibrary,'SetCount');
      Win32Check(@FSetCountMethod <> nil);
   end;
   FSetCountMethod(FInstanceID,sErrorMessage,Value);
   if sErrorMessage<>''
   then
   begin
      raise SysUtils.Exception.Create(sErrorMessage);
   end;
end;
function TcntrCalc.GetCount:Integer;
var 
   sErrorMessage:string;
begin
   if not System.Assigned(FGetCountMethod)
   then
   begin
      FGetCountMethod:=Windows.GetProcAddress(FLibrary,'GetCount');
      Win32Check(@FGetCountMethod <> nil);
   end;
   Result:=FGetCountMethod(FInstanceID,sErrorMessage);
   if sErrorMessage<>''
   then
   begin
      raise SysUtils.Exception.Create(sErrorMessage);
   end;
end;
procedure TcntrCalc.SetOnChange(const Value:TNotifyEvent);
var 
   sErrorMessage:string;
begin
   FOnChange:=Value;
   if not System.Assigned(FSetOnChangeMethod)
   then
   begin
      FSetOnChangeMethod:=Windows.GetProcAddress(FLibrary,'SetOnChange');
      Win32Check(@FSetOnChangeMethod <> nil);
   end;
   FSetOnChangeMethod(FInstanceID,sErrorMessage,Value);
   if sErrorMessage<>''
   then
   begin
      raise SysUtils.Exception.Create(sErrorMessage);
   end;
end;
class function TcntrCalc.DllExists(const aPath:string):Boolean;
var 
   sFileName:string;
begin
   if aPath <> '' 
   then 
   begin
      sFileName:=SysUtils.ExcludeTrailingBackslash(aPath)+'\'+CalcDllName;
   end
   else
   begin
      sFileName:=CalcDllName;
   end;
   Result:=SysUtils.FileExists(sFileName);
end;
function TcntrCalc.DllExists:Boolean;
begin
   Result:=DllExists(LibraryPath);
end;
class function TcntrCalc.DllName:string;
begin
   Result:=CalcDllName;
end;

end.