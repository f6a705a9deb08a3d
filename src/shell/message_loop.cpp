// The message loop: fetching, accelerator translation, dispatch, and the
// terrain build run between messages.
#include "shell/message_loop.h"

#include "shell/player_input.h"
#include "shell/window_procedure.h"
#include "sim/round_start.h"

namespace qm {

MessageLoop::MessageLoop(World& world, Dialog& dialog, Display& display, const AcceleratorTable& accelerators,
                         EventSource& events, WindowHost& host)
    : window_proc(WindowProcedure),
      build_step([](World& w) { return build_terrain_step(w) ? 1 : 0; }),
      world_(world),
      accelerators_(accelerators),
      events_(events),
      host_(host),
      dialog_context_{world, dialog, *this, display}
{
}

int MessageLoop::run()
{
    for (;;) {
        Message message;
        // While the terrain is being built the loop never sleeps.
        bool fetched = fetch(message, world_.loading == 0);
        if (fetched && message.message == WM_QUIT) return static_cast<int>(message.wparam);

        if (world_.loading != 0) {
            world_.loading = run_build_slice();
            if (world_.loading == 0) {
                show_window(Window::dialog, false);
                start_ticking(world_, *this);
            }
        }

        if (fetched) {
            // The keys of the menus and screens over the frame are theirs alone.
            if (!overlay_owns_key(world_, message.message, message.wparam)) translate_accelerator(message);
            // The key goes on to its own window whether it matched or not.
            dispatch(message);
        }
    }
}

bool MessageLoop::fetch(Message& message, bool block)
{
    for (;;) {
        if (!posted_.empty()) {
            message = posted_.front();
            posted_.pop_front();
            return true;
        }
        if (quit_posted_) {
            quit_posted_ = false;
            message = Message{Window::main, WM_QUIT, static_cast<WPARAM>(quit_code_), 0, 0};
            return true;
        }
        if (events_.poll(message)) return true;

        int timeout_ms = -1;
        if (timer_running_) {
            std::uint64_t now = events_.now_ms();
            if (now >= timer_due_ms_) {
                // One timer message however late it is: missed ticks are not
                // made up.
                timer_due_ms_ += timer_period_ms_;
                if (timer_due_ms_ <= now) timer_due_ms_ = now + timer_period_ms_;
                message = Message{Window::main, WM_TIMER, timer_id_, 0, 0};
                return true;
            }
            timeout_ms = static_cast<int>(timer_due_ms_ - now);
        }
        if (!block) return false;
        events_.wait(timeout_ms);
    }
}

void MessageLoop::translate_accelerator(const Message& message)
{
    unsigned command = match_accelerator(accelerators_, message.message, message.wparam, message.modifiers);
    if (command != 0) DialgProc(dialog_context_, WM_COMMAND, MAKEWPARAM(command, NOTIFY_ACCELERATOR), 0);
}

void MessageLoop::dispatch(const Message& message)
{
    if (message.window == Window::main) {
        window_proc(world_, *this, message.message, message.wparam, message.lparam);
    } else if (message.message == WM_PAINT) {
        host_.paint_dialog(dialog_context_);
    } else {
        DialgProc(dialog_context_, message.message, message.wparam, message.lparam);
    }
}

int MessageLoop::run_build_slice()
{
    std::uint64_t end_ms = events_.now_ms() + build_slice_ms;
    for (;;) {
        for (int i = 0; i < build_steps_per_clock_read; ++i) {
            if (build_step(world_) == 0) return 0;
        }
        if (events_.now_ms() >= end_ms) return 1;
    }
}

void MessageLoop::post_quit(int exit_code)
{
    quit_posted_ = true;
    quit_code_ = exit_code;
}

void MessageLoop::move_pointer_absolute(int nx, int ny) { host_.move_pointer_absolute(nx, ny); }

LRESULT MessageLoop::default_window_proc(unsigned message, WPARAM wparam, LPARAM lparam)
{
    return host_.default_window_proc(message, wparam, lparam);
}

void MessageLoop::report_error(const char* line)
{
    std::fprintf(message_log, "%s\n", line);
    std::fflush(message_log);
}

void MessageLoop::print_line(const char* line)
{
    std::fprintf(output, "%s\n", line);
    std::fflush(output);
}

void MessageLoop::post_message(Window window, unsigned message, WPARAM wparam, LPARAM lparam)
{
    posted_.push_back(Message{window, message, wparam, lparam, 0});
}

void MessageLoop::controls_changed() { host_.controls_changed(controls, world_.controls_screen.open); }

void MessageLoop::show_window(Window window, bool visible) { host_.show_window(window, visible); }

void MessageLoop::set_timer(unsigned id, unsigned period_ms)
{
    timer_running_ = true;
    timer_id_ = id;
    timer_period_ms_ = period_ms;
    timer_due_ms_ = events_.now_ms() + period_ms;
}

void MessageLoop::message_box(const char* text, const char* caption)
{
    // Written before the box opens: the line is there even if the box never
    // shows or the program is killed while it is up.
    std::fprintf(message_log, "qmsim: %s: %s\n", caption, text);
    std::fflush(message_log);
    host_.message_box(text, caption);
}

}  // namespace qm
