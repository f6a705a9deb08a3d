// Creation of the drawing surfaces: sizes, standing tools, the screen size
// and empty terrain stripes.
#include "sim/init_dcs.h"

#include <gtest/gtest.h>

#include <memory>

#include "sim/world.h"

namespace qm {
namespace {

class FakeScreen : public Presenter {
public:
    int horzres() const override { return 1920; }
    int vertres() const override { return 1080; }
    void clear(int, int) override {}
    void copy(const Surface&) override {}
    void stretch(const Surface&, int, int) override {}
};

TEST(InitDCs, CreatesTheSurfacesWithTheirStandingTools)
{
    auto w = std::make_unique<World>();
    init_DCs(*w);
    EXPECT_EQ(w->DevCap_X, 800) << "no window: the frame size";
    EXPECT_EQ(w->DevCap_Y, 600);

    EXPECT_EQ(w->memoria.width(), 800);
    EXPECT_EQ(w->memoria.height(), 600);
    EXPECT_EQ(w->memoria.brush.color, 0x00C0C0C0u);
    EXPECT_EQ(w->memoria.pen.color, 0x00C0C0C0u);
    EXPECT_LE(w->memoria.pen.width, 1);
    EXPECT_EQ(w->memoria.fill_mode, FillMode::winding);

    EXPECT_EQ(w->targ1_dc.width(), 80);
    EXPECT_EQ(w->targ1_dc.height(), 80);
    EXPECT_EQ(w->targ1_dc.brush.color, 0x00FFFFFFu);
    EXPECT_EQ(w->targ1_dc.pen.color, 0x00FFFFFFu);
    EXPECT_LE(w->targ1_dc.pen.width, 1);
    EXPECT_EQ(w->targ1_dc.fill_mode, FillMode::alternate);
}

TEST(InitDCs, ScreenSizeComesFromTheWindow)
{
    auto w = std::make_unique<World>();
    FakeScreen screen;
    w->cliente = &screen;
    init_DCs(*w);
    EXPECT_EQ(w->DevCap_X, 1920);
    EXPECT_EQ(w->DevCap_Y, 1080);
}

TEST(InitDCs, EveryStripePixelIsEmpty)
{
    auto w = std::make_unique<World>();
    init_DCs(*w);
    for (const Surface& stripe : w->ground) {
        ASSERT_EQ(stripe.width(), 800);
        ASSERT_EQ(stripe.height(), 800);
        int other = 0;
        for (int y = 0; y < 800; ++y) {
            for (int x = 0; x < 800; ++x) other += GetPixel(stripe, x, y) != 0x00C0C0C0u;
        }
        EXPECT_EQ(other, 0);
    }
}

}  // namespace
}  // namespace qm
