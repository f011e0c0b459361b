#include "checking/CheckResults.h"

#include "generator/Module.h"

namespace quillon {

const EnumTypeInfo CheckInfoCategoryNames{"TCheckInfoCategory", {"cicError", "cicWarning", "cicHint"}};

int CheckCategoryImageIndex(TCheckInfoCategory category) {
    switch (category) {
        case cicError: return 42;
        case cicWarning: return 43;
        case cicHint: return 44;
    }
    return -1;
}

void TCheckItem::PublishProperties(PropertyList& p) {
    p.String("Caption", &TCheckItem::GetCaption, &TCheckItem::SetCaption);
    p.Enumeration<TCheckInfoCategory>("Category", &TCheckItem::GetCategory, &TCheckItem::SetCategory,
                                      CheckInfoCategoryNames, cicError);
}

TCheckItem& TCheckCollection::Add(std::string_view caption, const TPersistent* objectReference,
                                  TCheckInfoCategory category) {
    TCheckItem& item = *TTypedCollection::Add();
    item.SetCaption(caption);
    item.SetObjectReference(objectReference);
    item.SetCategory(category);
    return item;
}

int TCheckCollection::CountOf(TCheckInfoCategory category) const {
    int count = 0;
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->GetCategory() == category) ++count;
    return count;
}

std::string CheckObjectPath(const TPersistent* object) {
    std::string path;
    const auto* item = dynamic_cast<const TCollectionItem*>(object);
    while (item) {
        const std::string name = item->GetDisplayName();
        if (!name.empty()) path = path.empty() ? name : name + "." + path;
        const TCollection* collection = item->Collection();
        const TPersistent* owner = collection ? collection->Owner() : nullptr;
        // The module's own elements (types, debug applications) are named after its class.
        if (const auto* module = dynamic_cast<const TemgModule*>(owner))
            return path.empty() ? module->MainClassName() : module->MainClassName() + "." + path;
        item = dynamic_cast<const TCollectionItem*>(owner);
    }
    return path;
}

std::string CheckResultLine(const TCheckItem& item) {
    std::string line;
    switch (item.GetCategory()) {
        case cicError: line = "error: "; break;
        case cicWarning: line = "warning: "; break;
        case cicHint: line = "hint: "; break;
    }
    line += item.GetCaption();
    if (const std::string path = CheckObjectPath(item.GetObjectReference()); !path.empty())
        line += " [" + path + "]";
    return line;
}

}  // namespace quillon
