// Recording stand-ins for the platform services the shell logic calls: the
// desktop, the display, the event source and the window host.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/display_modes.h"
#include "shell/message_loop.h"
#include "shell/platform.h"

namespace qm::test {

// Every call, in order, as one line of text.
struct CallLog {
    std::vector<std::string> calls;
    void add(std::string call) { calls.push_back(std::move(call)); }
};

inline std::string window_name(Window window) { return window == Window::main ? "main" : "dialog"; }

class FakeDesktop : public Desktop {
public:
    explicit FakeDesktop(CallLog& log) : log_(log) {}

    struct Posted {
        Window window;
        unsigned message;
        WPARAM wparam;
        LPARAM lparam;
    };
    std::vector<Posted> posted;

    void post_quit(int exit_code) override { log_.add("quit " + std::to_string(exit_code)); }
    void move_pointer_absolute(int nx, int ny) override
    {
        log_.add("pointer " + std::to_string(nx) + " " + std::to_string(ny));
    }
    LRESULT default_window_proc(unsigned, WPARAM, LPARAM) override { return 0; }
    void post_message(Window window, unsigned message, WPARAM wparam, LPARAM lparam) override
    {
        posted.push_back({window, message, wparam, lparam});
        log_.add("post " + window_name(window));
    }
    void show_window(Window window, bool visible) override
    {
        log_.add((visible ? "show " : "hide ") + window_name(window));
    }
    void set_timer(unsigned id, unsigned period_ms) override
    {
        log_.add("timer " + std::to_string(id) + " " + std::to_string(period_ms));
    }
    void message_box(const char* text, const char* caption) override
    {
        log_.add(std::string("box ") + caption + ": " + text);
    }

private:
    CallLog& log_;
};

// A screen offering a fixed list of modes and answering change requests
// from a script (0 = accepted).
class FakeDisplay : public Display {
public:
    std::vector<DisplayMode> modes;
    std::vector<int> change_answers;  // consumed in order; accepted when empty
    int enumerations = 0;
    std::vector<DisplayMode> change_requests;
    int window_moves = 0;
    int window_x = -1, window_y = -1, window_width = -1, window_height = -1;
    int restores = 0;

    void set_main_window_pos(int x, int y, int width, int height) override
    {
        ++window_moves;
        window_x = x;
        window_y = y;
        window_width = width;
        window_height = height;
    }
    bool enum_display_settings(int index, DisplayMode& mode) override
    {
        ++enumerations;
        if (index < 0 || index >= static_cast<int>(modes.size())) return false;
        mode.bits_per_pel = modes[static_cast<std::size_t>(index)].bits_per_pel;
        mode.pels_width = modes[static_cast<std::size_t>(index)].pels_width;
        mode.pels_height = modes[static_cast<std::size_t>(index)].pels_height;
        return true;
    }
    int change_display_settings(const DisplayMode& mode) override
    {
        change_requests.push_back(mode);
        if (change_answers.empty()) return 0;
        int answer = change_answers.front();
        change_answers.erase(change_answers.begin());
        return answer;
    }
    void restore_display_settings() override { ++restores; }
};

// Scripted input on a simulated clock. Input becomes visible once the clock
// reaches its time; waiting moves the clock to the next input or to the
// timeout.
class FakeEvents : public EventSource {
public:
    struct Timed {
        std::uint64_t at_ms;
        Message message;
    };
    std::deque<Timed> script;
    std::uint64_t clock_ms = 0;
    std::uint64_t ms_per_clock_read = 0;  // the clock also moves when read
    int clock_reads = 0;
    int waits = 0;
    std::function<void()> on_clock_read;

    void add(std::uint64_t at_ms, Message message) { script.push_back({at_ms, message}); }

    bool poll(Message& message) override
    {
        if (script.empty() || script.front().at_ms > clock_ms) return false;
        message = script.front().message;
        script.pop_front();
        return true;
    }
    void wait(int timeout_ms) override
    {
        ++waits;
        std::uint64_t until = timeout_ms < 0 ? UINT64_MAX : clock_ms + static_cast<std::uint64_t>(timeout_ms);
        if (!script.empty() && script.front().at_ms < until) until = script.front().at_ms;
        // Nothing will ever arrive: end the test run rather than hang.
        if (until == UINT64_MAX) throw std::runtime_error("the loop waits forever");
        if (until > clock_ms) clock_ms = until;
    }
    std::uint64_t now_ms() override
    {
        ++clock_reads;
        if (on_clock_read) on_clock_read();
        std::uint64_t now = clock_ms;
        clock_ms += ms_per_clock_read;
        return now;
    }
};

class FakeHost : public WindowHost {
public:
    explicit FakeHost(CallLog& log) : log_(log) {}

    void show_window(Window window, bool visible) override
    {
        log_.add((visible ? "show " : "hide ") + window_name(window));
    }
    void message_box(const char* text, const char* caption) override
    {
        log_.add(std::string("box ") + caption + ": " + text);
    }
    void move_pointer_absolute(int nx, int ny) override
    {
        log_.add("pointer " + std::to_string(nx) + " " + std::to_string(ny));
    }
    LRESULT default_window_proc(unsigned, WPARAM, LPARAM) override { return 0; }
    void paint_dialog(DialogContext&) override { log_.add("paint dialog"); }

private:
    CallLog& log_;
};

}  // namespace qm::test
