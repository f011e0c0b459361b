unit cntrStore;
interface
uses 
   Windows,Classes,SysUtils,Forms;

type
   TInitInstance=procedure(var VInstanceID:Integer;const aApplicationHandle:THandle) stdcall;
   TAfterInitInstanceMethod=procedure(const aInstanceID:Integer;var VErrorMessage:string) stdcall;
   TSetDLLsPathsMethod=procedure(const aInstanceID:Integer;var VErrorMessage:string;aArchivePath:string) stdcall;
   TFreeInstance=procedure(const VInstanceID:Integer) stdcall;
type
    
   TcntrStore = class(TComponent)
   PRIVATE
   FLibraryPath:string;
   FInstanceID:Integer;
   FLibrary:HModule;
   FAfterInitInstanceMethod:TAfterInitInstanceMethod;
   FSetDLLsPathsMethod:TSetDLLsPathsMethod;
   PROTECTED
   property LibraryPath:string read FLibraryPath write FLibraryPath;
   PUBLIC
   constructor CreateFromPath(aOwner:TComponent;aLibraryPath:string;aArchivePath:string='');
   procedure SetDLLsPaths(aArchivePath:string);
   procedure AfterInitInstance;
   constructor Create(aOwner:TComponent);override;
   destructor Destroy;override;
   class function DllExists(const aPath:string):Boolean;overload;
   function DllExists:Boolean;overload;
   class function DllName:string;
   end;
implementation
const
   StoreDllName='Store.dll';

{TcntrStore}


constructor TcntrStore.CreateFromPath(aOwner:TComponent;aLibraryPath:string;aArchivePath:string='');
begin
   FLibraryPath:=aLibraryPath;Create(aOwner);
   
   if aArchivePath = '' then aArchivePath:=aLibraryPath;
   SetDLLsPaths(aArchivePath);
end;
procedure TcntrStore.SetDLLsPaths(aArchivePath:string);
var 
   sErrorMessage:string;
begin
   if not System.Assigned(FSetDLLsPathsMethod)
   then
   begin
      FSetDLLsPathsMethod:=Windows.GetProcAddress(FLibrary,'SetDLLsPaths');
      Win32Check(@FSetDLLsPathsMethod <> nil);
   end;
   FSetDLLsPathsMethod(FInstanceID,sErrorMessage,aArchivePath);
   if sErrorMessage<>''
   then
   begin
      raise SysUtils.Exception.Create(sErrorMessage);
   end;
end;
procedure TcntrStore.AfterInitInstance;
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
constructor TcntrStore.Create(aOwner:TComponent);
var 
   lInitInstance:TInitInstance;
   sFileName:string;
begin
   inherited;
   if LibraryPath <> '' 
   then 
   begin
      sFileName:=SysUtils.ExcludeTrailingBackslash(LibraryPath)+'\'+StoreDllName;
      if not SysUtils.FileExists(sFileName) then raise SysUtils.Exception.CreateFmt('Library %s not found',[sFileName]);
   end
   else
   begin
      sFileName:=StoreDllName;
   end;
   FLibrary:=Windows.LoadLibrary(System.PChar(sFileName));
   Win32Check(FLibrary <> 0);
   @lInitInstance:=Windows.GetProcAddress(FLibrary,'InitInstance');
   Win32Check(@lInitInstance<>nil);
   lInitInstance(FInstanceID,Forms.Application.Handle);
end;
destructor TcntrStore.Destroy;
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
class function TcntrStore.DllExists(const aPath:string):Boolean;
var 
   sFileName:string;
begin
   if aPath <> '' 
   then 
   begin
      sFileName:=SysUtils.ExcludeTrailingBackslash(aPath)+'\'+StoreDllName;
   end
   else
   begin
      sFileName:=StoreDllName;
   end;
   Result:=SysUtils.FileExists(sFileName);
end;
function TcntrStore.DllExists:Boolean;
begin
   Result:=DllExists(LibraryPath);
end;
class function TcntrStore.DllName:string;
begin
   Result:=StoreDllName;
end;

end.