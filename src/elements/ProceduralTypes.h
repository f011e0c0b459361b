// Procedural types of a module (method pointer types, above all for events), their conversion
// into source declarations, and the system procedural types of the common types module.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "elements/ElementBase.h"
#include "elements/Methods.h"
#include "source/SourceTypes.h"

namespace quillon {

class TemgProceduralType : public TemgDataTypeItem {
public:
    static constexpr std::string_view kClassName = "TemgProceduralType";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgProceduralType>(); }

    TemgProceduralType();
    ~TemgProceduralType() override;

    TemgParameters& Parameters() { return *FParameters; }
    const TemgParameters& Parameters() const { return *FParameters; }
    void SetParameters(const TemgParameters& value) { FParameters->Assign(value); }
    // A function type's result type is DataType.
    TMethodCategory GetMethodCategory() const { return FMethodCategory; }
    void SetMethodCategory(TMethodCategory value) { SetField(FMethodCategory, value); }

    bool GetModified() const override;
    void SetModified(bool value) override;

    // The converted type's declaration ("TOnChange=procedure(Sender:TObject) of object;").
    std::string DeclarationText() const override;

    // Adds the type as a method pointer type ("of object"), unless `filter` is given and does
    // not hold its Name.
    void ConvertProceduralType(TgmcProceduralTypes& target, const TStringList* filter = nullptr) const;

    // The parameters' types, then the result type; none counts as exported.
    void ForEachReference(const TReferenceVisit& visit) const;
    // The result type, then every parameter's type.
    void FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found);

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    std::unique_ptr<TemgParameters> FParameters;
    TMethodCategory FMethodCategory = mcProcedure;
};

class TemgProceduralTypes : public TTypedCollection<TemgDataTypeCollection, TemgProceduralType> {
public:
    static constexpr std::string_view kClassName = "TemgProceduralTypes";
    const PropertyList& Published() const override { return PublishedOf<TemgProceduralTypes>(); }
    using TTypedCollection::TTypedCollection;

    // The first type named `name` without regard to case, or nullptr.
    const TemgProceduralType* Find(std::string_view name) const;

    // Converts every type that `filter` holds (all of them without a filter).
    void ConvertProceduralTypes(TgmcProceduralTypes& target, const TStringList* filter = nullptr) const;
    // The references of the type `name`; raises "The reference to the procedural type %s not
    // found" when the collection has none of that name.
    void CollectReferencesOf(std::string_view name, TReferencedDataTypes& all, TReferencedDataTypes* exported,
                             TDataTypeCategory category) const;
    void ForEachReference(const TReferenceVisit& visit) const;
    void FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found);
};

// Appends the system procedural types of the common types module: one dataset factory function
// type per row of the dataset factory table, marked as system items.
void AddSystemProceduralTypes(TemgProceduralTypes& target);

}  // namespace quillon
