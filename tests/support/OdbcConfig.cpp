#include "support/OdbcConfig.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "support/TempDir.h"

namespace quillon::test {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDriverFile = "libsqlite3odbc.so";

// The process's one ODBC directory: odbcinst.ini and the system odbc.ini at the top, the user's
// .odbc.ini in home/, the SQLite databases in databases/.
class OdbcDirectory {
public:
    OdbcDirectory() {
        path_ = MakeUniqueDirectory("quillon-odbc-");
        fs::create_directory(Home());
        fs::create_directory(Databases());
    }
    ~OdbcDirectory() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    OdbcDirectory(const OdbcDirectory&) = delete;
    OdbcDirectory& operator=(const OdbcDirectory&) = delete;

    const std::string& Path() const { return path_; }
    std::string Home() const { return path_ + "/home"; }
    std::string Databases() const { return path_ + "/databases"; }
    std::string SystemIni() const { return path_ + "/odbc.ini"; }
    std::string UserIni() const { return Home() + "/.odbc.ini"; }

private:
    std::string path_;
};

OdbcDirectory& ProcessDirectory() {
    static OdbcDirectory directory;
    return directory;
}

// Whether a configuration lives now.
bool configurationAlive = false;

void SetVariable(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
    // An empty value removes the variable.
    ::_putenv_s(name.c_str(), value ? value->c_str() : "");
#else
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
#endif
}

// Database file names come from data source names, which may hold any character but ']'.
std::string FileNameFor(const std::string& dataSource) {
    std::string name;
    for (const char c : dataSource) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '_';
        name += plain ? c : '_';
    }
    return name + ".sqlite";
}

void WriteOrRemove(const std::string& path, const std::string& text) {
    if (text.empty()) {
        std::error_code ec;
        fs::remove(path, ec);
    } else {
        WriteText(path, text);
    }
}

}  // namespace

std::string SqliteOdbcDriver() {
    if (const char* path = std::getenv("QUILLON_SQLITE_ODBC_DRIVER"); path && *path) return path;
    std::error_code ec;
    if (fs::exists(QUILLON_SQLITE_ODBC_DRIVER_FOUND, ec)) return QUILLON_SQLITE_ODBC_DRIVER_FOUND;
    // Distributions put it in the library directory (Fedora: /usr/lib64) or an odbc directory
    // below a multiarch one (Debian: /usr/lib/x86_64-linux-gnu/odbc).
    for (const char* root : {"/usr/local/lib", "/usr/lib64", "/usr/lib", "/lib64", "/lib"}) {
        std::vector<fs::path> directories{root};
        for (const auto& entry : fs::directory_iterator(root, ec))
            if (entry.is_directory(ec)) directories.push_back(entry.path());
        for (const fs::path& directory : directories)
            for (const fs::path& candidate : {directory / "odbc" / kDriverFile, directory / kDriverFile})
                if (fs::exists(candidate, ec)) return candidate.string();
    }
    throw std::runtime_error("The SQLite ODBC driver (libsqlite3odbc.so) is not installed: apt-get install libsqliteodbc");
}

TempOdbcConfig::TempOdbcConfig() {
    if (configurationAlive)
        throw std::logic_error("only one TempOdbcConfig at a time: the ODBC environment is process-wide");
    const std::string driver = SqliteOdbcDriver();
    const OdbcDirectory& directory = ProcessDirectory();
    // odbcinst.ini only registers the driver; the data sources name its library directly, so
    // that they connect even where unixODBC settled on another system directory earlier in the
    // process.
    WriteText(directory.Path() + "/odbcinst.ini",
              "[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=" + driver + "\n");

    for (const char* name : {"ODBCSYSINI", "ODBCINI", "ODBCINSTINI", "HOME"}) {
        const char* value = std::getenv(name);
        savedEnvironment_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    SetVariable("ODBCSYSINI", directory.Path());
    SetVariable("ODBCINI", directory.UserIni());
    SetVariable("ODBCINSTINI", std::nullopt);
    SetVariable("HOME", directory.Home());
    configurationAlive = true;
    WriteFiles();
}

TempOdbcConfig::TempOdbcConfig(const std::string& dataSource) : TempOdbcConfig() { AddDataSource(dataSource); }

TempOdbcConfig::~TempOdbcConfig() {
    dataSources_.clear();
    WriteFiles();
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(ProcessDirectory().Databases(), ec)) fs::remove_all(entry.path(), ec);
    for (const auto& [name, value] : savedEnvironment_) SetVariable(name, value);
    configurationAlive = false;
}

void TempOdbcConfig::AddDataSource(const std::string& name, OdbcScope scope) {
    if (name.empty() || name.find_first_of("[]\r\n") != std::string::npos)
        throw std::invalid_argument("not a data source name for an ini file: '" + name + "'");
    for (const auto& [existing, existingScope] : dataSources_)
        if (existing == name && existingScope == scope)
            throw std::invalid_argument("data source '" + name + "' is configured already");
    dataSources_.emplace_back(name, scope);
    WriteFiles();
}

std::string TempOdbcConfig::DatabaseFile(const std::string& name) const {
    return ProcessDirectory().Databases() + "/" + FileNameFor(name);
}

std::string TempOdbcConfig::Directory() const { return ProcessDirectory().Path(); }

void TempOdbcConfig::WriteFiles() const {
    std::string user;
    std::string system;
    for (const auto& [name, scope] : dataSources_) {
        const std::string section = "[" + name + "]\nDescription=Quillon test database\nDriver=" + SqliteOdbcDriver() +
                                    "\nDatabase=" + DatabaseFile(name) + "\n";
        (scope == OdbcScope::User ? user : system) += section;
    }
    WriteOrRemove(ProcessDirectory().UserIni(), user);
    WriteOrRemove(ProcessDirectory().SystemIni(), system);
}

}  // namespace quillon::test
