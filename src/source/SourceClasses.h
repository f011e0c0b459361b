// Classes and interfaces in the source model: fields, properties, methods with parameters and
// bodies, supported interfaces, and the member collections that write visibility sections.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "source/MemberEnums.h"
#include "source/SourceBase.h"
#include "source/SourceDeclarations.h"
#include "source/TextUtils.h"

namespace quillon {

class TgmcClass;

// A member of a class; writes no text of its own.
class TgmcClassMember : public TgmcAppellationItem {
public:
    static constexpr std::string_view kClassName = "TgmcClassMember";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcClassMember>(); }

    TMemberVisibility GetVisibility() const { return FVisibility; }
    void SetVisibility(TMemberVisibility value) { SetField(FVisibility, value); }

protected:
    void AssignTo(TPersistent& dest) const override;
    TMemberVisibility FVisibility = mvPublic;
};

// A field; also the base of properties and methods (DataType is their type or result type).
class TgmcField : public TgmcClassMember {
public:
    static constexpr std::string_view kClassName = "TgmcField";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcField>(); }

    TgmcField();
    ~TgmcField() override;

    TgmcDataType& DataType() { return FDataType; }
    const TgmcDataType& DataType() const { return FDataType; }
    void SetDataType(const TgmcDataType& value) { FDataType.Assign(value); }

    // Name:Type; then the caption comment.
    void AppendSrcCode(std::string& dest, int indent) const override;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    TgmcDataType FDataType;
};

class TgmcProperty : public TgmcField {
public:
    static constexpr std::string_view kClassName = "TgmcProperty";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcProperty>(); }

    TgmcProperty();
    ~TgmcProperty() override;

    const std::string& GetWriteMethodName() const { return FWriteMethodName; }
    void SetWriteMethodName(std::string_view value) { SetField(FWriteMethodName, value); }
    const std::string& GetReadMethodName() const { return FReadMethodName; }
    void SetReadMethodName(std::string_view value) { SetField(FReadMethodName, value); }
    // The index of an array property; used only when its Name is not empty.
    TgmcVar& IndexVar() { return *FIndexVar; }
    const TgmcVar& IndexVar() const { return *FIndexVar; }
    void SetIndexVar(const TgmcVar& value) { FIndexVar->Assign(value); }
    // The class's default array property.
    bool GetIsDefault() const { return FIsDefault; }
    void SetIsDefault(bool value) { SetField(FIsDefault, value); }
    // Written as the default clause of published properties only.
    const std::string& GetDefaultValue() const { return FDefaultValue; }
    void SetDefaultValue(std::string_view value) { SetField(FDefaultValue, value); }
    // The default clause's value as the declaration writes it: empty unless published.
    std::string_view WrittenDefaultValue() const;

    // [{Caption} CRLF indent] property Name[[Index:Type]]:Type[ read R][ write W][ default D];[ default;]
    void AppendSrcCode(std::string& dest, int indent) const override;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    std::string FWriteMethodName;
    std::string FReadMethodName;
    std::unique_ptr<TgmcVar> FIndexVar;
    bool FIsDefault = false;
    std::string FDefaultValue;
};

class TgmcParameter : public TgmcVar {
public:
    static constexpr std::string_view kClassName = "TgmcParameter";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcParameter>(); }

    TParameterCategory GetCategory() const { return FCategory; }
    void SetCategory(TParameterCategory value) { SetField(FCategory, value); }
    const std::string& GetDefaultValue() const { return FDefaultValue; }
    void SetDefaultValue(std::string_view value) { SetField(FDefaultValue, value); }

    // [var |const ]Name:Type[=Default]
    void AppendSrcCode(std::string& dest, int indent) const override;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    TParameterCategory FCategory = pcNone;
    std::string FDefaultValue;
};

class TgmcParameters : public TgmcCollectionOf<TgmcParameter> {
public:
    static constexpr std::string_view kClassName = "TgmcParameters";
    const PropertyList& Published() const override { return PublishedOf<TgmcParameters>(); }
    using TTypedCollection::TTypedCollection;

    // "(" + parameters + ")", or nothing without parameters.
    void AppendSrcCode(std::string& dest, int indent, std::string_view separator) const override;
    // "(" + the names joined by "," + ")", or empty: the arguments of a forwarding call.
    std::string NamesList() const;
    // Adds to `target` one parameter per parameter, carrying over only the appellation.
    void CopyTo(TgmcParameters& target) const;
};

// The body of a method: its statements (lines joined by CR LF, not indented) and local variables.
class TgmcMethodImplementation : public TPersistent {
public:
    static constexpr std::string_view kClassName = "TgmcMethodImplementation";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcMethodImplementation>(); }

    TgmcMethodImplementation();
    ~TgmcMethodImplementation() override;

    const std::string& GetCode() const { return FCode; }
    void SetCode(std::string_view value) { FCode = value; }
    // Appends CR LF and `line` in place: a constructor's body takes a line per member.
    void AppendCodeLine(std::string_view line) { FCode.append(kCrLf).append(line); }
    TgmcVars& LocalVars() { return FLocalVars; }
    const TgmcVars& LocalVars() const { return FLocalVars; }
    void SetLocalVars(const TgmcVars& value) { FLocalVars.Assign(value); }

    void Assign(const TPersistent& source) override;

private:
    std::string FCode;
    TgmcVars FLocalVars;
};

// A method of a class or a standalone routine; DataType.Name is a function's result type.
class TgmcMethod : public TgmcField {
public:
    static constexpr std::string_view kClassName = "TgmcMethod";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcMethod>(); }

    TgmcMethod();
    ~TgmcMethod() override;

    TgmcParameters& Parameters() { return FParameters; }
    const TgmcParameters& Parameters() const { return FParameters; }
    void SetParameters(const TgmcParameters& value) { FParameters.Assign(value); }
    TMethodInheritance GetInheritance() const { return FInheritance; }
    void SetInheritance(TMethodInheritance value) { SetField(FInheritance, value); }
    TgmcMethodImplementation& MethodImplementation() { return FMethodImplementation; }
    const TgmcMethodImplementation& MethodImplementation() const { return FMethodImplementation; }
    void SetMethodImplementation(const TgmcMethodImplementation& value) { FMethodImplementation.Assign(value); }
    TMethodOptions GetOptions() const { return FOptions; }
    void SetOptions(TMethodOptions value) { SetField(FOptions, value); }
    TMethodCategory GetCategory() const { return FCategory; }
    void SetCategory(TMethodCategory value) { SetField(FCategory, value); }
    // Kept with the method but written by no text; the body's variables are MethodImplementation's.
    TgmcVars& LocalVars() { return FLocalVars; }
    const TgmcVars& LocalVars() const { return FLocalVars; }
    void SetLocalVars(const TgmcVars& value) { FLocalVars.Assign(value); }
    // Declared with "forward;" (routines of an implementation part). Set by the collection.
    bool GetForward() const { return FForward; }
    void SetForward(bool value) { FForward = value; }
    // The class whose method this is (its name qualifies the body's heading); nullptr for a
    // standalone routine. Set by the collection.
    const TgmcClass* GetOwnerClass() const { return FOwnerClass; }
    void SetOwnerClass(const TgmcClass* value) { FOwnerClass = value; }
    bool GetClassMethod() const { return FClassMethod; }
    void SetClassMethod(bool value) { SetField(FClassMethod, value); }

    // The declaration: heading, result, inheritance and option words, "abstract", "forward;".
    void AppendSrcCode(std::string& dest, int indent) const override;
    // The body: heading, local variables, begin, the code indented by `indent`, end; empty for an
    // abstract method.
    std::string ImplementationSrcCode(int indent) const;
    // Appends ImplementationSrcCode(indent) to `dest`.
    void AppendImplementation(std::string& dest, int indent) const;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    // Appends [class ]category [Owner.]Name(parameters)[:Result].
    void AppendHeading(std::string& dest, bool qualified) const;

    TgmcParameters FParameters;
    TMethodInheritance FInheritance;
    TgmcMethodImplementation FMethodImplementation;
    TMethodOptions FOptions;
    TMethodCategory FCategory = mcProcedure;
    TgmcVars FLocalVars;
    bool FForward = false;
    const TgmcClass* FOwnerClass = nullptr;
    bool FClassMethod = false;
};

// The base of the fields, properties and methods of a class.
class TgmcMemberCollection : public TgmcCollection {
public:
    static constexpr std::string_view kClassName = "TgmcMemberCollection";
    const PropertyList& Published() const override { return PublishedOf<TgmcMemberCollection>(); }
    using TgmcCollection::TgmcCollection;

    // The visibility word, then every member of that visibility on its own line indented by
    // `indent` (repeated names included); empty when no member has that visibility.
    std::string VisibilitySrcCode(TMemberVisibility visibility, int indent) const;
    // Appends VisibilitySrcCode(visibility, indent) to `dest`.
    void AppendVisibility(std::string& dest, TMemberVisibility visibility, int indent) const;
};

class TgmcFields : public TTypedCollection<TgmcMemberCollection, TgmcField> {
public:
    static constexpr std::string_view kClassName = "TgmcFields";
    const PropertyList& Published() const override { return PublishedOf<TgmcFields>(); }
    using TTypedCollection::TTypedCollection;
};

class TgmcProperties : public TTypedCollection<TgmcMemberCollection, TgmcProperty> {
public:
    static constexpr std::string_view kClassName = "TgmcProperties";
    const PropertyList& Published() const override { return PublishedOf<TgmcProperties>(); }
    using TTypedCollection::TTypedCollection;
};

// Methods hand their Forward flag and owner class to every method that joins them.
class TgmcMethods : public TTypedCollection<TgmcMemberCollection, TgmcMethod> {
public:
    static constexpr std::string_view kClassName = "TgmcMethods";
    const PropertyList& Published() const override { return PublishedOf<TgmcMethods>(); }
    using TTypedCollection::TTypedCollection;

    bool GetForward() const { return FForward; }
    void SetForward(bool value) { FForward = value; }
    const TgmcClass* GetOwnerClass() const { return FOwnerClass; }
    void SetOwnerClass(const TgmcClass* value) { FOwnerClass = value; }

    // Appends the bodies of all methods in index order joined by CR LF (repeated names included).
    void AppendImplementation(std::string& dest, int indent) const;

protected:
    void ItemAdded(TCollectionItem& item) override;

private:
    bool FForward = false;
    const TgmcClass* FOwnerClass = nullptr;
};

// An interface that a class implements; Name is the interface type.
class TgmcSupportedInterface : public TgmcAppellationItem {
public:
    static constexpr std::string_view kClassName = "TgmcSupportedInterface";
    const PropertyList& Published() const override { return PublishedOf<TgmcSupportedInterface>(); }
    void AppendSrcCode(std::string& dest, int indent) const override;
};

class TgmcSupportedInterfaces : public TgmcCollectionOf<TgmcSupportedInterface> {
public:
    static constexpr std::string_view kClassName = "TgmcSupportedInterfaces";
    const PropertyList& Published() const override { return PublishedOf<TgmcSupportedInterfaces>(); }
    using TTypedCollection::TTypedCollection;
};

// A class or interface type; Name is the type name, Caption a comment.
class TgmcClass : public TgmcAppellationItem {
public:
    static constexpr std::string_view kClassName = "TgmcClass";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcClass>(); }

    TgmcClass();
    ~TgmcClass() override;

    // Only its Name is written.
    TgmcDataType& ParentClass() { return *FParentClass; }
    const TgmcDataType& ParentClass() const { return *FParentClass; }
    void SetParentClass(const TgmcDataType& value) { FParentClass->Assign(value); }
    TgmcMethods& Methods() { return *FMethods; }
    const TgmcMethods& Methods() const { return *FMethods; }
    void SetMethods(const TgmcMethods& value) { FMethods->Assign(value); }
    TgmcProperties& Properties() { return *FProperties; }
    const TgmcProperties& Properties() const { return *FProperties; }
    void SetProperties(const TgmcProperties& value) { FProperties->Assign(value); }
    TgmcFields& Fields() { return *FFields; }
    const TgmcFields& Fields() const { return *FFields; }
    void SetFields(const TgmcFields& value) { FFields->Assign(value); }
    TClassGenOption GetOption() const { return FOption; }
    void SetOption(TClassGenOption value) { SetField(FOption, value); }
    // Written in square brackets under an interface heading (a GUID literal or constant name).
    const std::string& GetInterfaceGUIDIdentifier() const { return FInterfaceGUIDIdentifier; }
    void SetInterfaceGUIDIdentifier(std::string_view value) { SetField(FInterfaceGUIDIdentifier, value); }
    TgmcSupportedInterfaces& SupportedInterfaces() { return *FSupportedInterfaces; }
    const TgmcSupportedInterfaces& SupportedInterfaces() const { return *FSupportedInterfaces; }
    void SetSupportedInterfaces(const TgmcSupportedInterfaces& value) { FSupportedInterfaces->Assign(value); }

    // The declaration: a line with one blank, the caption comment, the heading, the visibility
    // sections of fields, methods and properties, "end;".
    void AppendSrcCode(std::string& dest, int indent) const override;
    // The method bodies under a class-name comment; empty for interfaces and without bodies.
    std::string ImplementationSrcCode(int indent) const;
    // Appends ImplementationSrcCode(indent) to `dest`.
    void AppendImplementation(std::string& dest, int indent) const;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    std::unique_ptr<TgmcDataType> FParentClass;
    std::unique_ptr<TgmcMethods> FMethods;
    std::unique_ptr<TgmcProperties> FProperties;
    std::unique_ptr<TgmcFields> FFields;
    TClassGenOption FOption = cgoClass;
    std::string FInterfaceGUIDIdentifier;
    std::unique_ptr<TgmcSupportedInterfaces> FSupportedInterfaces;
};

class TgmcClasses : public TgmcCollectionOf<TgmcClass> {
public:
    static constexpr std::string_view kClassName = "TgmcClasses";
    const PropertyList& Published() const override { return PublishedOf<TgmcClasses>(); }
    using TTypedCollection::TTypedCollection;

    // "type" CRLF + declarations
    void AppendSrcCode(std::string& dest, int indent, std::string_view separator) const override;
    // The class bodies in index order joined by CR LF.
    std::string ImplementationSrcCode(int indent) const;
    // Appends ImplementationSrcCode(indent) to `dest`.
    void AppendImplementation(std::string& dest, int indent) const;
};

}  // namespace quillon
