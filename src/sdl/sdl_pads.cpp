// Opening pads as they come and translating their events.
#include "sdl/sdl_pads.h"

#include <algorithm>

#include "sim/controls/inputs.h"

namespace qm {

SdlPads::~SdlPads()
{
    for (SDL_GameController* pad : pads_) SDL_GameControllerClose(pad);
}

void SdlPads::open(int device_index)
{
    SDL_GameController* pad = SDL_GameControllerOpen(device_index);
    if (pad == nullptr) return;
    // A pad opened already (SDL counts the opens of one pad) is kept once.
    if (std::find(pads_.begin(), pads_.end(), pad) != pads_.end()) {
        SDL_GameControllerClose(pad);
        return;
    }
    pads_.push_back(pad);
}

void SdlPads::close(SDL_JoystickID instance)
{
    for (auto it = pads_.begin(); it != pads_.end(); ++it) {
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*it)) != instance) continue;
        SDL_GameControllerClose(*it);
        pads_.erase(it);
        // Whatever it held is let go: nothing stays pressed by a pad that is gone.
        for (unsigned b = 0; b < pad_button_count; ++b) owed_.push_back(Message{Window::main, WM_PAD_BUTTON, b, 0, 0});
        for (unsigned a = 0; a < pad_axis_count; ++a) owed_.push_back(Message{Window::main, WM_PAD_AXIS, a, 0, 0});
        return;
    }
}

bool SdlPads::translate(const SDL_Event& event, Message& message)
{
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: open(event.cdevice.which); return false;
    case SDL_CONTROLLERDEVICEREMOVED: close(event.cdevice.which); return pending(message);
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        // Buttons past the classic pad's (paddles, a touchpad's click) have no name.
        if (event.cbutton.button >= pad_button_count) return false;
        message = Message{Window::main, WM_PAD_BUTTON, event.cbutton.button,
                          event.type == SDL_CONTROLLERBUTTONDOWN ? 1 : 0, 0};
        return true;
    case SDL_CONTROLLERAXISMOTION:
        if (event.caxis.axis >= pad_axis_count) return false;
        message = Message{Window::main, WM_PAD_AXIS, static_cast<WPARAM>(event.caxis.axis), event.caxis.value, 0};
        return true;
    default: return false;
    }
}

bool SdlPads::pending(Message& message)
{
    if (owed_.empty()) return false;
    message = owed_.front();
    owed_.pop_front();
    return true;
}

}  // namespace qm
