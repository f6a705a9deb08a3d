// Recording and drawing of the shot trace.
#include "sim/trace.h"

#include "sim/world.h"

namespace qm {

namespace {

constexpr COLORREF main_dot = 0x000000C0;       // dark red
constexpr COLORREF secondary_dot = 0x000080FF;  // orange
constexpr COLORREF impact_mark = 0x00000000;    // black
constexpr int dot_size = 2;                     // pixels a side
constexpr int impact_arm = 4;                   // pixels from the centre to a cross's tip

void dot(Surface& frame, int x, int y, COLORREF colour)
{
    for (int dy = 0; dy < dot_size; ++dy)
        for (int dx = 0; dx < dot_size; ++dx) SetPixel(frame, x + dx, y + dy, colour);
}

void cross(Surface& frame, int x, int y)
{
    for (int d = -impact_arm; d <= impact_arm; ++d) {
        SetPixel(frame, x + d, y + d, impact_mark);
        SetPixel(frame, x + d, y - d, impact_mark);
    }
}

void record_shell(ShellTrace& shell, const bullet& body)
{
    // A shell just launched sits on its placeholder until its first step
    // (flight clock 0); a shell at rest or already marked adds nothing.
    if (body.state == 0) {
        if (body.time > 0.0 && shell.count < trace_capacity) shell.points[shell.count++] = {body.pos_x, body.pos_y};
    } else if (body.state < state_at_rest && !shell.struck) {
        shell.struck = true;
        shell.impact = {body.pos_x, body.pos_y};
    }
}

}  // namespace

void clear_trace(ShotTrace& trace)
{
    for (ShellTrace& shell : trace.shells) {
        shell.count = 0;
        shell.struck = false;
    }
}

void record_trace(ShotTrace& trace, const World& world)
{
    record_shell(trace.shells[0], world.mainbullet);
    record_shell(trace.shells[1], world.sec_bullet1);
    record_shell(trace.shells[2], world.sec_bullet2);
}

void draw_trace(const ShotTrace& trace, Surface& frame, int view_x, int view_y)
{
    for (int s = 0; s < traced_shells; ++s) {
        const ShellTrace& shell = trace.shells[s];
        const COLORREF colour = s == 0 ? main_dot : secondary_dot;
        for (int i = 0; i < shell.count; ++i) dot(frame, shell.points[i].x - view_x, shell.points[i].y - view_y, colour);
    }
    for (const ShellTrace& shell : trace.shells)
        if (shell.struck) cross(frame, shell.impact.x - view_x, shell.impact.y - view_y);
}

}  // namespace qm
