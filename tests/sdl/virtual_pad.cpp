// A game pad through SDL's game controller interface, with no device: a
// virtual pad is plugged in, opened as it comes, its A button pressed fires
// a shot, its trigger raises the power, and unplugged it lets go of what it
// held. Its own program, as it links SDL.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sdl/sdl_pads.h"
#include "shell/round_setup.h"
#include "shell/window_procedure.h"
#include "sim/practice.h"
#include "sim/world.h"

namespace qm {
namespace {

class QuietPlatform final : public Platform {
public:
    void post_quit(int) override {}
    void move_pointer_absolute(int, int) override {}
    LRESULT default_window_proc(unsigned, WPARAM, LPARAM) override { return 0; }
};

class VirtualPad : public ::testing::Test {
protected:
    std::unique_ptr<World> world = std::make_unique<World>();
    QuietPlatform platform;
    std::unique_ptr<SdlPads> pads;
    SDL_Joystick* joystick = nullptr;
    int device = -1;

    void SetUp() override
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        pads = std::make_unique<SdlPads>();
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "qmsim's virtual pad";
        device = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(device, 0) << SDL_GetError();
        joystick = SDL_JoystickOpen(device);
        ASSERT_NE(joystick, nullptr) << SDL_GetError();
        std::string error;
        ASSERT_TRUE(set_up_round(*world, RoundSettings{}, error)) << error;
        arm_practice(*world);
        for (int i = 0; i < 100; ++i) tick();
        deliver();
    }
    void TearDown() override
    {
        if (joystick != nullptr) SDL_JoystickClose(joystick);
        pads.reset();
        SDL_Quit();
    }
    void tick() { WindowProcedure(*world, platform, WM_TIMER, tick_timer_id, 0); }
    // SDL's events as the desktop's loop hands them on.
    void deliver()
    {
        SDL_Event event;
        Message message;
        while (SDL_PollEvent(&event) != 0) {
            if (pads->translate(event, message)) WindowProcedure(*world, platform, message.message, message.wparam, message.lparam);
        }
        while (pads->pending(message)) WindowProcedure(*world, platform, message.message, message.wparam, message.lparam);
    }
};

TEST_F(VirtualPad, ItsAButtonFiresAShot)
{
    ASSERT_EQ(pads->open_count(), 1);
    ASSERT_EQ(SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1), 0) << SDL_GetError();
    deliver();
    EXPECT_EQ(world->fire_now, 1);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 0);
    deliver();
    for (int i = 0; i < 30; ++i) tick();
    EXPECT_EQ(world->mainbullet.state, 0);  // the shot has left
    EXPECT_EQ(world->shots_done, 1);
}

TEST_F(VirtualPad, ItsTriggerHoldsThePowerKeyUntilThePadIsUnplugged)
{
    ASSERT_EQ(SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767), 0) << SDL_GetError();
    deliver();
    EXPECT_EQ(world->pow_up, 1);
    SDL_JoystickClose(joystick);
    joystick = nullptr;
    ASSERT_EQ(SDL_JoystickDetachVirtual(device), 0) << SDL_GetError();
    deliver();
    EXPECT_EQ(pads->open_count(), 0);
    EXPECT_EQ(world->pow_up, 0);
}

}  // namespace
}  // namespace qm
