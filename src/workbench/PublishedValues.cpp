#include "workbench/PublishedValues.h"

#include <cstdio>

#include "model/Collection.h"
#include "model/Persistent.h"
#include "model/Published.h"

namespace quillon {

namespace {

std::string SetText(const EnumTypeInfo* type, std::int64_t bits) {
    std::string text = "[";
    for (int i = 0; type && i < type->Count() && i < 32; ++i) {
        if ((bits & (std::int64_t{1} << i)) == 0) continue;
        if (text.size() > 1) text += ", ";
        text += type->NameOf(i);
    }
    return text + "]";
}

void Collect(const TPersistent& object, const std::string& prefix, std::vector<PublishedRow>& rows, int depth) {
    for (const PropertyInfo& p : object.Published().Properties()) {
        const std::string name = prefix + p.name;
        switch (p.kind) {
            case PropKind::Integer: rows.emplace_back(name, std::to_string(p.getOrdinal(object))); break;
            case PropKind::Boolean: rows.emplace_back(name, p.getOrdinal(object) ? "True" : "False"); break;
            case PropKind::Enumeration:
                rows.emplace_back(name, p.type ? std::string(p.type->NameOf(p.getOrdinal(object)))
                                               : std::to_string(p.getOrdinal(object)));
                break;
            case PropKind::Set: rows.emplace_back(name, SetText(p.type, p.getOrdinal(object))); break;
            case PropKind::Float: {
                char buffer[32];
                std::snprintf(buffer, sizeof buffer, "%g", p.getFloat(object));
                rows.emplace_back(name, buffer);
                break;
            }
            case PropKind::String: rows.emplace_back(name, p.getString(object)); break;
            case PropKind::StringList: {
                const auto& list = static_cast<const TStringList&>(p.ObjectOf(object));
                std::string text;
                for (const std::string& line : list.Items()) text += (text.empty() ? "" : ", ") + line;
                rows.emplace_back(name, text);
                break;
            }
            case PropKind::Object:
                // Owned parts are shown flat; deeper nesting would only repeat names.
                if (depth < 2) Collect(p.ObjectOf(object), name + ".", rows, depth + 1);
                break;
            case PropKind::Collection: {
                const auto& collection = static_cast<const TCollection&>(p.ObjectOf(object));
                rows.emplace_back(name, "(" + std::to_string(collection.Count()) + " items)");
                break;
            }
        }
    }
}

}  // namespace

std::vector<PublishedRow> PublishedValues(const TPersistent& object) {
    std::vector<PublishedRow> rows;
    Collect(object, "", rows, 0);
    return rows;
}

}  // namespace quillon
