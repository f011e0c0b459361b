// The ODBC data source list and the connection test, against temporary SQLite data sources.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/DataSources.h"
#include "platform/Exception.h"
#include "support/OdbcConfig.h"
#include "support/Raised.h"
#include "support/TempDir.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDataSource = "QuillonTest";

std::string ConnectionFailure(const std::string& dataSource, const std::string& password = "") {
    return test::ExceptionMessage([&] { TestConnection(dataSource, "", password); });
}

TEST(DataSourceNames, ListUserAndSystemDataSourcesOnceSortedWithoutRegardToCaseLinuxOnly) {
    test::TempOdbcConfig config;
    EXPECT_EQ(DataSourceNames(), std::vector<std::string>{});
    config.AddDataSource("beta");
    config.AddDataSource("Alpha");
    config.AddDataSource("Shared");
    config.AddDataSource("Shared", test::OdbcScope::System);
    config.AddDataSource("gamma", test::OdbcScope::System);
    EXPECT_EQ(DataSourceNames(), (std::vector<std::string>{"Alpha", "beta", "gamma", "Shared"}));
}

// A real connection, in which the SQLite driver creates the database, inside a configuration that
// restores the environment and starts without databases; a failure names the data source and the
// diagnostic records, the driver's own included (SQLite cannot open a directory as a database).
TEST(TestConnection, ConnectsForRealOrFailsWithTheDataSourceNameAndTheDiagnosticRecordsLinuxOnly) {
    const char* home = std::getenv("HOME");
    const std::string homeBefore = home ? home : "";
    std::string database;
    {
        test::TempOdbcConfig config(kDataSource);
        database = config.DatabaseFile(kDataSource);
        EXPECT_NE(std::getenv("HOME"), homeBefore);
        ASSERT_FALSE(fs::exists(database));
        EXPECT_EQ(ConnectionFailure(kDataSource), "");
        EXPECT_TRUE(fs::exists(database));
        EXPECT_EQ(ConnectionFailure("Missing"),
                  "Cannot connect to data source 'Missing': [IM002] [unixODBC][Driver Manager]"
                  "Data source name not found and no default driver specified");
        config.AddDataSource("Unopenable");
        fs::create_directory(config.DatabaseFile("Unopenable"));
        const std::string message = ConnectionFailure("Unopenable");
        EXPECT_EQ(message.rfind("Cannot connect to data source 'Unopenable': [", 0), 0u) << message;
        EXPECT_NE(message.find("[SQLite]"), std::string::npos) << message;
    }
    home = std::getenv("HOME");
    EXPECT_EQ(home ? home : "", homeBefore);
    EXPECT_FALSE(fs::exists(database));
}

// A connection string would let a ';' in the password add a Database attribute (the SQLite driver
// splits at ';' even inside braces); the values must reach the driver as they are.
TEST(TestConnection, PassesNameUserAndPasswordVerbatimSoTheyCannotAddAttributesLinuxOnly) {
    const std::string name = "Odd;Name}";
    const test::TempOdbcConfig config(name);
    const std::string injected = config.Directory() + "/injected.sqlite";
    const std::string attack = ";Database=" + injected + ";";
    EXPECT_NO_THROW(TestConnection(name, "user}" + attack, "pass}" + attack + "}};x={"));
    EXPECT_NO_THROW(TestConnection(name, "", "{" + attack + "}"));
    EXPECT_FALSE(fs::exists(injected));
    EXPECT_TRUE(fs::exists(config.DatabaseFile(name)));
}

// Under Wine the Windows build reaches the Linux unixODBC through odbc32; the test run configures
// a data source on the Linux side (tests/windows) and names it in QUILLON_WINE_DATA_SOURCE.
TEST(DataSourcesUnderWine, TheDataSourceOfTheTestRunIsListedAndConnects) {
    const char* name = std::getenv("QUILLON_WINE_DATA_SOURCE");
    if (!name || !*name) GTEST_SKIP() << "only the Windows test programs run under Wine name a data source";
    const std::vector<std::string> names = DataSourceNames();
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end());
    EXPECT_NO_THROW(TestConnection(name, "", ""));
    const std::string failure = ConnectionFailure("QuillonNoSuchSource");
    EXPECT_EQ(failure.rfind("Cannot connect to data source 'QuillonNoSuchSource': [", 0), 0u) << failure;
}

}  // namespace
}  // namespace quillon
