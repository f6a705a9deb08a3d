// The aim gauge's figure and its drawing.
#include "bodies/aim_gauge.h"

#include <gtest/gtest.h>

#include <cmath>

#include "bodies/aim_gauge_shape.h"
#include "test_world.h"

namespace qm {
namespace {

void expect_point(POINT p, int x, int y, const char* what)
{
    EXPECT_EQ(p.x, x) << what;
    EXPECT_EQ(p.y, y) << what;
}

TEST(AimGauge, FigureAtAimFiftyFacingRight)
{
    AimGaugeShape g = aim_gauge_shape(50.0, 1);
    expect_point(g.needle[0], 14, -14, "needle base");
    expect_point(g.needle[1], 12, -17, "needle base");
    expect_point(g.needle[2], 25, -29, "needle tip");
    expect_point(g.marks[0][0], 19, -7, "lower mark inner");
    expect_point(g.marks[0][1], 36, -13, "lower mark outer");
    expect_point(g.marks[1][0], -7, -19, "upper mark inner");
    expect_point(g.marks[1][1], -13, -36, "upper mark outer");
    expect_point(g.bands[1].start, 153, -128, "green band start");
    expect_point(g.bands[1].end, 100, -173, "green band end");
    EXPECT_EQ(g.bands[1].colour, 0x0041DA41u);
    EXPECT_EQ(g.bands[0].colour, 0x0041CADAu);
    EXPECT_EQ(g.needle_colour, 0x007070FFu);
}

TEST(AimGauge, FacingLeftMirrorsTheFigure)
{
    AimGaugeShape right = aim_gauge_shape(50.0, 1);
    AimGaugeShape left = aim_gauge_shape(50.0, -1);
    expect_point(left.needle[0], -12, -17, "needle base");
    expect_point(left.needle[1], -14, -14, "needle base");
    expect_point(left.needle[2], -25, -29, "needle tip");
    // Mirrored, a wedge runs the other way round: start and end swap.
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(left.bands[i].start.x, -right.bands[i].end.x) << i;
        EXPECT_EQ(left.bands[i].start.y, right.bands[i].end.y) << i;
    }
}

TEST(AimGauge, FigureAtTheLowestAim)
{
    AimGaugeShape g = aim_gauge_shape(10.0, 1);
    expect_point(g.marks[0][0], 21, 0, "horizontal mark inner");
    expect_point(g.marks[0][1], 39, 0, "horizontal mark outer");
    expect_point(g.marks[1][0], 0, -21, "vertical mark inner");
    expect_point(g.marks[1][1], 0, -39, "vertical mark outer");
    expect_point(g.needle[2], 38, -6, "needle tip");
    EXPECT_EQ(g.needle_colour, 0x00E000E0u);
}

TEST(AimGauge, NeedleIsLightRedExactlyInsideTheGreenBand)
{
    struct Case {
        double vang;
        COLORREF colour;
    } cases[] = {{29, 0x00E000E0}, {30, 0x007070FF}, {70, 0x007070FF}, {71, 0x00E000E0}, {90, 0x00E000E0}};
    for (const Case& c : cases) {
        EXPECT_EQ(aim_gauge_shape(c.vang, 1).needle_colour, c.colour) << c.vang;
        EXPECT_EQ(aim_gauge_shape(c.vang, -1).needle_colour, c.colour) << c.vang;
    }
}

TEST(AimGauge, DrawsItsLayersInOrder)
{
    auto w = test::make_world();
    std::fill(w->memoria.data(), w->memoria.data() + frame_width * frame_height, test::black);
    w->vang = 50.0;
    const int cx = 400;
    const int cy = 300;
    draw_aim(w->memoria, w->vang, cx + 1000, cy + 2000, 1000, 2000, 1);
    auto at = [&](double theta, double r) {
        double a = theta * 3.141592653589793 / 180;
        return GetPixel(w->memoria, cx + static_cast<int>(r * std::cos(a)), cy + static_cast<int>(r * std::sin(a)));
    };
    EXPECT_EQ(at(0, 0), 0x00C0C0C0u);      // hub
    EXPECT_EQ(at(310, 30), 0x007070FFu);   // needle, pointing at the aim angle
    EXPECT_EQ(at(302, 35), 0x0041DA41u);   // green band
    EXPECT_EQ(at(325, 35), 0x0041CADAu);   // yellow band
    EXPECT_EQ(at(-20, 30), 0x00101010u);   // lower limit mark
    EXPECT_EQ(at(0, 35), 0x00DACCC0u);     // second fan
    EXPECT_EQ(at(18, 35), 0x00D5C7C0u);    // widest fan only
    EXPECT_EQ(at(90, 35), test::black);    // below the fans
    EXPECT_EQ(at(0, 45), test::black);     // outside the dial
}

}  // namespace
}  // namespace qm
