#include "model/Persistent.h"

#include "model/Published.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace quillon {

const PropertyList& TPersistent::Published() const { return PublishedOf<TPersistent>(); }

std::string_view TPersistent::ClassName() const { return Published().ClassName(); }

void TPersistent::Assign(const TPersistent& source) { source.AssignTo(*this); }

void TPersistent::AssignTo(TPersistent& dest) const {
    throw Exception(Format("Cannot assign a %s to a %s", ClassName(), dest.ClassName()));
}

void TComponent::PublishProperties(PropertyList& p) {
    TPersistent::PublishProperties(p);
    p.Integer("Tag", &TComponent::GetTag, &TComponent::SetTag, 0);
}

const PropertyList& TComponent::Published() const { return PublishedOf<TComponent>(); }

const PropertyList& TStringList::Published() const { return PublishedOf<TStringList>(); }

void TStringList::Assign(const TPersistent& source) {
    if (const auto* other = dynamic_cast<const TStringList*>(&source)) {
        if (other == this) return;
        FStrings = other->FStrings;
        FObjects = other->FObjects;
        return;
    }
    TPersistent::Assign(source);
}

int TStringList::Add(std::string_view text, TPersistent* object) {
    FStrings.emplace_back(text);
    FObjects.push_back(object);
    return Count() - 1;
}

void TStringList::Clear() {
    FStrings.clear();
    FObjects.clear();
}

void TStringList::Delete(int index) {
    FStrings.erase(FStrings.begin() + index);
    FObjects.erase(FObjects.begin() + index);
}

int TStringList::IndexOf(std::string_view text) const {
    for (std::size_t i = 0; i < FStrings.size(); ++i)
        if (SameText(FStrings[i], text)) return static_cast<int>(i);
    return -1;
}

void TStringList::SetItems(std::vector<std::string> strings) {
    FStrings = std::move(strings);
    FObjects.assign(FStrings.size(), nullptr);
}

}  // namespace quillon
