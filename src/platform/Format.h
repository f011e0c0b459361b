// Delphi-style Format with the %s, %d and %% subset, so message texts keep their exact form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace quillon {

using FormatArg = std::variant<std::int64_t, std::string>;

// Formats `pattern` with `args`. %s takes a string, %d an integer, %% is a percent sign.
// A directive without a matching argument, or of the wrong kind, raises Exception
// ("Format '%s' invalid or incompatible with argument").
std::string FormatArgs(std::string_view pattern, const std::vector<FormatArg>& args);

namespace detail {
template <class T>
FormatArg ToFormatArg(const T& value) {
    if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>)
        return static_cast<std::int64_t>(value);
    else
        return std::string(std::string_view(value));
}
}  // namespace detail

template <class... Args>
std::string Format(std::string_view pattern, const Args&... args) {
    return FormatArgs(pattern, std::vector<FormatArg>{detail::ToFormatArg(args)...});
}

}  // namespace quillon
