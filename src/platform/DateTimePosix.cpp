// Local time on POSIX: the C library's zone rules give the offset of each moment.
#include "platform/DateTime.h"

namespace quillon {

TDateTime UnixToDateTime(std::time_t seconds, long nanoseconds) {
    std::tm local{};
    localtime_r(&seconds, &local);
    const double localSeconds = static_cast<double>(seconds) + static_cast<double>(local.tm_gmtoff) +
                                static_cast<double>(nanoseconds) / 1e9;
    return kUnixEpochDate + localSeconds / 86400.0;
}

}  // namespace quillon
