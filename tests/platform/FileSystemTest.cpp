#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <regex>
#include <set>
#include <vector>

#include "platform/DateTime.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "support/Raised.h"
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

TEST(FileSystemPaths, AppendsOneTrailingSlashAndExpressesAPathRelativeToADirectoryLinuxOnly) {
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/p"), "/p/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/p/"), "/p/");
    EXPECT_EQ(ExpandFileName("../b/./c.qlm", "/p/a"), "/p/b/c.qlm");
    EXPECT_EQ(ExpandFileName("/x/../y", "/p"), "/y");
    EXPECT_EQ(ExtractRelativePath("/p/a/Unit1.pas", "/p/a/"), "Unit1.pas");
    EXPECT_EQ(ExtractRelativePath("/p/a/src/Unit1.pas", "/p/a"), "src/Unit1.pas");
    EXPECT_EQ(ExtractRelativePath("/p/lib/Unit1.pas", "/p/a/"), "../lib/Unit1.pas");
    EXPECT_EQ(ExtractRelativePath("out", "/p/a/"), "out");  // already relative: kept
    EXPECT_EQ(ExtractRelativePath("/p/a", "/p/a/"), ".");
}

#ifdef _WIN32
TEST(FileSystemPaths, AppendsABackslashCompletesADriveLetterAndExpandsAgainstDrivesAndUncNamesOnWindows) {
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C"), "C:\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("c"), "c\\");  // upper-case drive letters only
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:"), "C:");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\Work"), "C:\\Work\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\Work\\"), "C:\\Work\\");
    EXPECT_EQ(ExpandFileName("..\\b\\.\\c.qlm", "C:\\p\\a"), "C:\\p\\b\\c.qlm");
    EXPECT_EQ(ExpandFileName("../b/c.qlm", "C:\\p\\a\\"), "C:\\p\\b\\c.qlm");
    EXPECT_EQ(ExpandFileName("D:\\x\\..\\y", "C:\\p"), "D:\\y");
    EXPECT_EQ(ExpandFileName("\\top\\u.pas", "C:\\p\\a"), "C:\\top\\u.pas");  // this drive's root
    EXPECT_EQ(ExpandFileName("lib\\u.pas", "\\\\server\\share\\p"), "\\\\server\\share\\p\\lib\\u.pas");
    EXPECT_EQ(ExpandFileName("\\\\server\\share\\x\\..\\u.pas", "C:\\p"), "\\\\server\\share\\u.pas");
    EXPECT_EQ(ExtractRelativePath("C:\\p\\lib\\Unit1.pas", "C:\\p\\a\\"), "..\\lib\\Unit1.pas");
    EXPECT_EQ(ExtractRelativePath("D:\\lib\\Unit1.pas", "C:\\p\\a\\"), "D:\\lib\\Unit1.pas");
}

TEST(AtomicWriteOnWindows, RefusesAReadOnlyFileAndLeavesItAsItWas) {
    TempDir dir;
    const std::string path = dir.File("model.qlm");
    WriteText(path, "old");
    SetFileReadOnly(path, true);
    ASSERT_TRUE(IsFileReadOnly(path));
    EXPECT_EQ(test::ExceptionMessage([&] { WriteFileAtomic(path, "new"); }), "Cannot create file " + path);
    EXPECT_EQ(ReadText(path), "old");
    EXPECT_TRUE(IsFileReadOnly(path));
    SetFileReadOnly(path, false);
    EXPECT_FALSE(IsFileReadOnly(path));
    WriteFileAtomic(path, "new");
    EXPECT_EQ(ReadText(path), "new");
}
#endif

// UTF-8 inside, the system's own encoding of file names at its boundary.
TEST(FileSystem, AFileWithNonAsciiCharactersInItsPathIsCreatedReadDatedAndProtectedAndTimesReadAsDays) {
    TempDir dir;
    const std::string folder = dir.File("Projekt \xC3\x9C" "bersicht \xE6\x97\xA5\xE6\x9C\xAC");
    ASSERT_TRUE(ForceDirectories(folder + "/Quelle"));
    EXPECT_TRUE(DirectoryExists(folder));
    const std::string file = IncludeTrailingPathDelimiter(folder) + "K\xC3\xA4se.qlm";
    WriteFileAtomic(file, "caf\xC3\xA9");
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(ReadFileBytes(file), "caf\xC3\xA9");
    EXPECT_TRUE(FileAge(file));
    SetFileReadOnly(file, true);
    EXPECT_TRUE(IsFileReadOnly(file));
    SetFileReadOnly(file, false);
    CopyFileOver(file, folder + "/Quelle/Kopie.qlm");
    EXPECT_EQ(ReadFileBytes(folder + "/Quelle/Kopie.qlm"), "caf\xC3\xA9");
    EXPECT_EQ(ExtractFileName(file), "K\xC3\xA4se.qlm");
    EXPECT_EQ(test::FileNames(folder).count("K\xC3\xA4se.qlm"), 1u);
    // Modification times read as days and formatted.
    const std::string a = dir.File("a"), b = dir.File("b");
    WriteText(a, "a");
    WriteText(b, "b");
    // Whole seconds: MinGW's std::filesystem sets file times through a call that keeps no more.
    const auto start = std::chrono::floor<std::chrono::seconds>(fs::last_write_time(a));
    fs::last_write_time(a, start);
    fs::last_write_time(b, start + std::chrono::hours(36));
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

TEST_F(AtomicWrite, ReplacesContentKeepingPermissionsAndRefusesAFileWithoutWritePermissionLinuxOnly) {
    WriteText(path, "old content that is longer");
    ::chmod(path.c_str(), 0640);
    WriteFileAtomic(path, "new");
    EXPECT_EQ(ReadText(path), "new");
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    // The mode bits decide, also for the super-user whom the system would let rename over it.
    WriteText(path, "protected");
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(test::ExceptionMessage([&] { WriteFileAtomic(path, "new"); }), "Cannot create file " + path);
    EXPECT_EQ(ReadText(path), "protected");
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
    EXPECT_EQ(test::FileNames(dir.Path()).size(), 1u);
    // A group or other write bit is write permission for whoever holds it; a missing file passes.
    ::chmod(path.c_str(), 0464);
    EXPECT_NO_THROW(CheckFileWritable(path));
    EXPECT_NO_THROW(CheckFileWritable(dir.File("absent.qlm")));
}

TEST_F(AtomicWrite, ReplacesTheTargetOfASymlinkChainAndKeepsTheLinksLinuxOnly) {
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
    EXPECT_EQ(test::ExceptionMessage([&] { WriteFileAtomic(path, "x"); }).rfind("Cannot create file " + path, 0), 0u);
    EXPECT_EQ(test::ExceptionMessage([&] { ReadFileBytes(path); }), "'" + path + "' is not a regular file");
}

class AtomicBatch : public ::testing::Test {
protected:
    // Three files with old contents, the batch about to replace them.
    void SetUp() override {
        for (const std::string& name : names) WriteText(dir.File(name), "old " + name);
    }
    void AddAll(AtomicFileBatch& batch) {
        for (const std::string& name : names) batch.Add(dir.File(name), "new " + name);
    }
    // What each file holds now, in order.
    std::vector<std::string> Contents() {
        std::vector<std::string> texts;
        for (const std::string& name : names) texts.push_back(ReadText(dir.File(name)));
        return texts;
    }
    std::string TemporaryOf(const std::string& name) {
        for (const std::string& entry : test::FileNames(dir.Path()))
            if (entry.rfind("." + name + ".tmp", 0) == 0) return dir.File(entry);
        return {};
    }

    TempDir dir;
    const std::vector<std::string> names{"a.qlm", "b.qlm", "c.qlm"};
    const std::set<std::string> namesOnly{names.begin(), names.end()};
};

// A batch left without commit changes nothing; a committed one changes every file; one that fails
// to add the third file does not put the two before it in place either.
TEST_F(AtomicBatch, NoFileChangesBeforeCommitOrWithoutItAndAllDoAfterIt) {
    {
        AtomicFileBatch batch;
        AddAll(batch);
    }
    EXPECT_EQ(Contents(), (std::vector<std::string>{"old a.qlm", "old b.qlm", "old c.qlm"}));
    EXPECT_EQ(test::FileNames(dir.Path()), namesOnly);
    AtomicFileBatch batch;
    AddAll(batch);
    EXPECT_EQ(Contents(), (std::vector<std::string>{"old a.qlm", "old b.qlm", "old c.qlm"}));
    EXPECT_EQ(test::FileNames(dir.Path()).size(), 6u);
    batch.Commit();
    EXPECT_EQ(batch.Committed(), 3u);
    EXPECT_EQ(Contents(), (std::vector<std::string>{"new a.qlm", "new b.qlm", "new c.qlm"}));
    EXPECT_EQ(test::FileNames(dir.Path()), namesOnly);
    fs::remove(dir.File("c.qlm"));
    fs::create_directory(dir.File("c.qlm"));
    EXPECT_EQ(test::ExceptionMessage([&] {
                  AtomicFileBatch failing;
                  for (const std::string& name : names) failing.Add(dir.File(name), "newer " + name);
                  failing.Commit();
              }),
              "Cannot create file " + dir.File("c.qlm") + " (it is a directory)");
    EXPECT_EQ(ReadText(dir.File("a.qlm")), "new a.qlm");
    EXPECT_EQ(ReadText(dir.File("b.qlm")), "new b.qlm");
    EXPECT_EQ(test::FileNames(dir.Path()), namesOnly);
}

// A temporary file is named ".NAME.tmp<pid>-<n>"; the first write into a directory removes there
// what processes that no longer run left behind, and nothing else.
TEST_F(AtomicBatch, TheFirstWriteIntoADirectoryRemovesTheLeftoversOfEndedProcessesOnly) {
    const std::string own = std::to_string(getpid()), ended = "2147483000";  // beyond any process id
    const std::vector<std::string> kept{".c.qlm.tmp" + own + "-9", ".c.qlm.tmp77", "c.qlm.tmp" + ended + "-1",
                                        ".c.qlm.tmp" + ended + "-x"};
    for (const std::string& name : kept) WriteText(dir.File(name), "kept");
    WriteText(dir.File(".b.qlm.tmp" + ended + "-1"), "left over");
    AtomicFileBatch batch;
    AddAll(batch);
    const std::string temporary = fs::path(TemporaryOf("b.qlm")).filename().string();
    EXPECT_TRUE(std::regex_match(temporary, std::regex("\\.b\\.qlm\\.tmp" + own + "-[0-9]+"))) << temporary;
    batch.Commit();
    std::set<std::string> expected(kept.begin(), kept.end());
    expected.insert(names.begin(), names.end());
    EXPECT_EQ(test::FileNames(dir.Path()), expected);
}

TEST_F(AtomicBatch, AFailedFlushPutsNoFileInPlace) {
    AtomicFileBatch batch;
    AddAll(batch);
    // The second temporary file is gone before the flush reaches it.
    fs::remove(TemporaryOf("b.qlm"));
    EXPECT_THROW(batch.Commit(), Exception);
    EXPECT_EQ(batch.Committed(), 0u);
    EXPECT_EQ(Contents(), (std::vector<std::string>{"old a.qlm", "old b.qlm", "old c.qlm"}));
}

TEST_F(AtomicBatch, AFailedRenameKeepsTheFilesBeforeItReplacedAndTheRestAsTheyWereLinuxOnly) {
    {
        AtomicFileBatch batch;
        AddAll(batch);
        // b.qlm becomes a directory with an entry, which no file can replace (Wine replaces it).
        fs::remove(dir.File("b.qlm"));
        fs::create_directories(dir.File("b.qlm/inside"));
        EXPECT_EQ(test::ExceptionMessage([&] { batch.Commit(); }).rfind("Cannot create file " + dir.File("b.qlm") + " (", 0), 0u);
        EXPECT_EQ(batch.Committed(), 1u);
    }
    EXPECT_EQ(ReadText(dir.File("a.qlm")), "new a.qlm");
    EXPECT_TRUE(fs::is_directory(dir.File("b.qlm")));
    EXPECT_EQ(ReadText(dir.File("c.qlm")), "old c.qlm");
    EXPECT_EQ(test::FileNames(dir.Path()), namesOnly);
}

}  // namespace
}  // namespace quillon
