// Canvas placement and full screen through the page.
#include "web/web_display.h"

#include "sim/frame.h"
#include "web/web_js.h"

namespace qm {

namespace {

constexpr int full_screen_bits = 32;

bool is_page_mode(const DisplayMode& mode)
{
    return mode.bits_per_pel == full_screen_bits && mode.pels_width == frame_width &&
           mode.pels_height == frame_height;
}

}  // namespace

void WebDisplay::set_main_window_pos(int x, int y, int width, int height) { web::place_canvas(x, y, width, height); }

bool WebDisplay::enum_display_settings(int index, DisplayMode& mode)
{
    if (index != 0 || !web::full_screen_available()) return false;
    mode.bits_per_pel = full_screen_bits;
    mode.pels_width = frame_width;
    mode.pels_height = frame_height;
    mode.fields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return true;
}

int WebDisplay::change_display_settings(const DisplayMode& mode)
{
    if (!is_page_mode(mode) || !web::enter_full_screen()) return -1;
    full_screen_ = true;
    return 0;
}

void WebDisplay::restore_display_settings()
{
    if (!full_screen_) return;
    web::leave_full_screen();
    full_screen_ = false;
}

}  // namespace qm
