#include "support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "platform/FileSystem.h"

namespace quillon::test {

namespace fs = std::filesystem;

std::string MakeUniqueDirectory(const std::string& prefix) {
    static thread_local std::mt19937 random{std::random_device{}()};
    const fs::path temp = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = temp / (prefix + std::to_string(random()));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) return Utf8FromPath(candidate);
    }
    throw std::runtime_error("cannot create a temporary directory");
}

TempDir::TempDir() : path_(MakeUniqueDirectory("quillon-test-")) {}

void RemoveAll(const std::string& path) {
    std::error_code ec;
    // Windows refuses to delete a read-only file: give every file its write permission back.
    for (const auto& entry : fs::recursive_directory_iterator(PathFromUtf8(path), ec))
        if (entry.is_regular_file(ec)) SetFileReadOnly(Utf8FromPath(entry.path()), false);
    fs::remove_all(PathFromUtf8(path), ec);
}

TempDir::~TempDir() { RemoveAll(path_); }

std::string TempDir::File(const std::string& name) const {
    std::string path = path_ + "/" + name;
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
#endif
    return path;
}

std::string ReadText(const std::string& path) { return ReadFileBytes(path); }

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path);
    out << text;
}

std::set<std::string> FileNames(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(PathFromUtf8(dir))) names.insert(Utf8FromPath(entry.path().filename()));
    return names;
}

}  // namespace quillon::test
