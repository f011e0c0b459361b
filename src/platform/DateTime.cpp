#include "platform/DateTime.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace quillon {

TDateTime UnixToDateTime(std::time_t seconds, long nanoseconds) {
    std::tm local{};
    localtime_r(&seconds, &local);
    const double localSeconds = static_cast<double>(seconds) + static_cast<double>(local.tm_gmtoff) +
                                static_cast<double>(nanoseconds) / 1e9;
    return kUnixEpochDate + localSeconds / 86400.0;
}

TDateTime Now() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    return UnixToDateTime(static_cast<std::time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000));
}

std::string DateTimeToText(TDateTime value) {
    // The value is already local time: convert through UTC arithmetic without a zone shift.
    const double seconds = std::floor((value - kUnixEpochDate) * 86400.0 + 0.5);
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm parts{};
    gmtime_r(&t, &parts);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", parts.tm_year + 1900, parts.tm_mon + 1,
                  parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
    return buffer;
}

}  // namespace quillon
