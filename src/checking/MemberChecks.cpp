#include "checking/MemberChecks.h"

#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "elements/ElementMessages.h"
#include "elements/ElementRules.h"
#include "generator/Module.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace quillon {

namespace {

constexpr std::string_view kNameLabel = "Name";

// A name as the element holds it: the check copies none of them.
using NamedItem = std::pair<std::string_view, const TPersistent*>;

// Each item whose name an earlier one has. The names seen are kept in a set: a class of a hundred
// thousand members would otherwise compare every pair.
void CheckUnique(const std::vector<NamedItem>& items, TCheckCollection& results) {
    std::unordered_set<std::string_view, TextHash, SameTextEqual> seen;
    seen.reserve(items.size());
    for (const auto& [name, item] : items)
        if (!seen.insert(name).second) results.Add(Format(kNotUnique, kNameLabel, name), item, cicError);
}

void CheckParameters(const TemgParameters& parameters, const TPersistent& owner, TCheckCollection& results) {
    if (const std::string refusal = ParametersRefusal(parameters); !refusal.empty())
        results.Add(refusal, &owner, cicError);
    std::vector<NamedItem> names;
    for (int i = 0; i < parameters.Count(); ++i) names.emplace_back(parameters.Items(i)->GetName(), parameters.Items(i));
    CheckUnique(names, results);
}

}  // namespace

void CheckMembers(const TemgModule& module, TCheckCollection& results) {
    const TemgClass& cls = module.MainClass();
    module.MainClassScope()->ForEachRepeatedMember([&](const TPersistent& member, std::string_view name) {
        results.Add(Format(kNotUnique, kNameLabel, name), &member, cicError);
    });

    for (int i = 0; i < cls.Methods().Count(); ++i)
        CheckParameters(cls.Methods().Items(i)->Parameters(), *cls.Methods().Items(i), results);
    for (int i = 0; i < module.ProceduralTypes().Count(); ++i)
        CheckParameters(module.ProceduralTypes().Items(i)->Parameters(), *module.ProceduralTypes().Items(i), results);
}

}  // namespace quillon
