// The SDL presenter draws a frame only when the window would show something
// new: a changed frame, another size, or pixels the window system lost; a
// window minimised or hidden gets nothing. Its own program, as it links
// SDL; a software renderer on a plain surface stands in for the window.
#include <SDL.h>
#include <gtest/gtest.h>

#include <span>

#include "sdl/sdl_presenter.h"

namespace qm {
namespace {

constexpr int width = 80;
constexpr int height = 60;
constexpr Uint32 scribble = 0x00123456;

struct Window {
    SDL_Surface* pixels = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_XRGB8888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(pixels);
    SdlScreen screen;
    ~Window()
    {
        SDL_DestroyRenderer(renderer);
        SDL_FreeSurface(pixels);
    }
    Uint32 at(int x, int y) const { return static_cast<const Uint32*>(pixels->pixels)[y * pixels->pitch / 4 + x]; }
    // Pixels of the window's own, which a drawn frame covers.
    void scribble_over() { SDL_FillRect(pixels, nullptr, scribble); }
};

TEST(SdlPresenterFrames, OnlyAFrameTheWindowDoesNotShowIsDrawn)
{
    const struct {
        const char* name;
        bool change_frame;
        bool damage;  // exposed or resized: the window's pixels lost
        bool unseen;  // minimised or hidden
        bool drawn;
    } cases[] = {
        {"the same frame again", false, false, false, false},
        {"a changed frame", true, false, false, true},
        {"the same frame, the window exposed", false, true, false, true},
        {"a changed frame, the window minimised", true, false, true, false},
        {"the same frame, the window shown again", false, true, false, true},
    };
    Window window;
    ASSERT_NE(window.renderer, nullptr) << SDL_GetError();
    window.screen.width = width;
    window.screen.height = height;
    SdlPresenter presenter(window.renderer, window.screen);
    Surface frame(width, height);
    COLORREF colour = 0x00000080;
    for (COLORREF& pixel : std::span(frame.data(), static_cast<std::size_t>(width * height))) pixel = colour;
    presenter.copy(frame);
    ASSERT_NE(window.at(5, 5), scribble);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.change_frame) frame.data()[0] = ++colour;
        if (c.damage) ++window.screen.main_damage;
        window.screen.main_unseen = c.unseen;
        window.scribble_over();
        presenter.copy(frame);
        EXPECT_EQ(window.at(5, 5) != scribble, c.drawn);
    }
}

}  // namespace
}  // namespace qm
