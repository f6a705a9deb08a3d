// The runner's script as the message loop's input.
#include "cli/runner/script_events.h"

#include <cstdint>
#include <string_view>

#include "cli/runner/state_json.h"
#include "formats/words.h"
#include "raster/png_writer.h"
#include "shell/exit_codes.h"
#include "sim/drill/drill_run.h"
#include "sim/shot_record.h"
#include "sim/world.h"

namespace qm {

namespace {

// A script line longer than this is refused rather than read on: a file
// with no line breaks (or a standard input without end) must not fill the
// memory. A script has no cap on its length: it is run as it is read.
constexpr std::size_t max_script_line = 4096;

Message quit_message(int exit_code)
{
    return Message{Window::main, WM_QUIT, static_cast<WPARAM>(exit_code), 0, 0};
}

}  // namespace

ScriptEvents::ScriptEvents(World& world, TextLines& script, const std::vector<CommandInput>& inputs, std::FILE* out,
                           std::FILE* err)
    : world_(world), script_(script), inputs_(inputs), out_(out), err_(err)
{
}

bool ScriptEvents::poll(Message& message)
{
    for (;;) {
        if (!queued_.empty()) {
            message = queued_.front();
            queued_.pop_front();
            return true;
        }
        if (next_tick(message)) return true;
        int exit_code = exit_ok;
        if (!next_line(exit_code)) {
            message = quit_message(exit_code);
            return true;
        }
    }
}

bool ScriptEvents::next_tick(Message& message)
{
    if (repeat_ == Repeat::none) return false;
    const bool done = repeats_left_ <= 0 || (repeat_ == Repeat::until_rest && round_at_rest(world_)) ||
                      (repeat_ == Repeat::until_ready && round_ready(world_));
    if (done) {
        repeat_ = Repeat::none;
        return false;
    }
    --repeats_left_;
    ++ticks_;
    message = Message{Window::main, WM_TIMER, tick_timer_id, 0, 0};
    return true;
}

bool ScriptEvents::next_line(int& exit_code)
{
    const TextLines::Read read = script_.next(line_, max_script_line);
    if (read == TextLines::Read::end) return false;
    if (read == TextLines::Read::failed) {
        std::fprintf(err_, "qmsim: script read failed after line %ld: %s\n", line_number_, script_.reason().c_str());
        exit_code = exit_bad_input;
        return false;
    }
    ++line_number_;
    if (line_number_ == 1 && std::string_view(line_).starts_with(byte_order_mark)) {
        line_.erase(0, byte_order_mark.size());
    }
    if (read == TextLines::Read::too_long) {
        std::fprintf(err_, "qmsim: script line %ld: longer than %zu characters\n", line_number_, max_script_line);
        exit_code = exit_bad_input;
        return false;
    }
    std::string error;
    if (!parse_script_line(line_, command_, error)) {
        std::fprintf(err_, "qmsim: script line %ld: %s\n", line_number_, error.c_str());
        exit_code = exit_bad_input;
        return false;
    }
    return execute(command_, exit_code);
}

void ScriptEvents::queue(unsigned message, WPARAM wparam, LPARAM lparam)
{
    queued_.push_back(Message{Window::main, message, wparam, lparam, 0});
}

bool ScriptEvents::execute(const ScriptCommand& command, int& exit_code)
{
    switch (command.kind) {
    case ScriptCommandKind::nothing: break;
    case ScriptCommandKind::tick:
    case ScriptCommandKind::until_rest:
    case ScriptCommandKind::until_ready:
        repeat_ = command.kind == ScriptCommandKind::tick         ? Repeat::ticks
                  : command.kind == ScriptCommandKind::until_rest ? Repeat::until_rest
                                                                  : Repeat::until_ready;
        repeats_left_ = command.count;
        break;
    case ScriptCommandKind::aim:
        // A drill that fixes the angle keeps it; the power is set still.
        if (!drill_angle_fixed(world_)) world_.vang = command.angle;
        world_.v0 = command.power;
        break;
    case ScriptCommandKind::face:
    case ScriptCommandKind::fire: {
        const WPARAM key = command.kind == ScriptCommandKind::fire ? VK_F : command.key;
        queue(WM_KEYDOWN, key, 0);
        queue(WM_KEYUP, key, 0);
        break;
    }
    case ScriptCommandKind::key_down: queue(WM_KEYDOWN, command.key, 0); break;
    case ScriptCommandKind::key_up: queue(WM_KEYUP, command.key, 0); break;
    case ScriptCommandKind::rbutton_down: queue(WM_RBUTTONDOWN, 0, make_mouse_lparam(command.x, command.y)); break;
    case ScriptCommandKind::mouse_move: queue(WM_MOUSEMOVE, 0, make_mouse_lparam(command.x, command.y)); break;
    case ScriptCommandKind::rbutton_up: queue(WM_RBUTTONUP, 0, make_mouse_lparam(0, 0)); break;
    case ScriptCommandKind::wheel:
        queue(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<std::uint16_t>(command.count * wheel_notch)) << 16, 0);
        break;
    case ScriptCommandKind::pad_down: queue(WM_PAD_BUTTON, command.key, 1); break;
    case ScriptCommandKind::pad_up: queue(WM_PAD_BUTTON, command.key, 0); break;
    case ScriptCommandKind::pad_axis: queue(WM_PAD_AXIS, command.key, static_cast<LPARAM>(command.value)); break;
    case ScriptCommandKind::state:
        write_state_json(world_, platform_->controls.file, ticks_, state_line_, out_);
        if (!output_flushed(out_, err_)) {
            exit_code = exit_failed;
            return false;
        }
        break;
    case ScriptCommandKind::frame: return write_frame(command.path, exit_code);
    }
    return true;
}

bool ScriptEvents::write_frame(const std::string& path, int& exit_code)
{
    std::string reason = same_file_refusal("frame", path.c_str(), inputs_);
    if (!reason.empty()) {
        std::fprintf(err_, "qmsim: script line %ld: %s\n", line_number_, reason.c_str());
        exit_code = exit_bad_input;
        return false;
    }
    if (!write_png(world_.memoria, path.c_str(), reason)) {
        std::fprintf(err_, "qmsim: script line %ld: cannot write the frame to %s: %s\n", line_number_, path.c_str(),
                     reason.c_str());
        exit_code = exit_failed;
        return false;
    }
    return true;
}

}  // namespace qm
