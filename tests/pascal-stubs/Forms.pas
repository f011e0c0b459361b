{ Stand-in for the target environment's Forms unit: the application object whose window handle
  servers and controllers hand over. The run-time tests build it for Win64 as well. The object is
  never freed: a library's run-time unit may free leftover servers, which clear the handle, after
  this unit is finalized. }
unit Forms;

interface

uses
  Windows, Classes;

type
  TApplication = class(TComponent)
  private
    FHandle: HWND;
  public
    procedure Initialize;
    procedure CreateForm(InstanceClass: TComponentClass; var Reference);
    procedure Run;
    property Handle: HWND read FHandle write FHandle;
  end;

  { A data module of generated database support. }
  TDataModule = class(TComponent)
  end;

  { The forms and the scroll box of generated debug applications. }
  TCloseAction = (caNone, caHide, caFree, caMinimize);

  TForm = class(TComponent)
  end;

  TScrollBox = class(TComponent)
  end;

  { A built-in registered procedural type. }
  TMessageEvent = procedure(var Msg: TMsg; var Handled: Boolean) of object;

var
  Application: TApplication;

implementation

procedure TApplication.Initialize;
begin
end;

procedure TApplication.CreateForm(InstanceClass: TComponentClass; var Reference);
begin
  TComponent(Reference) := InstanceClass.Create(Self);
end;

procedure TApplication.Run;
begin
end;

initialization
  Application := TApplication.Create(nil);
end.
