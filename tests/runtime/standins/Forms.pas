{ Stand-in for the VCL's Forms unit, which Free Pascal does not have: the application object
  whose window handle a host hands to a library server. The object is never freed: a library's
  run-time unit may free leftover servers, which clear the handle, after this unit is finalized. }
unit Forms;

{$MODE DELPHI}

interface

uses
  Windows, Classes;

type
  TApplication = class(TComponent)
  private
    FHandle: THandle;
  public
    property Handle: THandle read FHandle write FHandle;
  end;

var
  Application: TApplication;

implementation

initialization
  Application := TApplication.Create(nil);
end.
