// A stand-in for the module that the element tests hand to the elements: its options, its types
// and a few other modules of a project, all set directly by the test.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "elements/ElementContext.h"
#include "elements/ProceduralTypes.h"
#include "elements/RegisteredTypes.h"
#include "platform/Text.h"

namespace quillon::test {

class StandInModule : public IElementContext {
public:
    explicit StandInModule(TServerOption option = moServerInDll) : serverOption(option) {}

    TServerOption GetServerOption() const override { return serverOption; }
    TDatabaseSupport GetDatabaseSupport() const override { return databaseSupport; }
    bool GetConnectToHostDB() const override { return connectToHostDB; }
    std::string DataModuleVariable() const override { return "dm" + dataModuleName; }
    const TemgRegisteredDataTypes& GetRegisteredDataTypes() const override { return registeredTypes; }
    const TemgProceduralTypes& GetProceduralTypes() const override { return proceduralTypes; }
    const IElementContext* GetFirstModule() const override { return firstModule; }
    const IElementContext* FindModule(std::string_view className) const override {
        for (const auto& [name, module] : otherModules)
            if (SameText(name, className)) return module;
        return nullptr;
    }

    TServerOption serverOption;
    TDatabaseSupport databaseSupport;
    bool connectToHostDB = true;
    std::string dataModuleName;
    TemgRegisteredDataTypes registeredTypes;
    TemgProceduralTypes proceduralTypes;
    const IElementContext* firstModule = nullptr;
    std::map<std::string, const IElementContext*> otherModules;
};

}  // namespace quillon::test
