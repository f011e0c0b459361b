// The base classes of every design element: the element collection and item with their
// declaration texts, the named element (appellation and settings), the data type reference, the
// typed element, the class member, and the string lists that collect references.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "elements/ElementEnums.h"
#include "model/ModifiedClasses.h"
#include "model/Published.h"
#include "source/MemberEnums.h"
#include "source/SourceBase.h"

namespace quillon {

class TemgCollectionItem : public TModifiedItem {
public:
    static constexpr std::string_view kClassName = "TemgCollectionItem";
    const PropertyList& Published() const override { return PublishedOf<TemgCollectionItem>(); }

    // The item's declaration as the workbench shows it (empty in the base).
    virtual std::string DeclarationText() const;
};

class TemgCollection : public TModifiedCollection {
public:
    static constexpr std::string_view kClassName = "TemgCollection";
    const PropertyList& Published() const override { return PublishedOf<TemgCollection>(); }
    using TModifiedCollection::TModifiedCollection;

    TemgCollectionItem* ElementItem(int index) const { return static_cast<TemgCollectionItem*>(Item(index)); }

    // The items' declaration texts joined by CR LF; empty texts add nothing.
    virtual std::string DeclarationText() const;
};

// A named element: its appellation (Name and Caption) and its settings.
class TemgAppellationItem : public TemgCollectionItem {
public:
    static constexpr std::string_view kClassName = "TemgAppellationItem";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgAppellationItem>(); }

    TemgAppellationItem();
    ~TemgAppellationItem() override;

    TgmcAppellation& Appellation() { return FAppellation; }
    const TgmcAppellation& Appellation() const { return FAppellation; }
    void SetAppellation(const TgmcAppellation& value) { FAppellation.Assign(value); }
    TItemSettings GetSettings() const { return FSettings; }
    void SetSettings(TItemSettings value) { SetField(FSettings, value); }
    bool HasSetting(TItemSetting setting) const { return FSettings.Contains(setting); }

    const std::string& GetName() const { return FAppellation.GetName(); }
    void SetName(std::string_view value) { FAppellation.SetName(value); }
    const std::string& GetCaption() const { return FAppellation.GetCaption(); }
    void SetCaption(std::string_view value) { FAppellation.SetCaption(value); }

    std::string GetDisplayName() const override { return GetName(); }
    // Also modified when the appellation is; clearing clears the appellation too.
    bool GetModified() const override;
    void SetModified(bool value) override;
    bool IsSystemItem() const override { return HasSetting(isSystemItem); }

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    TgmcAppellation FAppellation;
    TItemSettings FSettings;
};

// A collection of named elements: item text 0 is the Name, 1 the Caption.
class TemgAppellationCollection : public TemgCollection {
public:
    static constexpr std::string_view kClassName = "TemgAppellationCollection";
    const PropertyList& Published() const override { return PublishedOf<TemgAppellationCollection>(); }
    using TemgCollection::TemgCollection;

    TemgAppellationItem* AppellationItem(int index) const { return static_cast<TemgAppellationItem*>(Item(index)); }

    std::string GetItemText(int index, int kind) const override;
    bool GetItemModified(int index) const override;
    void SetItemModified(int index, bool value) override;
};

// A reference to a data type by name; it names the declaring object, never points to it.
class TemgDataType : public TemgCollectionItem {
public:
    static constexpr std::string_view kClassName = "TemgDataType";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgDataType>(); }

    TDataTypeCategory GetCategory() const { return FCategory; }
    void SetCategory(TDataTypeCategory value) { SetField(FCategory, value); }
    const std::string& GetName() const { return FName; }
    void SetName(std::string_view value) { SetField(FName, value); }

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    TDataTypeCategory FCategory = dtRegistered;
    std::string FName;
};

// An element that has a type: a member, a parameter, a procedural type's result.
class TemgDataTypeItem : public TemgAppellationItem {
public:
    static constexpr std::string_view kClassName = "TemgDataTypeItem";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgDataTypeItem>(); }

    TemgDataTypeItem();
    ~TemgDataTypeItem() override;

    TemgDataType& DataType() { return FDataType; }
    const TemgDataType& DataType() const { return FDataType; }
    void SetDataType(const TemgDataType& value) { FDataType.Assign(value); }

    bool GetModified() const override;
    void SetModified(bool value) override;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    TemgDataType FDataType;
};

class TemgDataTypeCollection : public TemgAppellationCollection {
public:
    static constexpr std::string_view kClassName = "TemgDataTypeCollection";
    const PropertyList& Published() const override { return PublishedOf<TemgDataTypeCollection>(); }
    using TemgAppellationCollection::TemgAppellationCollection;
};

// A member of the designed class (property, event, method).
class TemgClassItem : public TemgDataTypeItem {
public:
    static constexpr std::string_view kClassName = "TemgClassItem";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgClassItem>(); }

    // The member is reachable from the host (interface, controller, library exports).
    bool GetExported() const { return FExported; }
    void SetExported(bool value) { SetField(FExported, value); }
    TMemberVisibility GetVisibility() const { return FVisibility; }
    void SetVisibility(TMemberVisibility value) { SetField(FVisibility, value); }
    // The controller declares the member for the host's units to use: it is exported, and neither
    // private nor protected (the controller keeps the design's visibility).
    bool IsOfferedByController() const {
        return FExported && FVisibility != mvPrivate && FVisibility != mvProtected;
    }

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    bool FExported = true;
    TMemberVisibility FVisibility = mvPublic;
};

// Called for every type reference of a walk, with the Exported flag of the member it belongs to.
using TReferenceVisit = std::function<void(const TemgDataType& reference, bool exportedMember)>;

// Type names, each with the TemgDataType reference that names it as its object.
class TReferencedDataTypes : public TStringList {
public:
    static constexpr std::string_view kClassName = "TReferencedDataTypes";
    const PropertyList& Published() const override { return PublishedOf<TReferencedDataTypes>(); }
};

// Class names, each with the referring external class as its object.
class TExtClassStrings : public TStringList {
public:
    static constexpr std::string_view kClassName = "TExtClassStrings";
    const PropertyList& Published() const override { return PublishedOf<TExtClassStrings>(); }
};

}  // namespace quillon
