// The simple declarations of a unit in the source model: uses entries, constants, variables and
// resource strings, each with the collection that writes its section.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "source/SourceBase.h"

namespace quillon {

// One unit of a uses clause; Name is the unit name.
class TgmcUsesModule : public TgmcAppellationItem {
public:
    static constexpr std::string_view kClassName = "TgmcUsesModule";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcUsesModule>(); }

    const std::string& GetFileName() const { return FFileName; }
    void SetFileName(std::string_view value) { SetField(FFileName, value); }
    const std::string& GetFormName() const { return FFormName; }
    void SetFormName(std::string_view value) { SetField(FFormName, value); }
    bool GetFrame() const { return FFrame; }
    void SetFrame(bool value) { SetField(FFrame, value); }

    // Name [in 'FileName'] [{FormName} or {FormName: TFrame}]
    void AppendSrcCode(std::string& dest, int indent) const override;

protected:
    // Copies the appellation, FileName and Frame; FormName stays.
    void AssignTo(TPersistent& dest) const override;

private:
    std::string FFileName;
    std::string FFormName;
    bool FFrame = false;
};

class TgmcUsesModules : public TgmcCollectionOf<TgmcUsesModule> {
public:
    static constexpr std::string_view kClassName = "TgmcUsesModules";
    const PropertyList& Published() const override { return PublishedOf<TgmcUsesModules>(); }
    using TTypedCollection::TTypedCollection;
    // "uses " CRLF + entries + ";" CRLF
    void AppendSrcCode(std::string& dest, int indent, std::string_view separator) const override;
};

class TgmcConst : public TgmcAppellationItem {
public:
    static constexpr std::string_view kClassName = "TgmcConst";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcConst>(); }

    TgmcConst();
    ~TgmcConst() override;

    TgmcDataType& DataType() { return FDataType; }
    const TgmcDataType& DataType() const { return FDataType; }
    void SetDataType(const TgmcDataType& value) { FDataType.Assign(value); }
    const std::string& GetValue() const { return FValue; }
    void SetValue(std::string_view value) { SetField(FValue, value); }

    // Name:Type=Value; or, without a type name, Name=Value; then the caption comment.
    void AppendSrcCode(std::string& dest, int indent) const override;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    TgmcDataType FDataType;
    std::string FValue;
};

class TgmcConsts : public TgmcCollectionOf<TgmcConst> {
public:
    static constexpr std::string_view kClassName = "TgmcConsts";
    const PropertyList& Published() const override { return PublishedOf<TgmcConsts>(); }
    using TTypedCollection::TTypedCollection;
    // "const" CRLF + declarations
    void AppendSrcCode(std::string& dest, int indent, std::string_view separator) const override;
};

// A variable; also the base of parameters and of a property's index variable.
class TgmcVar : public TgmcAppellationItem {
public:
    static constexpr std::string_view kClassName = "TgmcVar";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcVar>(); }

    TgmcVar();
    ~TgmcVar() override;

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

class TgmcVars : public TgmcCollectionOf<TgmcVar> {
public:
    static constexpr std::string_view kClassName = "TgmcVars";
    const PropertyList& Published() const override { return PublishedOf<TgmcVars>(); }
    using TTypedCollection::TTypedCollection;
    // "var " CRLF + declarations
    void AppendSrcCode(std::string& dest, int indent, std::string_view separator) const override;
};

// A resource string; Value is written between apostrophes as it is (callers double them).
class TgmcResourceString : public TgmcAppellationItem {
public:
    static constexpr std::string_view kClassName = "TgmcResourceString";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcResourceString>(); }

    const std::string& GetValue() const { return FValue; }
    void SetValue(std::string_view value) { SetField(FValue, value); }

    // Name = 'Value';
    void AppendSrcCode(std::string& dest, int indent) const override;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    std::string FValue;
};

class TgmcResourceStrings : public TgmcCollectionOf<TgmcResourceString> {
public:
    static constexpr std::string_view kClassName = "TgmcResourceStrings";
    const PropertyList& Published() const override { return PublishedOf<TgmcResourceStrings>(); }
    using TTypedCollection::TTypedCollection;
    // "resourcestring" CRLF + declarations
    void AppendSrcCode(std::string& dest, int indent, std::string_view separator) const override;
};

}  // namespace quillon
