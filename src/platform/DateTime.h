// Date-times as the model files store them: days since 1899-12-30, the fraction being the time
// of day (local time).
#pragma once

#include <ctime>
#include <string>

namespace quillon {

using TDateTime = double;

// 1970-01-01 as a TDateTime.
inline constexpr TDateTime kUnixEpochDate = 25569.0;

// Local date-time of a moment given as seconds (and nanoseconds) since the Unix epoch.
TDateTime UnixToDateTime(std::time_t seconds, long nanoseconds = 0);
TDateTime Now();
// The locale-independent short form used in questions: "yyyy-mm-dd hh:nn:ss".
std::string DateTimeToText(TDateTime value);

}  // namespace quillon
