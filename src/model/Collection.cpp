#include "model/Collection.h"

#include <algorithm>

#include "model/Published.h"

namespace quillon {

const PropertyList& TCollectionItem::Published() const { return PublishedOf<TCollectionItem>(); }

std::string TCollectionItem::GetDisplayName() const { return std::string(ClassName()); }

const PropertyList& TCollection::Published() const { return PublishedOf<TCollection>(); }

TCollection::~TCollection() = default;

TCollectionItem* TCollection::Add() { return Insert(Count()); }

TCollectionItem* TCollection::Insert(int index) {
    std::unique_ptr<TCollectionItem> item = CreateItem();
    TCollectionItem* raw = item.get();
    raw->collection_ = this;
    raw->id_ = nextId_++;
    const std::size_t at = static_cast<std::size_t>(std::clamp(index, 0, Count()));
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    Renumber(at);
    ItemAdded(*raw);
    return raw;
}

void TCollection::Delete(int index) {
    const std::size_t at = static_cast<std::size_t>(index);
    std::unique_ptr<TCollectionItem> removed = std::move(items_.at(at));
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(at));
    removed->collection_ = nullptr;
    removed->index_ = -1;
    Renumber(at);
}

void TCollection::Clear() { items_.clear(); }

void TCollection::Move(int from, int to) {
    if (from == to) return;
    const std::size_t f = static_cast<std::size_t>(from), t = static_cast<std::size_t>(to);
    std::unique_ptr<TCollectionItem> item = std::move(items_.at(f));
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(f));
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(std::min(t, items_.size())), std::move(item));
    Renumber(std::min(f, t));
}

void TCollection::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TCollection*>(&source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    Clear();
    for (const auto& item : other->items_) Add()->Assign(*item);
}

void TCollection::Renumber(std::size_t from) {
    for (std::size_t i = from; i < items_.size(); ++i) items_[i]->index_ = static_cast<int>(i);
}

}  // namespace quillon
