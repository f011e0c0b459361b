// Program and library project sources and project group files in the source model, with the
// extension helper the project group uses.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/Persistent.h"
#include "source/SourceDeclarations.h"

namespace quillon {

// What a project source declares itself as.
enum class TgmcProjectKind : std::uint8_t { pkProgram, pkLibrary };
using enum TgmcProjectKind;

// A routine a library exports; Name is the routine and the name it is exported under.
class TgmcExportMethod : public TgmcAppellationItem {
public:
    static constexpr std::string_view kClassName = "TgmcExportMethod";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcExportMethod>(); }

    // The unit that declares the routine, or empty. A qualified routine is found even where a
    // unit, the library itself or a later unit's identifier carries its name.
    const std::string& GetUnitName() const { return FUnitName; }
    void SetUnitName(std::string_view value) { SetField(FUnitName, value); }

    // [UnitName.]Name name 'Name'
    void AppendSrcCode(std::string& dest, int indent) const override;

protected:
    // Copies the appellation and UnitName.
    void AssignTo(TPersistent& dest) const override;

private:
    std::string FUnitName;
};

class TgmcExportMethods : public TgmcCollectionOf<TgmcExportMethod> {
public:
    static constexpr std::string_view kClassName = "TgmcExportMethods";
    const PropertyList& Published() const override { return PublishedOf<TgmcExportMethods>(); }
    using TTypedCollection::TTypedCollection;
    // "exports" CRLF + entries + ";"
    void AppendSrcCode(std::string& dest, int indent, std::string_view separator) const override;
};

// The project source of a program or a library.
class TgmcProject : public TComponent {
public:
    static constexpr std::string_view kClassName = "TgmcProject";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcProject>(); }

    TgmcProject();
    ~TgmcProject() override;

    // The statements between "begin" and "end.", written unchanged (the caller indents them).
    const std::string& GetImplementCode() const { return FImplementCode; }
    void SetImplementCode(std::string_view value) { FImplementCode = value; }
    TgmcAppellation& Appellation() { return *FAppellation; }
    const TgmcAppellation& Appellation() const { return *FAppellation; }
    void SetAppellation(const TgmcAppellation& value) { FAppellation->Assign(value); }
    TgmcExportMethods& ExportMethods() { return *FExportMethods; }
    const TgmcExportMethods& ExportMethods() const { return *FExportMethods; }
    void SetExportMethods(const TgmcExportMethods& value) { FExportMethods->Assign(value); }
    TgmcUsesModules& UsesModules() { return *FUsesModules; }
    const TgmcUsesModules& UsesModules() const { return *FUsesModules; }
    void SetUsesModules(const TgmcUsesModules& value) { FUsesModules->Assign(value); }

    // The whole project source after `header`: heading, uses (one unit per line), a library's
    // exports, the main block. No line break after the final "end.".
    std::string SrcCode(TgmcProjectKind kind, std::string_view header = {}) const;

protected:
    // A TgmcProject target receives the appellation, uses, exports and code, in that order.
    void AssignTo(TPersistent& dest) const override;

private:
    std::string FImplementCode;
    std::unique_ptr<TgmcAppellation> FAppellation;
    std::unique_ptr<TgmcExportMethods> FExportMethods;
    std::unique_ptr<TgmcUsesModules> FUsesModules;
};

// A project group file: the projects to build together, in build order.
class TgmcProjectGroup : public TComponent {
public:
    static constexpr std::string_view kClassName = "TgmcProjectGroup";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TgmcProjectGroup>(); }

    TgmcProjectGroup();
    ~TgmcProjectGroup() override;

    // One entry per project: the path of its output file (library or program).
    TStringList& ProjectFiles() { return *FProjectFiles; }
    const TStringList& ProjectFiles() const { return *FProjectFiles; }
    void SetProjectFiles(const TStringList& value) { FProjectFiles->Assign(value); }

    // The make-format group text; no line break at its end.
    std::string SrcCode() const;

private:
    std::unique_ptr<TStringList> FProjectFiles;
};

// `fileName` with every occurrence of its current extension (from the last "." after the last
// "\", "/" or ":") replaced by `newExtension` (given a leading "." when it has none); unchanged
// when the file name has no extension.
std::string ChangeExtension(std::string_view fileName, std::string_view newExtension);

// The file name part of a path: the text after the last "\", "/" or ":".
std::string_view FileNamePart(std::string_view path);

}  // namespace quillon
