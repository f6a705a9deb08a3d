// UTC times as text and back, by the civil calendar's arithmetic (days from
// 1970-01-01 in the proleptic Gregorian calendar), the same on every
// platform whatever its time zone.
#include "formats/utc_time.h"

#include <cstdio>

namespace qm {

namespace {

constexpr int seconds_per_day = 86400;

long long days_from_civil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

bool leap_year(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int days_in_month(int y, int m)
{
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leap_year(y) ? 29 : days[m - 1];
}

// The digits at text[at], count of them, as a number; false for anything else.
bool digits(std::string_view text, std::size_t at, std::size_t count, int& value)
{
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

}  // namespace

std::string utc_text(std::time_t when)
{
    std::tm tm{};
#ifdef _WIN32
    gmtime_s(&tm, &when);
#else
    gmtime_r(&when, &tm);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return text;
}

bool parse_utc(std::string_view t, long long& seconds)
{
    constexpr std::string_view form = "0000-00-00T00:00:00Z";
    if (t.size() != form.size()) return false;
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form[i] != '0' && t[i] != form[i]) return false;
    }
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (!digits(t, 0, 4, y) || !digits(t, 5, 2, mo) || !digits(t, 8, 2, d) || !digits(t, 11, 2, h) ||
        !digits(t, 14, 2, mi) || !digits(t, 17, 2, s)) {
        return false;
    }
    if (mo < 1 || mo > 12 || d < 1 || d > days_in_month(y, mo) || h > 23 || mi > 59 || s > 59) return false;
    seconds = days_from_civil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) * seconds_per_day +
              h * 3600LL + mi * 60LL + s;
    return true;
}

std::string day_text(long long seconds)
{
    long long z = (seconds >= 0 ? seconds : seconds - (seconds_per_day - 1)) / seconds_per_day + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const long long y = static_cast<long long>(yoe) + era * 400 + (m <= 2);
    char out[40];
    std::snprintf(out, sizeof out, "%04lld-%02u-%02u", y, m, d);
    return out;
}

}  // namespace qm
