// Charts: round tick steps and labels, data mapped onto the plot area, and
// what draw_chart puts where (series, gaps, clipping, markers, legend).
#include "raster/plot/plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>

#include "raster/png_encoders.h"

namespace qm::plot {
namespace {

TEST(Plot, NiceStepIsTheSmallestRoundStepThatFits)
{
    const struct {
        double span;
        int max_ticks;
        double step;
    } cases[] = {
        {10.0, 10, 1.0}, {11.0, 10, 2.0}, {4.0, 8, 0.5},   {2000.0, 10, 200.0},
        {0.3, 3, 0.1},   {7.0, 1, 10.0},  {1.0, 10, 0.1}, {35.0, 8, 5.0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(nice_step(c.span, c.max_ticks), c.step) << c.span << " " << c.max_ticks;
}

TEST(Plot, AWholeXAxisTicksOnlyWholeNumbers)
{
    const struct {
        double hi;
        bool whole;
        double step;
    } cases[] = {{2, false, 0.2}, {2, true, 1}, {4, true, 1}, {30, true, 10}, {30, false, 10}};
    for (const auto& c : cases) {
        Chart chart;
        chart.max_ticks = 5;
        chart.whole_x = c.whole;
        EXPECT_DOUBLE_EQ(x_tick_step(chart, {1.0, c.hi}), c.step) << c.hi << " " << c.whole;
    }
}

TEST(Plot, TickTextPrintsTheStepsDecimalsAndNoNegativeZero)
{
    const struct {
        double value;
        double step;
        const char* text;
    } cases[] = {
        {0.30000000000000004, 0.1, "0.3"}, {400.0, 200.0, "400"}, {-0.0, 0.5, "0.0"}, {-1.5, 0.5, "-1.5"},
        {0.05, 0.05, "0.05"},              {1e-9, 1.0, "0"},       {2.0, 0.25, "2.00"},
    };
    for (const auto& c : cases) EXPECT_EQ(tick_text(c.value, c.step), c.text) << c.value;
    const std::vector<double> t = ticks({-0.1, 1.0}, 0.5);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_DOUBLE_EQ(t[2], 1.0);
}

Chart square_chart()
{
    Chart c;
    c.x = {0.0, 10.0};
    c.y = {0.0, 10.0};
    c.legend = LegendPlace::none;
    c.grid = false;
    return c;
}

TEST(Plot, RangeCornersLandOnThePlotAreaCorners)
{
    Chart c = square_chart();
    c.title = "title";
    c.x_label = "distance";
    c.y_label = "power";
    const Box box{10, 20, 410, 320};
    const Box area = plot_area(c, box);
    EXPECT_GT(area.left, box.left);
    EXPECT_LT(area.bottom, box.bottom);
    const POINT low = to_pixel(c, box, {0.0, 0.0});
    const POINT high = to_pixel(c, box, {10.0, 10.0});
    EXPECT_EQ(low.x, area.left);
    EXPECT_EQ(low.y, area.bottom - 1);
    EXPECT_EQ(high.x, area.right - 1);
    EXPECT_EQ(high.y, area.top);
}

int count_colour(const Surface& s, COLORREF colour)
{
    int n = 0;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) n += GetPixel(s, x, y) == colour;
    }
    return n;
}

constexpr COLORREF red = 0x000000FF;

TEST(Plot, SeriesBreakAtNanAndStayInsideThePlotArea)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Surface s(300, 200);
    Chart c = square_chart();
    c.series.push_back({"", red, {{0.0, 5.0}, {4.0, 5.0}, {nan, nan}, {6.0, 5.0}, {10.0, 5.0}}, 1});
    c.series.push_back({"", red, {{-50.0, -50.0}, {-50.0, 50.0}}, 1});  // wholly outside
    draw_chart(s, {0, 0, 300, 200}, c);
    const Box area = plot_area(c, {0, 0, 300, 200});
    const POINT a = to_pixel(c, {0, 0, 300, 200}, {2.0, 5.0});
    const POINT gap = to_pixel(c, {0, 0, 300, 200}, {5.0, 5.0});
    const POINT b = to_pixel(c, {0, 0, 300, 200}, {8.0, 5.0});
    EXPECT_EQ(GetPixel(s, a.x, a.y), red);
    EXPECT_EQ(GetPixel(s, b.x, b.y), red);
    EXPECT_NE(GetPixel(s, gap.x, gap.y), red);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 300; ++x) {
            if (GetPixel(s, x, y) != red) continue;
            EXPECT_TRUE(x >= area.left && x < area.right && y >= area.top && y < area.bottom) << x << "," << y;
        }
    }
}

TEST(Plot, MarkersAndLegendUseTheirColours)
{
    const COLORREF green = 0x0000C000;
    const COLORREF blue = 0x00C00000;
    Surface s(300, 200);
    Chart c = square_chart();
    c.legend = LegendPlace::top_right;
    c.series.push_back({"wind 5", blue, {}, 2});
    c.markers.push_back({5.0, 5.0, green, MarkerShape::diamond, 4});
    c.markers.push_back({50.0, 5.0, red, MarkerShape::dot, 4});  // outside: not drawn
    draw_chart(s, {0, 0, 300, 200}, c);
    const POINT m = to_pixel(c, {0, 0, 300, 200}, {5.0, 5.0});
    EXPECT_EQ(GetPixel(s, m.x, m.y), green);
    EXPECT_EQ(count_colour(s, red), 0);
    EXPECT_EQ(count_colour(s, blue), 2 * 24);  // the legend's line sample, two rows of its width
}

TEST(Plot, ChartFileIsTheCompactEncodersBytes)
{
    Surface s(40, 30);
    draw_chart(s, {0, 0, 40, 30}, square_chart());
    const std::string path = ::testing::TempDir() + "plot_chart.png";
    const std::string direct = ::testing::TempDir() + "plot_direct.png";
    std::string reason;
    ASSERT_TRUE(write_chart_png(s, path.c_str(), reason)) << reason;
    std::FILE* f = std::fopen(direct.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(encode_png_compact(f, s));
    std::fclose(f);
    auto bytes = [](const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(bytes(path), bytes(direct));
    EXPECT_FALSE(write_chart_png(s, (::testing::TempDir() + "no/such/dir/x.png").c_str(), reason));
    EXPECT_FALSE(reason.empty());
    std::remove(path.c_str());
    std::remove(direct.c_str());
}

}  // namespace
}  // namespace qm::plot
