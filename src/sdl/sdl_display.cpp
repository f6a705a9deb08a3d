// Window placement and screen modes through SDL.
#include "sdl/sdl_display.h"

namespace qm {

namespace {

// SDL names 32-bit modes by their 24 colour bits; what the screen stores per
// pixel is what a colour depth means here.
int stored_bits(Uint32 format) { return SDL_BYTESPERPIXEL(format) * 8; }

}  // namespace

void SdlDisplay::set_main_window_pos(int x, int y, int width, int height)
{
    SDL_SetWindowPosition(screen_.main_window, x, y);
    SDL_SetWindowSize(screen_.main_window, width, height);
}

bool SdlDisplay::enum_display_settings(int index, DisplayMode& mode)
{
    SDL_DisplayMode sdl_mode;
    if (SDL_GetDisplayMode(screen_.display_index, index, &sdl_mode) != 0) return false;
    mode.bits_per_pel = stored_bits(sdl_mode.format);
    mode.pels_width = sdl_mode.w;
    mode.pels_height = sdl_mode.h;
    mode.fields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return true;
}

int SdlDisplay::change_display_settings(const DisplayMode& mode)
{
    int count = SDL_GetNumDisplayModes(screen_.display_index);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode sdl_mode;
        if (SDL_GetDisplayMode(screen_.display_index, i, &sdl_mode) != 0) continue;
        if (stored_bits(sdl_mode.format) != mode.bits_per_pel || sdl_mode.w != mode.pels_width ||
            sdl_mode.h != mode.pels_height) {
            continue;
        }
        // The screen takes the mode when the main window is shown full
        // screen, and gives it back when the window leaves full screen.
        if (SDL_SetWindowDisplayMode(screen_.main_window, &sdl_mode) != 0) return -1;
        if (SDL_SetWindowFullscreen(screen_.main_window, SDL_WINDOW_FULLSCREEN) != 0) return -1;
        screen_.width = sdl_mode.w;
        screen_.height = sdl_mode.h;
        switched_ = true;
        return 0;
    }
    return -1;
}

void SdlDisplay::restore_display_settings()
{
    if (!switched_) return;
    SDL_SetWindowFullscreen(screen_.main_window, 0);
    screen_.width = screen_.desktop_width;
    screen_.height = screen_.desktop_height;
    switched_ = false;
}

}  // namespace qm
