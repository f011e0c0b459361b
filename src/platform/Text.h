// Small text helpers: comparisons "without regard to case" fold ASCII letters only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon {

inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameText(std::string_view a, std::string_view b);
// Negative, zero or positive as `a` sorts before, with or after `b` without regard to case.
int CompareText(std::string_view a, std::string_view b);
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);

// Hash and equality of texts without regard to case, for unordered containers keyed by names;
// both take string views, so a look-up needs no folded copy of the name.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const;
};
struct SameTextEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

}  // namespace quillon
