// Methods and parameters of the designed class, and what one method contributes to each
// generated unit: the server's declaration and body, the developer's override, the exported
// wrapper, the controller's forwarding, the interface declaration, the exports entry and the
// routine type and variable of the library controller.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "elements/ElementBase.h"
#include "elements/ElementContext.h"
#include "source/SourceClasses.h"
#include "source/SourceProject.h"
#include "source/SourceTypes.h"

namespace quillon {

class TemgExternalClasses;

class TemgParameter : public TemgDataTypeItem {
public:
    static constexpr std::string_view kClassName = "TemgParameter";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgParameter>(); }

    TParameterCategory GetCategory() const { return FCategory; }
    void SetCategory(TParameterCategory value) { SetField(FCategory, value); }
    const std::string& GetDefaultValue() const { return FDefaultValue; }
    void SetDefaultValue(std::string_view value) { SetField(FDefaultValue, value); }
    const std::string& GetDebugValue() const { return FDebugValue; }
    void SetDebugValue(std::string_view value) { SetField(FDebugValue, value); }

    // The declaration as a source parameter writes it ("const Value:Integer=5").
    std::string GetDisplayName() const override;

    // Adds a source parameter with the appellation, category, default value and type name.
    void ConvertParameter(TgmcParameters& target) const;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    TParameterCategory FCategory = pcNone;
    std::string FDefaultValue;
    std::string FDebugValue;
};

class TemgParameters : public TTypedCollection<TemgDataTypeCollection, TemgParameter> {
public:
    static constexpr std::string_view kClassName = "TemgParameters";
    const PropertyList& Published() const override { return PublishedOf<TemgParameters>(); }
    using TTypedCollection::TTypedCollection;

    // Converts every parameter in order, after the two instance parameters when `withInstance`.
    void ConvertParameters(TgmcParameters& target, bool withInstance) const;
    // "(a,b)": the names joined by "," in parentheses; empty without parameters.
    std::string CallList() const;
    // False when a parameter with a default value is followed by one without.
    bool DefaultsInOrder() const;

    // Every parameter's type, with the Exported flag of the routine the parameters belong to.
    void ForEachReference(const TReferenceVisit& visit, bool exportedMember) const;
    void FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found);
};

class TemgMethod : public TemgClassItem {
public:
    static constexpr std::string_view kClassName = "TemgMethod";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgMethod>(); }

    TemgMethod();
    ~TemgMethod() override;

    TemgParameters& Parameters() { return *FParameters; }
    const TemgParameters& Parameters() const { return *FParameters; }
    void SetParameters(const TemgParameters& value) { FParameters->Assign(value); }
    TMethodCategory GetCategory() const { return FCategory; }
    void SetCategory(TMethodCategory value) { SetField(FCategory, value); }
    // The body written by the developer; when set it replaces the generated body.
    const std::string& GetCode() const { return FCode; }
    void SetCode(std::string_view value) { SetField(FCode, value); }

    bool GetModified() const override;
    void SetModified(bool value) override;

    // The declaration as an override ("function Sum(a:Integer;b:Integer):Integer;override;").
    std::string DeclarationText() const override;

    // The result type, then every parameter's type; both with the method's Exported flag.
    void ForEachReference(const TReferenceVisit& visit) const;
    // The result type, then every parameter's type.
    void FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found);

    // Adds the method to `methods` as the target's unit needs it, or nothing (nullptr) where the
    // method does not belong. `fields` receives the fields of the database-parameters method in
    // the server class; `externalClasses` supply that method's further code.
    TgmcMethod* AddMethod(TgmcMethods& methods, TgmcFields* fields, const TGenerationTarget& target,
                          const IElementContext& context, const TemgExternalClasses& externalClasses) const;
    // The exports entry of an exported method.
    void AddExportEntry(TgmcExportMethods& target) const;
    // The library controller's routine variable "F<N>Method" and its type "T<N>Method".
    void AddFunctionPointerField(TgmcFields& target) const;
    void AddFunctionPointerType(TgmcProceduralTypes& target) const;
    // "[Result:=][Instance.]N(a,b);"
    std::string CallExpression(std::string_view instanceExpr, bool withResult) const;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    // Exported, and not one of the database support's dataset methods.
    bool ReachesHost() const { return GetExported() && !HasSetting(isDSC); }

    std::unique_ptr<TemgParameters> FParameters;
    TMethodCategory FCategory = mcProcedure;
    std::string FCode;
};

class TemgMethods : public TTypedCollection<TemgDataTypeCollection, TemgMethod> {
public:
    static constexpr std::string_view kClassName = "TemgMethods";
    const PropertyList& Published() const override { return PublishedOf<TemgMethods>(); }
    using TTypedCollection::TTypedCollection;

    void ForEachReference(const TReferenceVisit& visit) const;
    void FindOrRename(const TgmcAppellation& oldName, const TgmcAppellation* newName, TStringList* found);

    void AddMethods(TgmcMethods& methods, TgmcFields* fields, const TGenerationTarget& target,
                    const IElementContext& context, const TemgExternalClasses& externalClasses) const;
    void AddExportEntries(TgmcExportMethods& target) const;
    void AddFunctionPointerFields(TgmcFields& target) const;
    void AddFunctionPointerTypes(TgmcProceduralTypes& target) const;
};

// The result type a routine of `category` declares: the reference's name for a function, none
// for the other categories (a procedure keeps no stale result type from an earlier category).
std::string_view ResultTypeName(TMethodCategory category, const TemgDataType& dataType);

// The line by which a database-parameters method hands its arguments to the module's own data
// module: "dm<D>.SetDatabaseParams(alias,user,password);" when the module has its own connection
// that comes from the host, else empty.
std::string DataModuleParameterCall(const IElementContext& context, std::string_view alias, std::string_view user,
                                    std::string_view password);

}  // namespace quillon
