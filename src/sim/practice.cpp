// The practice aids' key actions and their two hooks in the tick.
#include "sim/practice.h"

#include <cstdio>
#include <cstring>

#include "sim/hud.h"
#include "sim/present.h"
#include "sim/shot_record.h"
#include "sim/world.h"

namespace qm {

namespace {

// Where the aids write over the frame (text cells are 8 by 16 pixels).
constexpr int cell_width = 8;
constexpr int line_height = 16;
constexpr int banner_y = 292;    // the pause and replay banners, centred across the frame
constexpr int notice_x = 30;     // passing notices, below the aim line
constexpr int notice_y = 574;
constexpr int score_x = 560;     // the score panel, under the close hint
constexpr int score_y = 54;
constexpr int finder_x = 300;    // the power finder's line, right of the aim line
constexpr int finder_y = 550;

constexpr COLORREF prediction_mark = 0x0000FFFF;  // yellow, plain on the sky and on the ground
constexpr COLORREF prediction_edge = 0x00000000;  // black
constexpr int prediction_radius = 8;              // pixels from the centre to a tip of the diamond

constexpr const char* paused_banner = "Paused - P resumes";
constexpr const char* replay_banner = "Replay - any key returns";

void write_centred(Surface& frame, int y, const char* text)
{
    const int width = static_cast<int>(std::strlen(text)) * cell_width;
    write_text(frame, (frame.width() - width) / 2, y, text);
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
        write_centred(world.memoria, banner_y, replay_banner);
        present(world);
        return true;
    }
    if (p.paused) {
        write_centred(world.memoria, banner_y, paused_banner);
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
        write_text(frame, notice_x, notice_y, p.notice);
        --p.notice_left;
    }
}

}  // namespace qm
