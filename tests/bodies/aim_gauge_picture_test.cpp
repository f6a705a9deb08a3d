// The kept gauge picture: each copy onto the frame leaves what drawing the
// gauge there would, kept or redrawn, whole or clipped.
#include "bodies/aim_gauge_picture.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "bodies/aim_gauge.h"

namespace qm {
namespace {

struct Draw {
    const char* name;
    double vang;
    int s;
    int x;  // centre, world pixels; the view sits at (-100, 50)
    int y;
    FillMode fill_mode;
};

constexpr int view_x = -100;
constexpr int view_y = 50;

// In turn, on one picture: each either keeps the one before or needs a new one.
const Draw draws[] = {
    {"first drawing", 45.0, 1, 300, 350, FillMode::winding},
    {"kept, moved", 45.0, 1, 120, 400, FillMode::winding},
    {"new angle", 45.5, 1, 120, 400, FillMode::winding},
    {"new facing", 45.5, -1, 120, 400, FillMode::winding},
    {"kept, under the other fill rule", 45.5, -1, 120, 400, FillMode::alternate},
    {"clipped left and top", 10.0, 1, -120, 60, FillMode::alternate},
    {"clipped right and bottom", 10.0, 1, 690, 640, FillMode::alternate},
    {"off the frame", 10.0, 1, 3000, 640, FillMode::alternate},
};

TEST(AimGaugePicture, CopiesAreTheGaugeDrawnInPlace)
{
    AimGaugePicture kept;
    for (const Draw& d : draws) {
        SCOPED_TRACE(d.name);
        Surface drawn(800, 600);
        Surface copied(800, 600);
        for (Surface* f : {&drawn, &copied}) {
            for (int i = 0; i < 800 * 600; ++i) f->data()[i] = static_cast<COLORREF>(i * 2654435761u) & 0xFFFFFF;
            f->fill_mode = d.fill_mode;
            f->current = POINT{5, 5};
        }
        draw_aim(drawn, d.vang, d.x, d.y, view_x, view_y, d.s);
        kept.draw(copied, d.vang, d.x, d.y, view_x, view_y, d.s);
        EXPECT_TRUE(std::equal(drawn.data(), drawn.data() + 800 * 600, copied.data()));
        EXPECT_EQ(drawn.current.x, copied.current.x);
        EXPECT_EQ(drawn.current.y, copied.current.y);
        // Every pixel the gauge stored lies in its row's marked span.
        for (int y = 0; y < 600; ++y) {
            const RowSpan& c = drawn.changed(y);
            if (c.empty()) continue;
            EXPECT_LE(copied.changed(y).from, c.from) << "row " << y;
            EXPECT_GE(copied.changed(y).to, c.to) << "row " << y;
        }
    }
}

}  // namespace
}  // namespace qm
