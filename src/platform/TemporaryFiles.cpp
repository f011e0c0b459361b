// The temporary files of the atomic writer: their names, the registry of those being written,
// which an interrupt removes, and the removal of what an ended process left behind.
#include <atomic>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <unordered_set>

#include "platform/FileSystemInternal.h"
#include "platform/ProcessInternal.h"

namespace fs = std::filesystem;

namespace quillon {

namespace {

std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}

// The temporary files written now; guarded by RegistryMutex.
std::unordered_set<fs::path::string_type>& InFlight() {
    static std::unordered_set<fs::path::string_type> files;
    return files;
}

// The directories whose leftovers this process has looked at; guarded by RegistryMutex.
std::unordered_set<fs::path::string_type>& SweptDirectories() {
    static std::unordered_set<fs::path::string_type> directories;
    return directories;
}

// The process id in a leftover's name ".NAME.tmp<pid>-<n>", or 0 when `name` is not one.
std::uint64_t LeftoverProcess(const std::string& name) {
    const std::size_t tmp = name.rfind(".tmp");
    if (name.size() < 2 || name[0] != '.' || tmp == 0 || tmp == std::string::npos) return 0;
    const char* first = name.data() + tmp + 4;
    const char* last = name.data() + name.size();
    std::uint64_t pid = 0;
    std::uint64_t number = 0;
    auto [dash, pidError] = std::from_chars(first, last, pid);
    if (pidError != std::errc() || dash == last || *dash != '-') return 0;
    auto [end, numberError] = std::from_chars(dash + 1, last, number);
    return numberError == std::errc() && end == last && dash + 1 != end ? pid : 0;
}

// Removes the leftovers in `dir` of processes that no longer run; a process that still runs may
// be writing them now.
void RemoveLeftovers(const fs::path& dir) {
    std::error_code ec;
    for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::uint64_t pid = LeftoverProcess(Utf8FromPath(it->path().filename()));
        if (pid != 0 && pid != CurrentProcessId() && !ProcessRuns(pid)) {
            std::error_code removeError;
            fs::remove(it->path(), removeError);
        }
    }
}

}  // namespace

fs::path NewTemporaryFile(const fs::path& target) {
    static std::atomic<std::uint64_t> counter{0};
    const fs::path dir = target.parent_path();
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about "." + a string.
    std::string name = ".";
    name += Utf8FromPath(target.filename());
    name += ".tmp";
    name += std::to_string(CurrentProcessId());
    name += '-';
    name += std::to_string(++counter);
    fs::path temp = dir / PathFromUtf8(name);
    bool sweep = false;
    {
        const std::lock_guard lock(RegistryMutex());
        InFlight().insert(temp.native());
        sweep = SweptDirectories().insert(dir.native()).second;
    }
    if (sweep) RemoveLeftovers(dir);
    return temp;
}

void ForgetTemporaryFile(const fs::path& temp) {
    const std::lock_guard lock(RegistryMutex());
    InFlight().erase(temp.native());
}

void DiscardTemporaryFile(const fs::path& temp) {
    std::error_code ec;
    fs::remove(temp, ec);
    ForgetTemporaryFile(temp);
}

void InterruptIfDue() {
    if (FaultAt(ScopedWriteFault::Step::Interrupt) && InstalledWriteFault()->InterruptsNextFile())
        InterruptWrite(InstalledWriteFault()->Error());
}

void RemoveTemporaryFilesInFlight() {
    // The lock is kept: the process ends, and no writer may start another file meanwhile.
    RegistryMutex().lock();
    for (const fs::path::string_type& temp : InFlight()) {
        std::error_code ec;
        fs::remove(fs::path(temp), ec);
    }
}

}  // namespace quillon
