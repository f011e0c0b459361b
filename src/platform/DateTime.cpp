#include "platform/DateTime.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace quillon {

TDateTime Now() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    return UnixToDateTime(static_cast<std::time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000));
}

std::string DateTimeToText(TDateTime value) {
    // The value is already local time: split it by calendar arithmetic, without a zone shift.
    using namespace std::chrono;
    const auto totalSeconds = static_cast<long long>(std::floor((value - kUnixEpochDate) * 86400.0 + 0.5));
    const sys_seconds moment{seconds{totalSeconds}};
    const sys_days day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss time{moment - day};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return buffer;
}

}  // namespace quillon
