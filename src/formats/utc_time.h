// The history's times: UTC instants written as ISO 8601 text
// (2026-12-07T21:03:04Z), read back only when they name a real one.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace qm {

// `when` as YYYY-MM-DDTHH:MM:SSZ.
std::string utc_text(std::time_t when);

// Seconds since 1970-01-01T00:00:00Z of such a text; false for any other
// text, or one naming no real instant (a 31st of a short month, a 29th of
// February outside a leap year, an hour past 23, a minute or second past 59).
bool parse_utc(std::string_view text, long long& seconds);

// The day of an instant, YYYY-MM-DD.
std::string day_text(long long seconds);

}  // namespace qm
