// Expected texts in golden tests: one string per line, joined with the CR LF line end.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace quillon::test {

// Every line followed by CR LF.
inline std::string CrLf(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace quillon::test
