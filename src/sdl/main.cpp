// Entry point of qmsim: options, the display check, and the desktop shell's
// windows around the platform-neutral start-up and message loop.
#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "cli/command_line.h"
#include "sdl/imgui_dialog.h"
#include "sdl/sdl_display.h"
#include "sdl/sdl_events.h"
#include "sdl/sdl_presenter.h"
#include "sdl/sdl_windows.h"
#include "shell/dialog/load_resources.h"
#include "shell/exit_codes.h"
#include "shell/message_loop.h"
#include "shell/quick_start.h"
#include "shell/startup.h"
#include "sim/world.h"

namespace {

constexpr const char* main_window_title = "QM Simulator";

// A busy X server now and then drops a connection while it is being made; a
// few more tries a moment apart get through.
constexpr int display_attempts = 5;
constexpr Uint32 display_retry_ms = 50;

bool has_environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

// A display to open: an X or Wayland session, or a video driver named
// explicitly.
bool display_available()
{
    return has_environment("DISPLAY") || has_environment("WAYLAND_DISPLAY") || has_environment("SDL_VIDEODRIVER");
}

// Starts SDL's video on the session's display: X or Wayland as the
// environment names them, or whatever SDL_VIDEODRIVER asks for. Left to
// itself SDL falls back to drivers without windows, and the program would
// run where nobody sees it.
bool init_video(std::string& error)
{
    if (has_environment("SDL_VIDEODRIVER")) {
        if (SDL_Init(SDL_INIT_VIDEO) == 0) return true;
        error = SDL_GetError();
        return false;
    }
    const char* const drivers[][2] = {{"DISPLAY", "x11"}, {"WAYLAND_DISPLAY", "wayland"}};
    for (const auto& [variable, driver] : drivers) {
        if (!has_environment(variable)) continue;
        SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
        for (int attempt = 0; attempt < display_attempts; ++attempt) {
            if (attempt > 0) SDL_Delay(display_retry_ms);
            if (SDL_Init(SDL_INIT_VIDEO) == 0) return true;
        }
        error += std::string(error.empty() ? "" : "; ") + driver + ": " + SDL_GetError();
    }
    return false;
}

int fail(const std::string& what)
{
    std::fprintf(stderr, "qmsim: %s\n", what.c_str());
    return qm::exit_failed;
}

// Destroys the main window and its renderer, and shuts SDL down, on every
// way out.
struct SdlSession {
    SDL_Window* main_window = nullptr;
    SDL_Renderer* main_renderer = nullptr;
    ~SdlSession()
    {
        if (main_renderer != nullptr) SDL_DestroyRenderer(main_renderer);
        if (main_window != nullptr) SDL_DestroyWindow(main_window);
        SDL_Quit();
    }
};

int run_desktop(const qm::QuickStart& choices)
{
    using namespace qm;

    Dialog dialog;
    AcceleratorTable accelerators;
    std::string error;
    if (!load_dialog_resources(dialog, accelerators, error)) return fail(error);

    // A full-screen main window stays up while the message box has the
    // keyboard.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (!init_video(error)) return fail("cannot open a display (" + error + "); use --headless to run without one");
    SdlSession session;
    // Keys are keys: no text input, no input-method windows.
    SDL_StopTextInput();
    // Game pads, as they are plugged in. Where SDL can reach none, the keys,
    // the wheel and the mouse do it all, and nothing needs saying.
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);

    auto world = std::make_unique<World>();

    // The desktop's size before any display change.
    SdlScreen screen;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(screen.display_index, &desktop) != 0) {
        return fail(std::string("cannot measure the desktop: ") + SDL_GetError());
    }
    screen.desktop_width = screen.width = world->DeskCap_X = desktop.w;
    screen.desktop_height = screen.height = world->DeskCap_Y = desktop.h;

    // The dialog's window comes first: SDL wakes its waits through the
    // window made last, and the main window, destroyed last, is the safe one
    // for that.
    ImGuiDialog dialog_window;
    if (!dialog_window.create(dialog)) return fail(std::string("cannot create the dialog: ") + SDL_GetError());

    // The main window: borderless, covering the desktop, hidden until the
    // simulator runs.
    session.main_window = SDL_CreateWindow(main_window_title, 0, 0, desktop.w, desktop.h,
                                           SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    if (session.main_window != nullptr) session.main_renderer = SDL_CreateRenderer(session.main_window, -1, 0);
    if (session.main_renderer == nullptr) return fail(std::string("cannot create the main window: ") + SDL_GetError());
    screen.main_window = session.main_window;

    SdlPresenter presenter(session.main_renderer, screen);
    world->cliente = &presenter;

    SdlDisplay display(screen);
    SdlEvents events(*world, dialog, dialog_window, screen);
    SdlWindows windows(screen, dialog_window, events);
    MessageLoop loop(*world, dialog, display, accelerators, events, windows);
    return run_shell(*world, loop, display, choices);
}

}  // namespace

int main(int argc, char** argv)
{
    // A closed pipe on standard output must show as a failed write, which the
    // tools report, rather than end the program without a word.
    std::signal(SIGPIPE, SIG_IGN);
    int exit_code = 0;
    qm::QuickStart choices;
    if (qm::run_command_line(argc, argv, stdin, stdout, stderr, exit_code, choices)) return exit_code;
    if (!display_available()) {
        std::fprintf(stderr, "qmsim: no display found (DISPLAY and WAYLAND_DISPLAY are unset); "
                             "use --headless to run without one\n");
        return qm::exit_failed;
    }
    return run_desktop(choices);
}
