// Expected full paths written once for both systems: a POSIX path as this platform spells it.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace quillon::test {

// "/work/src/A.pas" here; "C:\work\src\A.pas" on Windows (the root becomes drive C:, every "/"
// a "\"). A relative path only changes its separators.
inline std::string NativePath(std::string path) {
#ifdef _WIN32
    if (!path.empty() && path.front() == '/') path.insert(0, "C:");
    std::replace(path.begin(), path.end(), '/', '\\');
#endif
    return path;
}

// The way back for whole generated texts: every full path that NativePath would have made, read
// as a POSIX path again (on Windows; elsewhere the text comes back unchanged). A full path starts
// with "C:\" or "\" right after a quote, "=", ";", "(" or a blank and runs to the next quote, ";", ")", ","
// or line end.
inline std::string PosixPaths(const std::string& text) {
#ifdef _WIN32
    std::string result;
    const auto opens = [&](std::size_t i) {
        return i == 0 || std::string_view("'\"=;( ").find(text[i - 1]) != std::string_view::npos;
    };
    constexpr std::string_view kEnds = "'\";),\r\n";
    for (std::size_t i = 0; i < text.size();) {
        const bool drive = text.compare(i, 3, "C:\\") == 0;
        // A lone "\" between quotes is Pascal text ('\'), not a path.
        const bool root = text[i] == '\\' && i + 1 < text.size() && kEnds.find(text[i + 1]) == std::string_view::npos;
        if ((drive || root) && opens(i)) {
            if (drive) i += 2;
            for (; i < text.size() && kEnds.find(text[i]) == std::string_view::npos; ++i)
                result += text[i] == '\\' ? '/' : text[i];
        } else {
            result += text[i++];
        }
    }
    return result;
#else
    return text;
#endif
}

}  // namespace quillon::test
