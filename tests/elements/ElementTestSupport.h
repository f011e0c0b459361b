// Helpers of the element tests: a stand-in for the module that the elements are handed (its
// options, its types and a few other modules of a project, all set directly by the test), typed
// element set-up, and the message of a raised exception.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "elements/ElementContext.h"
#include "elements/ProceduralTypes.h"
#include "elements/RegisteredTypes.h"
#include "platform/Exception.h"
#include "platform/Text.h"
#include "support/Raised.h"

namespace quillon::test {

class StandInModule : public IElementContext {
public:
    explicit StandInModule(TServerOption option = moServerInDll) : serverOption(option) {}

    TServerOption GetServerOption() const override { return serverOption; }
    TDatabaseSupport GetDatabaseSupport() const override { return databaseSupport; }
    bool GetConnectToHostDB() const override { return connectToHostDB; }
    std::string DataModuleVariable() const override { return "dm" + dataModuleName; }
    const TemgRegisteredDataType* RegisteredTypeNamed(std::string_view name) const override {
        return registeredTypes.Find(name);
    }
    const TemgProceduralType* ProceduralTypeNamed(std::string_view name) const override { return proceduralTypes.Find(name); }
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

// Names an element and its type.
template <class Item>
Item& Typed(Item& item, std::string_view name, std::string_view type, TDataTypeCategory category = dtRegistered) {
    item.SetName(name);
    item.DataType().SetName(type);
    // Source-model items have no category.
    if constexpr (requires { item.DataType().SetCategory(category); }) item.DataType().SetCategory(category);
    return item;
}

// Appends a typed element to a collection of them.
template <class Collection>
auto& AddTyped(Collection& list, std::string_view name, std::string_view type,
               TDataTypeCategory category = dtRegistered) {
    return Typed(*list.Add(), name, type, category);
}

}  // namespace quillon::test
