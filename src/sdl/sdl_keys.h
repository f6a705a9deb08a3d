// Key presses and releases of SDL turned into the key messages the window
// procedures read: virtual-key codes, the modifiers held, auto-repeat
// dropped.
#pragma once

#include <SDL_events.h>
#include <SDL_keycode.h>

#include "shell/message_loop.h"
#include "shell/platform.h"

namespace qm {

// The virtual-key code of an SDL key, or 0 for keys the program has no use
// for. The keypad's plus and minus are the power keys; those of the main
// keyboard get codes of their own.
inline unsigned vk_from_sdl(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<unsigned>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<unsigned>('0' + (key - SDLK_0));
    switch (key) {
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_PLUS:
    case SDLK_EQUALS:
        return VK_OEM_PLUS;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_F12: return VK_F12;
    default: return 0;
    }
}

inline unsigned modifiers_from_sdl(Uint16 mod)
{
    unsigned modifiers = 0;
    if ((mod & KMOD_SHIFT) != 0) modifiers |= MOD_SHIFT;
    if ((mod & KMOD_CTRL) != 0) modifiers |= MOD_CONTROL;
    if ((mod & KMOD_ALT) != 0) modifiers |= MOD_ALT;
    return modifiers;
}

// The key message for an SDL key event aimed at `window`; false when the
// event gives none (a repeat, or a key without a code).
inline bool key_message(const SDL_KeyboardEvent& event, Window window, Message& message)
{
    // A held key acts once per tick through its flag; repeats add nothing.
    if (event.repeat != 0) return false;
    unsigned vk = vk_from_sdl(event.keysym.sym);
    if (vk == 0) return false;
    message = Message{window, event.type == SDL_KEYDOWN ? unsigned{WM_KEYDOWN} : unsigned{WM_KEYUP}, vk, 0,
                      modifiers_from_sdl(event.keysym.mod)};
    return true;
}

}  // namespace qm
