// Translating SDL events into window messages.
#include "sdl/sdl_events.h"

#include <algorithm>
#include <cmath>

#include "sdl/sdl_keys.h"

namespace qm {

SdlEvents::SdlEvents(const World& world, const Dialog& dialog, ImGuiDialog& dialog_window, SdlScreen& screen)
    : world_(world),
      dialog_(dialog),
      dialog_window_(dialog_window),
      screen_(screen),
      main_window_id_(SDL_GetWindowID(screen.main_window))
{
}

bool SdlEvents::poll(Message& message)
{
    if (pads_.pending(message)) return true;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (translate(event, message)) return true;
    }
    // Repaints come after all input, as the platform's paint messages do.
    if (dialog_window_.needs_paint(world_, dialog_)) {
        message = Message{Window::dialog, WM_PAINT, 0, 0, 0};
        return true;
    }
    return false;
}

void SdlEvents::wait(int timeout_ms)
{
    if (timeout_ms < 0) {
        SDL_WaitEvent(nullptr);
    } else {
        SDL_WaitEventTimeout(nullptr, std::max(timeout_ms, 1));
    }
}

std::uint64_t SdlEvents::now_ms() { return SDL_GetTicks64(); }

bool SdlEvents::translate(const SDL_Event& event, Message& message)
{
    switch (event.type) {
    case SDL_QUIT:
        // Asked to end from outside (a signal, the session): as if the main
        // window were destroyed.
        message = Message{Window::main, WM_DESTROY, 0, 0, 0};
        return true;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        Window window = event.key.windowID == dialog_window_.window_id() ? Window::dialog : Window::main;
        return key_message(event.key, window, message);
    }
    case SDL_WINDOWEVENT:
        if (event.window.windowID == dialog_window_.window_id()) {
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                message = Message{Window::dialog, WM_CLOSE, 0, 0, 0};
                return true;
            }
            dialog_window_.handle_event(event);
            return false;
        }
        if (event.window.windowID == main_window_id_) {
            note_main_window(event.window);
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                message = Message{Window::main, WM_DESTROY, 0, 0, 0};
                return true;
            }
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST && panning_) {
                // The button's release will not reach this window.
                end_pan();
                message = Message{Window::main, WM_RBUTTONUP, 0, make_mouse_lparam(press_x_, press_y_), 0};
                return true;
            }
        }
        return false;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL: {
        Uint32 window_id = event.type == SDL_MOUSEMOTION ? event.motion.windowID
                           : event.type == SDL_MOUSEWHEEL ? event.wheel.windowID
                                                          : event.button.windowID;
        if (window_id == dialog_window_.window_id()) {
            dialog_window_.handle_event(event);
            return false;
        }
        if (window_id == main_window_id_ || panning_) return translate_main_mouse(event, message);
        return false;
    }
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
        // Pads play the round; the dialog has no use for them.
        return pads_.translate(event, message) && world_.loaded != 0;
    default:
        return false;
    }
}

bool SdlEvents::translate_main_mouse(const SDL_Event& event, Message& message)
{
    switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button != SDL_BUTTON_RIGHT || panning_) return false;
        panning_ = true;
        press_x_ = event.button.x;
        press_y_ = event.button.y;
        // Relative mode holds the pointer and reports its travel; where it
        // is missing, the pointer is warped back after every move instead.
        relative_mode_ = SDL_SetRelativeMouseMode(SDL_TRUE) == 0;
        message = Message{Window::main, WM_RBUTTONDOWN, 0, make_mouse_lparam(press_x_, press_y_), 0};
        return true;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button != SDL_BUTTON_RIGHT || !panning_) return false;
        end_pan();
        message = Message{Window::main, WM_RBUTTONUP, 0, make_mouse_lparam(press_x_, press_y_), 0};
        return true;
    case SDL_MOUSEWHEEL: {
        // A touchpad's two-finger scroll comes in fractions of a notch; the
        // window procedure adds them up.
        const float y = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.preciseY : event.wheel.preciseY;
        const long turn = std::clamp(std::lround(y * wheel_notch), -32767L, 32767L);
        if (turn == 0) return false;
        message = Message{Window::main, WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<Uint16>(turn)) << 16, 0, 0};
        return true;
    }
    case SDL_MOUSEMOTION: {
        int x = event.motion.x;
        int y = event.motion.y;
        if (panning_ && relative_mode_) {
            // Each move reports the travel since the last one, from the
            // press point; the pointer cannot leave the screen.
            x = std::clamp(press_x_ + event.motion.xrel, 0, std::max(screen_.width - 1, 0));
            y = std::clamp(press_y_ + event.motion.yrel, 0, std::max(screen_.height - 1, 0));
        }
        message = Message{Window::main, WM_MOUSEMOVE, 0, make_mouse_lparam(x, y), 0};
        return true;
    }
    default:
        return false;
    }
}

void SdlEvents::note_main_window(const SDL_WindowEvent& event)
{
    switch (event.event) {
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN: screen_.main_unseen = true; break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
        screen_.main_unseen = false;
        ++screen_.main_damage;
        break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: ++screen_.main_damage; break;
    default: break;
    }
}

void SdlEvents::end_pan()
{
    if (relative_mode_) {
        SDL_SetRelativeMouseMode(SDL_FALSE);
        SDL_WarpMouseInWindow(screen_.main_window, press_x_, press_y_);
    }
    panning_ = false;
    relative_mode_ = false;
}

}  // namespace qm
