// Check results: one problem each, with its category and the model object it is about, collected
// by one check run; and the text form the command line prints.
#pragma once

#include <string>
#include <string_view>

#include "model/Collection.h"
#include "model/Published.h"

namespace quillon {

enum class TCheckInfoCategory : std::uint8_t { cicError, cicWarning, cicHint };
using enum TCheckInfoCategory;
extern const EnumTypeInfo CheckInfoCategoryNames;

// The image of a result in the workbench's shared image list; -1 for none.
int CheckCategoryImageIndex(TCheckInfoCategory category);

class TCheckItem : public TCollectionItem {
public:
    static constexpr std::string_view kClassName = "TCheckItem";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TCheckItem>(); }

    // The message shown; also the item's display name.
    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(std::string_view value) { FCaption = value; }
    TCheckInfoCategory GetCategory() const { return FCategory; }
    void SetCategory(TCheckInfoCategory value) { FCategory = value; }
    // The model object the result is about; not owned, valid until the next check run.
    const TPersistent* GetObjectReference() const { return FObjectReference; }
    void SetObjectReference(const TPersistent* value) { FObjectReference = value; }

    std::string GetDisplayName() const override { return FCaption; }

private:
    std::string FCaption;
    TCheckInfoCategory FCategory = cicError;
    const TPersistent* FObjectReference = nullptr;
};

class TCheckCollection : public TTypedCollection<TCollection, TCheckItem> {
public:
    static constexpr std::string_view kClassName = "TCheckCollection";
    const PropertyList& Published() const override { return PublishedOf<TCheckCollection>(); }
    using TTypedCollection::TTypedCollection;

    // Appends a result: sets its caption, then its object, then its category.
    TCheckItem& Add(std::string_view caption, const TPersistent* objectReference,
                    TCheckInfoCategory category = cicError);
    // The number of results of `category`.
    int CountOf(TCheckInfoCategory category) const;
};

// Where a check run hands its results (the workbench's results panel).
class ICheckResultsReceiver {
public:
    virtual ~ICheckResultsReceiver() = default;
    virtual void ShowCheckResults(const TCheckCollection& results) = 0;
};

// The object a result is about as a dotted path of display names from its outermost owner that
// is a collection item ("Account.Owner" for the external class Owner of the class Account), or
// from its module ("Calc.TShade.Add" for a value of an enumerated type of the module Calc).
std::string CheckObjectPath(const TPersistent* object);
// One result as the command line prints it: "error: CAPTION [object]" ("warning:", "hint:"); the
// bracket is left out when the result is about no object.
std::string CheckResultLine(const TCheckItem& item);

}  // namespace quillon
