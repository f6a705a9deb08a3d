// The units: the target (`bot`) and the player's unit (`player`). A unit is a
// body launched with power 0 that falls, lands, measures its slope, takes
// damage and is placed anew after it dies or leaves the world.
#pragma once

#include "bodies/bullet.h"

namespace qm {

constexpr int full_hp = 1000;  // hit points after every placement
constexpr int blast_full = 120;  // hit points an impact costs at distance 0, the most it can cost

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

    double slope = 0.0;        // ground angle under the unit, degrees, a multiple of 15
    int anchor_x = 0;          // where the current fall started, world pixels
    int anchor_y = 0;
    int slope_bins[24] = {};   // solid samples per ring direction at the last measurement
    int respawn_ticks = 0;     // death countdown, 35 down to 1; 0 while alive
    int focus_ticks = 0;       // ticks the camera still dwells on the unit
    int damage_shown = 0;      // hit points in the damage text
    int damage_ticks = 0;      // painted ticks the damage text stays up
    int hp = 0;                // hit points, 0 to 1000

protected:
    void paint_body(COLORREF fill);  // the body polygon, outlined in black
    void paint_hp_bar();
    void paint_damage_text();
};

// Where a unit dropped at (x, y) in this wind comes to rest on the terrain
// (not the flat map's line), by the unit's own fall worked out on the side:
// a target drifts with the wind as it falls. False when it would leave the
// field instead.
bool unit_landing(const TerrainStripes& terrain, int x, int y, double wind_strength, double wind_angle,
                  int& landed_x);

class player : public bot {
public:
    explicit player(Field* view) : bot(view) {}

    void paint() override;
    int focus() override;

    int just_fired = 0;  // 1 from a launch until the camera's next question
    int facing = 1;      // 1 right, -1 left
    int launch_x = 0;    // muzzle point, world pixels, set each time the player is drawn
    int launch_y = 0;
};

}  // namespace qm
