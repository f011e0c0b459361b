// The database engine's aliases: the ODBC data source names (unixODBC on POSIX, the system's
// odbc32 on Windows), and the connection test the workbench offers for them.
#pragma once

#include <string>
#include <vector>

namespace quillon {

// The configured data sources, user and system alike, sorted without regard to case with
// duplicates (a user and a system data source of the same name) listed once. Without any ODBC
// configuration the list is empty. Raises Exception only when the driver manager cannot start.
std::vector<std::string> DataSourceNames();

// Connects to `dataSource` with the given user name and password, then disconnects. On failure
// raises Exception ("Cannot connect to data source '%s': %s") whose text names the data source and
// carries every diagnostic record of the driver manager and the driver, "[SQLSTATE] text" one to a
// line. The workbench reports success with kConnectionEstablished.
//
// What a connection does is the driver's business: the SQLite driver, for one, opens the file in
// the data source's Database attribute and creates an empty database there when it is missing.
//
// unixODBC's SQLConnect refuses a name longer than 32 characters (SQL_MAX_DSN_LENGTH) with
// "[HY090] ... Invalid string or buffer length", though such a name is listed and configurable.
//
// unixODBC keeps what it read about a data source name for some twenty seconds within a process,
// so an edit of odbc.ini may take that long to reach a repeated test of the same name.
void TestConnection(const std::string& dataSource, const std::string& userName, const std::string& password);

}  // namespace quillon
