// Golden texts of generated files, written one line per argument: Lines({"unit A;", "end."})
// is "unit A;\r\nend." (CR LF between lines, none after the last).
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

}  // namespace quillon::test
