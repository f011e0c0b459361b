// Registered types: names of types declared in other units, with the unit a generated unit must
// use to refer to them, and the built-in list the common types module starts with.
#pragma once

#include <string>
#include <string_view>

#include "elements/ElementBase.h"

namespace quillon {

class TemgRegisteredDataType : public TemgAppellationItem {
public:
    static constexpr std::string_view kClassName = "TemgRegisteredDataType";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgRegisteredDataType>(); }

    // The unit that declares the type; empty for types that need none.
    const std::string& GetModuleName() const { return FModuleName; }
    void SetModuleName(std::string_view value) { SetField(FModuleName, value); }
    // A method pointer type: members of this type are events.
    bool GetProceduralType() const { return FProceduralType; }
    void SetProceduralType(bool value) { SetField(FProceduralType, value); }

    // "TNotifyEvent declared in Classes", or the Name alone without a unit.
    std::string DeclarationText() const override;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    std::string FModuleName;
    bool FProceduralType = false;
};

class TemgRegisteredDataTypes : public TTypedCollection<TemgAppellationCollection, TemgRegisteredDataType> {
public:
    static constexpr std::string_view kClassName = "TemgRegisteredDataTypes";
    const PropertyList& Published() const override { return PublishedOf<TemgRegisteredDataTypes>(); }
    using TTypedCollection::TTypedCollection;

    // The first type named `name` without regard to case, or nullptr.
    const TemgRegisteredDataType* Find(std::string_view name) const;
};

// Appends the 27 built-in registered types of the common types module, in their fixed order.
void AddBuiltInRegisteredTypes(TemgRegisteredDataTypes& target);

}  // namespace quillon
