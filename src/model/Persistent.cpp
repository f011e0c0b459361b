#include "model/Persistent.h"

#include "model/ModelMessages.h"
#include "model/Published.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace quillon {

const PropertyList& TPersistent::Published() const { return PublishedOf<TPersistent>(); }

std::string_view TPersistent::ClassName() const { return Published().ClassName(); }

void TPersistent::Assign(const TPersistent& source) { source.AssignTo(*this); }

void TPersistent::AssignTo(TPersistent& dest) const {
    throw Exception(Format(kCannotAssign, ClassName(), dest.ClassName()));
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

namespace {

bool NeedsQuotes(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',') return true;
    return false;
}

bool IsCommaTextBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::string TStringList::CommaText() const {
    // A single empty string must stay distinguishable from an empty list.
    if (FStrings.size() == 1 && FStrings.front().empty()) return "\"\"";
    std::string text;
    for (std::size_t i = 0; i < FStrings.size(); ++i) {
        if (i > 0) text += ',';
        const std::string& s = FStrings[i];
        if (!NeedsQuotes(s)) {
            text += s;
            continue;
        }
        text += '"';
        for (char c : s) {
            if (c == '"') text += '"';
            text += c;
        }
        text += '"';
    }
    return text;
}

void TStringList::SetCommaText(std::string_view text) {
    std::vector<std::string> strings;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && IsCommaTextBlank(text[i])) ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        std::string s;
        if (text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        s += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                s += text[i++];
            }
        } else {
            const std::size_t start = i;
            while (i < text.size() && !IsCommaTextBlank(text[i]) && text[i] != ',') ++i;
            s.assign(text.substr(start, i - start));
        }
        strings.push_back(std::move(s));
        skipBlanks();
        if (i < text.size() && text[i] == ',') {
            if (i + 1 == text.size()) strings.emplace_back();
            ++i;
            skipBlanks();
        }
    }
    SetItems(std::move(strings));
}

}  // namespace quillon
