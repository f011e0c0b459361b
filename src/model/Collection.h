// Ordered, owning collections of items. A collection creates its items through a factory
// (so the reader can add items of the right class), owns them, and every item knows its
// collection, its index and its creation ID.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Persistent.h"

namespace quillon {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    static constexpr std::string_view kClassName = "TCollectionItem";
    const PropertyList& Published() const override;

    TCollection* Collection() const { return collection_; }
    // Position in the collection, or -1 for an item that belongs to none.
    int Index() const { return index_; }
    // Number given when the item joined its collection: items added later have larger IDs.
    int ID() const { return id_; }
    virtual std::string GetDisplayName() const;

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int index_ = -1;
    int id_ = -1;
};

class TCollection : public TPersistent {
public:
    static constexpr std::string_view kClassName = "TCollection";
    const PropertyList& Published() const override;

    explicit TCollection(TPersistent* owner = nullptr) : owner_(owner) {}
    ~TCollection() override;

    // The object whose published property this collection is.
    TPersistent* Owner() const { return owner_; }
    void SetOwner(TPersistent* owner) { owner_ = owner; }

    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Item(int index) const { return items_.at(static_cast<std::size_t>(index)).get(); }
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    // Moves the item at `from` to position `to`.
    void Move(int from, int to);
    int IndexOf(const TCollectionItem* item) const { return item && item->collection_ == this ? item->index_ : -1; }

    // A new item of the collection's item class that belongs to no collection; the object-text
    // reader checks item properties against one before it changes the collection.
    std::unique_ptr<TCollectionItem> CreateDetachedItem() const { return CreateItem(); }

    // Clears, then adds a copy (item Assign) of every item of `source` when it is a collection.
    void Assign(const TPersistent& source) override;

protected:
    virtual std::unique_ptr<TCollectionItem> CreateItem() const = 0;
    // Called after an item joined the collection (for collections that hand items a context).
    virtual void ItemAdded(TCollectionItem&) {}

private:
    void Renumber(std::size_t from);

    TPersistent* owner_;
    std::vector<std::unique_ptr<TCollectionItem>> items_;
    int nextId_ = 0;
};

// A collection of items of class `Item`, derived from the collection class `Base`.
template <class Base, class Item>
class TTypedCollection : public Base {
public:
    using Base::Base;
    using ItemType = Item;
    Item* Add() { return static_cast<Item*>(Base::Add()); }
    Item* Insert(int index) { return static_cast<Item*>(Base::Insert(index)); }
    Item* Items(int index) const { return static_cast<Item*>(Base::Item(index)); }

protected:
    std::unique_ptr<TCollectionItem> CreateItem() const override { return std::make_unique<Item>(); }
};

}  // namespace quillon
