// Time from Start in the configuration dialog, with a 3200-wide map chosen,
// to the main window shown: the display mode, the surfaces, the map file
// read, and the terrain built in the message loop's time slices between
// messages, on the real clock. The platform's side is stand-ins that note
// when the main window is shown and then ask the loop to end.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>

#include "sim/world.h"
#include "shell/dialog/accelerators.h"
#include "shell/dialog/dialog_procedure.h"
#include "shell/dialog/dialog_template.h"
#include "shell/message_loop.h"
#include "shell/dialog/resources.h"
#include "terrain/bitmap_writer.h"
#include "terrain/map_maker.h"

namespace qm::bench {
namespace {

// Input queued up front; the clock is the machine's.
class QueuedEvents final : public EventSource {
public:
    std::deque<Message> queue;

    bool poll(Message& message) override
    {
        if (queue.empty()) return false;
        message = queue.front();
        queue.pop_front();
        return true;
    }
    void wait(int) override {}
    std::uint64_t now_ms() override
    {
        using namespace std::chrono;
        return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
};

// Ends the loop once the main window is shown.
class EndOnMainWindow final : public WindowHost {
public:
    MessageLoop* loop = nullptr;
    bool shown = false;

    void show_window(Window window, bool visible) override
    {
        if (window == Window::main && visible) {
            shown = true;
            loop->post_quit(0);
        }
    }
    void message_box(const char*, const char*) override {}
    void move_pointer_absolute(int, int) override {}
    LRESULT default_window_proc(unsigned, WPARAM, LPARAM) override { return 0; }
    void paint_dialog(DialogContext&) override {}
};

// A desktop of 800 by 600 at 32 bits.
class DesktopDisplay final : public Display {
public:
    void set_main_window_pos(int, int, int, int) override {}
    bool enum_display_settings(int index, DisplayMode& mode) override
    {
        if (index != 0) return false;
        mode.bits_per_pel = 32;
        mode.pels_width = 800;
        mode.pels_height = 600;
        return true;
    }
    int change_display_settings(const DisplayMode&) override { return 0; }
    void restore_display_settings() override {}
};

void BM_StartToMainWindow(benchmark::State& state)
{
    const std::string map = (std::filesystem::temp_directory_path() /
                             ("qm_bench_start_" + std::to_string(::getpid()) + ".bmp"))
                                .string();
    if (!write_bitmap(map, sample_maps().front().picture)) {
        state.SkipWithError("cannot write the map file");
        return;
    }
    Dialog dialog_template;
    AcceleratorTable accelerators;
    std::string error;
    if (!parse_dialog_template(dialog_resource, dialog_template, error) ||
        !parse_accelerators(accelerator_resource, accelerators, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    DesktopDisplay display;
    bool all_shown = true;

    for (auto _ : state) {
        // The world, the dialog and the loop as start-up leaves them, the
        // map chosen in the list (entry 0 is the flat map).
        state.PauseTiming();
        auto world = std::make_unique<World>();
        fill_circle_samp(*world);
        world->DeskCap_X = 800;
        world->DeskCap_Y = 600;
        std::strncpy(world->map_filename[0], map.c_str(), map_name_size - 1);
        world->map_count = 1;
        Dialog dialog = dialog_template;
        QueuedEvents events;
        EndOnMainWindow host;
        MessageLoop loop(*world, dialog, display, accelerators, events, host);
        host.loop = &loop;
        DialgProc(loop.dialog_context(), WM_INITDIALOG, 0, 0);
        dialog.find(IDC_MAP_LIST)->selection = 1;
        events.queue.push_back(Message{Window::dialog, WM_COMMAND, MAKEWPARAM(IDC_START, BN_CLICKED),
                                       dialog.find(IDC_START)->handle, 0});
        state.ResumeTiming();

        loop.run();

        state.PauseTiming();
        all_shown = all_shown && host.shown && world->loaded == 1;
        world.reset();
        state.ResumeTiming();
    }
    std::error_code ec;
    std::filesystem::remove(map, ec);
    if (!all_shown) state.SkipWithError("the main window was not shown");
}
BENCHMARK(BM_StartToMainWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm::bench
