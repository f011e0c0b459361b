// What the unit builders share: the element context a builder hands to the elements (the module
// with the project it is generated in), and small constructors of source-model items, so that
// each builder reads as the list of what its unit declares.
#pragma once

#include <string>
#include <string_view>

#include "elements/ElementContext.h"
#include "source/SourceClasses.h"
#include "source/SourceDeclarations.h"
#include "source/TextUtils.h"

namespace quillon {

class IModuleResolver;
class TemgModule;

// The module as its elements see it while one of its units is built: its own options and types,
// and the other modules of `resolver`'s project.
class TModuleElementContext : public IElementContext {
public:
    TModuleElementContext(const TemgModule& module, const IModuleResolver& resolver)
        : FModule(module), FResolver(resolver) {}

    TServerOption GetServerOption() const override;
    TDatabaseSupport GetDatabaseSupport() const override;
    bool GetConnectToHostDB() const override;
    std::string DataModuleVariable() const override;
    const TemgRegisteredDataType* RegisteredTypeNamed(std::string_view name) const override;
    const TemgProceduralType* ProceduralTypeNamed(std::string_view name) const override;
    const IElementContext* GetFirstModule() const override;
    const IElementContext* FindModule(std::string_view className) const override;

private:
    const TemgModule& FModule;
    const IModuleResolver& FResolver;
};


// A uses entry; with a file name the entry is written "Name in 'FileName'".
TgmcUsesModule* AddUses(TgmcUsesModules& target, std::string_view name, std::string_view fileName = {});

TgmcField* AddField(TgmcFields& target, std::string_view name, std::string_view type, TMemberVisibility visibility);

TgmcParameter* AddParameter(TgmcParameters& target, std::string_view name, std::string_view type,
                            TParameterCategory category, std::string_view defaultValue = {});

// A method or standalone routine with its visibility, inheritance and body.
TgmcMethod* AddRoutine(TgmcMethods& target, std::string_view name, TMethodCategory category,
                       TMemberVisibility visibility, TMethodInheritance inheritance = {}, std::string_view code = {});

TgmcVar* AddLocalVar(TgmcMethod& method, std::string_view name, std::string_view type);

// Appends a line break and `text` to the method's code.
void AppendCodeLine(TgmcMethod& method, std::string_view text);

}  // namespace quillon
