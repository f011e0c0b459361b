// Simple type declarations in the source model: enumerated types with their values, set types
// and procedural types, and the value-name look-ups the enumeration editors use.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "source/SourceClasses.h"

namespace quillon {

// A value of an enumerated type; Name is the identifier, Caption a comment.
class TgmcEnumValue : public TgmcAppellationItem {
public:
    static constexpr std::string_view kClassName = "TgmcEnumValue";
    const PropertyList& Published() const override { return PublishedOf<TgmcEnumValue>(); }
    // Name + caption comment.
    void AppendSrcCode(std::string& dest, int indent) const override;
};

class TgmcEnumValues : public TgmcCollectionOf<TgmcEnumValue> {
public:
    static constexpr std::string_view kClassName = "TgmcEnumValues";
    const PropertyList& Published() const override { return PublishedOf<TgmcEnumValues>(); }
    using TTypedCollection::TTypedCollection;

    // Kind 0: Name, kind 1: Caption.
    std::string GetItemText(int index, int kind) const override { return AppellationText(index, kind); }
    // False when a value of that name (without regard to case) exists.
    bool IsValueNameUnique(std::string_view name) const;
    // Clears `list`, then adds every value's Name with the value attached, in index order.
    void FillStringList(TStringList& list) const;
};

class TgmcEnumType : public TgmcAppellationItem {
public:
    static constexpr std::string_view kClassName = "TgmcEnumType";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcEnumType>(); }

    TgmcEnumType();
    ~TgmcEnumType() override;

    TgmcEnumValues& Values() { return *FValues; }
    const TgmcEnumValues& Values() const { return *FValues; }
    void SetValues(const TgmcEnumValues& value) { FValues->Assign(value); }

    // Also modified when a value is; clearing clears the values.
    bool GetModified() const override;
    void SetModified(bool value) override;

    // Name=(values);caption comment; the values wrap after 80 characters at column 1.
    void AppendSrcCode(std::string& dest, int indent) const override;
    std::string PlainSrcCode() const override { return SrcCode(0); }

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    std::unique_ptr<TgmcEnumValues> FValues;
};

class TgmcEnumTypes : public TgmcCollectionOf<TgmcEnumType> {
public:
    static constexpr std::string_view kClassName = "TgmcEnumTypes";
    const PropertyList& Published() const override { return PublishedOf<TgmcEnumTypes>(); }
    using TTypedCollection::TTypedCollection;

    // "type" CRLF + declarations
    void AppendSrcCode(std::string& dest, int indent, std::string_view separator) const override;
    // Kind 0: Name, kind 1: Caption.
    std::string GetItemText(int index, int kind) const override { return AppellationText(index, kind); }
    // True when no enumerated type other than `typeName` (without regard to case) has a value
    // named `valueName`: value names may repeat only inside the type being edited.
    bool IsValueNameUnique(std::string_view typeName, std::string_view valueName) const;
};

// A set type over an enumerated type.
class TgmcSet : public TgmcAppellationItem {
public:
    static constexpr std::string_view kClassName = "TgmcSet";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcSet>(); }

    TgmcSet();
    ~TgmcSet() override;

    TgmcDataType& EnumDataType() { return *FEnumDataType; }
    const TgmcDataType& EnumDataType() const { return *FEnumDataType; }
    void SetEnumDataType(const TgmcDataType& value) { FEnumDataType->Assign(value); }

    // Name= set of Type;caption comment
    void AppendSrcCode(std::string& dest, int indent) const override;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    std::unique_ptr<TgmcDataType> FEnumDataType;
};

// Sets continue the type section of the enumerated types before them: no keyword.
class TgmcSets : public TgmcCollectionOf<TgmcSet> {
public:
    static constexpr std::string_view kClassName = "TgmcSets";
    const PropertyList& Published() const override { return PublishedOf<TgmcSets>(); }
    using TTypedCollection::TTypedCollection;
};

// A routine or method pointer type.
class TgmcProceduralType : public TgmcAppellationItem {
public:
    static constexpr std::string_view kClassName = "TgmcProceduralType";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcProceduralType>(); }

    TgmcProceduralType();
    ~TgmcProceduralType() override;

    // A function type's result; only its Name is written.
    TgmcDataType& ResultType() { return *FResultType; }
    const TgmcDataType& ResultType() const { return *FResultType; }
    void SetResultType(const TgmcDataType& value) { FResultType->Assign(value); }
    TMethodOptions GetOptions() const { return FOptions; }
    void SetOptions(TMethodOptions value) { SetField(FOptions, value); }
    TgmcParameters& Parameters() { return *FParameters; }
    const TgmcParameters& Parameters() const { return *FParameters; }
    void SetParameters(const TgmcParameters& value) { FParameters->Assign(value); }
    TMethodCategory GetMethodCategory() const { return FMethodCategory; }
    void SetMethodCategory(TMethodCategory value) { SetField(FMethodCategory, value); }

    // Name=category(parameters)[:Result][ options];caption comment
    void AppendSrcCode(std::string& dest, int indent) const override;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    std::unique_ptr<TgmcDataType> FResultType;
    TMethodOptions FOptions;
    std::unique_ptr<TgmcParameters> FParameters;
    TMethodCategory FMethodCategory = mcProcedure;
};

class TgmcProceduralTypes : public TgmcCollectionOf<TgmcProceduralType> {
public:
    static constexpr std::string_view kClassName = "TgmcProceduralTypes";
    const PropertyList& Published() const override { return PublishedOf<TgmcProceduralTypes>(); }
    using TTypedCollection::TTypedCollection;
    // "type" CRLF + declarations
    void AppendSrcCode(std::string& dest, int indent, std::string_view separator) const override;
};

}  // namespace quillon
