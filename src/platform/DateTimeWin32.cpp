// Local time on Windows: the system's time-zone rules for the moment itself (daylight saving
// as it was then, not as it is now).
#include "platform/DateTime.h"

#include <windows.h>

#include <cstdint>

namespace quillon {

namespace {

// 100-nanosecond ticks between 1601-01-01 (FILETIME's epoch) and 1970-01-01.
constexpr std::int64_t kUnixEpochTicks = 116444736000000000LL;

FILETIME ToFileTime(std::int64_t ticks) {
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
    time.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks) >> 32);
    return time;
}

std::int64_t ToTicks(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

}  // namespace

TDateTime UnixToDateTime(std::time_t seconds, long nanoseconds) {
    const std::int64_t ticks = kUnixEpochTicks + static_cast<std::int64_t>(seconds) * 10000000 + nanoseconds / 100;
    // SYSTEMTIME keeps milliseconds only: the rest is added back after the zone shift.
    const std::int64_t belowMilliseconds = ticks % 10000;
    const FILETIME utc = ToFileTime(ticks - belowMilliseconds);
    SYSTEMTIME utcParts{}, localParts{};
    FILETIME local{};
    std::int64_t localTicks = ticks;
    if (::FileTimeToSystemTime(&utc, &utcParts) && ::SystemTimeToTzSpecificLocalTime(nullptr, &utcParts, &localParts) &&
        ::SystemTimeToFileTime(&localParts, &local))
        localTicks = ToTicks(local) + belowMilliseconds;
    return kUnixEpochDate + static_cast<double>(localTicks - kUnixEpochTicks) / (86400.0 * 10000000.0);
}

}  // namespace quillon
