// Game pads through SDL's game controller interface: any pad in SDL's
// mapping database, opened as it is plugged in and closed as it goes, its
// buttons and axes turned into the main window's pad messages.
#pragma once

#include <SDL.h>

#include <deque>
#include <vector>

#include "shell/message_loop.h"

namespace qm {

class SdlPads {
public:
    SdlPads() = default;
    ~SdlPads();
    SdlPads(const SdlPads&) = delete;
    SdlPads& operator=(const SdlPads&) = delete;

    // Takes the event if it is a pad's; true with a message to hand on.
    bool translate(const SDL_Event& event, Message& message);
    // A message still owed (the releases of a pad taken away); false when
    // none is.
    bool pending(Message& message);
    int open_count() const { return static_cast<int>(pads_.size()); }

private:
    void open(int device_index);
    void close(SDL_JoystickID instance);

    std::vector<SDL_GameController*> pads_;
    std::deque<Message> owed_;
};

}  // namespace qm
