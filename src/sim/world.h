// The world: every variable of the simulation, the six bodies, the camera and
// the drawing surfaces. Nothing of the simulation lives outside it, so two
// worlds can run side by side and a world can be copied to predict a shot.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "bodies/bot.h"
#include "bodies/bullet.h"
#include "bodies/sec_bullet.h"
#include "sim/camera.h"
#include "sim/crt_rand.h"
#include "sim/practice.h"
#include "sim/presenter.h"
#include "sim/shot_result.h"
#include "raster/surface.h"

namespace qm {

constexpr int frame_width = 800;
constexpr int frame_height = 600;
constexpr int stripe_count = 6;
constexpr int stripe_size = 800;  // each terrain stripe is 800 by 800
constexpr int scratch_size = 80;  // the unit hit-test surface is 80 by 80

constexpr int max_maps = 32;
constexpr int map_name_size = 256;  // a name and its terminating zero
constexpr int map_rows = 800;
constexpr int map_max_columns = 3200;

constexpr int ring_radii = 20;
constexpr int ring_directions = 24;  // 15 degrees apart

struct RingSample {
    int x = 0;  // horizontal offset
    int y = 0;  // vertical offset, positive downward
};

// Everything except the body-to-world links, which World repairs on copy.
struct WorldState {
    explicit WorldState(World* self);

    // Aim and shot control
    double vang = 50.0;
    double v0 = 2.5;
    int direction = 1;
    int angle_up = 0;
    int angle_down = 0;
    int pow_up = 0;
    int pow_down = 0;
    int fire_now = 0;
    int shoot_delay = 0;
    int shots_done = 0;

    // Wind
    double wind = 0.0;
    double wang = 90.0;
    int random_wind = 1;
    int wind_change_turn = 2;
    int new_wind = 0;
    int new_wang = 0;

    // Unit placement
    int random_x = 0;

    // Camera and view
    int focus = 0;
    int rbutton = 0;
    int rbutton_x = 0;
    int rbutton_y = 0;
    int mouse_cam_x = 0;
    int mouse_cam_y = 0;

    // Display
    int DeskCap_X = 0;
    int DeskCap_Y = 0;
    int DevCap_X = 0;
    int DevCap_Y = 0;
    int stretch = 1;
    int temp_stretch = 1;

    // Map and loading
    char map_filename[max_maps][map_name_size] = {};
    int map_count = 0;
    int flat_map = 0;
    std::vector<std::uint8_t> imagen;  // map_rows by map_max_columns, one byte a pixel
    int imagen_x = 0;
    int imagen_y = 0;
    int loading = 0;
    int loaded = 0;
    int lm_c = 0;
    int lm_d = 0;
    char prog_static[64] = {};  // the dialog's status line

    // Drawing surfaces; cliente is the shell's window, null without one.
    Presenter* cliente = nullptr;
    Surface memoria;
    std::array<Surface, stripe_count> ground;
    Surface targ1_dc;
    // The unit body the scratch surface holds (white around it), as the
    // slope it was drawn at; 0 while it holds none.
    int targ1_holds_body = 0;
    double targ1_slope = 0.0;

    RingSample circle_samp[ring_radii][ring_directions] = {};

    CrtRand rng;

    // Ticks run since the round began, and the last shot's strike and damage
    // (kept from its strike until the next shot leaves).
    long long tick_count = 0;
    ShotResult last_impact;

    // Bodies, in construction order.
    sec_bullet sec_bullet1;
    sec_bullet sec_bullet2;
    bullet mainbullet;
    bot target1;
    player player_bot;
    camera cam1;
};

struct World : WorldState {
    World();
    // A copy is a world of its own: its bodies belong to it, it shows
    // nothing (no window surface) and its practice aids are its own.
    World(const World& other);
    World& operator=(const World& other);

    // The practice aids belong to this round alone: a copy starts with all
    // of them off and nothing kept.
    Practice practice;

    std::uint8_t& image_at(int row, int column)
    {
        return imagen[static_cast<std::size_t>(row) * map_max_columns + column];
    }

private:
    void adopt_bodies();
};

// Fills circle_samp (done once at start-up).
void fill_circle_samp(World& world);

}  // namespace qm
