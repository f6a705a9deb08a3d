// Drawing the coach's picture with the project's raster and font.
#include "cli/coach/coach_plot.h"

#include <cmath>
#include <cstdio>

#include "raster/plot/plot.h"
#include "sim/drill/band_map.h"

namespace qm {

namespace {

constexpr int picture_width = 1100, picture_height = 500;
constexpr int map_left = 150, map_top = 60;       // the heat map's top-left cell
constexpr int cell_width = 100, cell_height = 64;
constexpr int chart_left = 680;                   // the rating chart's box
constexpr int text_cell = 8, line_height = 16;    // the console font's cells
constexpr COLORREF cell_edge = 0x00808080;
constexpr COLORREF rating_colour = 0x00B06020;
constexpr int focus_pen = 3;

constexpr const char* distance_labels[coach_distance_bands] = {"50-299", "300-599", "600-999", "1000-1499",
                                                               "1500-2300"};
// The power each wind band asks for against calm air, in percent.
constexpr const char* wind_labels[coach_wind_bands] = {">= +8", "+3..+7", "-2..+2", "-7..-3", "<= -8"};

void centred(Surface& s, int centre_x, int y, const std::string& text)
{
    plot::draw_text(s, centre_x - static_cast<int>(text.size()) * text_cell / 2, y, text, plot::ink_colour);
}

void draw_cell(Surface& s, const CoachSkill& skill, int band, const Pen& pen)
{
    const BandSkill& b = skill.bands[band];
    const int x = map_left + band_distance(band) * cell_width;
    const int y = map_top + (coach_wind_bands - 1 - band_wind(band)) * cell_height;
    const COLORREF fill = b.known() ? estimate_colour(skill.estimate(band)) : unknown_band_colour;
    Rectangle(s, pen, Brush{fill}, x, y, x + cell_width + 1, y + cell_height + 1);
    char text[32];
    const int centre = x + cell_width / 2;
    if (b.known()) {
        std::snprintf(text, sizeof text, "%.0f%%", 100.0 * skill.estimate(band));
        centred(s, centre, y + 6, text);
    }
    std::snprintf(text, sizeof text, "%d rounds", b.rounds);
    centred(s, centre, y + 6 + line_height, text);
    if (b.first_misses > 0) {
        std::snprintf(text, sizeof text, "miss %+ld", std::lround(b.mean_first_miss()));
        centred(s, centre, y + 6 + 2 * line_height, text);
    }
}

void draw_heat_map(Surface& s, const CoachSkill& skill, int focus)
{
    plot::draw_text(s, map_left, 20, "First-shot estimate by band (docs/coach.md)", plot::ink_colour);
    for (int band = 0; band < coach_band_count; ++band) {
        if (band != focus) draw_cell(s, skill, band, Pen{1, cell_edge});
    }
    if (focus != no_band) draw_cell(s, skill, focus, Pen{focus_pen, plot::ink_colour});
    const int below = map_top + coach_wind_bands * cell_height;
    for (int d = 0; d < coach_distance_bands; ++d) {
        centred(s, map_left + d * cell_width + cell_width / 2, below + 6, distance_labels[d]);
    }
    centred(s, map_left + coach_distance_bands * cell_width / 2, below + 6 + line_height, "distance (px)");
    for (int w = 0; w < coach_wind_bands; ++w) {
        const int y = map_top + (coach_wind_bands - 1 - w) * cell_height + cell_height / 2 - line_height / 2;
        plot::draw_text(s, map_left - 8 - 9 * text_cell, y, wind_labels[w], plot::ink_colour);
    }
    plot::draw_text(s, 24, map_top + coach_wind_bands * cell_height, "wind: power needed, %", plot::ink_colour,
                    true);
    char line[96];
    std::snprintf(line, sizeof line, "%s", rating_line(skill).c_str());
    plot::draw_text(s, map_left, below + 6 + 3 * line_height, line, plot::ink_colour);
    if (focus != no_band) {
        char name[64];
        band_name(focus, name, sizeof name);
        std::snprintf(line, sizeof line, "outlined: the focus band, %s", name);
        plot::draw_text(s, map_left, below + 6 + 4 * line_height, line, plot::ink_colour);
    }
}

void draw_rating(Surface& s, const CoachReport& report)
{
    plot::Chart chart;
    chart.title = "Rating over the sessions";
    chart.x_label = "session";
    chart.y_label = "rating";
    chart.legend = plot::LegendPlace::none;
    chart.max_ticks = 5;
    chart.y = {0.0, 100.0};
    chart.x = {1.0, static_cast<double>(report.sessions > 1 ? report.sessions : 2)};
    plot::Series series{"", rating_colour, {}, 2};
    for (const plot::Point& p : report.ratings) series.points.push_back(p);
    chart.series.push_back(std::move(series));
    if (report.ratings.empty()) chart.notes.push_back("no band known yet");
    plot::draw_chart(s, {chart_left, 0, picture_width, picture_height}, chart);
}

}  // namespace

bool write_coach_plot(const CoachReport& report, const char* path, std::string& reason)
{
    Surface picture(picture_width, picture_height);
    Rectangle(picture, Pen{0, plot::background_colour}, Brush{plot::background_colour}, 0, 0, picture_width,
              picture_height);
    draw_heat_map(picture, report.skill, choose_focus(report.skill, report.focus_memory));
    draw_rating(picture, report);
    return plot::write_chart_png(picture, path, reason);
}

}  // namespace qm
