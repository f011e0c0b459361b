// Small text helpers: comparisons "without regard to case" fold ASCII letters only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon {

inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Inline: names are compared by the million while models are read, checked and generated, and
// most pairs differ in length.
inline bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}
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
