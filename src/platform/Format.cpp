#include "platform/Format.h"

#include "platform/Exception.h"
#include "platform/PlatformMessages.h"

namespace quillon {

std::string FormatArgs(std::string_view pattern, const std::vector<FormatArg>& args) {
    auto invalid = [&]() {
        return Exception(FormatArgs(kInvalidFormat, {std::string(pattern)}));
    };
    std::string result;
    result.reserve(pattern.size() + 16 * args.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%') {
            result += c;
            continue;
        }
        if (++i >= pattern.size()) throw invalid();
        const char directive = pattern[i];
        if (directive == '%') {
            result += '%';
            continue;
        }
        if (next >= args.size()) throw invalid();
        const FormatArg& arg = args[next++];
        if (directive == 's' || directive == 'S') {
            const auto* text = std::get_if<std::string>(&arg);
            if (!text) throw invalid();
            result += *text;
        } else if (directive == 'd' || directive == 'D') {
            const auto* number = std::get_if<std::int64_t>(&arg);
            if (!number) throw invalid();
            result += std::to_string(*number);
        } else {
            throw invalid();
        }
    }
    return result;
}

}  // namespace quillon
