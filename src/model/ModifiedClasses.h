// Change-tracked collections and items, the three interfaces through which the user interface
// and the file layer query them, and the list utilities over those interfaces.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "model/Collection.h"

namespace quillon {

// Reference counting is switched off: these are plain abstract classes, and asking an object
// for an interface is a dynamic_cast (see Supports).
class IModified {
public:
    static constexpr std::string_view kGuid = "{97AD8C72-B74B-4CC2-969B-199B6BD5B8C8}";
    virtual ~IModified() = default;
    virtual bool GetModified() const = 0;
    virtual void SetModified(bool value) = 0;
};

class IItemState {
public:
    static constexpr std::string_view kGuid = "{C6CA32E5-A5EA-4313-B1AB-9DE17CD716E4}";
    virtual ~IItemState() = default;
    virtual bool GetModified() const = 0;
    virtual bool IsSystemItem() const = 0;
};

class IItemList {
public:
    static constexpr std::string_view kGuid = "{AE060460-0FA9-4840-8B02-FA824A4B1001}";
    virtual ~IItemList() = default;
    virtual int GetCount() const = 0;
    virtual std::string GetItemText(int index, int kind) const = 0;
    virtual TPersistent* GetItem(int index) const = 0;
    virtual bool GetItemModified(int index) const = 0;
    virtual void SetItemModified(int index, bool value) = 0;
};

// The object as interface I, or nullptr when it does not implement it.
template <class I, class T>
I* Supports(T* object) {
    return dynamic_cast<I*>(object);
}

inline constexpr long S_OK = 0;
inline constexpr long E_NOINTERFACE = static_cast<long>(0x80004002L);
// The interface query by GUID (IModified, IItemState, IItemList): S_OK or E_NOINTERFACE.
long QueryInterface(const TPersistent& object, std::string_view guid);

// Stores `value` in `field` and raises `flag` only when the value really changes.
template <class T, class V>
bool ChangeField(T& field, V&& value, bool& flag) {
    if (field == value) return false;
    field = std::forward<V>(value);
    flag = true;
    return true;
}

// An ordered collection without reference counting of its interfaces.
class TInterfacedCollection : public TCollection {
public:
    using TCollection::TCollection;
};

class TInterfacedCollectionItem : public TCollectionItem {};

class TModifiedCollection : public TInterfacedCollection, public IItemState, public IModified, public IItemList {
public:
    using TInterfacedCollection::TInterfacedCollection;

    // True when the own flag is set or any item reports modified (GetItemModified).
    bool GetModified() const override;
    // Stores the flag; clearing it also clears every item's flag (SetItemModified).
    void SetModified(bool value) override;
    std::string GetItemText(int index, int kind) const override;
    bool GetItemModified(int index) const override;
    void SetItemModified(int index, bool value) override;
    bool IsSystemItem() const override { return false; }

    int GetCount() const override { return Count(); }
    TPersistent* GetItem(int index) const override { return Item(index); }

    // Replaces the items by copies of `source`'s and raises the flag, unless both hold equal
    // items (same count, each pair writing the same stored properties).
    void Assign(const TPersistent& source) override;

protected:
    bool FModified = false;
};

class TModifiedItem : public TInterfacedCollectionItem, public IModified, public IItemState {
public:
    bool GetModified() const override { return FModified; }
    void SetModified(bool value) override { FModified = value; }
    bool IsSystemItem() const override { return false; }

protected:
    // The one setter helper: stores the value and raises the own flag on a real change.
    template <class T, class V>
    bool SetField(T& field, V&& value) {
        return ChangeField(field, std::forward<V>(value), FModified);
    }

    bool FModified = false;
};

// List utilities: each asks the object for IItemList first.
void SetModifiedOf(TPersistent* object, bool value);
// The first item whose text of kind 0 equals `text` without regard to case, or nullptr.
TPersistent* FindItemByText(TPersistent* list, std::string_view text);
// False when an item other than `item` has the text `text` of the given kind.
bool IsTextUnique(TPersistent* list, const TPersistent* item, std::string_view text, int kind);
// Largest N + 1 over the items whose text begins with `prefix` (case-sensitive) followed by a
// decimal integer N; 1 when none qualifies; -1 without the list interface.
long long NextNumber(TPersistent* list, std::string_view prefix, int kind);
std::string UniqueText(TPersistent* list, std::string_view prefix, int kind);

}  // namespace quillon
