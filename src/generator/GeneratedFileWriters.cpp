#include "generator/GeneratedFileWriters.h"

#include "platform/FileSystem.h"

namespace quillon {

bool DiskFileWriter::Write(std::string_view text, const std::string& fileName, const TWriteRules& rules) {
    return WriteGeneratedFile(text, fileName, rules);
}

bool PlanningFileWriter::Write(std::string_view text, const std::string& fileName, const TWriteRules& rules) {
    const std::string name = NormalizePath(fileName);
    auto [entry, firstSeen] = contents_.try_emplace(name);
    Contents& contents = entry->second;
    if (firstSeen) {
        order_.push_back(name);
        if (FileExists(name)) contents.onDisk = ReadFileBytes(name);
        contents.planned = contents.onDisk;
    }
    if (contents.planned && (!rules.replaceExisting || *contents.planned == text)) return false;
    contents.planned = std::string(text);
    return true;
}

std::vector<PlanningFileWriter::PlannedFile> PlanningFileWriter::Files() const {
    std::vector<PlannedFile> files;
    for (const std::string& name : order_) {
        const Contents& contents = contents_.at(name);
        const Change change = !contents.onDisk                      ? Change::Created
                              : *contents.onDisk != *contents.planned ? Change::Changed
                                                                      : Change::None;
        files.push_back({name, change});
    }
    return files;
}

std::vector<std::string> PlanningFileWriter::ChangedFiles() const {
    std::vector<std::string> names;
    for (const PlannedFile& file : Files())
        if (file.change != Change::None) names.push_back(file.fileName);
    return names;
}

}  // namespace quillon
