{ Stand-in for the target environment's ComObj unit: the COM object base class, its class
  factory with the instancing and threading choices, and object creation by class identifier. }
unit ComObj;

interface

type
  TComServerObject = class(TObject)
  end;

  TComObject = class(TInterfacedObject)
  public
    constructor Create; virtual;
  end;

  TComClass = class of TComObject;

  TClassInstancing = (ciInternal, ciSingleInstance, ciMultiInstance);
  TThreadingModel = (tmSingle, tmApartment, tmFree, tmBoth, tmNeutral);

  TComObjectFactory = class(TObject)
  public
    constructor Create(ComServer: TComServerObject; ComClass: TComClass; const ClassID: TGUID;
      const ClassName, Description: string; Instancing: TClassInstancing;
      ThreadingModel: TThreadingModel = tmSingle);
  end;

function CreateComObject(const ClassID: TGUID): IUnknown;

implementation

constructor TComObject.Create;
begin
  inherited Create;
end;

constructor TComObjectFactory.Create(ComServer: TComServerObject; ComClass: TComClass; const ClassID: TGUID;
  const ClassName, Description: string; Instancing: TClassInstancing; ThreadingModel: TThreadingModel);
begin
  inherited Create;
end;

function CreateComObject(const ClassID: TGUID): IUnknown;
begin
  Result := nil;
end;

end.
