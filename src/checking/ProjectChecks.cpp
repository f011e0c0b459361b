#include "checking/ProjectChecks.h"

#include <algorithm>
#include <deque>
#include <map>
#include <unordered_map>
#include <vector>

#include "checking/CheckMessages.h"
#include "checking/MemberChecks.h"
#include "elements/ElementMessages.h"
#include "generator/GeneratedFiles.h"
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
        const TemgDebugApplication* first = nullptr;
        for (const TemgModule* other : earlier)
            for (int j = 0; !writer && other != &module && j < other->DebugApplications().Count(); ++j)
                if (writesTheSame(*other->DebugApplications().Items(j))) {
                    writer = other;
                    first = other->DebugApplications().Items(j);
                }
        for (int j = 0; !writer && j < i; ++j)
            if (writesTheSame(*applications.Items(j))) {
                writer = &module;
                first = applications.Items(j);
            }
        if (!writer) continue;
        results.Add(Format(kCheckDebugApplicationFilesTaken, first->GetName(), module.MainClassName()), first, cicError);
        results.Add(Format(kCheckDebugApplicationFilesTaken, application.GetName(), writer->MainClassName()),
                    &application, cicError);
    }
}

void CheckDataModuleUnit(const TemgModule& module, const std::vector<TCheckedModule>& earlier,
                         TCheckCollection& results, const TPersistent* moduleObject) {
    if (!module.HasOwnConnection()) return;
    const std::string unit = module.DataModuleUnitName();
    for (const TCheckedModule& other : earlier) {
        const TemgModule& writer = *other.module;
        if (&writer == &module || !writer.HasOwnConnection() || !SameText(writer.DataModuleUnitName(), unit)) continue;
        results.Add(Format(kCheckDataModuleUnitTaken, writer.DataModuleUnitName(), module.MainClassName()),
                    other.object ? other.object : &writer, cicError);
        results.Add(Format(kCheckDataModuleUnitTaken, unit, writer.MainClassName()), moduleObject ? moduleObject : &module,
                    cicError);
        return;
    }
}

namespace {

// A module or one of its debug applications, as the writer of generated files.
struct FileOwner {
    const TemgModule* module;
    const TemgDebugApplication* application;
    const TPersistent* object;

    std::string Text() const {
        return application ? Format(kCheckOwnerDebugApplication, module->MainClassName(), application->GetName())
                           : Format(kCheckOwnerModule, module->MainClassName());
    }
};

// Whether a narrower rule refuses two owners that write one file, with a message of its own.
bool RefusedByNarrowerRule(const FileOwner& a, const TGeneratedFile& aFile, const FileOwner& b,
                           const TGeneratedFile& bFile) {
    if (a.application && b.application) return SameText(a.application->GetName(), b.application->GetName());
    if (a.application || b.application) return false;
    return SameText(a.module->MainClassName(), b.module->MainClassName()) ||
           (aFile.kind == TFileKind::DataModuleUnit && bFile.kind == TFileKind::DataModuleUnit);
}

}  // namespace

void CheckGeneratedFileOwners(const std::vector<TCheckedModule>& modules, std::string_view projectSrcPath,
                              TCheckCollection& results) {
    struct Written {
        FileOwner owner;
        TGeneratedFile file;
    };
    // Each file by its key, with the first owner that writes it: one look-up per file keeps the
    // check linear in the files of the project.
    std::unordered_map<std::string, Written> writers;
    const auto claim = [&](const FileOwner& owner, TGeneratedFile file) {
        auto [found, first] = writers.try_emplace(FileNameKey(file.fileName), Written{owner, file});
        if (first) return;
        const Written& earlier = found->second;
        if (earlier.owner.object == owner.object || RefusedByNarrowerRule(earlier.owner, earlier.file, owner, file))
            return;
        const std::string caption = Format(kCheckFileWrittenTwice, file.fileName, earlier.owner.Text(), owner.Text());
        results.Add(caption, earlier.owner.object, cicError);
        results.Add(caption, owner.object, cicError);
    };
    for (std::size_t i = 0; i < modules.size(); ++i) {
        const TemgModule& module = *modules[i].module;
        const FileOwner owner{&module, nullptr, modules[i].object ? modules[i].object : &module};
        for (TGeneratedFile& file : module.GeneratedFiles(projectSrcPath, i == 0)) claim(owner, std::move(file));
        const TemgDebugApplications& applications = module.DebugApplications();
        for (int j = 0; j < applications.Count(); ++j) {
            const FileOwner application{&module, applications.Items(j), applications.Items(j)};
            for (TGeneratedFile& file : applications.Items(j)->GeneratedFiles(projectSrcPath))
                claim(application, std::move(file));
        }
    }
    for (const TCheckedModule& checked : modules) {
        const TemgModule& module = *checked.module;
        const std::string directory = module.OutputDirectory(projectSrcPath);
        for (int i = 0; i < module.AddUnits().Count(); ++i) {
            const TemgAddUnit& unit = *module.AddUnits().Items(i);
            const std::string fileName = unit.FileName(directory);
            const auto found = writers.find(FileNameKey(fileName));
            if (found == writers.end()) continue;
            const FileOwner& owner = found->second.owner;
            const std::string caption = Format(kCheckAddedUnitGenerated, fileName, owner.Text());
            results.Add(caption, &unit, cicError);
            results.Add(caption, owner.object, cicError);
        }
    }
}

}  // namespace quillon
