// Expected texts of golden tests, written one line per argument with CR LF line ends:
// Lines({"unit A;", "end."}) is "unit A;\r\nend." (none after the last line, as generated units
// end), CrLf({...}) ends every line, the last included (as model files do).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace quillon::test {

inline std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string text;
    bool first = true;
    for (std::string_view line : lines) {
        if (!first) text += "\r\n";
        text += line;
        first = false;
    }
    return text;
}

inline std::string CrLf(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace quillon::test
