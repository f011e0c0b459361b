#include "generator/ExternalClassMembers.h"

#include <algorithm>
#include <unordered_set>

#include "elements/ExternalClasses.h"
#include "generator/BuilderSupport.h"
#include "generator/GeneratorMessages.h"
#include "generator/Module.h"
#include "generator/ModuleResolver.h"
#include "platform/Exception.h"
#include "platform/Format.h"
#include "source/TextUtils.h"

namespace quillon {

namespace {

const TemgModule& ReferencedModule(const TemgExternalClass& external, const IModuleResolver& resolver) {
    const TemgModule* module = resolver.FindModule(external.GetName());
    if (!module) throw Exception(Format(kReferencedClassNotFound, external.GetName()));
    return *module;
}

// `seen` holds what `found` holds: a walk over hundreds of modules asks it for every reference.
void CollectReferenced(const TemgModule& module, const IModuleResolver& resolver,
                       std::vector<const TemgModule*>& found, std::unordered_set<const TemgModule*>& seen) {
    const TemgExternalClasses& externals = module.MainClass().ExternalClasses();
    for (int i = 0; i < externals.Count(); ++i) {
        const TemgModule& referenced = ReferencedModule(*externals.Items(i), resolver);
        // Each module once, which also ends a walk that comes round to a class it has seen.
        if (!seen.insert(&referenced).second) continue;
        found.push_back(&referenced);
        CollectReferenced(referenced, resolver, found, seen);
    }
}

std::string PathField(const TemgModule& server) { return "F" + server.MainClassName() + "Path"; }

// The class of the field that holds the referenced object.
std::string FieldTypeName(const TemgModule& owner, const TemgModule& referenced) {
    return owner.HasOwnConnection() ? referenced.DatabaseSupportControllerClassName()
                                    : referenced.ControllerClassName();
}

// The statements that create the referenced object and hand it the owner's dataset factories and
// database connection; one per line.
std::string CreationStatements(const std::string& field, const std::string& typeName, const TemgModule& owner,
                               const TemgModule& referenced, const IModuleResolver& resolver) {
    std::string lines;
    if (referenced.GetServerOption() == moServerInDll || NeedsLibraryPaths(referenced, resolver)) {
        // The referenced class gets the paths this class holds for it and for the libraries it
        // reaches in turn, in the order of its CreateFromPath parameters.
        std::string arguments = "nil";
        if (referenced.GetServerOption() == moServerInDll) arguments += "," + PathField(referenced);
        for (const TemgModule* server : ReferencedLibraryServers(referenced, resolver))
            arguments.append(",").append(PathField(*server));
        AppendSeparated(lines, field + ":=" + typeName + ".CreateFromPath(" + arguments + ");", kCrLf);
    } else {
        AppendSeparated(lines, field + ":=" + typeName + ".Create(nil);", kCrLf);
    }
    for (const TDatasetFactory& factory : kDatasetFactories)
        if (owner.GetDatabaseSupport().Contains(factory.component) &&
            referenced.GetDatabaseSupport().Contains(factory.component))
            AppendSeparated(lines,
                            field + "." + std::string(factory.routineVariable) + ":=" +
                                std::string(factory.routineVariable) + ";",
                            kCrLf);
    const std::string dm = owner.DataModuleVariable();
    if (owner.HasOwnConnection() && referenced.HasOwnConnection() && referenced.GetConnectToHostDB())
        AppendSeparated(lines,
                        field + ".SetDatabaseParams(" + dm + ".Database1.AliasName, " + dm +
                            ".Database1.Params.Values['User Name'], " + dm +
                            ".Database1.Params.Values['Password']);",
                        kCrLf);
    else if (owner.HasOwnConnection() && referenced.HasDatasetFactories())
        AppendSeparated(lines,
                        JoinLines({field + ".DatabaseName:=" + dm + ".Database1.DatabaseName;",
                                   field + ".SessionName:=" + dm + ".Session1.SessionName;"}),
                        kCrLf);
    return lines;
}

void AddExternalMember(TgmcClass& target, const TemgExternalClass& external, const TemgModule& owner,
                       const IModuleResolver& resolver) {
    const TemgModule& referenced = ReferencedModule(external, resolver);
    const bool com = IsComOption(referenced.GetServerOption());
    const std::string& name = external.GetPropertyName();
    const std::string field = "F" + name;
    const std::string typeName = FieldTypeName(owner, referenced);

    AddField(target.Fields(), field, typeName, mvProtected);

    TgmcProperty* property = target.Properties().Add();
    property->SetName(name);
    property->SetCaption(external.GetCaption());
    property->DataType().SetName(typeName);
    property->SetVisibility(mvPublic);
    property->SetReadMethodName("Get" + name);

    TgmcMethod* getter = AddRoutine(target.Methods(), "Get" + name, mcFunction, mvProtected, {miVirtual},
                                    JoinLines({"Create" + name + ";", "Result:=" + field + ";"}));
    getter->DataType().SetName(typeName);

    std::string create = JoinLines({"if " + field + " = nil", "then ", "begin"});
    if (com) AppendSeparated(create, "CoInitialize(nil);", kCrLf);
    AppendSeparated(create, CreationStatements(field, typeName, owner, referenced, resolver), kCrLf);
    AppendSeparated(create, JoinLines({field + ".AfterInitInstance;", "end;"}), kCrLf);
    AddRoutine(target.Methods(), "Create" + name, mcProcedure, mvProtected, {miVirtual}, create);

    // COM ends for the thread only after the object, and the COM object it holds, are released.
    // Freed through TObject: the referenced class may have a member named Free of its own.
    const std::string release = "TObject(" + field + ").Free;";
    const std::string free = com ? JoinLines({"if " + field + " <> nil", "then ", "begin", "   " + release,
                                              "   " + field + ":=nil;", "   CoUninitialize;", "end;"})
                                 : JoinLines({release, field + ":=nil;"});
    AddRoutine(target.Methods(), "Free" + name, mcProcedure, mvProtected, {miVirtual}, free);
}

}  // namespace

std::vector<const TemgModule*> ReferencedModules(const TemgModule& module, const IModuleResolver& resolver) {
    std::vector<const TemgModule*> found;
    std::unordered_set<const TemgModule*> seen;
    CollectReferenced(module, resolver, found, seen);
    return found;
}

std::vector<const TemgModule*> ReferencedLibraryServers(const TemgModule& module, const IModuleResolver& resolver) {
    std::vector<const TemgModule*> servers = ReferencedModules(module, resolver);
    std::erase_if(servers, [](const TemgModule* referenced) { return referenced->GetServerOption() != moServerInDll; });
    return servers;
}

std::string LibraryPathParameter(const TemgModule& server) { return "a" + server.MainClassName() + "Path"; }

bool NeedsLibraryPaths(const TemgModule& module, const IModuleResolver& resolver) {
    return !ReferencedLibraryServers(module, resolver).empty();
}

void AddLibraryPathFields(TgmcFields& target, const std::vector<const TemgModule*>& servers) {
    for (const TemgModule* server : servers) AddField(target, PathField(*server), "string", mvPrivate);
}

void AddLibraryPathParameters(TgmcParameters& target, const std::vector<const TemgModule*>& servers,
                              bool withDefaults) {
    for (const TemgModule* server : servers)
        AddParameter(target, LibraryPathParameter(*server), "string", pcNone, withDefaults ? "''" : "");
}

std::string LibraryPathAssignments(const std::vector<const TemgModule*>& servers) {
    std::string lines;
    for (const TemgModule* server : servers)
        AppendSeparated(lines, PathField(*server) + ":=" + LibraryPathParameter(*server) + ";", kCrLf);
    return lines;
}

std::string LibraryPathArguments(const std::vector<const TemgModule*>& servers) {
    std::string names;
    for (const TemgModule* server : servers) AppendSeparated(names, LibraryPathParameter(*server), ",");
    return "(" + names + ")";
}

void AddExternalClassUnits(TgmcUsesModules& uses, const TemgModule& module, const IModuleResolver& resolver,
                           bool withFileNames) {
    const TemgExternalClasses& externals = module.MainClass().ExternalClasses();
    const TFileKind kind = module.HasOwnConnection() ? TFileKind::DatabaseSupportController : TFileKind::ControllerUnit;
    for (int i = 0; i < externals.Count(); ++i) {
        const TemgModule& referenced = ReferencedModule(*externals.Items(i), resolver);
        const std::string unit = kind == TFileKind::ControllerUnit ? referenced.ControllerUnitName()
                                                                   : referenced.DatabaseSupportControllerUnitName();
        AddUses(uses, unit, withFileNames ? referenced.UnitFileName(kind, resolver.GetSrcPath()) : std::string());
    }
}

void AddExternalMembers(TgmcClass& target, TgmcMethod& beforeDestruction, const TemgModule& module,
                        const IModuleResolver& resolver) {
    const TemgExternalClasses& externals = module.MainClass().ExternalClasses();
    if (externals.Count() == 0) return;
    std::string release;
    for (int i = 0; i < externals.Count(); ++i) {
        AddExternalMember(target, *externals.Items(i), module, resolver);
        AppendSeparated(release, "Free" + externals.Items(i)->GetPropertyName() + ";", kCrLf);
    }
    TgmcMethodImplementation& body = beforeDestruction.MethodImplementation();
    std::string code = body.GetCode();
    if (!code.empty()) code += kCrLf;
    body.SetCode(code + release);
}

}  // namespace quillon
