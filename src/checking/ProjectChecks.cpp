#include "checking/ProjectChecks.h"

#include "checking/CheckMessages.h"
#include "checking/MemberChecks.h"
#include "generator/Module.h"
#include "platform/Format.h"

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

void CheckModule(const TemgModule& module, const IModuleResolver& modules, TCheckCollection& results) {
    const TemgExternalClasses& externalClasses = module.MainClass().ExternalClasses();
    for (int i = 0; i < externalClasses.Count(); ++i)
        CheckExternalClass(*externalClasses.Items(i), module, modules, results);
    CheckMembers(module, results);
}

}  // namespace quillon
