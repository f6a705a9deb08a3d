// Entry point of the WebAssembly program: the command line as on the
// desktop; in a browser page, the page's shell around the platform-neutral
// start-up and message loop, with the sample maps in /maps and the drills'
// history in the browser's storage.
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "cli/command_line.h"
#include "shell/dialog/load_resources.h"
#include "shell/drill/history.h"
#include "shell/exit_codes.h"
#include "shell/message_loop.h"
#include "shell/quick_start.h"
#include "shell/startup.h"
#include "sim/world.h"
#include "web/web_codes.h"
#include "web/web_display.h"
#include "web/web_events.h"
#include "web/web_form.h"
#include "web/web_js.h"
#include "web/web_maps.h"
#include "web/web_presenter.h"
#include "web/web_screenshots.h"
#include "web/web_windows.h"

namespace {

// Where the page's file system holds the sample maps; the dialog lists the
// maps of the folder it starts in.
constexpr const char* maps_folder = "/maps";

int fail(const std::string& what)
{
    std::fprintf(stderr, "qmsim: %s\n", what.c_str());
    qm::web::ended(qm::exit_failed);
    return qm::exit_failed;
}

// The drills' history is kept in the browser's storage, behind the folder
// where the program looks for it by default; without that storage it lasts
// as long as the page, and each line says it was not kept.
void open_history_storage(qm::WebWindows& windows)
{
    std::string path;
    std::string reason;
    bool opened = qm::default_history_path(path, reason);
    if (opened) opened = qm::web::open_storage(path.substr(0, path.rfind('/')).c_str(), reason);
    if (!opened) std::fprintf(stderr, "qmsim: the history is kept only while the page is open: %s\n", reason.c_str());
    windows.storage_opened(opened, reason);
}

int run_page(const qm::QuickStart& choices)
{
    using namespace qm;

    web::set_codes(web::page_codes().c_str());
    Dialog dialog;
    AcceleratorTable accelerators;
    std::string error;
    if (!load_dialog_resources(dialog, accelerators, error)) return fail(error);
    auto world = std::make_unique<World>();
    const int width = web::screen_width();
    const int height = web::screen_height();
    world->DeskCap_X = width;
    world->DeskCap_Y = height;
    WebPresenter presenter(width, height);
    world->cliente = &presenter;

    WebDisplay display;
    WebForm form(dialog);
    WebMaps maps(*world, dialog);
    WebScreenshots screenshots;
    WebEvents events(*world, dialog, form, maps, screenshots);
    WebWindows windows(form, events);
    MessageLoop loop(*world, dialog, display, accelerators, events, windows);
    maps.attach(loop);
    open_history_storage(windows);
    const int exit_code = run_shell(*world, loop, display, choices);
    web::ended(exit_code);
    return exit_code;
}

}  // namespace

int main(int argc, char** argv)
{
    // On the page, map names on the command line are those of the list.
    const bool page = qm::web::in_browser();
    if (page && ::chdir(maps_folder) != 0) return fail(std::string("cannot open ") + maps_folder);
    int exit_code = 0;
    qm::QuickStart choices;
    if (qm::run_command_line(argc, argv, stdin, stdout, stderr, exit_code, choices)) {
        if (page) qm::web::ended(exit_code);
        return exit_code;
    }
    if (!page) {
        std::fprintf(stderr, "qmsim: no browser page here; use --headless to run without one\n");
        return qm::exit_failed;
    }
    return run_page(choices);
}
