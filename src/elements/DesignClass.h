// The designed class of a module: its members, external classes, COM identity and instancing,
// the member-wide rules (unique names, renaming type references) and the two texts it writes
// itself, its class identifier's name and its COM class factory statement.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "elements/ExternalClasses.h"
#include "elements/Methods.h"
#include "elements/Properties.h"

namespace quillon {

class TemgClass : public TemgAppellationItem {
public:
    static constexpr std::string_view kClassName = "TemgClass";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgClass>(); }

    TemgClass();
    ~TemgClass() override;

    TemgProperties& Properties() { return *FProperties; }
    const TemgProperties& Properties() const { return *FProperties; }
    void SetProperties(const TemgProperties& value) { FProperties->Assign(value); }
    // Same item class as Properties.
    TemgProperties& Events() { return *FEvents; }
    const TemgProperties& Events() const { return *FEvents; }
    void SetEvents(const TemgProperties& value) { FEvents->Assign(value); }
    TemgMethods& Methods() { return *FMethods; }
    const TemgMethods& Methods() const { return *FMethods; }
    void SetMethods(const TemgMethods& value) { FMethods->Assign(value); }
    TemgExternalClasses& ExternalClasses() { return *FExternalClasses; }
    const TemgExternalClasses& ExternalClasses() const { return *FExternalClasses; }
    void SetExternalClasses(const TemgExternalClasses& value) { FExternalClasses->Assign(value); }
    // Class identifier in registry form, "{8-4-4-4-12}".
    const std::string& GetGUID() const { return FGUID; }
    void SetGUID(std::string_view value) { SetField(FGUID, value); }
    TClassInstancing GetComClassInstancing() const { return FComClassInstancing; }
    void SetComClassInstancing(TClassInstancing value) { SetField(FComClassInstancing, value); }
    TThreadingModel GetComThreadingModel() const { return FComThreadingModel; }
    void SetComThreadingModel(TThreadingModel value) { SetField(FComThreadingModel, value); }
    const std::string& GetComDescription() const { return FComDescription; }
    void SetComDescription(std::string_view value) { SetField(FComDescription, value); }
    TDllClassInstancing GetDllClassInstancing() const { return FDllClassInstancing; }
    void SetDllClassInstancing(TDllClassInstancing value) { SetField(FDllClassInstancing, value); }

    // Also modified when a member collection is; clearing clears them all.
    bool GetModified() const override;
    void SetModified(bool value) override;

    // True when no item of Methods, Properties, Events or ExternalClasses other than `item` has
    // `text` as its name (kind 0) or caption (kind 1), without regard to case.
    bool IsMemberNameUnique(const TPersistent* item, std::string_view text, int kind) const;
    // "Class_" + Name: the constant that holds GUID in the generated units.
    std::string ClassIdentifierName() const;
    // The statement that registers the developer's class with the COM class factory.
    std::string ComFactoryCreation() const;
    // Finds or renames the type references of every method (result, then parameters), then of
    // every property, then of every event.
    void RenameReferences(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found);

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    std::unique_ptr<TemgProperties> FProperties;
    std::unique_ptr<TemgProperties> FEvents;
    std::unique_ptr<TemgMethods> FMethods;
    std::unique_ptr<TemgExternalClasses> FExternalClasses;
    std::string FGUID;
    TClassInstancing FComClassInstancing = ciMultiInstance;
    TThreadingModel FComThreadingModel = tmApartment;
    std::string FComDescription;
    TDllClassInstancing FDllClassInstancing = dllciMultiInstance;
};

}  // namespace quillon
