// Added units: units or forms of the developer's own that the library project and the debug
// project must contain, and the uses entries they give.
#pragma once

#include <string>
#include <string_view>

#include "elements/ElementBase.h"
#include "source/SourceDeclarations.h"

namespace quillon {

// Appellation.Name is the path of the unit's source file, absolute or relative to the module's
// source directory.
class TemgAddUnit : public TemgAppellationItem {
public:
    static constexpr std::string_view kClassName = "TemgAddUnit";
    static void PublishProperties(PropertyList& p);
    const PropertyList& Published() const override { return PublishedOf<TemgAddUnit>(); }

    TAddUnitType GetUnitType() const { return FUnitType; }
    void SetUnitType(TAddUnitType value) { SetField(FUnitType, value); }
    // The form or frame declared in the unit.
    const std::string& GetFormName() const { return FFormName; }
    void SetFormName(std::string_view value) { SetField(FFormName, value); }
    bool GetFrame() const { return FFrame; }
    void SetFrame(bool value) { SetField(FFrame, value); }

    // The name a uses entry gives the unit: the file's name without its ".pas" extension (any
    // letter case); empty for other files.
    std::string UnitName() const;
    // The unit's file: its name expanded against `sourceDir` (the module's output directory).
    std::string FileName(std::string_view sourceDir) const;
    // For a ".pas" file (any letter case): a uses entry named after the file, with the file's
    // full path against `sourceDir` and the form it declares. Other files add nothing. A unit's
    // uses clause (`inProject` false) takes the name alone.
    void AddUnitUses(TgmcUsesModules& target, std::string_view sourceDir, bool inProject = true) const;

protected:
    void AssignTo(TPersistent& dest) const override;

private:
    TAddUnitType FUnitType = autUnit;
    std::string FFormName;
    bool FFrame = false;
};

// The form name a form file's first line declares: the text between "object " or "inherited "
// and the ":" after it ("object Form1: TForm1" gives "Form1"); empty when the line has another
// form (a form file stored in binary, say).
std::string FormNameFromFirstLine(std::string_view line);
// The form file beside a unit: its name with the extension ".dfm".
std::string FormFileOfUnit(std::string_view unitFileName);

class TemgAddUnits : public TTypedCollection<TemgAppellationCollection, TemgAddUnit> {
public:
    static constexpr std::string_view kClassName = "TemgAddUnits";
    const PropertyList& Published() const override { return PublishedOf<TemgAddUnits>(); }
    using TTypedCollection::TTypedCollection;

    void AddUnitUses(TgmcUsesModules& target, std::string_view sourceDir, bool inProject = true) const;
};

}  // namespace quillon
