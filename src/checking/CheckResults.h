// Check results: one problem each, with its category and the model object it is about, collected
// by one check run; and the text form the command line prints.
#pragma once

#include <functional>
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

// The object a result is about as a dotted path of display names (a parameter's name) from its
// outermost owner that is a collection item ("Account.Owner" for the external class Owner of the
// class Account), or from its module ("Calc.TShade.Add" for a value of an enumerated type of the
// module Calc). Objects for which `stop` answers true end the path and are left out of it.
std::string CheckObjectPath(const TPersistent* object, const std::function<bool(const TPersistent*)>& stop = {});

// Where a result's element is written: the model file that holds it, the line where its text
// starts there, the module (empty for the project as a whole) and the element's dotted path
// within the module.
struct CheckResultPlace {
    std::string file;
    int line = 0;
    std::string module;
    std::string element;
};
// "error", "warning" or "hint".
std::string_view CheckSeverity(TCheckInfoCategory category);
// One result as the command line prints it, in the form compilers use:
// "FILE(LINE): error: CAPTION [Module.Element]" ("warning:", "hint:"); the bracket holds what of
// module and element there is, and is left out when there is neither.
std::string CheckResultLine(const TCheckItem& item, const CheckResultPlace& place);

}  // namespace quillon
