// A unit in the source model: its interface and implementation parts with their declaration
// blocks, and the whole unit's text.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "model/Persistent.h"
#include "source/SourceClasses.h"
#include "source/SourceDeclarations.h"
#include "source/SourceTypes.h"

namespace quillon {

// The interface or the implementation part of a unit.
class TgmcModulePart : public TPersistent {
public:
    static constexpr std::string_view kClassName = "TgmcModulePart";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcModulePart>(); }

    TgmcModulePart();
    ~TgmcModulePart() override;

    TgmcClasses& Classes() { return *FClasses; }
    const TgmcClasses& Classes() const { return *FClasses; }
    TgmcEnumTypes& EnumTypes() { return *FEnumTypes; }
    const TgmcEnumTypes& EnumTypes() const { return *FEnumTypes; }
    // Standalone routines.
    TgmcMethods& Methods() { return *FMethods; }
    const TgmcMethods& Methods() const { return *FMethods; }
    TgmcProceduralTypes& ProceduralTypes() { return *FProceduralTypes; }
    const TgmcProceduralTypes& ProceduralTypes() const { return *FProceduralTypes; }
    TgmcVars& Vars() { return *FVars; }
    const TgmcVars& Vars() const { return *FVars; }
    TgmcUsesModules& UsesModules() { return *FUsesModules; }
    const TgmcUsesModules& UsesModules() const { return *FUsesModules; }
    TgmcConsts& Consts() { return *FConsts; }
    const TgmcConsts& Consts() const { return *FConsts; }
    TgmcSets& Sets() { return *FSets; }
    const TgmcSets& Sets() const { return *FSets; }
    TgmcResourceStrings& ResourceStrings() { return *FResourceStrings; }
    const TgmcResourceStrings& ResourceStrings() const { return *FResourceStrings; }

    void SetClasses(const TgmcClasses& value) { FClasses->Assign(value); }
    void SetEnumTypes(const TgmcEnumTypes& value) { FEnumTypes->Assign(value); }
    void SetMethods(const TgmcMethods& value) { FMethods->Assign(value); }
    void SetProceduralTypes(const TgmcProceduralTypes& value) { FProceduralTypes->Assign(value); }
    void SetVars(const TgmcVars& value) { FVars->Assign(value); }
    void SetUsesModules(const TgmcUsesModules& value) { FUsesModules->Assign(value); }
    void SetConsts(const TgmcConsts& value) { FConsts->Assign(value); }
    void SetSets(const TgmcSets& value) { FSets->Assign(value); }
    void SetResourceStrings(const TgmcResourceStrings& value) { FResourceStrings->Assign(value); }

    // The implementation part declares its routines forward.
    bool GetIsImplementation() const { return FIsImplementation; }
    void SetIsImplementation(bool value);

    // Uses, resource strings, enumerated types, sets, procedural types, constants, classes,
    // variables and routine declarations, one block after the other.
    std::string SrcCode() const;
    // Appends SrcCode() to `dest`.
    void AppendSrcCode(std::string& dest) const;

private:
    std::unique_ptr<TgmcClasses> FClasses;
    std::unique_ptr<TgmcEnumTypes> FEnumTypes;
    std::unique_ptr<TgmcMethods> FMethods;
    std::unique_ptr<TgmcProceduralTypes> FProceduralTypes;
    std::unique_ptr<TgmcVars> FVars;
    std::unique_ptr<TgmcUsesModules> FUsesModules;
    std::unique_ptr<TgmcConsts> FConsts;
    std::unique_ptr<TgmcSets> FSets;
    bool FIsImplementation = false;
    std::unique_ptr<TgmcResourceStrings> FResourceStrings;
};

// One unit. Appellation.Name is the unit name; its Caption becomes a comment under the heading.
class TgmcModule : public TComponent {
public:
    static constexpr std::string_view kClassName = "TgmcModule";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcModule>(); }

    TgmcModule();
    ~TgmcModule() override;

    TgmcModulePart& ImplementationPart() { return *FImplementationPart; }
    const TgmcModulePart& ImplementationPart() const { return *FImplementationPart; }
    TgmcModulePart& InterfacePart() { return *FInterfacePart; }
    const TgmcModulePart& InterfacePart() const { return *FInterfacePart; }
    // Statements of the finalization and initialization sections, written unchanged.
    const std::string& GetFinalizationPart() const { return FFinalizationPart; }
    void SetFinalizationPart(std::string_view value) { FFinalizationPart = value; }
    const std::string& GetInitializationPart() const { return FInitializationPart; }
    void SetInitializationPart(std::string_view value) { FInitializationPart = value; }
    TgmcAppellation& Appellation() { return *FAppellation; }
    const TgmcAppellation& Appellation() const { return *FAppellation; }
    void SetAppellation(const TgmcAppellation& value) { FAppellation->Assign(value); }
    // Written right after "implementation" (a resource directive such as "{$R *.DFM}").
    const std::string& GetIncludeResources() const { return FIncludeResources; }
    void SetIncludeResources(std::string_view value) { FIncludeResources = value; }
    // Written before the unit heading (compiler directives).
    const std::string& GetConditionalDefines() const { return FConditionalDefines; }
    void SetConditionalDefines(std::string_view value) { FConditionalDefines = value; }

    // The whole unit after `header`; no line break after the final "end.".
    std::string SrcCode(std::string_view header = {}) const;

private:
    std::unique_ptr<TgmcModulePart> FImplementationPart;
    std::unique_ptr<TgmcModulePart> FInterfacePart;
    std::string FFinalizationPart;
    std::string FInitializationPart;
    std::unique_ptr<TgmcAppellation> FAppellation;
    std::string FIncludeResources;
    std::string FConditionalDefines;
};

}  // namespace quillon
