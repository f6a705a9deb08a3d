// The program's one message loop: fetches messages (posted ones, platform
// input, the quit request, dialog repaints, the tick timer), offers key
// presses to the accelerator table, dispatches to the two windows, and runs
// the terrain build in short slices between messages while it is armed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <string>

#include "sim/world.h"
#include "shell/dialog/accelerators.h"
#include "shell/dialog/dialog_procedure.h"
#include "shell/platform.h"

namespace qm {

struct Message {
    Window window = Window::main;
    unsigned message = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
    unsigned modifiers = 0;  // MOD_* held with a key press
};

// The platform's side of the queue: its input turned into messages, waiting
// for input, and the clock.
class EventSource {
public:
    virtual ~EventSource() = default;

    // The next input message (or a repaint of the dialog) if one is waiting;
    // never blocks.
    virtual bool poll(Message& message) = 0;
    // Sleep until input may be waiting or timeout_ms have passed; a negative
    // timeout waits for input alone.
    virtual void wait(int timeout_ms) = 0;
    // Milliseconds on a steady clock.
    virtual std::uint64_t now_ms() = 0;
};

// The platform's windows, as the loop and the procedures need them.
class WindowHost {
public:
    virtual ~WindowHost() = default;

    virtual void show_window(Window window, bool visible) = 0;
    // Returns once the box is closed, or at once when it cannot be shown;
    // the loop has already written its line to message_log.
    virtual void message_box(const char* text, const char* caption) = 0;
    virtual void move_pointer_absolute(int nx, int ny) = 0;
    virtual LRESULT default_window_proc(unsigned message, WPARAM wparam, LPARAM lparam) = 0;
    // Draw the dialog's controls and hand what the user did with them to
    // the dialog procedure (through `context`).
    virtual void paint_dialog(DialogContext& context) = 0;
    // As Platform::keep_files.
    virtual bool keep_files(std::string& reason)
    {
        (void)reason;
        return true;
    }
    // As Platform::put_by_history_line.
    virtual void put_by_history_line(const std::string& line) { (void)line; }
    // As Platform::copy_text.
    virtual bool copy_text(const char* text, std::string& reason)
    {
        (void)text;
        reason = "there is no clipboard here";
        return false;
    }
    // The controls in effect, after a change, and whether the controls
    // screen (which takes any key) shows.
    virtual void controls_changed(const Controls& controls, bool screen_open)
    {
        (void)controls;
        (void)screen_open;
    }
};

using WindowProc = std::function<LRESULT(World&, Platform&, unsigned, WPARAM, LPARAM)>;
using BuildStep = std::function<int(World&)>;

// How long one pass may spend on the terrain build before serving messages
// again, and how many build steps run between two looks at the clock.
constexpr int build_slice_ms = 4;
constexpr int build_steps_per_clock_read = 1000;

class MessageLoop final : public Desktop {
public:
    MessageLoop(World& world, Dialog& dialog, Display& display, const AcceleratorTable& accelerators,
                EventSource& events, WindowHost& host);

    // The procedures the loop calls; tests replace them.
    WindowProc window_proc;
    BuildStep build_step;
    // Where every message box's text also goes, as one line (a box the
    // platform cannot show must not lose its message), and every error line.
    std::FILE* message_log = stderr;
    // Where the lines for standard output go.
    std::FILE* output = stdout;

    // Run until the quit message is fetched; returns its exit code.
    int run();

    DialogContext& dialog_context() { return dialog_context_; }

    // Platform
    void post_quit(int exit_code) override;
    void move_pointer_absolute(int nx, int ny) override;
    LRESULT default_window_proc(unsigned message, WPARAM wparam, LPARAM lparam) override;
    void report_error(const char* line) override;
    bool keep_files(std::string& reason) override { return host_.keep_files(reason); }
    void put_by_history_line(const std::string& line) override { host_.put_by_history_line(line); }
    void controls_changed() override;
    bool copy_text(const char* text, std::string& reason) override { return host_.copy_text(text, reason); }
    void print_line(const char* line) override;
    // Desktop
    void post_message(Window window, unsigned message, WPARAM wparam, LPARAM lparam) override;
    void show_window(Window window, bool visible) override;
    void set_timer(unsigned id, unsigned period_ms) override;
    void message_box(const char* text, const char* caption) override;

private:
    // The next message; false when none is waiting and `block` is false.
    bool fetch(Message& message, bool block);
    // Offer a key press to the accelerator table on behalf of the dialog.
    void translate_accelerator(const Message& message);
    void dispatch(const Message& message);
    // Build steps until the slice's time is up or the terrain is complete;
    // returns the new value of loading.
    int run_build_slice();

    World& world_;
    const AcceleratorTable& accelerators_;
    EventSource& events_;
    WindowHost& host_;
    DialogContext dialog_context_;

    std::deque<Message> posted_;
    bool quit_posted_ = false;
    int quit_code_ = 0;

    bool timer_running_ = false;
    unsigned timer_id_ = 0;
    unsigned timer_period_ms_ = 0;
    std::uint64_t timer_due_ms_ = 0;
};

}  // namespace qm
