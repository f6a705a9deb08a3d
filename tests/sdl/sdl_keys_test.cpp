// SDL key events turned into key messages: the codes, the modifiers, and
// auto-repeat dropped.
#include "sdl/sdl_keys.h"

#include "sim/controls/inputs.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

SDL_KeyboardEvent key_event(Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE, Uint8 repeat = 0)
{
    SDL_KeyboardEvent event{};
    event.type = type;
    event.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.repeat = repeat;
    event.keysym.sym = key;
    event.keysym.mod = mod;
    return event;
}

TEST(SdlKeys, KeysTheProgramUsesGetTheirVirtualKeyCodes)
{
    struct Case {
        SDL_Keycode key;
        unsigned vk;
    };
    const Case cases[] = {
        {SDLK_UP, VK_UP},           {SDLK_DOWN, VK_DOWN},         {SDLK_LEFT, VK_LEFT},
        {SDLK_RIGHT, VK_RIGHT},     {SDLK_KP_PLUS, VK_ADD},       {SDLK_KP_MINUS, VK_SUBTRACT},
        {SDLK_f, VK_F},             {SDLK_c, VK_C},               {SDLK_ESCAPE, VK_ESCAPE},
        {SDLK_RETURN, VK_RETURN},   {SDLK_KP_ENTER, VK_RETURN},   {SDLK_a, 'A'},
        {SDLK_z, 'Z'},              {SDLK_0, '0'},
        // The main keyboard's plus and minus are not the power keys.
        {SDLK_PLUS, VK_OEM_PLUS},   {SDLK_EQUALS, VK_OEM_PLUS},   {SDLK_MINUS, VK_OEM_MINUS},
        {SDLK_F12, VK_F12},         {SDLK_F1, VK_F1},             {SDLK_SPACE, VK_SPACE},
        // The keys a laptop's controls use, and the controls screen's.
        {SDLK_PAGEUP, VK_PRIOR},    {SDLK_PAGEDOWN, VK_NEXT},     {SDLK_BACKSPACE, VK_BACK},
        {SDLK_KP_0, VK_NUMPAD0},    {SDLK_KP_9, VK_NUMPAD0 + 9},  {SDLK_k, VK_K},
        // Keys without a name in the controls file give nothing.
        {SDLK_CAPSLOCK, 0},         {SDLK_LSHIFT, 0},             {SDLK_PRINTSCREEN, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(vk_from_sdl(c.key), c.vk) << c.key;
}

TEST(SdlKeys, EveryCodeTheDesktopGivesHasANameInTheControlsFile)
{
    // SDL's key codes: the characters below 128, then the scancodes' own.
    auto check = [](SDL_Keycode key) {
        const unsigned vk = vk_from_sdl(key);
        if (vk != 0) {
            EXPECT_NE(input_name(Input::key(vk)), "?") << key;
        }
    };
    for (SDL_Keycode key = 0; key < 128; ++key) check(key);
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) check(SDL_SCANCODE_TO_KEYCODE(scancode));
}

TEST(SdlKeys, PressesAndReleasesBecomeKeyMessagesForTheirWindow)
{
    Message message;
    ASSERT_TRUE(key_message(key_event(SDL_KEYDOWN, SDLK_KP_PLUS), Window::main, message));
    EXPECT_EQ(message.window, Window::main);
    EXPECT_EQ(message.message, unsigned{WM_KEYDOWN});
    EXPECT_EQ(message.wparam, WPARAM{VK_ADD});
    EXPECT_EQ(message.modifiers, 0u);

    ASSERT_TRUE(key_message(key_event(SDL_KEYUP, SDLK_UP), Window::dialog, message));
    EXPECT_EQ(message.window, Window::dialog);
    EXPECT_EQ(message.message, unsigned{WM_KEYUP});
    EXPECT_EQ(message.wparam, WPARAM{VK_UP});

    ASSERT_TRUE(key_message(key_event(SDL_KEYDOWN, SDLK_RETURN, KMOD_LSHIFT | KMOD_RALT), Window::main, message));
    EXPECT_EQ(message.modifiers, unsigned{MOD_SHIFT | MOD_ALT});
    ASSERT_TRUE(key_message(key_event(SDL_KEYDOWN, SDLK_RETURN, KMOD_RCTRL | KMOD_NUM), Window::main, message));
    EXPECT_EQ(message.modifiers, unsigned{MOD_CONTROL});
}

TEST(SdlKeys, RepeatsAndUnusedKeysGiveNoMessage)
{
    Message message;
    message.wparam = 99;
    EXPECT_FALSE(key_message(key_event(SDL_KEYDOWN, SDLK_UP, KMOD_NONE, 1), Window::main, message));
    EXPECT_FALSE(key_message(key_event(SDL_KEYDOWN, SDLK_CAPSLOCK), Window::main, message));
    EXPECT_EQ(message.wparam, WPARAM{99});
}

}  // namespace
}  // namespace qm
