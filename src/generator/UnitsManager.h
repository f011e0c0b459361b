// The generated-file kinds an owner (a module or a debug application) offers: one entry per kind,
// each forwarding the requests for its file name, form name and text to its owner; and the
// tree images of the kinds.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "elements/ModuleOptions.h"
#include "model/Collection.h"

namespace quillon {

class IModuleResolver;

// What an owner of generated files answers for each of its kinds.
class IUnitsOwner {
public:
    virtual ~IUnitsOwner() = default;
    // The file name of `kind`, preceded by the owner's output directory when `basePath` (the
    // project's source path) is not empty; empty for a kind the owner does not write.
    virtual std::string UnitFileName(TFileKind kind, std::string_view basePath) const = 0;
    // The name of the form the kind's unit declares (empty for a module's kinds).
    virtual std::string UnitFormName(TFileKind kind) const = 0;
    // The text of `kind` without header; empty when there is none.
    virtual std::string UnitText(TFileKind kind, const IModuleResolver& resolver) const = 0;
};

// The image index of a kind in the workbench's tree of generated units.
int FileKindImage(TFileKind kind);

class TUnitsManager : public TCollectionItem {
public:
    static constexpr std::string_view kClassName = "TUnitsManager";
    const PropertyList& Published() const override { return PublishedOf<TUnitsManager>(); }

    TFileKind Kind() const { return FKind; }
    void SetKind(TFileKind kind) { FKind = kind; }
    std::string_view Caption() const { return FileKindCaption(FKind); }
    int ImageIndex() const { return FileKindImage(FKind); }

    std::string FileName(std::string_view basePath = {}) const { return Owner().UnitFileName(FKind, basePath); }
    std::string FormName() const { return Owner().UnitFormName(FKind); }
    std::string Text(const IModuleResolver& resolver) const { return Owner().UnitText(FKind, resolver); }

    std::string GetDisplayName() const override { return std::string(Caption()); }

private:
    const IUnitsOwner& Owner() const;

    TFileKind FKind = TFileKind::GeneratorServerUnit;
};

class TUnitsManagerCollection : public TTypedCollection<TCollection, TUnitsManager> {
public:
    static constexpr std::string_view kClassName = "TUnitsManagerCollection";
    const PropertyList& Published() const override { return PublishedOf<TUnitsManagerCollection>(); }

    explicit TUnitsManagerCollection(const IUnitsOwner& owner) : FOwner(owner) {}

    const IUnitsOwner& UnitsOwner() const { return FOwner; }
    TUnitsManager& AddKind(TFileKind kind);
    // The entry of `kind`, or nullptr.
    const TUnitsManager* FindKind(TFileKind kind) const;

private:
    const IUnitsOwner& FOwner;
};

}  // namespace quillon
