// Frame pixels for a 32-bit DIB: red and blue trade places, green and the
// pixel's position stay.
#include "raster/dib_pixels.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(DibPixels, RedAndBlueTradePlaces)
{
    struct Case {
        COLORREF frame;       // 0x00BBGGRR
        std::uint32_t dib;    // 0x00RRGGBB
    };
    const Case cases[] = {
        {0x000000FF, 0x00FF0000},  // red
        {0x0000FF00, 0x0000FF00},  // green stays
        {0x00FF0000, 0x000000FF},  // blue
        {0x00E0E0E0, 0x00E0E0E0},  // the wind dial's grey
        {0x007070FF, 0x00FF7070},  // the wind arrow's light red
        {0x00123456, 0x00563412},
    };
    COLORREF frame[std::size(cases) + 1];
    std::uint32_t dib[std::size(cases) + 1];
    for (std::size_t i = 0; i < std::size(cases); ++i) frame[i] = cases[i].frame;
    dib[std::size(cases)] = 0xDEADBEEF;
    to_dib_pixels(frame, dib, std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(dib[i], cases[i].dib) << std::hex << cases[i].frame;
    EXPECT_EQ(dib[std::size(cases)], 0xDEADBEEF) << "nothing written past count";
}

}  // namespace
}  // namespace qm
