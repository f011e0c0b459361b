// A temporary ODBC configuration for tests: SQLite data sources in a private directory, with
// ODBCSYSINI, ODBCINI and HOME pointing there while it lives and restored afterwards.
//
// unixODBC remembers configuration within a process in two ways, and the helper is built around
// both. It reads ODBCSYSINI once, at the first call that needs it, so every configuration of a
// process shares one system directory (created on first use, removed at exit) and rewrites its
// files. It also keeps each value it read about a data source name (driver, database) for about
// twenty seconds, whatever file it came from, so a name always gets the same database file within
// a process; that file is deleted when the configuration ends, so every test starts without one.
// Two consequences for tests: only one configuration can live at a time, and a name configured by
// an earlier test may still connect for a while after it is gone, so use a name no test configures
// where a data source must be missing.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillon::test {

enum class OdbcScope { User, System };

// The SQLite 3 ODBC driver library (Debian libsqliteodbc): $QUILLON_SQLITE_ODBC_DRIVER, else the
// one CMake found, else the first libsqlite3odbc.so in the usual library directories and their
// odbc subdirectories. Throws std::runtime_error when none is installed.
std::string SqliteOdbcDriver();

class TempOdbcConfig {
public:
    // A configuration without any data source (the driver is registered, nothing else).
    TempOdbcConfig();
    // A configuration with the one user data source `dataSource` on a SQLite database file.
    explicit TempOdbcConfig(const std::string& dataSource);
    ~TempOdbcConfig();
    TempOdbcConfig(const TempOdbcConfig&) = delete;
    TempOdbcConfig& operator=(const TempOdbcConfig&) = delete;

    // Adds a SQLite data source; a name may appear once per scope.
    void AddDataSource(const std::string& name, OdbcScope scope = OdbcScope::User);

    // The SQLite database file of data source `name`; the driver creates it on first connection.
    std::string DatabaseFile(const std::string& name) const;
    // The directory that holds the configuration files and the database files.
    std::string Directory() const;

private:
    void WriteFiles() const;

    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnvironment_;
    std::vector<std::pair<std::string, OdbcScope>> dataSources_;
};

}  // namespace quillon::test
