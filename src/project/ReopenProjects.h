// The most-recently-used list of project files that the workbench offers as its Reopen menu:
// full paths, most recent first, without duplicates (compared without regard to case).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class TReopenProjects {
public:
    static constexpr int kDefaultMaxCount = 10;

    int GetMaxCount() const { return FMaxCount; }
    // Trims the list at once.
    void SetMaxCount(int value);

    // Called with the chosen entry's file name when the user picks it.
    std::function<void(const std::string&)> OnOpenProject;

    // An empty name does nothing; a name already listed moves to the top; a new one is inserted
    // at the top and the list trimmed.
    void Add(std::string_view fileName);
    // Deletes the first entry equal to `fileName`; nothing when absent.
    void Remove(std::string_view fileName);
    // Replaces the entry equal to `oldName` by `newName`; nothing when absent.
    void Rename(std::string_view oldName, std::string_view newName);

    const std::vector<std::string>& Items() const { return FItems; }
    int Count() const { return static_cast<int>(FItems.size()); }

    // A menu entry remembers its index; a stale index (the list shrank since) does nothing.
    void OpenEntry(int index) const;

    // The stored form: entries joined by CR LF, with a trailing CR LF.
    std::string GetText() const;
    // Splits the stored form into lines (CR LF, LF or CR) and takes them as the list, in order;
    // empty lines are skipped.
    void SetText(std::string_view text);

private:
    int IndexOf(std::string_view fileName) const;
    void Trim();

    std::vector<std::string> FItems;
    int FMaxCount = kDefaultMaxCount;
};

}  // namespace quillon
