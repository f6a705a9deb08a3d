// The practice aids around a round: shot trace, landing prediction and power
// finder, aim chart, recall of the last aim, replay, score panel, pause and the frame's
// notices. Keys switch them; the tick runs them in two hooks. While every aid
// is off they read the round but draw and change nothing.
#pragma once

#include "sim/aim_chart.h"
#include "sim/drill/round_window.h"
#include "sim/prediction.h"
#include "sim/practice_score.h"
#include "sim/replay.h"
#include "sim/side_shots.h"
#include "sim/text_layout.h"
#include "sim/trace.h"

namespace qm {

struct World;

constexpr int notice_size = 128;
constexpr const char* paused_banner = "Paused - P resumes";
constexpr const char* replay_banner = "Replay - any key returns";
constexpr int banner_middle_y = 292;  // the banners' row when the units leave it clear
// Two seconds of 16 ms ticks.
constexpr int notice_ticks = 125;

struct Practice {
    bool trace_shown = false;
    bool prediction_shown = false;
    bool chart_shown = false;
    bool score_shown = false;
    bool paused = false;
    bool recall_requested = false;

    bool fired_once = false;
    Aim last_shot;  // the aim of the last shot fired, as recall puts it back
    ShotTrace trace;
    long long strikes = 0;  // shells that have struck since the start: each may have left a crater
    PracticeScore score;
    Replay replay;
    SideShots side_shots;  // the probe the prediction, the finder and the chart fire on
    Prediction prediction;
    AimChart chart;
    RoundWindow drill_window;  // a drill round's window at its first shot's aim, kept for the coach

    char notice[notice_size] = {};  // a passing message, such as a saved screenshot
    int notice_left = 0;            // ticks it stays up
};

// Makes what the aids need in memory before the round ticks, so that no
// tick allocates: the replay's kept copy of the round.
void arm_practice(World& world);

// Key actions. The first replay and the first switching on of the
// prediction or the chart make their copies of the round here, between
// ticks.
void toggle_trace(World& world);
void toggle_prediction(World& world);
void toggle_chart(World& world);
void toggle_score(World& world);
void toggle_pause(World& world);
void request_recall(World& world);
// Starts the replay of the last shot once it has struck; false otherwise.
bool start_replay(World& world);
void stop_replay(World& world);
// Puts a message over the frame for two seconds.
void show_notice(World& world, const char* text);

// Where a notice's lines go: under the aim line, in one line or two.
TextLayout notice_layout(const char* notice);

// Where a banner (paused, replay) goes over the round `shown`: centred
// across the frame, clear of both units.
TextBox banner_box(const World& shown, const char* text);

// True while the aim may change: the camera on the player and no shell of
// the last shot in the air.
bool aim_free(const World& world);

// What the prediction and the power finder show: nothing while H is off or
// the round is not standing still with the aim free.
PredictionView prediction_view(const World& world);

// What the aim chart shows: nothing while G is off or the round is not
// standing still with the aim free.
AimChartView aim_chart_view(const World& world);

// Before the tick: a paused or replaying round waits (the frame shows why and
// is presented here, and the answer is true); otherwise a pending recall is
// carried out.
bool practice_before_tick(World& world);

// After the HUD: the trace, the score and the replay copy take what the tick
// did, and the aids that are on draw over the frame.
void practice_after_tick(World& world);

}  // namespace qm
