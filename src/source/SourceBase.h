// The foundation of the source model: names with captions (TgmcAppellation), type references
// (TgmcDataType), the base item every source-model list holds (TgmcAppellationItem) and the
// base collection that writes its items' texts and leaves out repeated names (TgmcCollection).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/ModifiedClasses.h"
#include "model/Published.h"

namespace quillon {

// Picks the non-const overload of an accessor, for the property tables:
// p.Object("Appellation", Mutable(&TgmcAppellationItem::Appellation)).
template <class C, class R>
constexpr auto Mutable(R& (C::*access)()) {
    return access;
}

// The identifier (`Name`) and the free-text comment (`Caption`) of anything in the source model.
class TgmcAppellation : public TPersistent {
public:
    static constexpr std::string_view kClassName = "TgmcAppellation";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcAppellation>(); }

    const std::string& GetName() const { return FName; }
    void SetName(std::string_view value);
    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(std::string_view value);

    // Raised by the setters on a real (case-sensitive) change; cleared by the owning item.
    bool GetModified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }

    // "{" + Caption + "}", or empty without a caption; the caption's copy is made safe inside the
    // braces (BraceCommentText), the stored caption stays as typed.
    std::string CaptionComment() const;
    // Appends CaptionComment() to `dest`.
    void AppendCaptionComment(std::string& dest) const;

    // From another appellation: copies Caption, then Name (through the setters).
    void Assign(const TPersistent& source) override;

private:
    std::string FName;
    std::string FCaption;
    bool FModified = false;
};

// A reference to a type, optionally qualified by the unit that declares it. Not change-tracked.
class TgmcDataType : public TPersistent {
public:
    static constexpr std::string_view kClassName = "TgmcDataType";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcDataType>(); }

    const std::string& GetName() const { return FName; }
    void SetName(std::string_view value) { FName = value; }
    const std::string& GetModuleName() const { return FModuleName; }
    void SetModuleName(std::string_view value) { FModuleName = value; }

    // ModuleName + "." + Name; either part alone when the other is empty.
    std::string QualifiedName() const;
    // Appends QualifiedName() to `dest` without building it apart.
    void AppendQualifiedName(std::string& dest) const;

    void Assign(const TPersistent& source) override;

private:
    std::string FName;
    std::string FModuleName;
};

// The base of every source-model list item: an owned appellation and the item's texts.
class TgmcAppellationItem : public TModifiedItem {
public:
    static constexpr std::string_view kClassName = "TgmcAppellationItem";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcAppellationItem>(); }

    TgmcAppellationItem();
    ~TgmcAppellationItem() override;

    TgmcAppellation& Appellation() { return FAppellation; }
    const TgmcAppellation& Appellation() const { return FAppellation; }
    // Copies the values of `value` into the owned appellation.
    void SetAppellation(const TgmcAppellation& value) { FAppellation.Assign(value); }

    // Shorthands for the appellation's fields.
    const std::string& GetName() const { return FAppellation.GetName(); }
    void SetName(std::string_view value) { FAppellation.SetName(value); }
    const std::string& GetCaption() const { return FAppellation.GetCaption(); }
    void SetCaption(std::string_view value) { FAppellation.SetCaption(value); }
    std::string CaptionComment() const { return FAppellation.CaptionComment(); }

    std::string GetDisplayName() const override { return GetName(); }
    // Also modified when the appellation is; clearing clears the appellation too.
    bool GetModified() const override;
    void SetModified(bool value) override;

    // The item's declaration text (empty in the base).
    std::string SrcCode(int indent) const;
    // Appends SrcCode(indent) to `dest`, in place; what the concrete items write.
    virtual void AppendSrcCode(std::string& dest, int indent) const;
    // The item's text without indentation (empty in the base).
    virtual std::string PlainSrcCode() const;

protected:
    // A TgmcAppellationItem target receives a copy of the appellation.
    void AssignTo(TPersistent& dest) const override;

private:
    TgmcAppellation FAppellation;
};

// An ordered list of TgmcAppellationItem descendants that writes its items' declarations.
class TgmcCollection : public TModifiedCollection {
public:
    static constexpr std::string_view kClassName = "TgmcCollection";
    const PropertyList& Published() const override { return PublishedOf<TgmcCollection>(); }

    using TModifiedCollection::TModifiedCollection;

    TgmcAppellationItem* AppellationItem(int index) const { return static_cast<TgmcAppellationItem*>(Item(index)); }

    // Forward to the item's own GetModified / SetModified.
    bool GetItemModified(int index) const override;
    void SetItemModified(int index, bool value) override;

    // The collection's text: what AppendSrcCode appends.
    std::string SrcCode(int indent, std::string_view separator) const;
    // Appends the items' text (AppendItems); concrete collections add their section keyword.
    virtual void AppendSrcCode(std::string& dest, int indent, std::string_view separator) const;
    // Appends the items' SrcCode(indent) in index order, repeated names left out, joined by
    // `separator` (wrapping after 80 characters when the separator holds no line break; lines a
    // separator starts are indented by `indent`), the whole prefixed by `indent` blanks when not
    // empty. Each item writes straight into `dest`.
    void AppendItems(std::string& dest, int indent, std::string_view separator) const;
    // The items' PlainSrcCode joined by CR LF.
    std::string PlainSrcCode() const;

    // True when an item added earlier (smaller ID) has the same Name without regard to case.
    bool IsDuplicate(const TgmcAppellationItem& item) const;

protected:
    // Kind 0: the item's Name; kind 1: its Caption; other kinds: empty. For the collections
    // whose GetItemText answers with the appellation.
    std::string AppellationText(int index, int kind) const;
    // `keyword`, the items (AppendItems), `end`; nothing at all without item text: a section of
    // a unit such as "const" or "uses".
    void AppendSection(std::string& dest, std::string_view keyword, std::string_view end, int indent,
                       std::string_view separator) const;
    // For each index whether IsDuplicate holds, computed in one pass.
    std::vector<bool> DuplicateFlags() const;
};

// A TgmcCollection of items of class `Item`.
template <class Item>
using TgmcCollectionOf = TTypedCollection<TgmcCollection, Item>;

}  // namespace quillon
