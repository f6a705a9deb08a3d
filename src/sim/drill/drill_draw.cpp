// Drawing the drill's HUD line, menu and results screen: white panels of
// text over the frame, the results chart copied from its picture.
#include "sim/drill/drill_draw.h"

#include <cstdio>
#include <cstring>

#include "sim/drill/band_map.h"
#include "sim/hud.h"
#include "sim/world.h"

namespace qm {

namespace {

constexpr int line_height = 16;  // text cells are 8 by 16 pixels
constexpr int cell_width = 8;
constexpr int drill_line_x = 30;  // above the shot's offsets
constexpr int drill_line_y = 8;

constexpr COLORREF panel_fill = 0x00FFFFFF;
constexpr COLORREF panel_edge = 0x00000000;

// The results screen.
constexpr int results_left = 30, results_top = 50, results_right = 770, results_bottom = 596;
constexpr int results_text_x = 46;
constexpr int results_rows_y = 150;
constexpr int results_max_rows = 18;
constexpr int coach_text_y = results_rows_y + (results_max_rows + 1) * line_height;  // under the rows
constexpr int coach_text_columns = 46;  // characters left of the chart
constexpr int band_map_y = results_chart_y + results_chart_height + 8;
// The code to send, across the whole panel under the coach and the heat map,
// in as many as three lines (the longest code with its label), then the keys.
constexpr int results_code_y = band_map_y + coach_wind_bands * band_cell_height + 4 + line_height + 8;
constexpr int results_code_columns = (results_right - 8 - results_text_x) / cell_width;
constexpr int results_keys_y = results_code_y + 3 * line_height + 2;
static_assert(results_keys_y + line_height <= results_bottom - 4);
static_assert(coach_text_y + 4 * line_height <= results_code_y);

// The menu.
constexpr int menu_left = 40, menu_top = 40, menu_right = 760;  // wide enough for a description
constexpr int menu_text_x = 56;

void panel(Surface& frame, int left, int top, int right, int bottom)
{
    Rectangle(frame, Pen{2, panel_edge}, Brush{panel_fill}, left, top, right, bottom);
}

void format_best(const DrillRun& d, char* text, std::size_t size)
{
    if (d.best_known) {
        std::snprintf(text, size, "%lld", d.best);
    } else {
        std::snprintf(text, size, "-");
    }
}

// The challenge's line: who set the score, and whether it was beaten.
void draw_challenge_result(const DrillRun& d, Surface& frame, int y)
{
    const DrillChallenge& c = d.rules.challenge;
    const char* outcome = challenge_outcome(d);
    if (outcome == nullptr) return;
    char line[drill_line_size];
    std::snprintf(line, sizeof line, "challenge%s%s: score to beat %lld - %s", c.sender[0] != '\0' ? " from " : "",
                  c.sender, c.score, outcome);
    write_text(frame, results_text_x, y, line);
}

// The code of the drill just shot, with its score, after its label, in lines
// the panel's width.
void draw_code(const DrillRun& d, Surface& frame)
{
    char text[drill_code_size + 64];
    if (d.code[0] != '\0') {
        std::snprintf(text, sizeof text, "send (qmsim --challenge CODE): %s", d.code);
    } else {
        std::snprintf(text, sizeof text, "no code to send: %s",
                      d.rules.coach ? "the coach plans each player's own rounds" : "the map is a file");
    }
    char line[results_code_columns + 1];
    const int length = static_cast<int>(std::strlen(text));
    for (int at = 0, y = results_code_y; at < length; at += results_code_columns, y += line_height) {
        const int take = length - at < results_code_columns ? length - at : results_code_columns;
        std::memcpy(line, text + at, static_cast<std::size_t>(take));
        line[take] = '\0';
        write_text(frame, results_text_x, y, line);
    }
}

void draw_round_rows(const DrillRun& d, Surface& frame)
{
    char line[drill_line_size];
    write_text(frame, results_text_x, results_rows_y, "round  dist  wind  shots  dmg   pts");
    const int rows = d.rules.rounds < results_max_rows ? d.rules.rounds : results_max_rows - 1;
    for (int i = 0; i < rows; ++i) {
        format_round_row(d.rounds[i], i + 1, line);
        write_text(frame, results_text_x, results_rows_y + (i + 1) * line_height, line);
    }
    if (rows < d.rules.rounds) {
        std::snprintf(line, sizeof line, "... %d more rounds (qmsim history)", d.rules.rounds - rows);
        write_text(frame, results_text_x, results_rows_y + (rows + 1) * line_height, line);
    }
}

// Writes text in lines of at most coach_text_columns characters, broken at
// spaces, from y down; answers the y under the last.
int write_wrapped(Surface& frame, int y, const char* text)
{
    char line[coach_text_columns + 1];
    std::size_t left = std::strlen(text);
    while (left > 0) {
        std::size_t take = left;
        if (take > coach_text_columns) {
            take = coach_text_columns;
            while (take > 0 && text[take] != ' ') --take;
            if (take == 0) take = coach_text_columns;
        }
        std::memcpy(line, text, take);
        line[take] = '\0';
        write_text(frame, results_text_x, y, line);
        y += line_height;
        while (take < left && text[take] == ' ') ++take;
        text += take;
        left -= take;
    }
    return y;
}

// The coach's view after the session: the rating, the weakest band in a
// sentence, and the bands' heat map beside it.
void draw_coach(const DrillRun& d, Surface& frame)
{
    char text[drill_line_size];
    const int known = d.skill.known_bands();
    if (known == 0) {
        std::snprintf(text, sizeof text, "coach: no band known yet (%d rounds make one)", skill_known_rounds);
    } else {
        std::snprintf(text, sizeof text, "coach: rating %.0f, %d of %d bands known", d.skill.rating(), known,
                      coach_band_count);
    }
    const int y = write_wrapped(frame, coach_text_y, text);
    int weakest[coach_weakest];
    const int focus = d.rules.coach ? d.focus : d.skill.weakest(weakest) > 0 ? weakest[0] : no_band;
    if (focus != no_band) {
        const char* label = d.rules.coach ? "focus: " : "weakest: ";
        const std::size_t at = std::strlen(label);
        std::memcpy(text, label, at);
        band_sentence(d.skill, focus, text + at, sizeof text - at);
        write_wrapped(frame, y, text);
    }
    draw_band_map(frame, results_chart_x, band_map_y, d.skill, focus);
    write_text(frame, results_chart_x, band_map_y + coach_wind_bands * band_cell_height + 4,
               "bands: distance across, wind up");
}

void draw_results(const DrillRun& d, Surface& frame)
{
    panel(frame, results_left, results_top, results_right, results_bottom);
    char line[drill_line_size];
    char best[24];
    format_best(d, best, sizeof best);
    int y = results_top + 12;
    std::snprintf(line, sizeof line, "Drill: %s - results", d.rules.name);
    write_text(frame, results_text_x, y, line);
    y += line_height;
    std::snprintf(line, sizeof line, "score: %lld   personal best: %s%s   seed: %u", d.score, best,
                  d.new_best ? " (new)" : "", d.seed);
    write_text(frame, results_text_x, y, line);
    y += line_height;
    std::snprintf(line, sizeof line, "hits: %d/%d   first-shot hits: %d   shots: %d   mean miss: %.0f%s", d.hits,
                  d.rules.rounds, d.first_shot_hits, d.shots, drill_mean_miss(d), d.assisted ? "   assisted" : "");
    write_text(frame, results_text_x, y, line);
    y += line_height;
    if (d.note[0] != '\0') write_text(frame, results_text_x, y, d.note);
    draw_challenge_result(d, frame, y + line_height);
    draw_round_rows(d, frame);
    draw_code(d, frame);
    if (d.chart_drawn) {
        BitBlt(frame, results_chart_x, results_chart_y, results_chart_width, results_chart_height, d.chart_picture, 0,
               0, Rop::srccopy);
    }
    draw_coach(d, frame);
    write_text(frame, results_text_x, results_keys_y,
               d.rules.challenge.active ? "Enter: shoot the challenge again   Esc: free practice"
                                        : "Enter: shoot again with new draws   Esc: free practice");
}

void draw_menu(const DrillMenu& menu, Surface& frame)
{
    const int bottom = menu_top + (menu.count + 5) * line_height;
    panel(frame, menu_left, menu_top, menu_right, bottom);
    write_text(frame, menu_text_x, menu_top + 8, "Drills - Up/Down, Enter starts, Esc closes");
    char line[drill_line_size];
    for (int i = 0; i < menu.count; ++i) {
        std::snprintf(line, sizeof line, "%s %s", i == menu.selected ? ">" : " ", menu.names[i]);
        write_text(frame, menu_text_x, menu_top + 8 + (i + 2) * line_height, line);
    }
    // As much of the selected drill's description as the panel holds.
    std::snprintf(line, sizeof line, "%.*s", (menu_right - menu_text_x) / cell_width - 1, menu.descriptions[menu.selected]);
    write_text(frame, menu_text_x, menu_top + 8 + (menu.count + 3) * line_height, line);
}

}  // namespace

void format_round_row(const DrillRoundRecord& r, int number, char (&line)[drill_line_size])
{
    std::snprintf(line, sizeof line, "%5d %5d%c %2d/%-3d %3d%-2s %4d %5lld", number, round_distance(r),
                  round_side(r) > 0 ? 'R' : 'L', r.wind, r.wang, r.shots, r.hit ? " " : "x", r.damage, r.points);
}

void format_drill_line(const DrillRun& d, char (&line)[drill_line_size])
{
    char best[24];
    format_best(d, best, sizeof best);
    const int length = std::snprintf(line, sizeof line, "%s  round %d/%d  shot %d/%d  score %lld  best %s",
                                     d.rules.name, drill_round_number(d), d.rules.rounds, drill_round_shots(d),
                                     d.rules.shots, d.score, best);
    const DrillRoundRecord& r = d.rounds[d.round];
    if (!d.finished && !d.round_pending && r.measured && length > 0 && length < drill_line_size) {
        std::snprintf(line + length, sizeof line - static_cast<std::size_t>(length), "  %d%c  chance %.0f%%",
                      round_distance(r), round_side(r) > 0 ? 'R' : 'L', 100.0 * r.predicted);
    }
    const int shown = static_cast<int>(std::strlen(line));
    const DrillChallenge& c = d.rules.challenge;
    if (c.score_given && shown < drill_line_size) {
        std::snprintf(line + shown, sizeof line - static_cast<std::size_t>(shown), "  to beat %lld%s%s%s", c.score,
                      c.sender[0] != '\0' ? " (" : "", c.sender, c.sender[0] != '\0' ? ")" : "");
    }
}

void draw_drill(World& world)
{
    const DrillRun& d = world.drill;
    Surface& frame = world.memoria;
    if (d.active) {
        char line[drill_line_size];
        format_drill_line(d, line);
        write_text(frame, drill_line_x, drill_line_y, line);
        if (d.finished) draw_results(d, frame);
    }
    if (world.drill_menu.open) draw_menu(world.drill_menu, frame);
}

}  // namespace qm
