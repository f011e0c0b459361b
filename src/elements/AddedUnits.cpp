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

std::string TemgAddUnit::UnitName() const {
    const std::string fileName = ExtractFileName(GetName());
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || !SameText(std::string_view(fileName).substr(dot), ".pas")) return {};
    return fileName.substr(0, dot);
}

std::string TemgAddUnit::FileName(std::string_view sourceDir) const {
    return ExpandFileName(SlashSeparated(GetName()), sourceDir);
}

void TemgAddUnit::AddUnitUses(TgmcUsesModules& target, std::string_view sourceDir, bool inProject) const {
    const std::string unitName = UnitName();
    if (unitName.empty()) return;
    TgmcUsesModule* entry = target.Add();
    entry->SetName(unitName);
    if (!inProject) return;
    entry->SetFileName(FileName(sourceDir));
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

std::string FormNameFromFirstLine(std::string_view line) {
    for (std::string_view word : {std::string_view("object "), std::string_view("inherited ")}) {
        if (line.substr(0, word.size()) != word) continue;
        const std::string_view rest = line.substr(word.size());
        const std::size_t colon = rest.find(':');
        if (colon == std::string_view::npos) return {};
        std::string_view name = rest.substr(0, colon);
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
        return std::string(name);
    }
    return {};
}

std::string FormFileOfUnit(std::string_view unitFileName) {
    const std::size_t nameStart = unitFileName.size() - ExtractFileName(unitFileName).size();
    const std::size_t dot = unitFileName.rfind('.');
    const std::string_view stem =
        dot == std::string_view::npos || dot < nameStart ? unitFileName : unitFileName.substr(0, dot);
    return std::string(stem) + ".dfm";
}

void TemgAddUnits::AddUnitUses(TgmcUsesModules& target, std::string_view sourceDir, bool inProject) const {
    for (int i = 0; i < Count(); ++i) Items(i)->AddUnitUses(target, sourceDir, inProject);
}

}  // namespace quillon
