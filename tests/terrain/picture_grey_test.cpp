// The colour rule of pictures made into maps: grey levels as a grey picture
// stores them, transparency over white, and terrain exactly below 128.
#include "terrain/picture_grey.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(PictureGrey, LevelsAreLuminanceInLinearLightEncodedAsSrgb)
{
    const struct {
        std::uint8_t r, g, b, a;
        int level;
    } cases[] = {
        {0, 0, 0, 255, 0},          {255, 255, 255, 255, 255},  {188, 188, 188, 255, 188},  // greys keep their level
        {255, 0, 0, 255, 127},      {0, 255, 0, 255, 220},      {0, 0, 255, 255, 76},       // green weighs most
        {255, 255, 0, 255, 247},    {90, 58, 30, 255, 65},      {135, 206, 235, 255, 196},
        {0, 0, 0, 0, 255},          {0, 0, 0, 128, 187},                                    // over white
    };
    for (const auto& c : cases) {
        EXPECT_EQ(grey_level(c.r, c.g, c.b, c.a), c.level) << int(c.r) << " " << int(c.g) << " " << int(c.b) << " " << int(c.a);
    }
}

// The map reader's test and the picture maker's threshold never disagree.
TEST(PictureGrey, DarkIsExactlyALevelBelowTheThreshold)
{
    for (int a : {0, 1, 128, 254, 255}) {
        for (int r = 0; r < 256; r += 3) {
            for (int g = 0; g < 256; g += 5) {
                for (int b = 0; b < 256; b += 7) {
                    const auto R = static_cast<std::uint8_t>(r), G = static_cast<std::uint8_t>(g),
                               B = static_cast<std::uint8_t>(b), A = static_cast<std::uint8_t>(a);
                    ASSERT_EQ(is_dark(R, G, B, A), grey_level(R, G, B, A) < dark_threshold) << r << " " << g << " " << b << " " << a;
                }
            }
        }
    }
    EXPECT_TRUE(is_dark(127, 127, 127));
    EXPECT_FALSE(is_dark(128, 128, 128));
}

}  // namespace
}  // namespace qm
