#include "elements/AddedUnits.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace quillon {

void TemgAddUnit::PublishProperties(PropertyList& p) {
    TemgAppellationItem::PublishProperties(p);
    p.Enumeration<TAddUnitType>("UnitType", &TemgAddUnit::GetUnitType, &TemgAddUnit::SetUnitType, AddUnitTypeNames,
                                std::nullopt);
    p.String("FormName", &TemgAddUnit::GetFormName, &TemgAddUnit::SetFormName);
    p.Boolean("Frame", &TemgAddUnit::GetFrame, &TemgAddUnit::SetFrame, std::nullopt);
}

void TemgAddUnit::AddUnitUses(TgmcUsesModules& target, std::string_view sourceDir) const {
    const std::string fileName = ExtractFileName(GetName());
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || !SameText(std::string_view(fileName).substr(dot), ".pas")) return;
    // Names stored on Windows separate directories with backslashes.
    std::string path = GetName();
    std::replace(path.begin(), path.end(), '\\', '/');

    TgmcUsesModule* entry = target.Add();
    entry->SetName(fileName.substr(0, dot));
    entry->SetFileName(ExpandFileName(path, sourceDir));
    if (!FFormName.empty()) entry->SetFormName(FFormName);
    entry->SetFrame(FFrame);
}

void TemgAddUnit::AssignTo(TPersistent& dest) const {
    TemgAppellationItem::AssignTo(dest);
    if (auto* target = dynamic_cast<TemgAddUnit*>(&dest)) {
        target->SetUnitType(FUnitType);
        target->SetFormName(FFormName);
        target->SetFrame(FFrame);
    }
}

void TemgAddUnits::AddUnitUses(TgmcUsesModules& target, std::string_view sourceDir) const {
    for (int i = 0; i < Count(); ++i) Items(i)->AddUnitUses(target, sourceDir);
}

}  // namespace quillon
