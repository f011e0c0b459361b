#include "platform/DataSources.h"

// Windows' ODBC headers use its base types without including them.
#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "platform/Exception.h"
#include "platform/Format.h"
#include "platform/PlatformMessages.h"
#include "platform/Text.h"

namespace quillon {

namespace {

// Owns one ODBC handle and frees it when the scope ends, whatever way it ends.
class OdbcHandle {
public:
    OdbcHandle(SQLSMALLINT type, SQLHANDLE handle) : type_(type), handle_(handle) {}
    ~OdbcHandle() {
        if (handle_ != nullptr) ::SQLFreeHandle(type_, handle_);
    }
    OdbcHandle(OdbcHandle&& other) noexcept
        : type_(other.type_), handle_(std::exchange(other.handle_, nullptr)) {}
    OdbcHandle& operator=(OdbcHandle&&) = delete;

    SQLSMALLINT Type() const { return type_; }
    SQLHANDLE Get() const { return handle_; }

private:
    SQLSMALLINT type_;
    SQLHANDLE handle_;
};

// Every diagnostic record on `handle`, "[SQLSTATE] text" one to a line.
std::string Diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
    std::string result;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER nativeError = 0;
        std::string text(512, '\0');
        SQLSMALLINT textLength = 0;
        auto read = [&] {
            return ::SQLGetDiagRec(type, handle, record, state, &nativeError,
                                   reinterpret_cast<SQLCHAR*>(text.data()),
                                   static_cast<SQLSMALLINT>(text.size()), &textLength);
        };
        if (!SQL_SUCCEEDED(read())) break;
        // A long message comes back cut; ask again with room for all of it.
        if (static_cast<std::size_t>(textLength) >= text.size()) {
            text.assign(std::min<std::size_t>(static_cast<std::size_t>(textLength) + 1, SHRT_MAX), '\0');
            if (!SQL_SUCCEEDED(read())) break;
        }
        text.resize(std::min(static_cast<std::size_t>(textLength), text.size() - 1));
        if (!result.empty()) result += '\n';
        result += '[';
        result += reinterpret_cast<const char*>(state);
        result += "] ";
        result += text;
    }
    return result;
}

// A fresh ODBC 3 environment; every call starts one so that SQLDataSources enumerates from the
// beginning and nothing of one call outlives it.
OdbcHandle NewEnvironment() {
    SQLHANDLE environment = SQL_NULL_HANDLE;
    if (!SQL_SUCCEEDED(::SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment)))
        throw Exception(std::string(kDriverManagerUnavailable));
    OdbcHandle handle(SQL_HANDLE_ENV, environment);
    const SQLRETURN rc = ::SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION,
                                         reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_OV_ODBC3)), 0);
    if (!SQL_SUCCEEDED(rc)) {
        const std::string reason = Diagnostics(SQL_HANDLE_ENV, environment);
        throw Exception(reason.empty() ? std::string(kDriverManagerUnavailable)
                                       : std::string(kDriverManagerUnavailable) + ": " + reason);
    }
    return handle;
}

const SQLCHAR* OdbcText(const std::string& text) { return reinterpret_cast<const SQLCHAR*>(text.c_str()); }

[[noreturn]] void ConnectionFailed(const std::string& dataSource, const OdbcHandle& handle) {
    std::string reason = Diagnostics(handle.Type(), handle.Get());
    if (reason.empty()) reason = kNoDiagnostic;
    throw Exception(Format(kCannotConnect, dataSource, reason));
}

}  // namespace

std::vector<std::string> DataSourceNames() {
    const OdbcHandle environment = NewEnvironment();
    std::vector<std::string> names;
    // unixODBC keeps section names below 1000 bytes; the buffer holds any of them whole.
    SQLCHAR name[1024];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT descriptionLength = 0;
    // SQL_FETCH_FIRST walks the user data sources, then the system ones. Without any
    // configuration the first call answers SQL_NO_DATA: an empty list.
    for (SQLUSMALLINT direction = SQL_FETCH_FIRST;
         SQL_SUCCEEDED(::SQLDataSources(environment.Get(), direction, name, sizeof name, &nameLength, nullptr, 0,
                                        &descriptionLength));
         direction = SQL_FETCH_NEXT)
        names.emplace_back(reinterpret_cast<const char*>(name));

    const auto lessWithoutCase = [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return AsciiLower(x) < AsciiLower(y); });
    };
    // Stable, so that of two spellings of one name the user's (listed first) stays.
    std::stable_sort(names.begin(), names.end(), lessWithoutCase);
    names.erase(std::unique(names.begin(), names.end(),
                            [](const std::string& a, const std::string& b) { return SameText(a, b); }),
                names.end());
    return names;
}

void TestConnection(const std::string& dataSource, const std::string& userName, const std::string& password) {
    const OdbcHandle environment = NewEnvironment();
    SQLHANDLE connection = SQL_NULL_HANDLE;
    if (!SQL_SUCCEEDED(::SQLAllocHandle(SQL_HANDLE_DBC, environment.Get(), &connection)))
        ConnectionFailed(dataSource, environment);
    const OdbcHandle connectionHandle(SQL_HANDLE_DBC, connection);

    // SQLConnect hands the name, user and password over as separate arguments. A connection
    // string would not do: the driver manager honours braces around a value, but the SQLite
    // driver splits the string at every ';' itself, so "PWD={a;Database=x}" would still set
    // the database.
    const SQLRETURN rc = ::SQLConnect(connection, const_cast<SQLCHAR*>(OdbcText(dataSource)), SQL_NTS,
                                      const_cast<SQLCHAR*>(OdbcText(userName)), SQL_NTS,
                                      const_cast<SQLCHAR*>(OdbcText(password)), SQL_NTS);
    if (!SQL_SUCCEEDED(rc)) ConnectionFailed(dataSource, connectionHandle);
    ::SQLDisconnect(connection);
}

}  // namespace quillon
