#include "model/ModifiedClasses.h"

#include <charconv>
#include <limits>

#include "model/ModelMessages.h"
#include "model/ObjectText.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace quillon {

long QueryInterface(const TPersistent& object, std::string_view guid) {
    const auto* p = &object;
    if (SameText(guid, IModified::kGuid)) return Supports<const IModified>(p) ? S_OK : E_NOINTERFACE;
    if (SameText(guid, IItemState::kGuid)) return Supports<const IItemState>(p) ? S_OK : E_NOINTERFACE;
    if (SameText(guid, IItemList::kGuid)) return Supports<const IItemList>(p) ? S_OK : E_NOINTERFACE;
    return E_NOINTERFACE;
}

bool TModifiedCollection::GetModified() const {
    if (FModified) return true;
    for (int i = 0; i < Count(); ++i)
        if (GetItemModified(i)) return true;
    return false;
}

void TModifiedCollection::SetModified(bool value) {
    FModified = value;
    if (!value)
        for (int i = 0; i < Count(); ++i) SetItemModified(i, false);
}

std::string TModifiedCollection::GetItemText(int, int) const { return {}; }

bool TModifiedCollection::GetItemModified(int) const { return false; }

void TModifiedCollection::SetItemModified(int, bool) {}

void TModifiedCollection::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TModifiedCollection*>(&source);
    if (!other || other == this) return;
    if (other->Count() == Count()) {
        bool equal = true;
        for (int i = 0; i < Count() && equal; ++i) equal = SameStoredProperties(*Item(i), *other->Item(i));
        if (equal) return;
    }
    TInterfacedCollection::Assign(source);
    SetModified(true);
}

void SetModifiedOf(TPersistent* object, bool value) {
    if (auto* m = Supports<IModified>(object)) m->SetModified(value);
}

TPersistent* FindItemByText(TPersistent* list, std::string_view text) {
    const auto* items = Supports<IItemList>(list);
    if (!items) return nullptr;
    for (int i = 0; i < items->GetCount(); ++i)
        if (SameText(items->GetItemText(i, 0), text)) return items->GetItem(i);
    return nullptr;
}

bool IsTextUnique(TPersistent* list, const TPersistent* item, std::string_view text, int kind) {
    const auto* items = Supports<IItemList>(list);
    if (!items) return true;
    for (int i = 0; i < items->GetCount(); ++i)
        if (items->GetItem(i) != item && SameText(items->GetItemText(i, kind), text)) return false;
    return true;
}

long long NextNumber(TPersistent* list, std::string_view prefix, int kind) {
    const auto* items = Supports<IItemList>(list);
    if (!items) return -1;
    long long next = 1;
    for (int i = 0; i < items->GetCount(); ++i) {
        const std::string text = items->GetItemText(i, kind);
        if (text.size() <= prefix.size() || text.compare(0, prefix.size(), prefix) != 0) continue;
        std::string_view rest = std::string_view(text).substr(prefix.size());
        if (rest.front() == '+') rest.remove_prefix(1);
        long long n = 0;
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), n);
        if (error != std::errc() || end != rest.data() + rest.size() || rest.empty()) continue;
        // The largest number has no successor: counting on would wrap and repeat a name.
        if (n == std::numeric_limits<long long>::max()) throw Exception(Format(kNoNextNumber, prefix, rest));
        if (n >= next) next = n + 1;
    }
    return next;
}

std::string UniqueText(TPersistent* list, std::string_view prefix, int kind) {
    return std::string(prefix) + std::to_string(NextNumber(list, prefix, kind));
}

}  // namespace quillon
