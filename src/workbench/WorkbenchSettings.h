// The per-user settings store of the workbench, values directly under the store (no section of
// our own): on Windows the registry key HKEY_CURRENT_USER\quillon, elsewhere "quillon.conf" in
// the user's configuration directory.
#pragma once

#include <memory>
#include <string>
#include <string_view>

class QSettings;

namespace quillon {

class TWorkbenchSettings {
public:
    // The store in `fileName`: a registry key when it starts with "HKEY_" (Windows only), else an
    // INI file; by default the user's store.
    explicit TWorkbenchSettings(const std::string& fileName = DefaultFileName());
    ~TWorkbenchSettings();

    // HKEY_CURRENT_USER\quillon on Windows; elsewhere the configuration directory's quillon.conf
    // (XDG_CONFIG_HOME is honoured).
    static std::string DefaultFileName();
    const std::string& FileName() const { return FFileName; }

    bool ValueExists(std::string_view name) const;
    std::string ReadString(std::string_view name, std::string_view defaultValue) const;
    // A missing or non-numeric value reads as `defaultValue`.
    int ReadInteger(std::string_view name, int defaultValue) const;
    void WriteString(std::string_view name, std::string_view value);
    void WriteInteger(std::string_view name, int value);
    // Writes the pending values to the file.
    void Flush();

private:
    std::string FFileName;
    std::unique_ptr<QSettings> FStore;
};

}  // namespace quillon
