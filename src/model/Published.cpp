#include "model/Published.h"

#include "platform/Text.h"

namespace quillon {

std::optional<int> EnumTypeInfo::ValueOf(std::string_view identifier) const {
    for (std::size_t i = 0; i < identifiers.size(); ++i)
        if (SameText(identifiers[i], identifier)) return static_cast<int>(i);
    return std::nullopt;
}

std::string_view EnumTypeInfo::NameOf(std::int64_t ordinal) const {
    if (ordinal < 0 || ordinal >= static_cast<std::int64_t>(identifiers.size())) return {};
    return identifiers[static_cast<std::size_t>(ordinal)];
}

const PropertyInfo* PropertyList::Find(std::string_view name) const {
    // The reader asks for every property line it meets: names of another length are passed by
    // here without a call.
    for (const PropertyInfo& p : props_)
        if (p.name.size() == name.size() && SameText(p.name, name)) return &p;
    return nullptr;
}

PropertyInfo& PropertyList::AddInfo(std::string name, PropKind kind) {
    PropertyInfo& p = props_.emplace_back();
    p.name = std::move(name);
    p.kind = kind;
    return p;
}

}  // namespace quillon
