// The backdrop kept between ticks: a frame whose background is redrawn only
// where something changed is, tick for tick, the frame a whole redraw gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>

#include "scripted_round.h"
#include "sim/background.h"
#include "sim/paint.h"
#include "sim/practice.h"
#include "test_world.h"

namespace qm {
namespace {

// Inputs for tick t (from 1) of a world; both worlds get the same.
using Inputs = std::function<void(World&, int)>;

struct Scenario {
    const char* name;
    std::function<void(World&)> setup;
    Inputs inputs;
    int ticks;
};

void fire_when_ready(World& w)
{
    if (w.mainbullet.state == state_at_rest && w.fire_now == 0) w.fire_now = 1;
}

// The practice aids in turn: trace, prediction, chart and score on, shots, a pause,
// a replay stopped part way, everything off again.
void practice_inputs(World& w, int t)
{
    if (t == 1) {
        toggle_trace(w);
        toggle_prediction(w);
        toggle_chart(w);
        toggle_score(w);
    }
    if (t >= 5 && t < 300) fire_when_ready(w);
    if (t == 120 || t == 140) toggle_pause(w);
    if (t == 300) start_replay(w);
    if (t == 360) stop_replay(w);
    if (t == 400) {
        toggle_trace(w);
        toggle_prediction(w);
        toggle_chart(w);
        toggle_score(w);
    }
}

// A right-button pan on the flat map, then the view left to return.
void flat_pan_inputs(World& w, int t)
{
    if (t == 150) {
        w.rbutton = 1;
        w.mouse_cam_x = w.cam1.cam_x;
        w.mouse_cam_y = w.cam1.cam_y;
    }
    if (t > 150 && t <= 200) w.mouse_cam_y += 7;
    if (t == 201) w.rbutton = 0;
}

// Shots, and from tick 60 a right-button pan round the whole map in steps of
// 1 to 90 pixels: past the stripes' ends, above and below them.
void map_tour_inputs(World& w, int t)
{
    constexpr POINT stops[] = {{-3400, 500}, {-3400, 150}, {2900, 150}, {2900, 1500}, {-200, 700}};
    fire_when_ready(w);
    if (t == 60) w.rbutton = 1;
    if (t < 60) return;
    const POINT to = stops[std::min<std::size_t>((t - 60) / 120, std::size(stops) - 1)];
    const int step = 1 + t % 90;
    w.mouse_cam_x += std::clamp(to.x - w.mouse_cam_x, -step, step);
    w.mouse_cam_y += std::clamp(to.y - w.mouse_cam_y, -step, step);
}

const Scenario scenarios[] = {
    {"scripted round: shots, craters, a death and respawn, a pan, a turn",
     [](World&) {}, nullptr, 700},
    {"practice aids on the first sample map",
     [](World& w) {
         test::build_sample_map(w);
         w.random_wind = 0;
         for (int i = 0; i < 100; ++i) paint(w);
         arm_practice(w);
     },
     practice_inputs, 450},
    {"flat map with a pan",
     [](World& w) {
         w.flat_map = 1;
         w.random_wind = 0;
     },
     flat_pan_inputs, 300},
    {"a tour of the first sample map",
     [](World& w) {
         test::build_sample_map(w);
         w.random_wind = 0;
         w.mouse_cam_x = w.cam1.cam_x;
         w.mouse_cam_y = w.cam1.cam_y;
     },
     map_tour_inputs, 700},
};

TEST(KeptBackdrop, EveryFrameIsTheWholeRedraw)
{
    for (const Scenario& s : scenarios) {
        auto kept = test::make_world();
        auto whole = test::make_world();
        std::unique_ptr<test::Round> kept_round;
        std::unique_ptr<test::Round> whole_round;
        if (s.inputs == nullptr) {
            kept_round = std::make_unique<test::Round>(*kept);
            whole_round = std::make_unique<test::Round>(*whole);
        } else {
            s.setup(*kept);
            s.setup(*whole);
        }
        for (int t = 1; t <= s.ticks; ++t) {
            forget_backdrop(*whole);
            if (s.inputs == nullptr) {
                kept_round->play(t);
                whole_round->play(t);
            } else {
                s.inputs(*kept, t);
                s.inputs(*whole, t);
                paint(*kept);
                paint(*whole);
            }
            const Surface& a = kept->memoria;
            const Surface& b = whole->memoria;
            ASSERT_TRUE(std::equal(a.data(), a.data() + frame_width * frame_height, b.data()))
                << s.name << ": tick " << t;
        }
    }
}

}  // namespace
}  // namespace qm
