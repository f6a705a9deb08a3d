// The practice aids' key actions and their two hooks in the tick.
#include "sim/practice.h"

#include <cstdio>
#include <cstring>

#include "sim/frame.h"
#include "sim/hud.h"
#include "sim/present.h"
#include "sim/shot_record.h"
#include "sim/world.h"

namespace qm {

namespace {

// Where the aids write over the frame (text cells are 8 by 16 pixels).
constexpr int cell_width = 8;
constexpr int line_height = 16;
constexpr int notice_x = 30;     // passing notices, below the aim line
constexpr int notice_y = 574;
constexpr int notice_two_lines_y = frame_height - 2 * line_height;  // a long one, still below the aim line
constexpr int notice_columns = (frame_width - notice_x - cell_width) / cell_width;
constexpr int score_x = 560;     // the score panel, under the close hint
constexpr int score_y = 54;
constexpr int finder_x = 300;    // the power finder's line, right of the aim line
constexpr int finder_y = 550;

constexpr COLORREF prediction_mark = 0x0000FFFF;  // yellow, plain on the sky and on the ground
constexpr COLORREF prediction_edge = 0x00000000;  // black
constexpr int prediction_radius = 8;              // pixels from the centre to a tip of the diamond


// The pixels a unit may cover on the frame: its body, its hit points' bar,
// the aim gauge round the player and the damage rising over it.
constexpr int unit_reach_side = 100;
constexpr int unit_reach_up = 110;
constexpr int unit_reach_down = 16;
constexpr int banner_top_y = 104;  // under the wind dial

TextBox unit_box(const bot& unit, const camera& view)
{
    const int x = unit.pos_x - view.cam_x;
    const int y = unit.pos_y - view.cam_y;
    return {x - unit_reach_side, y - unit_reach_up, x + unit_reach_side, y + unit_reach_down};
}

void write_banner(Surface& frame, const World& shown, const char* text)
{
    const TextBox box = banner_box(shown, text);
    write_text(frame, box.left, box.top, text);
}


// A shell that has just left: launched in this tick, not yet stepped.
bool just_left(const bullet& shell) { return shell.state == 0 && shell.time == 0.0; }

void draw_score(const PracticeScore& score, Surface& frame)
{
    char lines[score_lines][score_line_size];
    format_score(score, lines);
    for (int i = 0; i < score_lines; ++i) write_text(frame, score_x, score_y + i * line_height, lines[i]);
}

int struck_shells(const ShotTrace& trace)
{
    int struck = 0;
    for (const ShellTrace& shell : trace.shells) struck += shell.struck ? 1 : 0;
    return struck;
}

// The prediction needs a round that stands still: the aim free and both
// units at rest, so that nothing but the aim can change the shot.
bool prediction_ready(const World& world)
{
    return aim_free(world) && unit_at_rest(world, world.target1) && unit_at_rest(world, world.player_bot);
}

void diamond(Surface& frame, int x, int y, int radius, COLORREF colour)
{
    for (int d = 0; d < radius; ++d) {
        const int e = radius - d;
        SetPixel(frame, x + d, y - e, colour);
        SetPixel(frame, x + e, y + d, colour);
        SetPixel(frame, x - d, y + e, colour);
        SetPixel(frame, x - e, y - d, colour);
    }
}

// A yellow diamond ringed in black around the predicted strike, with a black
// centre dot.
void draw_prediction_mark(Surface& frame, int x, int y)
{
    diamond(frame, x, y, prediction_radius + 1, prediction_edge);
    diamond(frame, x, y, prediction_radius, prediction_mark);
    diamond(frame, x, y, prediction_radius - 1, prediction_mark);
    diamond(frame, x, y, prediction_radius - 2, prediction_edge);
    SetPixel(frame, x, y, prediction_edge);
}

void draw_finder(const PredictionView& view, Surface& frame)
{
    char line[48];
    if (view.searching) {
        std::snprintf(line, sizeof line, "finding the power...");
    } else if (view.window.reaches) {
        std::snprintf(line, sizeof line, "target power: %1.2f (good %1.2f-%1.2f)", view.window.best_power(),
                      view.window.low_power(), view.window.high_power());
    } else {
        std::snprintf(line, sizeof line, "out of reach at this angle");
    }
    write_text(frame, finder_x, finder_y, line);
}

}  // namespace

TextLayout notice_layout(const char* notice)
{
    // A notice too long for one line goes on over a second.
    TextLayout layout;
    const int y = wrapped_line_count(notice, notice_columns) > 1 ? notice_two_lines_y : notice_y;
    layout.add_wrapped(notice_x, y, notice, notice_columns);
    return layout;
}

TextBox banner_box(const World& shown, const char* text)
{
    // Centred across the frame, in the middle row, or in the nearest row
    // over or under it clear of both units.
    const int width = static_cast<int>(std::strlen(text)) * cell_width;
    const int left = (frame_width - width) / 2;
    const TextBox units[] = {unit_box(shown.target1, shown.cam1), unit_box(shown.player_bot, shown.cam1)};
    const auto clear = [&](const TextBox& box) { return !box.meets(units[0]) && !box.meets(units[1]); };
    constexpr int first = banner_top_y;
    constexpr int last = hud_aim_y - 2 * line_height;
    for (int step = 0; banner_middle_y - step >= first || banner_middle_y + step <= last; step += line_height) {
        for (const int y : {banner_middle_y - step, banner_middle_y + step}) {
            const TextBox box = text_box(left, y, width / cell_width);
            if (y >= first && y <= last && clear(box)) return box;
        }
    }
    return text_box(left, banner_middle_y, width / cell_width);
}

void arm_practice(World& world) { world.practice.replay.arm(world); }

void toggle_trace(World& world) { world.practice.trace_shown = !world.practice.trace_shown; }
void toggle_prediction(World& world)
{
    Practice& p = world.practice;
    p.prediction_shown = !p.prediction_shown;
    if (p.prediction_shown && !p.side_shots.armed()) p.side_shots.arm(world);
}
void toggle_chart(World& world)
{
    Practice& p = world.practice;
    p.chart_shown = !p.chart_shown;
    if (!p.chart_shown) return;
    if (!p.side_shots.armed()) p.side_shots.arm(world);
    p.chart.arm();
}
void toggle_score(World& world) { world.practice.score_shown = !world.practice.score_shown; }
void toggle_pause(World& world) { world.practice.paused = !world.practice.paused; }
void request_recall(World& world) { world.practice.recall_requested = true; }

bool start_replay(World& world)
{
    // The shot has struck (or left the field) once its state has moved on.
    if (world.mainbullet.state == 0) return false;
    return world.practice.replay.start();
}

void stop_replay(World& world) { world.practice.replay.stop(); }

void show_notice(World& world, const char* text)
{
    Practice& p = world.practice;
    std::snprintf(p.notice, sizeof p.notice, "%s", text);
    p.notice_left = notice_ticks;
}

bool aim_free(const World& world) { return world.focus == 0 && world.mainbullet.state >= state_at_rest; }

PredictionView prediction_view(const World& world)
{
    const Practice& p = world.practice;
    return p.prediction_shown ? p.prediction.view() : PredictionView{};
}

AimChartView aim_chart_view(const World& world)
{
    const Practice& p = world.practice;
    return p.chart_shown ? p.chart.view() : AimChartView{};
}

bool practice_before_tick(World& world)
{
    Practice& p = world.practice;
    if (p.replay.running()) {
        p.replay.tick(world.memoria);
        write_banner(world.memoria, p.replay.shown(), replay_banner);
        present(world);
        return true;
    }
    if (p.paused) {
        write_banner(world.memoria, world, paused_banner);
        present(world);
        return true;
    }
    if (p.recall_requested) {
        p.recall_requested = false;
        if (p.fired_once && aim_free(world)) {
            world.vang = p.last_shot.angle;
            world.v0 = p.last_shot.power;
            world.direction = p.last_shot.direction;
        }
    }
    return false;
}

void practice_after_tick(World& world)
{
    Practice& p = world.practice;
    const bool fired = just_left(world.mainbullet);
    if (fired) {
        clear_trace(p.trace);
        p.last_shot = {world.vang, world.v0, world.direction};
        p.fired_once = true;
        p.replay.keep(world);
    }
    const int struck_before = struck_shells(p.trace);
    record_trace(p.trace, world);
    p.strikes += struck_shells(p.trace) - struck_before;
    score_tick(p.score, world, fired);
    const bool probing = (p.prediction_shown || p.chart_shown) && prediction_ready(world);
    if (probing) p.side_shots.follow(world, p.strikes);
    if (probing && p.prediction_shown) {
        p.prediction.update(world, p.side_shots);
    } else {
        p.prediction.hide();
    }
    if (probing && p.chart_shown) {
        p.chart.update(world, p.side_shots);
    } else {
        p.chart.hide();
    }

    Surface& frame = world.memoria;
    const int view_x = world.cam1.cam_x;
    const int view_y = world.cam1.cam_y;
    if (p.trace_shown) draw_trace(p.trace, frame, view_x, view_y);
    if (p.prediction_shown) {
        const PredictionView view = p.prediction.view();
        if (view.strike_known) draw_prediction_mark(frame, view.strike_x - view_x, view.strike_y - view_y);
        if (view.strike_known || view.searching) draw_finder(view, frame);
    }
    if (p.chart_shown) p.chart.draw(frame);
    if (p.score_shown) draw_score(p.score, frame);
    if (p.notice_left > 0) {
        draw_layout(frame, notice_layout(p.notice));
        --p.notice_left;
    }
}

}  // namespace qm
