// Handing the screen shown and its overlay's text to the page.
#include "web/web_screen.h"

#include "shell/controls/touch_buttons.h"
#include "sim/overlay_text.h"
#include "web/web_js.h"

namespace qm {

void WebScreen::offer(const World& world)
{
    const auto tick = static_cast<std::uint64_t>(world.tick_count);
    if (tick == tick_) return;
    tick_ = tick;
    std::string screen = touch_screen_name(touch_screen_shown(world));
    std::string overlay = overlay_lines(world.overlay_text);
    if (screen == screen_ && overlay == overlay_) return;
    screen_ = std::move(screen);
    overlay_ = std::move(overlay);
    web::screen_shown(screen_.c_str(), overlay_.c_str());
}

}  // namespace qm
