// Key presses and releases of SDL turned into the key messages the window
// procedures read: virtual-key codes, the modifiers held, auto-repeat
// dropped.
#pragma once

#include <SDL_events.h>
#include <SDL_keycode.h>

#include "shell/message_loop.h"
#include "shell/platform.h"

namespace qm {

// The virtual-key code of an SDL key, or 0 for keys the program has no name
// for. The keypad's plus and minus are the power keys; those of the main
// keyboard get codes of their own.
inline unsigned vk_from_sdl(SDL_Keycode key)
{
    struct Pair {
        SDL_Keycode sdl;
        unsigned vk;
    };
    static constexpr Pair pairs[] = {
        {SDLK_RETURN, VK_RETURN},     {SDLK_RETURN2, VK_RETURN},   {SDLK_KP_ENTER, VK_RETURN},
        {SDLK_ESCAPE, VK_ESCAPE},     {SDLK_BACKSPACE, VK_BACK},   {SDLK_TAB, VK_TAB},
        {SDLK_SPACE, VK_SPACE},       {SDLK_PAGEUP, VK_PRIOR},     {SDLK_PAGEDOWN, VK_NEXT},
        {SDLK_HOME, VK_HOME},         {SDLK_END, VK_END},          {SDLK_INSERT, VK_INSERT},
        {SDLK_DELETE, VK_DELETE},     {SDLK_LEFT, VK_LEFT},        {SDLK_UP, VK_UP},
        {SDLK_RIGHT, VK_RIGHT},       {SDLK_DOWN, VK_DOWN},        {SDLK_KP_PLUS, VK_ADD},
        {SDLK_KP_MINUS, VK_SUBTRACT}, {SDLK_KP_MULTIPLY, VK_MULTIPLY}, {SDLK_KP_DIVIDE, VK_DIVIDE},
        {SDLK_KP_PERIOD, VK_DECIMAL}, {SDLK_PLUS, VK_OEM_PLUS},    {SDLK_EQUALS, VK_OEM_PLUS},
        {SDLK_MINUS, VK_OEM_MINUS},   {SDLK_SEMICOLON, VK_OEM_1},  {SDLK_COMMA, VK_OEM_COMMA},
        {SDLK_PERIOD, VK_OEM_PERIOD}, {SDLK_SLASH, VK_OEM_2},      {SDLK_BACKQUOTE, VK_OEM_3},
        {SDLK_LEFTBRACKET, VK_OEM_4}, {SDLK_BACKSLASH, VK_OEM_5},  {SDLK_RIGHTBRACKET, VK_OEM_6},
        {SDLK_QUOTE, VK_OEM_7},
    };
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<unsigned>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<unsigned>('0' + (key - SDLK_0));
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + static_cast<unsigned>(key - SDLK_KP_1);
    if (key == SDLK_KP_0) return VK_NUMPAD0;
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<unsigned>(key - SDLK_F1);
    for (const Pair& pair : pairs) {
        if (pair.sdl == key) return pair.vk;
    }
    return 0;
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
