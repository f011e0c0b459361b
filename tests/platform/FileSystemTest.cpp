#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/DateTime.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using test::ReadText;
using test::TempDir;
using test::WriteText;

TEST(FileSystemPaths, SplitFileNamesAtSlashBackslashAndColon) {
    EXPECT_EQ(ExtractFileName("/home/u/Calc.qlm"), "Calc.qlm");
    EXPECT_EQ(ExtractFileName("C:\\Projects\\Calc.qlm"), "Calc.qlm");
    EXPECT_EQ(ExtractFileName("C:Calc.qlm"), "Calc.qlm");
    EXPECT_EQ(ExtractFileName("Calc.qlm"), "Calc.qlm");
    EXPECT_EQ(ExtractFilePath("C:\\Projects\\Calc.qlm"), "C:\\Projects\\");
    EXPECT_EQ(ExtractFilePath("/home/u/Calc.qlm"), "/home/u/");
    EXPECT_EQ(ExtractFilePath("Calc.qlm"), "");
    for (std::string_view path : {"/a/b:c\\d.qlm", "x/", "plain"})
        EXPECT_EQ(ExtractFilePath(path) + ExtractFileName(path), path);
}

TEST(FileSystemPaths, AppendsOneTrailingSlashExceptToEmptyText) {
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/p"), "/p/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/p/"), "/p/");
    EXPECT_EQ(ExpandFileName("../b/./c.qlm", "/p/a"), "/p/b/c.qlm");
    EXPECT_EQ(ExpandFileName("/x/../y", "/p"), "/y");
}

TEST(FileSystemPaths, ExpressesAPathRelativeToADirectoryWithOrWithoutItsTrailingSlash) {
    EXPECT_EQ(ExtractRelativePath("/p/a/Unit1.pas", "/p/a/"), "Unit1.pas");
    EXPECT_EQ(ExtractRelativePath("/p/a/src/Unit1.pas", "/p/a"), "src/Unit1.pas");
    EXPECT_EQ(ExtractRelativePath("/p/lib/Unit1.pas", "/p/a/"), "../lib/Unit1.pas");
    EXPECT_EQ(ExtractRelativePath("out", "/p/a/"), "out");  // already relative: kept
    EXPECT_EQ(ExtractRelativePath("/p/a", "/p/a/"), ".");
}

TEST(FileSystemTimes, ReadsModificationTimesAsDaysAndFormatsThem) {
    TempDir dir;
    const std::string a = dir.File("a"), b = dir.File("b");
    WriteText(a, "a");
    WriteText(b, "b");
    fs::last_write_time(b, fs::last_write_time(a) + std::chrono::hours(36));
    EXPECT_NEAR(*FileAge(b) - *FileAge(a), 1.5, 1e-9);
    EXPECT_FALSE(FileAge(dir.File("missing")));
    EXPECT_FALSE(FileAge(dir.Path()));
    EXPECT_EQ(DateTimeToText(kUnixEpochDate + 0.5), "1970-01-01 12:00:00");
    EXPECT_EQ(DateTimeToText(45000.75), "2023-03-15 18:00:00");
}

class AtomicWrite : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("model.qlm");
};

TEST_F(AtomicWrite, ReplacesContentAndKeepsPermissions) {
    WriteText(path, "old content that is longer");
    ::chmod(path.c_str(), 0640);
    WriteFileAtomic(path, "new");
    EXPECT_EQ(ReadText(path), "new");
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(AtomicWrite, ReplacesTheTargetOfASymlinkChainAndKeepsTheLinks) {
    fs::create_directory(dir.File("real"));
    const std::string target = dir.File("real/model.qlm");
    WriteText(target, "old");
    fs::create_symlink("real/model.qlm", dir.File("link1"));
    fs::create_symlink(dir.File("link1"), path);
    WriteFileAtomic(path, "new");
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_TRUE(fs::is_symlink(dir.File("link1")));
    EXPECT_EQ(ReadText(target), "new");
}

TEST_F(AtomicWrite, NamesTheFileWhenItCannotBeCreated) {
    fs::create_directory(path);
    try {
        WriteFileAtomic(path, "x");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file " + path, 0), 0u) << e.what();
    }
    EXPECT_THROW(ReadFileBytes(path), Exception);
}

TEST_F(AtomicWrite, RefusesAFileWithoutWritePermissionAndLeavesItAsItIs) {
    // The mode bits decide, also for the super-user whom the system would let rename over it.
    WriteText(path, "protected");
    ::chmod(path.c_str(), 0444);
    try {
        WriteFileAtomic(path, "new");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + path);
    }
    EXPECT_EQ(ReadText(path), "protected");
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
    // A group or other write bit is write permission for whoever holds it; a missing file passes.
    ::chmod(path.c_str(), 0464);
    EXPECT_NO_THROW(CheckFileWritable(path));
    EXPECT_NO_THROW(CheckFileWritable(dir.File("absent.qlm")));
}

}  // namespace
}  // namespace quillon
