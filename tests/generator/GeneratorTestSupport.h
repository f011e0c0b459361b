// Helpers of the generator tests: a module with every stored value set, and a project stand-in
// that resolves modules by class name.
#pragma once

#include <string>
#include <utility>
#include <string_view>
#include <vector>

#include "elements/ElementTestSupport.h"
#include "generator/Module.h"
#include "generator/ModuleResolver.h"
#include "generator/UnitBuilder.h"
#include "platform/Exception.h"
#include "platform/Text.h"
#include "support/TempDir.h"

namespace quillon::test {

// Sets every stored value of the module to something other than its default.
inline void FillEveryField(TemgModule& module) {
    TemgClass& account = module.MainClass();
    account.SetName("Account");
    account.SetCaption("Bank account");
    account.SetGUID("{3F2504E0-4F89-11D3-9A0C-0305E82C3301}");
    TemgProperty& balance = *account.Properties().Add();
    balance.SetName("Balance");
    balance.DataType().SetName("Currency");
    TemgMethod& deposit = *account.Methods().Add();
    deposit.SetName("Deposit");
    deposit.Parameters().Add()->SetName("Amount");
    TemgExternalClass& owner = *account.ExternalClasses().Add();
    owner.SetName("Customer");
    owner.SetPropertyName("Owner");
    module.Appellation().Assign(account.Appellation());

    TemgProceduralType& onLimit = *module.ProceduralTypes().Add();
    onLimit.SetName("TOnLimit");
    onLimit.Parameters().Add()->SetName("Sender");
    module.CreateEnumType("TAccountKind", "Kind of account", {"akSaving", "akCurrent"});
    module.CreateRegisteredType("TStrings", "String list", "Classes", false);
    module.SetInterfaceSupport(false);
    TemgDebugApplication& debug = module.DebugApplications().NewDebugApplication();
    debug.Methods().SetItems({"Deposit", "Withdraw"});
    debug.Connection().SetAliasName("DBDEMOS");
    debug.Connection().SetLoginPrompt(false);
    debug.SetSrcPath("debug");
    module.SetServerOption(moComServerInDll);
    module.SetLibraryPathSameExe(true);
    module.SetSrcPath("src/account");
    TemgAddUnit& helpers = *module.AddUnits().Add();
    helpers.SetName("..\\shared\\Helpers.pas");
    helpers.SetUnitType(autForm);
    helpers.SetFormName("HelperForm");
    module.SetDatabaseSupport({dbsSetDatabaseParams});
    TCopyFileItem& copy = *module.CopyFiles().Add();
    copy.SetName("ToHost");
    copy.SetPasPath("host/pas");
    copy.SetDllPath("host/bin");
    copy.SetAllDlls(false);
    module.SetShareMemSupport(false);
    module.SetSetDatabaseParamsSupport(true);
    module.SetDatabaseName("Bank");
    module.SetDataModuleName("Bank");
    module.Connection().SetAliasName("BANK");
    module.Connection().SetUserName("teller");
    module.Connection().SetPassword("it's secret");
    module.Connection().SetLoginPrompt(true);
    module.SetConnectToHostDB(false);
}

// Adds to the class of `owner` the external property `property` of the class `referenced`.
inline TemgExternalClass& AddExternal(TemgModule& owner, std::string_view referenced, std::string_view property) {
    TemgExternalClass& external = *owner.MainClass().ExternalClasses().Add();
    external.SetName(referenced);
    external.SetPropertyName(property);
    return external;
}

// A project of the given modules in order, the first being the common types module.
class StandInProject : public IModuleResolver {
public:
    std::string GetSrcPath() const override { return srcPath; }
    std::string GetSearchPath() const override { return searchPath; }
    std::string GetUnitHeader() const override { return unitHeader; }
    const TemgModule* GetFirstModule() const override { return modules.empty() ? nullptr : modules.front(); }
    const TemgModule* FindModule(std::string_view className) const override {
        for (const TemgModule* module : modules)
            if (SameText(module->MainClassName(), className)) return module;
        return nullptr;
    }

    std::string srcPath;
    std::string searchPath;
    std::string unitHeader;
    std::vector<const TemgModule*> modules;
};

// Stands in for the unit builders: records every request as "<class>:<kind>" and answers with a
// short unit named after the kind's file ("unit genAccount;" CR LF "end."); the data module's
// kind also has a form. Kinds listed in `silent` answer with no text.
class RecordingBuilder : public IUnitBuilder {
public:
    std::string UnitText(const TemgModule& module, TFileKind kind, const IModuleResolver&) const override {
        requests.push_back(module.MainClassName() + ":" + std::to_string(static_cast<int>(kind)));
        for (TFileKind quiet : silent)
            if (quiet == kind) return {};
        std::string name = module.KindFileName(kind);
        name.erase(name.rfind('.'));
        return "unit " + name + ";\r\nend.";
    }
    std::string FormText(const TemgModule& module, TFileKind kind, const IModuleResolver&) const override {
        if (kind != TFileKind::DataModuleUnit) return {};
        return "object " + module.DataModuleFormName() + ": " + module.DataModuleClassName() + "\r\nend\r\n";
    }
    bool UsesCommonTypesUnit(const TemgModule&, const IModuleResolver&) const override { return usesCommonTypes; }

    // The kinds requested so far, "<class>:<kind>" each, and forgets them.
    std::vector<std::string> TakeRequests() const { return std::exchange(requests, {}); }

    std::vector<TFileKind> silent;
    bool usesCommonTypes = false;
    mutable std::vector<std::string> requests;
};

}  // namespace quillon::test
