// The moving body: launch state, closed-form trajectory, and one tick of a
// projectile's flight with collision, impact refinement, crater and damage.
#pragma once

#include "bodies/field.h"
#include "raster/surface.h"

namespace qm {

// Model constants of the projectile's trajectory (one model length unit is
// 800 pixels).
constexpr double launch_speed_scale = 0.28645270023;  // model units per unit of power
constexpr double gravity = 0.54031528;
constexpr double wind_accel = 0.0057091621;          // per whole wind component
constexpr double wind_half_accel_x = 0.00285458105;  // wind_accel with the 1/2 of at^2/2 applied
constexpr double pixels_per_unit = 800.0;

constexpr double tick_step = 0.025;  // flight-clock step per tick
constexpr double sub_step = 0.001;   // flight-clock step while refining an impact
constexpr int max_sub_steps = 25;
// A body's state: 0 in flight; from an impact on it counts up by one at
// every contact test (a refinement's sub-steps included) until it reaches
// state_at_rest, when the body stops and is no longer drawn.
constexpr int state_at_rest = 40;

// Placeholder position of a freshly launched body, until its first step.
constexpr int placeholder_x = -150;
constexpr int placeholder_y = 400;

class bullet {
public:
    explicit bullet(Field* view);
    bullet(const bullet&) = default;
    bullet& operator=(const bullet&) = default;
    virtual ~bullet() = default;

    virtual int update(int view_x, int view_y);
    virtual void calc();
    virtual void paint();
    virtual int hit();

    // Launch, and launch both secondaries beside it.
    void reset(Surface* surface, double power, double angle, double wind_strength, double wind_angle, int x, int y,
               int direction);
    // Launch without the secondaries; the trailing int only selects this form.
    void reset(Surface* surface, double power, double angle, double wind_strength, double wind_angle, int x, int y,
               int direction, int);

    int focus() const { return state < state_at_rest ? 1 : 0; }
    // In flight with its clock not yet moved: launched in this tick.
    bool just_launched() const { return state == 0 && time == 0.0; }

    double vel_x = 0.0;   // launch velocity across: power x cos(angle), before the facing
    double vel_y = 0.0;   // launch velocity upward: power x sin(angle)
    double wind_x = 0.0;  // wind across, whole steps toward zero
    double wind_y = 0.0;  // wind upward, whole steps toward zero
    double time = 0.0;    // flight clock, model time units (0.025 a tick)
    int pos_x = 0;        // world position, pixels, y downward
    int pos_y = 0;
    int view_x = 0;       // this tick's frame corner in the world, pixels
    int view_y = 0;
    int state = state_at_rest;  // see state_at_rest
    int origin_x = 0;     // launch point, world pixels
    int origin_y = 0;
    int dir = 0;          // facing at launch: 1 right, -1 left
    Surface* dc = nullptr;  // the surface handed to the launch: always the frame

    Field* field;  // what this body sees of the world it lives in

protected:
    // Takes this tick's view (the frame's top-left corner in the world);
    // false for a body at rest, which then does nothing this tick.
    bool take_view(int view_x, int view_y);
    // A tick of flight: step, refine and strike on an impact, draw. False
    // for a body at rest, which does nothing.
    bool fly(int view_x, int view_y);
    // Called after every advance of the clock and the position, a tick's
    // (refining false) or a refinement sub-step's: where a secondary adds its
    // orbit to the ballistic position.
    virtual void after_step(bool refining) { (void)refining; }
    // The closed-form position at the flight clock, from (x0, y0), with the
    // wind's coefficients across and upward.
    void place_at_clock(int x0, int y0, double wind_half_accel, double wind_accel_y);
    // One tick's advance: when the position is free the clock moves on a
    // tick. Answers whether a body in flight ran into something by it.
    bool advance_one_tick();
    // Back to the last free time, then forward in sub-steps until something
    // is struck (at most 25); the body counts as struck either way (state 1).
    void refine_impact();
    void stamp_crater();   // 60 by 48 crater at the position, into all six stripes
    void damage_units();   // the impact offered to both units, unless on the flat map
};

}  // namespace qm
