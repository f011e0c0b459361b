#include "checking/CheckResults.h"

#include "generator/Module.h"
#include "elements/Methods.h"

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

std::string CheckObjectPath(const TPersistent* object, const std::function<bool(const TPersistent*)>& stop) {
    std::string path;
    const auto* item = dynamic_cast<const TCollectionItem*>(object);
    while (item && !(stop && stop(item))) {
        // A parameter shows its declaration ("const Amount:"); the path wants its name.
        const auto* parameter = dynamic_cast<const TemgParameter*>(item);
        const std::string name = parameter ? parameter->GetName() : item->GetDisplayName();
        if (!name.empty()) path = path.empty() ? name : name + "." + path;
        const TCollection* collection = item->Collection();
        const TPersistent* owner = collection ? collection->Owner() : nullptr;
        // The module's own elements (types, debug applications) are named after its class.
        if (const auto* module = dynamic_cast<const TemgModule*>(owner); module && !(stop && stop(owner)))
            return path.empty() ? module->MainClassName() : module->MainClassName() + "." + path;
        item = dynamic_cast<const TCollectionItem*>(owner);
    }
    return path;
}

std::string_view CheckSeverity(TCheckInfoCategory category) {
    switch (category) {
        case cicError: return "error";
        case cicWarning: return "warning";
        case cicHint: return "hint";
    }
    return "error";
}

std::string CheckResultLine(const TCheckItem& item, const CheckResultPlace& place) {
    std::string line = place.file + "(" + std::to_string(place.line) + "): ";
    line.append(CheckSeverity(item.GetCategory())).append(": ").append(item.GetCaption());
    const std::string path = place.module.empty() || place.element.empty() ? place.module + place.element
                                                                            : place.module + "." + place.element;
    if (!path.empty()) line += " [" + path + "]";
    return line;
}

}  // namespace quillon
