// Properties and events of the designed class (an event is a property of a procedural type), and
// what one of them contributes to each generated unit: the server's field, accessors and
// declaration, the controller's forwarding accessors, the interface declaration, the exported
// accessor routines with their exports entries and routine types, the developer's setter
// override and the debug application's assignment.
#pragma once

#include <string>
#include <string_view>

#include "elements/ElementBase.h"
#include "elements/ElementContext.h"
#include "source/SourceClasses.h"
#include "source/SourceProject.h"
#include "source/SourceTypes.h"

namespace quillon {

class TemgProperty : public TemgClassItem {
public:
    static constexpr std::string_view kClassName = "TemgProperty";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgProperty>(); }

    // The expression the server assigns to the backing field at construction.
    const std::string& GetDefaultValue() const { return FDefaultValue; }
    void SetDefaultValue(std::string_view value) { SetField(FDefaultValue, value); }
    TAccessTypes GetAccessTypes() const { return FAccessTypes; }
    void SetAccessTypes(TAccessTypes value) { SetField(FAccessTypes, value); }
    // The expression the debug application assigns to the property.
    const std::string& GetDebugValue() const { return FDebugValue; }
    void SetDebugValue(std::string_view value) { SetField(FDebugValue, value); }
    // True exactly when the type is procedural; a value written (by the file reader) is accepted
    // and changes nothing.
    bool GetEvent() const;
    void SetEvent(bool) {}

    bool IsReadable() const { return FAccessTypes.Contains(atRead); }
    bool IsWritable() const { return FAccessTypes.Contains(atWrite); }

    // "property N:T;" and, with a default value, "default V;" right after it.
    std::string DeclarationText() const override;
    // The property's type is one the `default` directive may follow: an enumerated type of the
    // design, or an ordinal type of the run-time library of at most 32 bits. Other registered
    // types (a set, a subrange) are not known to be: their properties go without the directive.
    bool HasOrdinalType() const;

    // The property's type, with its Exported flag.
    void ForEachReference(const TReferenceVisit& visit) const { visit(DataType(), GetExported()); }
    void FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found);

    // The property with its field and accessors in `target`, as the target's unit needs them
    // (server class, controller or interface). In the server class a default value is also
    // assigned at the end of `constructorMethod`'s code, when one is given.
    void AddClassMembers(TgmcClass& target, TgmcMethod* constructorMethod, const TGenerationTarget& unit,
                         const IElementContext& context) const;
    // The exported accessor routines of a library server, calling the class the target names.
    void AddExportFunctions(TgmcMethods& target, const TGenerationTarget& unit) const;
    void AddExportEntries(TgmcExportMethods& target) const;
    // The library controller's routine variables and their types.
    void AddFunctionPointerFields(TgmcFields& target) const;
    void AddFunctionPointerTypes(TgmcProceduralTypes& target) const;
    // The developer's override of the setter.
    void AddDeveloperOverrides(TgmcMethods& target) const;
    // The debug application assigns the debug value: there is one, and the controller offers the
    // property with a setter.
    bool WritesDebugValue() const {
        return !FDebugValue.empty() && IsOfferedByController() && IsWritable() && !HasSetting(isDSC);
    }
    // The debug application's assignment to `objectExpr`'s property, or its commented form for a
    // property that does not write its debug value; empty for a database support item.
    std::string DebugAssignment(std::string_view objectExpr) const;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    // Read through an exported getter: readable and not an event.
    bool HasExportedGetter() const { return IsReadable() && !GetEvent(); }

    std::string FDefaultValue;
    TAccessTypes FAccessTypes{atRead, atWrite};
    std::string FDebugValue;
};

class TemgProperties : public TTypedCollection<TemgDataTypeCollection, TemgProperty> {
public:
    static constexpr std::string_view kClassName = "TemgProperties";
    const PropertyList& Published() const override { return PublishedOf<TemgProperties>(); }
    using TTypedCollection::TTypedCollection;

    void ForEachReference(const TReferenceVisit& visit) const;
    void FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found);

    void AddClassMembers(TgmcClass& target, TgmcMethod* constructorMethod, const TGenerationTarget& unit,
                         const IElementContext& context) const;
    void AddExportFunctions(TgmcMethods& target, const TGenerationTarget& unit) const;
    void AddExportEntries(TgmcExportMethods& target) const;
    void AddFunctionPointerFields(TgmcFields& target) const;
    void AddFunctionPointerTypes(TgmcProceduralTypes& target) const;
    void AddDeveloperOverrides(TgmcMethods& target) const;
    // The debug assignments of every property, one per line; database support items give none.
    std::string DebugAssignment(std::string_view objectExpr) const;
};

}  // namespace quillon
