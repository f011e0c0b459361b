#include "elements/DesignClass.h"

#include "elements/RunTimeIdentifiers.h"
#include "source/TextUtils.h"

namespace quillon {

void TemgClass::PublishProperties(PropertyList& p) {
    TemgAppellationItem::PublishProperties(p);
    p.Collection("Properties", Mutable(&TemgClass::Properties));
    p.Collection("Events", Mutable(&TemgClass::Events));
    p.Collection("Methods", Mutable(&TemgClass::Methods));
    p.Collection("ExternalClasses", Mutable(&TemgClass::ExternalClasses));
    p.String("GUID", &TemgClass::GetGUID, &TemgClass::SetGUID);
    p.Enumeration<TClassInstancing>("ComClassInstancing", &TemgClass::GetComClassInstancing,
                                    &TemgClass::SetComClassInstancing, ClassInstancingNames, ciMultiInstance);
    p.Enumeration<TThreadingModel>("ComThreadingModel", &TemgClass::GetComThreadingModel,
                                   &TemgClass::SetComThreadingModel, ThreadingModelNames, tmApartment);
    p.String("ComDescription", &TemgClass::GetComDescription, &TemgClass::SetComDescription);
    p.Enumeration<TDllClassInstancing>("DllClassInstancing", &TemgClass::GetDllClassInstancing,
                                       &TemgClass::SetDllClassInstancing, DllClassInstancingNames, dllciMultiInstance);
}

TemgClass::TemgClass()
    : FProperties(std::make_unique<TemgProperties>(this)),
      FEvents(std::make_unique<TemgProperties>(this)),
      FMethods(std::make_unique<TemgMethods>(this)),
      FExternalClasses(std::make_unique<TemgExternalClasses>(this)) {}

TemgClass::~TemgClass() = default;

bool TemgClass::GetModified() const {
    return TemgAppellationItem::GetModified() || FMethods->GetModified() || FProperties->GetModified() ||
           FEvents->GetModified() || FExternalClasses->GetModified();
}

void TemgClass::SetModified(bool value) {
    TemgAppellationItem::SetModified(value);
    if (value) return;
    FMethods->SetModified(false);
    FProperties->SetModified(false);
    FEvents->SetModified(false);
    FExternalClasses->SetModified(false);
}

bool TemgClass::IsMemberNameUnique(const TPersistent* item, std::string_view text, int kind) const {
    // The look-ups only read the collections.
    for (const TModifiedCollection* members :
         {static_cast<const TModifiedCollection*>(FMethods.get()), static_cast<const TModifiedCollection*>(FProperties.get()),
          static_cast<const TModifiedCollection*>(FEvents.get()),
          static_cast<const TModifiedCollection*>(FExternalClasses.get())})
        if (!IsTextUnique(const_cast<TModifiedCollection*>(members), item, text, kind)) return false;
    return true;
}

std::string TemgClass::ClassIdentifierName() const { return "Class_" + GetName(); }

std::string TemgClass::ComFactoryCreation() const {
    const std::string developerClass = "Tdev" + GetName();
    // The description stands in a Pascal literal.
    return rtl::TComObjectFactory + ".Create(" + rtl::ComServer + "," + developerClass + "," + ClassIdentifierName() + ",'" +
           developerClass + "','" + PascalLiteralBody(FComDescription) + "'," +
           std::string(ClassInstancingNames.NameOf(static_cast<int>(FComClassInstancing))) + "," +
           std::string(ThreadingModelNames.NameOf(static_cast<int>(FComThreadingModel))) + ");";
}

void TemgClass::RenameReferences(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found) {
    FMethods->FindOrRename(oldName, newName, found);
    FProperties->FindOrRename(oldName, newName, found);
    FEvents->FindOrRename(oldName, newName, found);
}

void TemgClass::AssignTo(TPersistent& dest) const {
    TemgAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TemgClass*>(&dest)) {
        target->SetMethods(*FMethods);
        target->SetProperties(*FProperties);
        target->SetEvents(*FEvents);
        target->SetExternalClasses(*FExternalClasses);
        target->SetComClassInstancing(FComClassInstancing);
        target->SetGUID(FGUID);
        target->SetComThreadingModel(FComThreadingModel);
        target->SetComDescription(FComDescription);
        target->SetDllClassInstancing(FDllClassInstancing);
    }
}

}  // namespace quillon
