// Window services through SDL.
#include "sdl/sdl_windows.h"

#include <cstdio>

namespace qm {

namespace {

constexpr int normalised_span = 65536;  // absolute pointer positions run 0 to 65535 across the desktop
constexpr int message_box_attempts = 5;
constexpr Uint32 message_box_retry_ms = 50;

}  // namespace

void SdlWindows::show_window(Window window, bool visible)
{
    if (window == Window::dialog) {
        dialog_window_.set_visible(visible);
        return;
    }
    if (visible) {
        SDL_ShowWindow(screen_.main_window);
        SDL_RaiseWindow(screen_.main_window);
    } else {
        SDL_HideWindow(screen_.main_window);
    }
}

bool SdlWindows::copy_text(const char* text, std::string& reason)
{
    if (SDL_SetClipboardText(text) == 0) return true;
    reason = SDL_GetError();
    return false;
}

void SdlWindows::message_box(const char* text, const char* caption)
{
    // The box opens a display connection of its own, which a busy X server
    // may drop; it is worth a few more tries.
    for (int attempt = 0; attempt < message_box_attempts; ++attempt) {
        if (attempt > 0) SDL_Delay(message_box_retry_ms);
        if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, screen_.main_window) == 0) return;
    }
    // The message itself is already on stderr; this says why no box came up
    // (on X, for one, missing core fonts).
    std::fprintf(stderr, "qmsim: cannot show the message box: %s\n", SDL_GetError());
}

void SdlWindows::move_pointer_absolute(int nx, int ny)
{
    // Relative mode already holds the pointer at the press point.
    if (events_.holds_pointer()) return;
    // The desktop's size as measured at start-up: that is what the
    // normalised position was made from.
    int x = static_cast<int>(static_cast<long long>(nx) * screen_.desktop_width / normalised_span);
    int y = static_cast<int>(static_cast<long long>(ny) * screen_.desktop_height / normalised_span);
    SDL_WarpMouseInWindow(screen_.main_window, x, y);
}

LRESULT SdlWindows::default_window_proc(unsigned, WPARAM, LPARAM) { return 0; }

void SdlWindows::paint_dialog(DialogContext& context) { dialog_window_.paint(context); }

}  // namespace qm
