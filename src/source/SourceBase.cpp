#include "source/SourceBase.h"

#include <algorithm>
#include <unordered_map>

#include "platform/Text.h"
#include "source/TextUtils.h"

namespace quillon {

// TgmcAppellation

void TgmcAppellation::PublishProperties(PropertyList& p) {
    TPersistent::PublishProperties(p);
    p.String("Name", &TgmcAppellation::GetName, &TgmcAppellation::SetName);
    p.String("Caption", &TgmcAppellation::GetCaption, &TgmcAppellation::SetCaption);
}

void TgmcAppellation::SetName(std::string_view value) { ChangeField(FName, value, FModified); }

void TgmcAppellation::SetCaption(std::string_view value) { ChangeField(FCaption, value, FModified); }

std::string TgmcAppellation::CaptionComment() const {
    std::string result;
    AppendCaptionComment(result);
    return result;
}

void TgmcAppellation::AppendCaptionComment(std::string& dest) const {
    if (FCaption.empty()) return;
    dest.push_back('{');
    AppendBraceCommentText(dest, FCaption);
    dest.push_back('}');
}

void TgmcAppellation::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TgmcAppellation*>(&source);
    if (!other) return TPersistent::Assign(source);
    if (other == this) return;
    SetCaption(other->FCaption);
    SetName(other->FName);
}

// TgmcDataType

void TgmcDataType::PublishProperties(PropertyList& p) {
    TPersistent::PublishProperties(p);
    p.String("Name", &TgmcDataType::GetName, &TgmcDataType::SetName);
    p.String("ModuleName", &TgmcDataType::GetModuleName, &TgmcDataType::SetModuleName);
}

std::string TgmcDataType::QualifiedName() const {
    std::string result;
    AppendQualifiedName(result);
    return result;
}

void TgmcDataType::AppendQualifiedName(std::string& dest) const {
    dest.append(FModuleName);
    if (!FModuleName.empty() && !FName.empty()) dest.push_back('.');
    dest.append(FName);
}

void TgmcDataType::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TgmcDataType*>(&source);
    if (!other) return TPersistent::Assign(source);
    if (other == this) return;
    FName = other->FName;
    FModuleName = other->FModuleName;
}

// TgmcAppellationItem

void TgmcAppellationItem::PublishProperties(PropertyList& p) {
    TModifiedItem::PublishProperties(p);
    p.Object("Appellation", Mutable(&TgmcAppellationItem::Appellation));
}

TgmcAppellationItem::TgmcAppellationItem() = default;

TgmcAppellationItem::~TgmcAppellationItem() = default;

bool TgmcAppellationItem::GetModified() const { return TModifiedItem::GetModified() || FAppellation.GetModified(); }

void TgmcAppellationItem::SetModified(bool value) {
    TModifiedItem::SetModified(value);
    if (!value) FAppellation.SetModified(false);
}

std::string TgmcAppellationItem::SrcCode(int indent) const {
    std::string result;
    AppendSrcCode(result, indent);
    return result;
}

void TgmcAppellationItem::AppendSrcCode(std::string&, int) const {}

std::string TgmcAppellationItem::PlainSrcCode() const { return {}; }

void TgmcAppellationItem::AssignTo(TPersistent& dest) const {
    if (auto* item = dynamic_cast<TgmcAppellationItem*>(&dest)) {
        item->FAppellation.Assign(FAppellation);
        return;
    }
    TModifiedItem::AssignTo(dest);
}

// TgmcCollection

bool TgmcCollection::GetItemModified(int index) const { return AppellationItem(index)->GetModified(); }

void TgmcCollection::SetItemModified(int index, bool value) { AppellationItem(index)->SetModified(value); }

std::string TgmcCollection::SrcCode(int indent, std::string_view separator) const {
    std::string result;
    AppendSrcCode(result, indent, separator);
    return result;
}

void TgmcCollection::AppendSrcCode(std::string& dest, int indent, std::string_view separator) const {
    AppendItems(dest, indent, separator);
}

void TgmcCollection::AppendItems(std::string& dest, int indent, std::string_view separator) const {
    // The leading blanks go first and are taken back when no item writes anything; the items'
    // separators and line lengths count from behind them.
    const std::size_t start = dest.size();
    dest.append(static_cast<std::size_t>(std::max(indent, 0)), ' ');
    const std::size_t itemsStart = dest.size();
    const bool wrap = separator.find(kCrLf) == std::string_view::npos;
    const std::vector<bool> duplicates = DuplicateFlags();
    for (int i = 0; i < Count(); ++i)
        if (!duplicates[static_cast<std::size_t>(i)]) {
            const TgmcAppellationItem* item = AppellationItem(i);
            AppendSeparatedWith(dest, itemsStart, separator, indent, wrap,
                                [&](std::string& text) { item->AppendSrcCode(text, indent); });
        }
    if (dest.size() == itemsStart) dest.resize(start);
}

void TgmcCollection::AppendSection(std::string& dest, std::string_view keyword, std::string_view end, int indent,
                                   std::string_view separator) const {
    AppendEnclosedWith(dest, keyword, end, [&](std::string& text) { AppendItems(text, indent, separator); });
}

std::string TgmcCollection::PlainSrcCode() const {
    std::string result;
    for (int i = 0; i < Count(); ++i) AppendSeparated(result, AppellationItem(i)->PlainSrcCode(), kCrLf);
    return result;
}

bool TgmcCollection::IsDuplicate(const TgmcAppellationItem& item) const {
    for (int i = 0; i < Count(); ++i) {
        const TgmcAppellationItem* other = AppellationItem(i);
        if (other != &item && other->ID() < item.ID() && SameText(other->GetName(), item.GetName())) return true;
    }
    return false;
}

std::vector<bool> TgmcCollection::DuplicateFlags() const {
    // Among the items sharing a case-folded name only the one with the smallest ID counts; the
    // IDs, not the indexes, tell which was added first (items may have been inserted or moved).
    const std::size_t count = static_cast<std::size_t>(Count());
    // Most lists (parameters, a unit's uses) hold a handful of items: comparing each pair costs
    // less than a map built for every list written.
    constexpr std::size_t kPairwiseLimit = 16;
    if (count <= kPairwiseLimit) {
        std::vector<bool> duplicates(count);
        for (std::size_t i = 0; i < count; ++i) {
            const TgmcAppellationItem* item = AppellationItem(static_cast<int>(i));
            for (std::size_t j = 0; j < count && !duplicates[i]; ++j) {
                const TgmcAppellationItem* other = AppellationItem(static_cast<int>(j));
                duplicates[i] = other->ID() < item->ID() && SameText(other->GetName(), item->GetName());
            }
        }
        return duplicates;
    }
    // Keyed by the names themselves, compared and hashed without regard to case.
    std::unordered_map<std::string_view, int, TextHash, SameTextEqual> firstId;
    firstId.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const TgmcAppellationItem* item = AppellationItem(static_cast<int>(i));
        auto [it, inserted] = firstId.try_emplace(item->GetName(), item->ID());
        if (!inserted && item->ID() < it->second) it->second = item->ID();
    }
    std::vector<bool> duplicates(count);
    for (std::size_t i = 0; i < count; ++i) {
        const TgmcAppellationItem* item = AppellationItem(static_cast<int>(i));
        duplicates[i] = firstId.at(item->GetName()) != item->ID();
    }
    return duplicates;
}

std::string TgmcCollection::AppellationText(int index, int kind) const {
    switch (kind) {
        case 0: return AppellationItem(index)->GetName();
        case 1: return AppellationItem(index)->GetCaption();
        default: return {};
    }
}

}  // namespace quillon
