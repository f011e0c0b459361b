#include "generator/GeneratedFileWriters.h"

#include <functional>

#include "platform/FileSystem.h"

namespace quillon {

bool IGeneratedFileWriter::KeepsExisting(const std::string& fileName, const TWriteRules& rules) const {
    return !rules.replaceExisting && FileExists(fileName);
}

void IGeneratedFileWriter::CheckWritable(const std::vector<TGeneratedFile>&) const {}

bool DiskFileWriter::Write(std::string_view text, const std::string& fileName, const TWriteRules& rules) {
    return WriteGeneratedFile(text, fileName, rules);
}

bool PlanningFileWriter::Write(std::string_view utf8Text, const std::string& fileName, const TWriteRules& rules) {
    // Judged by the bytes the disk writer would write.
    std::string encoded;
    const std::string_view text = EncodedFileText(utf8Text, rules.encoding, fileName, encoded);
    const std::string name = NormalizePath(fileName);
    auto [entry, firstSeen] = contents_.try_emplace(name);
    Contents& contents = entry->second;
    if (firstSeen) {
        order_.push_back(name);
        contents.onDisk = FileExists(name);
    }
    const auto hash = [text] { return std::hash<std::string_view>{}(text); };
    const bool plannedExists = !contents.sameAsDisk || contents.onDisk;
    if (plannedExists) {
        if (!rules.replaceExisting) return false;
        const bool same = contents.sameAsDisk ? FileHoldsText(name, text)
                                              : contents.plannedSize == text.size() && contents.plannedHash == hash();
        if (same) return false;
    }
    // A text that goes back to the disk's leaves the file as it is.
    contents.sameAsDisk = contents.onDisk && !contents.sameAsDisk && FileHoldsText(name, text);
    contents.plannedSize = text.size();
    contents.plannedHash = hash();
    return true;
}

std::vector<PlanningFileWriter::PlannedFile> PlanningFileWriter::Files() const {
    std::vector<PlannedFile> files;
    for (const std::string& name : order_) {
        const Contents& contents = contents_.at(name);
        const Change change = !contents.onDisk        ? Change::Created
                              : !contents.sameAsDisk ? Change::Changed
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
