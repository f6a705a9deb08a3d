// The page's input queue and clock as the message loop sees them.
#include "web/web_events.h"

#include <algorithm>
#include <cstdint>

#include "web/web_js.h"

namespace qm {

namespace {

// More time owed than this is given up rather than run as a burst of ticks.
constexpr double max_backlog_ms = 100;
// While the terrain is built the page gets a frame this often, so the form
// shows the progress and input is taken.
constexpr double build_yield_ms = 12;

}  // namespace

WebEvents::WebEvents(const World& world, const Dialog& dialog, const WebForm& form, const Helpers& helpers)
    : world_(world), dialog_(dialog), form_(form), helpers_(helpers)
{
}

bool WebEvents::poll(Message& message)
{
    helpers_.leaving.update();
    helpers_.screenshots.offer_new();
    helpers_.maps.take_opened();
    if (helpers_.files.take(message)) return true;
    results_.offer(world_);
    screen_.offer(world_);
    if (world_.loading != 0) {
        limit_ = -1;
        if (page_ms() - last_yield_ >= build_yield_ms) {
            web::wait_until(0);
            last_yield_ = page_ms();
        }
    }
    int event[6] = {};
    if (web::next_input(event)) {
        const Window window = event[0] == 0 ? Window::main : Window::dialog;
        const auto kind = static_cast<unsigned>(event[1]);
        // The mouse's messages carry a point; a pad's and a touch button's
        // their value, signed, in x.
        const bool point = kind == WM_MOUSEMOVE || kind == WM_RBUTTONDOWN || kind == WM_RBUTTONUP;
        message = Message{window, kind, static_cast<WPARAM>(static_cast<std::uint32_t>(event[2])),
                          point ? make_mouse_lparam(event[3], event[4]) : static_cast<LPARAM>(event[3]),
                          static_cast<unsigned>(event[5])};
        if (window == Window::main && message.message == WM_KEYDOWN && message.wparam == VK_F12) {
            helpers_.screenshots.expect();
        }
        return true;
    }
    // Repaints come after all input, as the platform's paint messages do.
    if (form_visible_ && form_.stale(dialog_)) {
        message = Message{Window::dialog, WM_PAINT, 0, 0, 0};
        return true;
    }
    return false;
}

double WebEvents::page_ms() { return web::clock_ms() - skipped_; }

void WebEvents::wait(int timeout_ms)
{
    if (timeout_ms < 0) {
        limit_ = -1;
        web::wait_until(-1);
        return;
    }
    limit_ = static_cast<double>(clock_) + timeout_ms;
    const double behind = page_ms() - limit_;
    if (behind > max_backlog_ms) skipped_ += behind;
    if (page_ms() >= limit_) return;
    web::wait_until(limit_ + skipped_);
}

std::uint64_t WebEvents::now_ms()
{
    double now = page_ms();
    if (limit_ >= 0) now = std::min(now, limit_);
    clock_ = std::max(clock_, static_cast<std::uint64_t>(now));
    return clock_;
}

}  // namespace qm
