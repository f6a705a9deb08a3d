// Drawing the drill's HUD line, menu and results screen: white panels of
// text over the frame, the results chart copied from its picture.
#include "sim/drill/drill_draw.h"

#include <cstdio>
#include <cstring>

#include "sim/drill/band_map.h"
#include "sim/frame.h"
#include "sim/hud.h"
#include "sim/overlay_text.h"
#include "sim/world.h"

namespace qm {

namespace {

constexpr int line_height = 16;  // text cells are 8 by 16 pixels
constexpr int cell_width = 8;
constexpr int drill_line_x = 30;  // above the shot's offsets
constexpr int drill_line_y = 8;
constexpr int drill_line_columns = (frame_width - drill_line_x) / cell_width;

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
constexpr int results_left_columns = (results_chart_x - 8 - results_text_x) / cell_width;  // left of the chart
constexpr int results_keys_y = results_code_y + 3 * line_height + 2;
static_assert(results_keys_y + line_height <= results_bottom - 4);
static_assert(coach_text_y + 4 * line_height <= results_code_y);

// The menu.
constexpr int menu_left = 40, menu_right = 760;  // wide enough for a description
constexpr int menu_text_x = 56;
constexpr int menu_name_x = menu_text_x + 2 * cell_width;  // after the chosen entry's mark
constexpr int menu_margin = 8;
constexpr int menu_columns = (menu_right - panel_inset - menu_text_x) / cell_width;
// Lines between the panel's first and last in the band it keeps to.
constexpr int menu_rows = (hud_aim_y - panel_edge_reach - 2 * menu_margin - panel_top_in_band) / line_height;

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

// The code of the drill just shot, with its score, after its label, in lines
// the panel's width; on the page, which sends it as a link, the label alone.
void draw_code(const DrillRun& d, OverlayWriter& out, bool as_link)
{
    char text[drill_code_size + 64];
    if (d.code[0] != '\0' && as_link) {
        std::snprintf(text, sizeof text, "send this link: Copy link or Share, on the bar under the game");
    } else if (d.code[0] != '\0') {
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
        out.write(results_text_x, y, line);
    }
}

void draw_round_rows(const DrillRun& d, OverlayWriter& out, int top)
{
    char line[drill_line_size];
    out.write(results_text_x, top, "round  dist  wind  shots  dmg   pts");
    // The rows that fit above the coach's text, under their heading.
    const int room = (coach_text_y - top) / line_height - 1;
    const int most = room < results_max_rows ? room : results_max_rows;
    const int rows = d.rules.rounds < most ? d.rules.rounds : most - 1;
    for (int i = 0; i < rows; ++i) {
        format_round_row(d.rounds[i], i + 1, line);
        out.write(results_text_x, top + (i + 1) * line_height, line);
    }
    if (rows < d.rules.rounds) {
        std::snprintf(line, sizeof line, "... %d more rounds (qmsim history)", d.rules.rounds - rows);
        out.write(results_text_x, top + (rows + 1) * line_height, line);
    }
}

// Writes text in lines of at most coach_text_columns characters, broken at
// spaces, from y down; answers the y under the last.
int write_wrapped(OverlayWriter& out, int y, const char* text)
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
        out.write(results_text_x, y, line);
        y += line_height;
        while (take < left && text[take] == ' ') ++take;
        text += take;
        left -= take;
    }
    return y;
}

// The coach's view after the session: the rating, the weakest band in a
// sentence, and the bands' heat map beside it.
void draw_coach(const DrillRun& d, OverlayWriter& out)
{
    char text[drill_line_size];
    const int known = d.skill.known_bands();
    if (known == 0) {
        std::snprintf(text, sizeof text, "coach: no band known yet (%d rounds make one)", skill_known_rounds);
    } else {
        std::snprintf(text, sizeof text, "coach: rating %.0f, %d of %d bands known", d.skill.rating(), known,
                      coach_band_count);
    }
    const int y = write_wrapped(out, coach_text_y, text);
    int weakest[coach_weakest];
    const int focus = d.rules.coach ? d.focus : d.skill.weakest(weakest) > 0 ? weakest[0] : no_band;
    if (focus != no_band) {
        const char* label = d.rules.coach ? "focus: " : "weakest: ";
        const std::size_t at = std::strlen(label);
        std::memcpy(text, label, at);
        band_sentence(d.skill, focus, text + at, sizeof text - at);
        write_wrapped(out, y, text);
    }
    draw_band_map(out.frame, results_chart_x, band_map_y, d.skill, focus);
    out.write(results_chart_x, band_map_y + coach_wind_bands * band_cell_height + 4, "bands: distance across, wind up");
}

// The keys' words name the buttons of the device in use: a touch screen's
// are the page's buttons of the results. The copy key's notice (the code
// copied or not) takes the keys' line while it lasts: the panel covers its
// own place.
void draw_results(const DrillRun& d, OverlayWriter& out, bool touch, bool as_link, const char* said)
{
    panel(out.frame, results_left, results_top, results_right, results_bottom);
    ResultsHead head;
    results_head(d, head);
    draw_layout(out, head.layout);
    draw_round_rows(d, out, head.rows_y);
    draw_code(d, out, as_link);
    if (d.chart_drawn) {
        BitBlt(out.frame, results_chart_x, results_chart_y, results_chart_width, results_chart_height,
               d.chart_picture, 0, 0, Rop::srccopy);
    }
    draw_coach(d, out);
    const char* again = d.rules.challenge.active ? "shoot the challenge again" : "shoot again with new draws";
    char keys[drill_line_size];
    const char* copy = d.code[0] == '\0' || touch ? "" : as_link ? "   Y: copy the link" : "   Y: copy the code";
    std::snprintf(keys, sizeof keys,
                  touch ? "Tap Again: %s   Tap Back: free practice%s" : "Enter: %s   Esc: free practice%s", again, copy);
    out.write(results_text_x, results_keys_y, said != nullptr ? said : keys);
}

struct DrillLineParts {
    bool name;
    bool sender;
};

// While the round starts the line ends in "wait"; once its target has
// landed, in its distance and side and the coach's chance.
void compose_drill_line(const DrillRun& d, bool starting, DrillLineParts parts, char (&line)[drill_line_size])
{
    char best[24];
    format_best(d, best, sizeof best);
    const int length = std::snprintf(line, sizeof line, "%s%sround %d/%d  shot %d/%d  score %lld  best %s",
                                     parts.name ? d.rules.name : "", parts.name ? "  " : "", drill_round_number(d),
                                     d.rules.rounds, drill_round_shots(d), d.rules.shots, d.score, best);
    const DrillRoundRecord& r = d.rounds[d.round];
    if (starting && length > 0 && length < drill_line_size) {
        std::snprintf(line + length, sizeof line - static_cast<std::size_t>(length), "  wait");
    } else if (!d.finished && !d.round_pending && r.measured && length > 0 && length < drill_line_size) {
        std::snprintf(line + length, sizeof line - static_cast<std::size_t>(length), "  %d%c  chance %.0f%%",
                      round_distance(r), round_side(r) > 0 ? 'R' : 'L', 100.0 * r.predicted);
    }
    const int shown = static_cast<int>(std::strlen(line));
    const DrillChallenge& c = d.rules.challenge;
    const bool sender = parts.sender && c.sender[0] != '\0';
    if (c.score_given && shown < drill_line_size) {
        std::snprintf(line + shown, sizeof line - static_cast<std::size_t>(shown), "  to beat %lld%s%s%s", c.score,
                      sender ? " (" : "", sender ? c.sender : "", sender ? ")" : "");
    }
}

}  // namespace

void format_round_row(const DrillRoundRecord& r, int number, char (&line)[drill_line_size])
{
    std::snprintf(line, sizeof line, "%5d %5d%c %2d/%-3d %3d%-2s %4d %5lld", number, round_distance(r),
                  round_side(r) > 0 ? 'R' : 'L', r.wind, r.wang, r.shots, r.hit ? " " : "x", r.damage, r.points);
}

void results_head(const DrillRun& d, ResultsHead& head)
{
    char best[24];
    format_best(d, best, sizeof best);
    std::snprintf(head.title, sizeof head.title, "Drill: %s - results", d.rules.name);
    std::snprintf(head.score, sizeof head.score, "score: %lld   personal best: %s%s   seed: %u", d.score, best,
                  d.new_best ? " (new)" : "", d.seed);
    std::snprintf(head.hits, sizeof head.hits, "hits: %d/%d   first-shot hits: %d   shots: %d   mean miss: %.0f%s",
                  d.hits, d.rules.rounds, d.first_shot_hits, d.shots, drill_mean_miss(d),
                  d.assisted ? "   assisted" : "");
    head.challenge[0] = '\0';
    const DrillChallenge& c = d.rules.challenge;
    if (const char* outcome = challenge_outcome(d)) {
        std::snprintf(head.challenge, sizeof head.challenge, "challenge%s%s: score to beat %lld - %s",
                      c.sender[0] != '\0' ? " from " : "", c.sender, c.score, outcome);
    }
    // Across the panel while the lines end above the rows and the chart;
    // left of the chart, pushing the rows down, when they would not.
    for (const int columns : {results_code_columns, results_left_columns}) {
        head.layout = TextLayout{};
        int y = results_top + 12;
        for (const char* line : {head.title, head.score, head.hits}) {
            y = head.layout.add_wrapped(results_text_x, y, line, columns);
        }
        // The note keeps its line when there is none, as the challenge comes under it.
        const int under_note = head.layout.add_wrapped(results_text_x, y, d.note, columns);
        y = head.layout.add_wrapped(results_text_x, under_note > y ? under_note : y + line_height, head.challenge,
                                    columns);
        head.rows_y = y > results_rows_y ? y + line_height / 2 : results_rows_y;
        if (y <= results_chart_y) return;
    }
}

TextLayout menu_layout(const DrillMenu& menu, bool touch)
{
    TextLayout layout;
    int y = panel_top_in_band + menu_margin;
    layout.add(menu_text_x, y,
               touch ? "Drills - tap Up/Down, Start starts, Back closes" : "Drills - Up/Down, Enter starts, Esc closes");
    y += 2 * line_height;
    // As many entries as leave room for the selected one's description,
    // scrolled to keep the selected one in sight.
    const char* description = menu.descriptions[menu.selected];
    const int room = menu_rows - 3 - wrapped_line_count(description, menu_columns);
    const int shown = menu.count < room ? menu.count : room;
    const int first = menu.selected < shown ? 0 : menu.selected - shown + 1;
    for (int i = first; i < first + shown; ++i, y += line_height) {
        if (i == menu.selected) layout.add(menu_text_x, y, ">");
        layout.add(menu_name_x, y, menu.names[i]);
    }
    layout.add_wrapped(menu_text_x, y + line_height, description, menu_columns);
    place_panel(layout, menu_left, menu_right, menu_margin);
    return layout;
}

void format_drill_line(const DrillRun& d, bool starting, char (&line)[drill_line_size])
{
    // The whole line where the frame is wide enough; else without the
    // drill's name (the menu and the results show it), then without the sender.
    for (const DrillLineParts parts : {DrillLineParts{true, true}, DrillLineParts{false, true}, DrillLineParts{false, false}}) {
        compose_drill_line(d, starting, parts, line);
        if (static_cast<int>(std::strlen(line)) <= drill_line_columns) return;
    }
}

void draw_drill(World& world)
{
    const DrillRun& d = world.drill;
    OverlayWriter out(world.memoria, world.overlay_text);
    const bool touch = world.device == Device::touch;
    if (d.active) {
        char line[drill_line_size];
        format_drill_line(d, drill_round_starting(world), line);
        write_text(world.memoria, drill_line_x, drill_line_y, line);
        if (d.finished) draw_results(d, out, touch, world.code_as_link,
                                   d.copy_noticed && world.practice.notice_left > 0 ? world.practice.notice : nullptr);
    }
    if (world.drill_menu.open) draw_layout(out, menu_layout(world.drill_menu, touch));
}

}  // namespace qm
