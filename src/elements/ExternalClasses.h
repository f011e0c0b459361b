// External classes: references from a designed class to the classes of other modules, shown as
// external properties, and the database parameters the server passes on to them.
#pragma once

#include <string>
#include <string_view>

#include "elements/ElementBase.h"
#include "elements/ElementContext.h"

namespace quillon {

// Appellation.Name names the referenced class (its module's name); Caption and PropertyName are
// those of the generated property.
class TemgExternalClass : public TemgAppellationItem {
public:
    static constexpr std::string_view kClassName = "TemgExternalClass";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgExternalClass>(); }

    // Stored only: the generated code creates the object on first read in any case.
    bool GetAutoCreate() const { return FAutoCreate; }
    void SetAutoCreate(bool value) { SetField(FAutoCreate, value); }
    // The identifier of the generated property, the base of every generated member name.
    const std::string& GetPropertyName() const { return FPropertyName; }
    void SetPropertyName(std::string_view value) { SetField(FPropertyName, value); }

    std::string GetDisplayName() const override { return FPropertyName; }

    // When the referenced class is `oldName` (without regard to case): takes `newName`'s Name
    // when given (the Caption stays the property's), and adds an entry with this reference to
    // `found` when given.
    void FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found);

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    bool FAutoCreate = true;
    std::string FPropertyName;
};

// Item text 0 is the PropertyName (so member names are unique by it), 1 the Caption.
class TemgExternalClasses : public TTypedCollection<TemgAppellationCollection, TemgExternalClass> {
public:
    static constexpr std::string_view kClassName = "TemgExternalClasses";
    const PropertyList& Published() const override { return PublishedOf<TemgExternalClasses>(); }
    using TTypedCollection::TTypedCollection;

    std::string GetItemText(int index, int kind) const override;
    void FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found);
};

// One line per external class whose module has its own database connection, passing the
// server's database parameters on: "if F<PN> <> nil then F<PN>.SetDatabaseParams(...);".
std::string DatabaseParamsCode(const TemgExternalClasses& externalClasses, const IElementContext& context);

// True when an external class refers to a module with a COM server option: the server then
// starts and stops COM around the objects it creates, and uses ActiveX for that.
bool UsesComServer(const TemgExternalClasses& externalClasses, const IElementContext& context);

}  // namespace quillon
