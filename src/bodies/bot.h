// The units: the target (`bot`) and the player's unit (`player`). A unit is a
// body launched with power 0 that falls, lands, measures its slope, takes
// damage and is placed anew after it dies or leaves the world.
#pragma once

#include "bodies/bullet.h"

namespace qm {

constexpr int full_hp = 1000;  // hit points after every placement

class bot : public bullet {
public:
    explicit bot(Field* view) : bullet(view) {}

    int update(int view_x, int view_y) override;
    void calc() override;
    void paint() override;
    int hit() final;  // final: get_slope calls it 480 times a tick, directly
    virtual int focus();

    void reset(Surface* surface, double wind_strength, double wind_angle, int x, int y);
    int get_slope();
    bool collision(int x, int y);  // whether (x, y) lies on the body
    void damage(int x, int y);

    double slope = 0.0;
    int anchor_x = 0;
    int anchor_y = 0;
    int slope_bins[24] = {};
    int respawn_ticks = 0;
    int focus_ticks = 0;
    int damage_shown = 0;
    int damage_ticks = 0;
    int hp = 0;

protected:
    void paint_body(COLORREF fill);  // the body polygon, outlined in black
    void paint_hp_bar();
    void paint_damage_text();
};

class player : public bot {
public:
    explicit player(Field* view) : bot(view) {}

    void paint() override;
    int focus() override;

    int just_fired = 0;
    int facing = 1;
    int launch_x = 0;
    int launch_y = 0;
};

}  // namespace qm
