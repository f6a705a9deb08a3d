// The history's times: written in UTC, read back only when they name a real
// instant.
#include "formats/utc_time.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

TEST(UtcTime, OnlyRealInstantsReadBack)
{
    const struct {
        const char* text;
        bool real;
        long long seconds;
    } cases[] = {
        {"1970-01-01T00:00:00Z", true, 0},
        {"2026-12-07T21:03:04Z", true, 1796677384},
        {"2024-02-29T23:59:59Z", true, 1709251199},  // a leap year
        {"2000-02-29T00:00:00Z", true, 951782400},   // divisible by 400
        {"0000-01-01T00:00:00Z", true, -62167219200},
        {"9999-12-31T23:59:59Z", true, 253402300799},
        {"2023-02-29T00:00:00Z", false, 0},
        {"1900-02-29T00:00:00Z", false, 0},  // divisible by 100
        {"2026-04-31T00:00:00Z", false, 0},
        {"2026-13-01T00:00:00Z", false, 0},
        {"2026-00-10T00:00:00Z", false, 0},
        {"2026-12-00T00:00:00Z", false, 0},
        {"2026-12-07T24:00:00Z", false, 0},
        {"2026-12-07T21:60:00Z", false, 0},
        {"2026-12-07T21:03:60Z", false, 0},
        {"2026-12-07 21:03:04Z", false, 0},
        {"2026-12-07T21:03:04", false, 0},
        {"+026-12-07T21:03:04Z", false, 0},
        {" 2026-12-07T21:03:04Z", false, 0},
    };
    for (const auto& c : cases) {
        long long seconds = -1;
        EXPECT_EQ(parse_utc(c.text, seconds), c.real) << c.text;
        if (c.real) {
            EXPECT_EQ(seconds, c.seconds) << c.text;
            EXPECT_EQ(day_text(seconds), std::string(c.text).substr(0, 10)) << c.text;
        }
    }
    EXPECT_EQ(utc_text(1796677384), "2026-12-07T21:03:04Z");
}

}  // namespace
}  // namespace qm
