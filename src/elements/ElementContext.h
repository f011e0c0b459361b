// What an element needs to know about its module and the unit it contributes to: the narrow
// view of the module (IElementContext, implemented by the module) and the generation target
// that a unit builder hands to every element it asks for contributions.
#pragma once

#include <string>
#include <string_view>

#include "elements/ModuleOptions.h"
#include "source/MemberEnums.h"

namespace quillon {

class TemgProceduralType;
class TemgRegisteredDataType;

// The module as its elements see it. The module implements it for itself; FindModule and
// GetFirstModule reach the other modules of the project.
class IElementContext {
public:
    virtual ~IElementContext() = default;

    virtual TServerOption GetServerOption() const = 0;
    virtual TDatabaseSupport GetDatabaseSupport() const = 0;
    // The database connection comes from the host.
    virtual bool GetConnectToHostDB() const = 0;
    // The variable of the module's generated data module ("dm" + DataModuleName).
    virtual std::string DataModuleVariable() const = 0;

    // The module's first registered or procedural type named `name` (without regard to case), or
    // nullptr.
    virtual const TemgRegisteredDataType* RegisteredTypeNamed(std::string_view name) const = 0;
    virtual const TemgProceduralType* ProceduralTypeNamed(std::string_view name) const = 0;

    // The project's first module (the common types module, which may be this one), or nullptr
    // when the project has none.
    virtual const IElementContext* GetFirstModule() const = 0;
    // The module whose class is named `className` (without regard to case), or nullptr.
    virtual const IElementContext* FindModule(std::string_view className) const = 0;
};

// The unit an element contributes to, and how its methods are declared there.
struct TGenerationTarget {
    TFileKind kind = TFileKind::GeneratorServerUnit;
    // The object the controller forwards to: "FServer" for the direct and COM controllers.
    std::string instanceExpr;
    // The class that exported wrappers call and server bodies name (the developer's class, or
    // the interface type in the interface unit).
    std::string className;
    TMethodOptions options;
    TMethodInheritance inheritance;

    // Members of the generator's class: abstract virtual methods.
    static TGenerationTarget ServerClass(std::string_view developerClass) {
        return {TFileKind::GeneratorServerUnit, {}, std::string(developerClass), {}, {miVirtual, miAbstract}};
    }
    // Standalone routines of the generator's unit of a library server, exported with stdcall.
    static TGenerationTarget ExportedRoutine(std::string_view developerClass) {
        return {TFileKind::GeneratorServerUnit, {}, std::string(developerClass), {moStdCall, moExport}, {}};
    }
    // Members of the developer's class: overrides.
    static TGenerationTarget DeveloperClass(std::string_view developerClass) {
        return {TFileKind::DeveloperServerUnit, {}, std::string(developerClass), {}, {miOverride}};
    }
    // Members of the controller class; the library controller calls the library instead of an
    // object.
    static TGenerationTarget Controller(TServerOption option) {
        return {TFileKind::ControllerUnit, option == moServerInDll ? std::string() : std::string("FServer"), {}, {}, {}};
    }
    // Members of the interface type.
    static TGenerationTarget Interface(std::string_view interfaceType) {
        return {TFileKind::InterfaceUnit, {}, std::string(interfaceType), {}, {}};
    }
};

}  // namespace quillon
