#include "SampleModel.h"

namespace quillon::test {

void TSampleAppellation::PublishProperties(PropertyList& p) {
    TPersistent::PublishProperties(p);
    p.String("Name", &TSampleAppellation::GetName, &TSampleAppellation::SetName);
    p.String("Caption", &TSampleAppellation::GetCaption, &TSampleAppellation::SetCaption);
}

void TSampleAppellation::Assign(const TPersistent& source) {
    if (const auto* other = dynamic_cast<const TSampleAppellation*>(&source)) {
        SetName(other->FName);
        SetCaption(other->FCaption);
        return;
    }
    TPersistent::Assign(source);
}

void TSampleValue::PublishProperties(PropertyList& p) {
    TModifiedItem::PublishProperties(p);
    p.Object("Appellation", &TSampleValue::FAppellation);
    p.Integer("Number", &TSampleValue::GetNumber, &TSampleValue::SetNumber);
}

void TSampleValue::Assign(const TPersistent& source) {
    if (const auto* other = dynamic_cast<const TSampleValue*>(&source)) {
        FAppellation.Assign(other->FAppellation);
        SetNumber(other->FNumber);
        return;
    }
    TModifiedItem::Assign(source);
}

void TSampleValue::SetModified(bool value) {
    TModifiedItem::SetModified(value);
    if (!value) FAppellation.SetModified(false);
}

void TSampleItem::PublishProperties(PropertyList& p) {
    TModifiedItem::PublishProperties(p);
    p.Object("Appellation", &TSampleItem::FAppellation);
    p.Set("Settings", &TSampleItem::GetSettings, &TSampleItem::SetSettings, SampleFlagInfo,
          std::optional<TSampleFlags>());
    p.Enumeration("Kind", &TSampleItem::GetKind, &TSampleItem::SetKind, SampleKindInfo,
                  std::optional<TSampleKind>());
    p.Boolean("Exported", &TSampleItem::GetExported, &TSampleItem::SetExported, true);
    p.Integer("Size", &TSampleItem::GetSize, &TSampleItem::SetSize);
    p.Collection("Values", &TSampleItem::FValues);
    p.Float("Weight", &TSampleItem::GetWeight, &TSampleItem::SetWeight);
}

void TSampleItem::Assign(const TPersistent& source) {
    if (const auto* other = dynamic_cast<const TSampleItem*>(&source)) {
        FAppellation.Assign(other->FAppellation);
        SetSettings(other->FSettings);
        SetKind(other->FKind);
        SetExported(other->FExported);
        SetSize(other->FSize);
        FValues.Assign(other->FValues);
        SetWeight(other->FWeight);
        return;
    }
    TModifiedItem::Assign(source);
}

bool TSampleItem::GetModified() const { return FModified || FAppellation.GetModified() || FValues.GetModified(); }

void TSampleItem::SetModified(bool value) {
    TModifiedItem::SetModified(value);
    if (!value) {
        FAppellation.SetModified(false);
        FValues.SetModified(false);
    }
}

void TSampleDetails::PublishProperties(PropertyList& p) {
    TPersistent::PublishProperties(p);
    p.Object("Inner", &TSampleDetails::FInner);
    p.StringList("Notes", &TSampleDetails::FNotes);
    p.Float("Ratio", &TSampleDetails::GetRatio, &TSampleDetails::SetRatio);
    p.Collection("Parts", &TSampleDetails::FParts);
}

void TSampleModel::PublishProperties(PropertyList& p) {
    TBaseModel::PublishProperties(p);
    p.Object("Appellation", &TSampleModel::FAppellation);
    p.Collection("Items", &TSampleModel::FItems);
    p.Integer("Count", &TSampleModel::GetCount, &TSampleModel::SetCount, std::nullopt);
    p.Integer("Small", &TSampleModel::GetSmall, &TSampleModel::SetSmall);
    p.Boolean("Active", &TSampleModel::GetActive, &TSampleModel::SetActive, true);
    p.Boolean("Shared", &TSampleModel::GetShared, &TSampleModel::SetShared, std::nullopt);
    p.Enumeration("Kind", &TSampleModel::GetKind, &TSampleModel::SetKind, SampleKindInfo,
                  std::optional<TSampleKind>(skSmall));
    p.Set("Flags", &TSampleModel::GetFlags, &TSampleModel::SetFlags, SampleFlagInfo, std::optional<TSampleFlags>());
    p.Set("Access", &TSampleModel::GetAccess, &TSampleModel::SetAccess, SampleFlagInfo,
          std::optional<TSampleFlags>(TSampleFlags{sfRead, sfWrite}));
    p.Float("Stamp", &TSampleModel::GetStamp, &TSampleModel::SetStamp);
    p.String("Title", &TSampleModel::GetTitle, &TSampleModel::SetTitle);
    p.StringList("Lines", &TSampleModel::FLines);
    p.Object("Details", &TSampleModel::FDetails);
}

void TSampleModel::SetModified(bool value) {
    FModified = value;
    if (!value) {
        FAppellation.SetModified(false);
        FItems.SetModified(false);
    }
}

void FillSampleModel(TSampleModel& model, int items) {
    model.Appellation().SetName("Sample");
    model.Appellation().SetCaption("A sample model with every kind of property");
    model.SetCount(items);
    model.SetShared(true);
    model.SetFlags({sfHidden});
    model.SetStamp(45123.5432175926);
    model.SetTitle("Title with a quote ' and a line break\r\nand some UTF-8: \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC");
    model.Lines().Add("uses SysUtils;");
    model.Lines().Add(std::string(100, 'x'));
    for (int i = 0; i < items; ++i) {
        TSampleItem* item = model.Items().Add();
        item->Appellation().SetName(std::string("Item").append(std::to_string(i)));
        item->Appellation().SetCaption(std::string("The item number ")
                                           .append(std::to_string(i))
                                           .append(", with a caption long enough to be cut into two lines of text"));
        item->SetSettings(i % 2 ? TSampleFlags{sfRead} : TSampleFlags{});
        item->SetKind(static_cast<TSampleKind>(i % 3));
        item->SetExported(i % 4 != 0);
        item->SetSize(i * 17 - 5);
        item->SetWeight(i / 8.0);
        for (int v = 0; v < 3; ++v) {
            TSampleValue* value = item->Values().Add();
            value->Appellation().SetName(std::string("v").append(std::to_string(v)));
            value->SetNumber(v);
        }
    }
}

}  // namespace quillon::test
