#include "project/ReopenProjects.h"

#include "platform/Text.h"

namespace quillon {

void TReopenProjects::SetMaxCount(int value) {
    FMaxCount = value < 0 ? 0 : value;
    Trim();
}

int TReopenProjects::IndexOf(std::string_view fileName) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (SameText(FItems[i], fileName)) return static_cast<int>(i);
    return -1;
}

void TReopenProjects::Trim() {
    while (Count() > FMaxCount) FItems.pop_back();
}

void TReopenProjects::Add(std::string_view fileName) {
    if (fileName.empty()) return;
    const int index = IndexOf(fileName);
    if (index >= 0) {
        // The entry keeps the letter case it was first listed with.
        std::string entry = std::move(FItems[static_cast<std::size_t>(index)]);
        FItems.erase(FItems.begin() + index);
        FItems.insert(FItems.begin(), std::move(entry));
        return;
    }
    FItems.insert(FItems.begin(), std::string(fileName));
    Trim();
}

void TReopenProjects::Remove(std::string_view fileName) {
    const int index = IndexOf(fileName);
    if (index >= 0) FItems.erase(FItems.begin() + index);
}

void TReopenProjects::Rename(std::string_view oldName, std::string_view newName) {
    const int index = IndexOf(oldName);
    if (index >= 0) FItems[static_cast<std::size_t>(index)] = newName;
}

void TReopenProjects::OpenEntry(int index) const {
    if (index < 0 || index >= Count() || !OnOpenProject) return;
    // A copy: opening a project takes its entry out of this list.
    const std::string fileName = FItems[static_cast<std::size_t>(index)];
    OnOpenProject(fileName);
}

std::string TReopenProjects::GetText() const {
    std::string text;
    for (const std::string& item : FItems) text += item + "\r\n";
    return text;
}

void TReopenProjects::SetText(std::string_view text) {
    FItems.clear();
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        const std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty()) FItems.emplace_back(line);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    Trim();
}

}  // namespace quillon
