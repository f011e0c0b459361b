// A small model with one published property of every kind, used by the model tests, the
// benchmarks and the fuzz target: sub-objects (also nested), a string list, collections (also
// inside items and sub-objects), ordinals with and without declared defaults, floats, strings.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "model/BaseModel.h"
#include "model/ModelInFile.h"
#include "model/ModifiedClasses.h"
#include "model/Published.h"

namespace quillon::test {

enum TSampleKind { skNone, skSmall, skLarge };
inline const EnumTypeInfo SampleKindInfo{"TSampleKind", {"skNone", "skSmall", "skLarge"}};

enum TSampleFlag { sfRead, sfWrite, sfHidden };
using TSampleFlags = TSet<TSampleFlag>;
inline const EnumTypeInfo SampleFlagInfo{"TSampleFlag", {"sfRead", "sfWrite", "sfHidden"}};

// Name and caption, written under its owner's path prefix.
class TSampleAppellation : public TPersistent {
public:
    static constexpr std::string_view kClassName = "TSampleAppellation";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TSampleAppellation>(); }
    void Assign(const TPersistent& source) override;

    const std::string& GetName() const { return FName; }
    void SetName(std::string_view value) { ChangeField(FName, value, FModified); }
    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(std::string_view value) { ChangeField(FCaption, value, FModified); }
    bool GetModified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }

private:
    std::string FName;
    std::string FCaption;
    bool FModified = false;
};

// A collection whose items have an appellation: item text 0 is the name, 1 the caption, and an
// item's modified flag is the item's own.
template <class Item>
class TSampleCollection : public TTypedCollection<TModifiedCollection, Item> {
public:
    std::string GetItemText(int index, int kind) const override {
        const Item* item = this->Items(index);
        if (kind == 0) return item->Appellation().GetName();
        if (kind == 1) return item->Appellation().GetCaption();
        return {};
    }
    bool GetItemModified(int index) const override { return this->Items(index)->GetModified(); }
    void SetItemModified(int index, bool value) override { this->Items(index)->SetModified(value); }
};

class TSampleValue : public TModifiedItem {
public:
    static constexpr std::string_view kClassName = "TSampleValue";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TSampleValue>(); }
    void Assign(const TPersistent& source) override;

    TSampleAppellation& Appellation() { return FAppellation; }
    const TSampleAppellation& Appellation() const { return FAppellation; }
    int GetNumber() const { return FNumber; }
    void SetNumber(int value) { SetField(FNumber, value); }

    bool GetModified() const override { return FModified || FAppellation.GetModified(); }
    void SetModified(bool value) override;

private:
    TSampleAppellation FAppellation;
    int FNumber = 0;
};
using TSampleValues = TSampleCollection<TSampleValue>;

class TSampleItem : public TModifiedItem {
public:
    static constexpr std::string_view kClassName = "TSampleItem";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TSampleItem>(); }
    void Assign(const TPersistent& source) override;

    TSampleAppellation& Appellation() { return FAppellation; }
    const TSampleAppellation& Appellation() const { return FAppellation; }
    TSampleFlags GetSettings() const { return FSettings; }
    void SetSettings(TSampleFlags value) { SetField(FSettings, value); }
    TSampleKind GetKind() const { return FKind; }
    void SetKind(TSampleKind value) { SetField(FKind, value); }
    bool GetExported() const { return FExported; }
    void SetExported(bool value) { SetField(FExported, value); }
    std::int64_t GetSize() const { return FSize; }
    void SetSize(std::int64_t value) { SetField(FSize, value); }
    TSampleValues& Values() { return FValues; }
    const TSampleValues& Values() const { return FValues; }
    double GetWeight() const { return FWeight; }
    void SetWeight(double value) { SetField(FWeight, value); }

    bool GetModified() const override;
    void SetModified(bool value) override;

private:
    TSampleAppellation FAppellation;
    TSampleFlags FSettings;
    TSampleKind FKind = skNone;
    bool FExported = true;
    std::int64_t FSize = 0;
    TSampleValues FValues;
    double FWeight = 0;
};
using TSampleItems = TSampleCollection<TSampleItem>;

// A sub-object with a nested sub-object, a string list and a collection of its own.
class TSampleDetails : public TPersistent {
public:
    static constexpr std::string_view kClassName = "TSampleDetails";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TSampleDetails>(); }

    TSampleAppellation& Inner() { return FInner; }
    TStringList& Notes() { return FNotes; }
    double GetRatio() const { return FRatio; }
    void SetRatio(double value) { FRatio = value; }
    TSampleValues& Parts() { return FParts; }

private:
    TSampleAppellation FInner;
    TStringList FNotes;
    double FRatio = 0;
    TSampleValues FParts;
};

class TSampleModel : public TBaseModel {
public:
    static constexpr std::string_view kClassName = "TSampleModel";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TSampleModel>(); }

    TSampleAppellation& Appellation() { return FAppellation; }
    TSampleItems& Items() { return FItems; }
    std::int64_t GetCount() const { return FCount; }
    void SetCount(std::int64_t value) { ChangeField(FCount, value, FModified); }
    int GetSmall() const { return FSmall; }
    void SetSmall(int value) { ChangeField(FSmall, value, FModified); }
    bool GetActive() const { return FActive; }
    void SetActive(bool value) { ChangeField(FActive, value, FModified); }
    bool GetShared() const { return FShared; }
    void SetShared(bool value) { ChangeField(FShared, value, FModified); }
    TSampleKind GetKind() const { return FKind; }
    void SetKind(TSampleKind value) { ChangeField(FKind, value, FModified); }
    TSampleFlags GetFlags() const { return FFlags; }
    void SetFlags(TSampleFlags value) { ChangeField(FFlags, value, FModified); }
    TSampleFlags GetAccess() const { return FAccess; }
    void SetAccess(TSampleFlags value) { ChangeField(FAccess, value, FModified); }
    double GetStamp() const { return FStamp; }
    void SetStamp(double value) { ChangeField(FStamp, value, FModified); }
    const std::string& GetTitle() const { return FTitle; }
    void SetTitle(std::string_view value) { ChangeField(FTitle, value, FModified); }
    TStringList& Lines() { return FLines; }
    TSampleDetails& Details() { return FDetails; }

    bool GetModified() const override { return FModified || FAppellation.GetModified() || FItems.GetModified(); }
    void SetModified(bool value) override;
    std::string GetName() const override { return FAppellation.GetName(); }
    bool IsModuleModel() const override { return true; }

private:
    TSampleAppellation FAppellation;
    TSampleItems FItems;
    std::int64_t FCount = 0;
    int FSmall = 0;
    bool FActive = true;
    bool FShared = false;
    TSampleKind FKind = skSmall;
    TSampleFlags FFlags;
    TSampleFlags FAccess{sfRead, sfWrite};
    double FStamp = 0;
    std::string FTitle;
    TStringList FLines;
    TSampleDetails FDetails;
    bool FModified = false;
};

// A project's entry for one sample model file.
class TSampleEntry : public TModelInFile {
public:
    TSampleModel& SampleModel() const { return static_cast<TSampleModel&>(Model()); }

protected:
    std::unique_ptr<TBaseModel> CreateModel() const override { return std::make_unique<TSampleModel>(); }
};
using TSampleEntries = TTypedCollection<TModelCollection, TSampleEntry>;

// A model with `items` items (each with a few values and texts of mixed lengths), for round
// trips and benchmarks.
void FillSampleModel(TSampleModel& model, int items);

}  // namespace quillon::test
