// The tick. Its order is also the drawing order: later phases draw over
// earlier ones.
#include "sim/paint.h"

#include "sim/controls/controls_draw.h"
#include "sim/drill/drill_draw.h"
#include "sim/drill/drill_run.h"
#include "sim/hud.h"
#include "sim/practice.h"
#include "sim/present.h"
#include "sim/shot_record.h"
#include "sim/shot_control.h"
#include "sim/world.h"
#include "sim/background.h"

namespace qm {

void paint(World& world)
{
    if (practice_before_tick(world)) return;                       // 0. paused or replaying: the round waits
    camera& cam = world.cam1;
    ++world.tick_count;
    cam.update();                                                  // 1. camera
    draw_background(world, cam.cam_x, cam.cam_y);                  // 2. background, terrain, grid, wind dial
    aim_and_rolls(world);                                          // 3. aim and power, rolls, fire delay
    update_target(world, cam.cam_x, cam.cam_y);                    // 4. target
    update_player(world, cam.cam_x, cam.cam_y);                    // 5. player and aim gauge
    world.player_bot.facing = world.direction;                     // 6. facing
    int busy = step_projectiles(world, cam.cam_x, cam.cam_y);       // 7. projectiles
    turn_logic(world, busy);                                       // 8. turn logic
    drill_tick(world);                                             //    drill: a round's end, the next target
    practice_after_tick(world);                                    //    practice aids (drawing only when on), under
    draw_hud(world, busy);                                         // 9. HUD
    world.overlay_text.clear();                                    //    the overlays' text, written again below
    draw_drill(world);                                             //    drill line, menu, results (only when shown)
    draw_controls_screens(world);                                  //    controls screen or help (only when shown)
    present(world);                                                // 10. present
}

}  // namespace qm
