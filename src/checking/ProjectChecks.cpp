#include "checking/ProjectChecks.h"

#include <algorithm>
#include <deque>
#include <map>
#include <vector>

#include "checking/CheckMessages.h"
#include "checking/MemberChecks.h"
#include "elements/ElementMessages.h"
#include "generator/Module.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "source/TextUtils.h"

namespace quillon {

namespace {

// A module with dataset support refers to one that has only its own connection.
bool HostToOwnConnection(TDatabaseSupport referring, TDatabaseSupport referenced) {
    return HasDatasetFactories(referring) && HasOwnConnection(referenced);
}

// A module without database support refers to one with some.
bool NoneToDatabase(TDatabaseSupport referring, TDatabaseSupport referenced) {
    return referring.Empty() && !referenced.Empty();
}

// The shortest chain of references between modules with the direct-uses server option that
// leads from `module` back to it ("X -> Y -> Z -> X"), or empty when there is none.
std::string DirectUsesCycle(const TemgModule& module, const IModuleResolver& modules) {
    if (module.GetServerOption() != moDirectUsesServer) return {};
    std::map<const TemgModule*, const TemgModule*> cameFrom;
    std::deque<const TemgModule*> queue{&module};
    while (!queue.empty()) {
        const TemgModule* current = queue.front();
        queue.pop_front();
        const TemgExternalClasses& externals = current->MainClass().ExternalClasses();
        for (int i = 0; i < externals.Count(); ++i) {
            const TemgModule* next = modules.FindModule(externals.Items(i)->GetName());
            if (!next || next->GetServerOption() != moDirectUsesServer) continue;
            if (next == &module) {
                std::vector<const TemgModule*> chain{&module};
                for (const TemgModule* step = current; step != &module; step = cameFrom[step]) chain.push_back(step);
                chain.push_back(&module);
                std::reverse(chain.begin() + 1, chain.end() - 1);
                std::string text;
                for (const TemgModule* step : chain) AppendSeparated(text, step->MainClassName(), " -> ");
                return text;
            }
            if (cameFrom.try_emplace(next, current).second) queue.push_back(next);
        }
    }
    return {};
}

// The common types module generates its types only: each element its class holds that is not
// a system item is a warning, so that a project saved with one still generates.
void CheckCommonTypesClass(const TemgClass& cls, TCheckCollection& results) {
    const auto warn = [&](const auto& collection) {
        for (int i = 0; i < collection.Count(); ++i) {
            const auto& element = *collection.Items(i);
            if (!element.IsSystemItem())
                results.Add(Format(kCheckCommonTypesMember, element.GetDisplayName()), &element, cicWarning);
        }
    };
    warn(cls.Methods());
    warn(cls.Properties());
    warn(cls.Events());
    warn(cls.ExternalClasses());
}

}  // namespace

bool MayReferenceByDatabaseSupport(TDatabaseSupport referring, TDatabaseSupport referenced) {
    return !HostToOwnConnection(referring, referenced) && !NoneToDatabase(referring, referenced);
}

void CheckExternalClass(const TemgExternalClass& externalClass, const TemgModule& owner,
                        const IModuleResolver& modules, TCheckCollection& results) {
    const TemgModule* referenced = modules.FindModule(externalClass.GetName());
    if (!referenced) {
        results.Add(kCheckClassNotFound, &externalClass, cicError);
        return;
    }
    const TDatabaseSupport referring = owner.GetDatabaseSupport();
    const TDatabaseSupport target = referenced->GetDatabaseSupport();
    if (HostToOwnConnection(referring, target))
        results.Add(Format(kCheckHostToOwnConnection, externalClass.GetPropertyName()), &externalClass, cicError);
    if (NoneToDatabase(referring, target))
        results.Add(Format(kCheckNoneToDatabase, externalClass.GetPropertyName()), &externalClass, cicError);
}

void CheckModule(const TemgModule& module, const IModuleResolver& modules, TCheckCollection& results,
                 const TPersistent* moduleObject) {
    module.ForEachNameFault([&](const TPersistent& element, const std::string& message) {
        results.Add(message, &element == &module && moduleObject ? moduleObject : &element, cicError);
    }, &modules);
    if (const std::string cycle = DirectUsesCycle(module, modules); !cycle.empty())
        results.Add(Format(kCheckCircularDirectUses, cycle), moduleObject ? moduleObject : &module, cicError);
    module.ForEachUntypedElement(
        [&](const TemgDataTypeItem& element) { results.Add(kCheckTypeNotSet, &element, cicError); });
    const TemgExternalClasses& externalClasses = module.MainClass().ExternalClasses();
    if (modules.GetFirstModule() == &module) {
        CheckCommonTypesClass(module.MainClass(), results);
    } else {
        for (int i = 0; i < externalClasses.Count(); ++i)
            CheckExternalClass(*externalClasses.Items(i), module, modules, results);
    }
    CheckMembers(module, results);
}

void CheckModuleNameUnique(const TemgModule& module, const std::vector<const TemgModule*>& earlier,
                           TCheckCollection& results, const TPersistent* moduleObject) {
    const std::string& name = module.MainClassName();
    for (const TemgModule* other : earlier)
        if (other != &module && SameText(other->MainClassName(), name)) {
            results.Add(Format(kNotUnique, "Name", name), moduleObject ? moduleObject : &module, cicError);
            return;
        }
}

void CheckDebugApplicationFiles(const TemgModule& module, const std::vector<const TemgModule*>& earlier,
                                std::string_view projectSrcPath, TCheckCollection& results) {
    const TemgDebugApplications& applications = module.DebugApplications();
    for (int i = 0; i < applications.Count(); ++i) {
        const TemgDebugApplication& application = *applications.Items(i);
        const std::string directory = application.OutputDirectory(projectSrcPath);
        const auto writesTheSame = [&](const TemgDebugApplication& other) {
            return SameText(other.GetName(), application.GetName()) &&
                   SameText(other.OutputDirectory(projectSrcPath), directory);
        };
        const TemgModule* writer = nullptr;
        for (const TemgModule* other : earlier)
            for (int j = 0; !writer && other != &module && j < other->DebugApplications().Count(); ++j)
                if (writesTheSame(*other->DebugApplications().Items(j))) writer = other;
        for (int j = 0; !writer && j < i; ++j)
            if (writesTheSame(*applications.Items(j))) writer = &module;
        if (writer)
            results.Add(Format(kCheckDebugApplicationFilesTaken, application.GetName(), writer->MainClassName()),
                        &application, cicError);
    }
}

void CheckDataModuleUnit(const TemgModule& module, const std::vector<const TemgModule*>& earlier,
                         TCheckCollection& results, const TPersistent* moduleObject) {
    if (!module.HasOwnConnection()) return;
    const std::string unit = module.DataModuleUnitName();
    for (const TemgModule* other : earlier) {
        if (other == &module || !other->HasOwnConnection() || !SameText(other->DataModuleUnitName(), unit)) continue;
        results.Add(Format(kCheckDataModuleUnitTaken, unit, other->MainClassName()), moduleObject ? moduleObject : &module,
                    cicError);
        return;
    }
}

}  // namespace quillon
