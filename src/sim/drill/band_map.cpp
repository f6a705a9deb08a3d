// Drawing the bands' heat map.
#include "sim/drill/band_map.h"

#include <cstdio>

#include "raster/plot/plot.h"

namespace qm {

namespace {

constexpr COLORREF cell_edge = 0x00808080;
constexpr COLORREF focus_edge = 0x00000000;
constexpr COLORREF cell_text = 0x00000000;
constexpr int focus_pen = 2;
constexpr int text_inset_x = 4;  // a cell's text from its left edge

COLORREF rgb(int red, int green, int blue)
{
    return static_cast<COLORREF>(red | (green << 8) | (blue << 16));
}

}  // namespace

COLORREF estimate_colour(double estimate)
{
    const double e = estimate < 0.0 ? 0.0 : estimate > 1.0 ? 1.0 : estimate;
    // Light tones, so that black text stays readable on them.
    const int red = e < 0.5 ? 255 : static_cast<int>(255 - (e - 0.5) * 2 * 135);
    const int green = e < 0.5 ? static_cast<int>(120 + e * 2 * 135) : 255;
    return rgb(red, green, 120);
}

namespace {

void draw_cell(Surface& surface, int left, int top, const CoachSkill& skill, int band, const Pen& pen)
{
    const BandSkill& b = skill.bands[band];
    const int x = left + band_distance(band) * band_cell_width;
    const int y = top + (coach_wind_bands - 1 - band_wind(band)) * band_cell_height;
    const COLORREF fill = b.known() ? estimate_colour(skill.estimate(band)) : unknown_band_colour;
    Rectangle(surface, pen, Brush{fill}, x, y, x + band_cell_width + 1, y + band_cell_height + 1);
    if (!b.known()) return;
    char text[8];
    std::snprintf(text, sizeof text, "%.0f%%", 100.0 * skill.estimate(band));
    plot::draw_text(surface, x + text_inset_x, y, text, cell_text);
}

}  // namespace

void draw_band_map(Surface& surface, int left, int top, const CoachSkill& skill, int focus)
{
    for (int band = 0; band < coach_band_count; ++band) {
        if (band != focus) draw_cell(surface, left, top, skill, band, Pen{1, cell_edge});
    }
    // Last, so that no neighbour's edge covers its outline.
    if (focus != no_band) draw_cell(surface, left, top, skill, focus, Pen{focus_pen, focus_edge});
}

}  // namespace qm
