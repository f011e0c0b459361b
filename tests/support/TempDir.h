// A temporary directory removed with everything in it at the end of the scope.
#pragma once

#include <set>
#include <string>

namespace quillon::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory's path, without a trailing separator.
    const std::string& Path() const { return path_; }
    // Path of `name` inside the directory, with this platform's separators (as the code under
    // test builds paths; `name` may use "/").
    std::string File(const std::string& name) const;
    // The path with this platform's trailing separator, as project source paths have it.
    std::string Prefix() const { return File(""); }

private:
    std::string path_;
};

// Creates a new directory named `prefix` + a random number in the system's temporary directory.
std::string MakeUniqueDirectory(const std::string& prefix);

// Removes `path` with everything in it, read-only files too (which Windows will not delete);
// errors are ignored.
void RemoveAll(const std::string& path);

// Whole-file helpers for tests.
std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);
// The names of the entries of the directory `dir` (not below it), temporary files included.
std::set<std::string> FileNames(const std::string& dir);

}  // namespace quillon::test
