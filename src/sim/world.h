// The world: every variable of the simulation, the six bodies, the camera and
// the drawing surfaces. Nothing of the simulation lives outside it, so two
// worlds can run side by side and a world can be copied to predict a shot.
// The parts the lower layers work on are small structs it is made of (the
// map image, the catalogue, the terrain stripes; the field's readings, the
// unit scratch and the ring table), so their members keep their names here.
#pragma once

#include <cstdint>

#include "bodies/bot.h"
#include "bodies/bullet.h"
#include "bodies/field.h"
#include "bodies/ring_table.h"
#include "bodies/sec_bullet.h"
#include "raster/surface.h"
#include "sim/background.h"
#include "sim/camera.h"
#include "sim/controls/controls_screen.h"
#include "sim/controls/inputs.h"
#include "sim/crt_rand.h"
#include "sim/drill/drill_menu.h"
#include "sim/drill/drill_run.h"
#include "sim/frame.h"
#include "sim/overlay_text.h"
#include "sim/practice.h"
#include "sim/drill/round_check.h"
#include "sim/presenter.h"
#include "sim/shot_result.h"
#include "terrain/bitmap_reader.h"
#include "terrain/map_catalogue.h"
#include "terrain/terrain_raster.h"

namespace qm {

// What the tick's moving phases (rolls, aim, units, projectiles, turn logic)
// change, apart from the terrain: a shot fired on the side saves it and puts
// it back as one, so a value added here is put back with the rest. From its
// base: vang, wind, wang, random_x, flat_map (FieldReadings).
struct MovingState : FieldReadings {
    explicit MovingState(Field* view);

    // Aim and shot control. Key flags are 1 while their key is held.
    double v0 = 2.5;      // power, 0.01 to 4 (model units per unit of launch speed)
    int direction = 1;    // facing: 1 right, -1 left
    int angle_up = 0;     // key flag: raise the aim angle a degree a tick
    int angle_down = 0;   // key flag: lower it
    int pow_up = 0;       // key flag: raise the power 0.01 a tick
    int pow_down = 0;     // key flag: lower it
    // Whole notches of a wheel (or another turning input) still to act, one
    // a tick, each as its key held for that tick: positive up, negative down.
    int angle_steps = 0;
    int power_steps = 0;
    int fire_now = 0;     // 1 from a fire request until its shot leaves or is dropped
    int shoot_delay = 0;  // ticks a fire request has waited, 0 to 30
    int shots_done = 0;   // shots since the last wind change

    // This tick's rolls of the next wind (strength and direction are in
    // FieldReadings).
    int new_wind = 0;  // next wind strength, 0 to 24
    int new_wang = 0;  // next wind direction, 0 to 359 degrees

    CrtRand rng;  // the world's own random sequence

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
};

// Everything except the links between the world and its parts, which World
// repairs on copy. From its bases: the moving state above; imagen, imagen_x,
// imagen_y (MapImage); map_filename, map_count (MapCatalogue); ground, lm_c,
// lm_d, prog_static (TerrainStripes); targ1_dc, targ1_holds_body,
// targ1_slope, gauge (UnitScratch); circle_samp (RingTable).
struct World;

struct WorldState : MovingState, MapImage, MapCatalogue, TerrainStripes, UnitScratch, RingTable {
    explicit WorldState(World* self);

    // Wind settings.
    int random_wind = 1;       // 1: the wind changes every wind_change_turn shots; 0: fixed
    int wind_change_turn = 2;  // shots between wind changes

    // Camera and view.
    int focus = 0;        // the camera's subject: 0 player, 1 projectile, 2 target
    int rbutton = 0;      // 1 while the right mouse button is held (panning)
    int rbutton_x = 0;    // pointer position the pan is measured from, window pixels
    int rbutton_y = 0;
    int mouse_cam_x = 0;  // view position the pan asks for, world pixels
    int mouse_cam_y = 0;

    // Display.
    int DeskCap_X = 0;     // desktop size, pixels
    int DeskCap_Y = 0;
    int DevCap_X = 0;      // screen size the window's surface reports, pixels
    int DevCap_Y = 0;
    int stretch = 1;       // 1: the frame is scaled to the screen; 0: copied 1:1
    int temp_stretch = 1;  // the stretch last presented with (a change clears the window)

    // Round.
    int loading = 0;  // 1 while the terrain is being built
    int loaded = 0;   // 1 once the round has started

    // Drawing surfaces; cliente is the shell's window, null without one.
    Presenter* cliente = nullptr;
    Surface memoria;  // the frame, frame_width by frame_height
    BackdropView backdrop;  // the view memoria's backdrop was last drawn for

    Field field;  // what the bodies see of this world

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
    // So does a drill, the check that its rounds can be made, and the menu
    // that starts one.
    DrillRun drill;
    RoundCheck round_check;
    DrillMenu drill_menu;
    // And the screens of the controls and the help.
    ControlsScreen controls_screen;
    HelpScreen help;
    // The text those overlays wrote this tick, and the device last used,
    // whose inputs their texts name.
    OverlayText overlay_text;
    Device device = Device::keyboard;
    // The page sends a drill's code as its link, from its own bar, rather
    // than as a command line to run; its shell sets this at start.
    bool code_as_link = false;

private:
    void adopt_bodies();
};

}  // namespace qm
