// Entry point of the WebAssembly program: the command line as on the
// desktop; in a browser page, the page's shell around the platform-neutral
// start-up and message loop, with the sample maps written into /maps and
// the drills' history and the controls in the browser's storage.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "cli/command_line.h"
#include "formats/controls/controls_file.h"
#include "formats/history/history.h"
#include "shell/dialog/load_resources.h"
#include "shell/exit_codes.h"
#include "shell/message_loop.h"
#include "shell/quick_start.h"
#include "shell/startup.h"
#include "sim/world.h"
#include "web/web_codes.h"
#include "web/web_display.h"
#include "web/web_events.h"
#include "web/web_files.h"
#include "web/web_form.h"
#include "web/web_js.h"
#include "web/web_leaving.h"
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

// The parent folder of a file's path.
std::string folder_of(const std::string& path) { return path.substr(0, path.rfind('/')); }

// The files a user keeps (the drills' history, the controls) are kept in
// the browser's storage, behind the folders where the program looks for
// them by default, opened before the command line reads the controls.
// Without that storage they last as long as the page, and each save says
// it was not kept.
bool open_kept_folders(std::string& reason)
{
    std::string history;
    std::string controls;
    if (!qm::default_history_path(history, reason) || !qm::default_controls_path(controls, reason)) return false;
    for (const std::string& folder : {folder_of(history), folder_of(controls)}) {
        if (!qm::web::open_storage(folder.c_str(), reason)) return false;
    }
    return true;
}

// The history lines put by on an earlier visit (a drill left as the page
// went away, lines the storage refused), merged into the history before
// anything reads it.
void merge_stashed(const qm::QuickStart& choices, qm::WindowHost& windows)
{
    std::string history;
    std::string reason;
    if (choices.history != nullptr) {
        history = choices.history;
    } else if (!qm::default_history_path(history, reason)) {
        return;
    }
    if (!qm::merge_stashed_history(history, windows, reason)) {
        std::fprintf(stderr, "qmsim: history not saved (the lines put by wait for the next visit): %s\n",
                     reason.c_str());
    }
}

int run_page(const qm::QuickStart& choices, bool stored, const std::string& storage_reason)
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
    world->code_as_link = true;

    WebDisplay display;
    WebForm form(dialog);
    WebMaps maps(*world, dialog);
    WebScreenshots screenshots(*world);
    WebFiles files(*world, dialog);
    WebLeaving leaving(*world);
    WebEvents events(*world, dialog, form, {maps, files, screenshots, leaving});
    WebWindows windows(form, events);
    MessageLoop loop(*world, dialog, display, accelerators, events, windows);
    maps.attach(loop);
    files.attach(loop);
    windows.storage_opened(stored, storage_reason);
    merge_stashed(choices, windows);
    const int exit_code = run_shell(*world, loop, display, choices);
    web::ended(exit_code);
    return exit_code;
}

}  // namespace

int main(int argc, char** argv)
{
    // On the page, map names on the command line are those of the list.
    const bool page = qm::web::in_browser();
    // The sample maps are made here rather than downloaded with the page.
    std::string maps_reason;
    if (page && ::mkdir(maps_folder, 0755) != 0) return fail(std::string("cannot make ") + maps_folder);
    if (page && !qm::write_sample_maps(maps_folder, maps_reason)) return fail(maps_reason);
    if (page && ::chdir(maps_folder) != 0) return fail(std::string("cannot open ") + maps_folder);
    std::string storage_reason;
    const bool stored = page && open_kept_folders(storage_reason);
    if (page && !stored) {
        std::fprintf(stderr, "qmsim: the history and the controls are kept only while the page is open: %s\n",
                     storage_reason.c_str());
    }
    // An address the program refuses (a damaged challenge code, a map it
    // does not have) brings up the form with the reason, never a round
    // played some other way.
    if (page) {
        const qm::ProgramRequest request = qm::read_command_line(argc, argv);
        if (request.mode == qm::ProgramMode::refused) {
            const std::string reason = request.error.substr(0, request.error.find('\n'));
            std::fprintf(stderr, "qmsim: %s\n", reason.c_str());
            qm::web::refused(reason.c_str());
            return run_page({}, stored, storage_reason);
        }
    }
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
    return run_page(choices, stored, storage_reason);
}
