// The web shell's calls into the page, each a few lines of JavaScript
// handing over to the page's object (window.qmPage).
#include "web/web_js.h"

#include <emscripten.h>

namespace {

EM_JS(int, js_in_browser, (), { return typeof window === "object" && typeof window.qmPage === "object"; });
EM_JS(void, js_set_codes, (const char* json), { qmPage.setCodes(JSON.parse(UTF8ToString(json))); });
EM_JS(int, js_next_input, (int* event), {
    const next = qmPage.nextInput();
    if (next === null) return 0;
    HEAP32.set(next, event >> 2);
    return 1;
});
EM_JS(double, js_clock_ms, (), { return qmPage.clock(); });
EM_ASYNC_JS(void, js_wait_until, (double due_ms), { await qmPage.waitUntil(due_ms); });
EM_JS(void, js_form_create, (const char* caption, int width, int height),
      { qmPage.formCreate(UTF8ToString(caption), width, height); });
EM_JS(void, js_form_add, (int id, const char* kind, int x, int y, int width, int height, const char* text),
      { qmPage.formAdd(id, UTF8ToString(kind), x, y, width, height, UTF8ToString(text)); });
EM_JS(void, js_form_set, (int id, int checked, int enabled, int selection, const char* text),
      { qmPage.formSet(id, checked !== 0, enabled !== 0, selection, UTF8ToString(text)); });
EM_JS(void, js_form_set_items, (int id, const char* items), { qmPage.formSetItems(id, UTF8ToString(items)); });
EM_JS(int, js_form_next_action, (int* action), {
    const next = qmPage.formNextAction();
    if (next === null) return 0;
    HEAP32.set(next, action >> 2);
    return 1;
});
EM_JS(void, js_show, (int main_window, int visible), { qmPage.show(main_window !== 0, visible !== 0); });
EM_JS(int, js_screen_width, (), { return qmPage.screenWidth(); });
EM_JS(int, js_screen_height, (), { return qmPage.screenHeight(); });
EM_JS(void, js_place_canvas, (int x, int y, int width, int height), { qmPage.placeCanvas(x, y, width, height); });
EM_JS(void, js_present, (const unsigned char* rgba, int width, int height, int shown_width, int shown_height),
      { qmPage.present(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height, shown_width, shown_height); });
EM_JS(int, js_full_screen_available, (), { return qmPage.fullScreenAvailable(); });
EM_ASYNC_JS(int, js_enter_full_screen, (), { return await qmPage.enterFullScreen(); });
EM_JS(void, js_leave_full_screen, (), { qmPage.leaveFullScreen(); });
EM_JS(void, js_controls_changed, (const char* bound_keys, int screen_open), {
    const list = UTF8ToString(bound_keys);
    qmPage.controlsChanged(list === "" ? [] : list.split(",").map(Number), screen_open !== 0);
});
EM_ASYNC_JS(void, js_message_box, (const char* text, const char* caption),
            { await qmPage.messageBox(UTF8ToString(text), UTF8ToString(caption)); });
EM_JS(void, js_download, (const char* name, const unsigned char* bytes, int size),
      { qmPage.download(UTF8ToString(name), HEAPU8.slice(bytes, bytes + size)); });
EM_JS(void, js_refused, (const char* line), { qmPage.refused(UTF8ToString(line)); });
EM_JS(void, js_drill_results, (const char* code, const char* line),
      { qmPage.drillResults(UTF8ToString(code), UTF8ToString(line)); });
EM_JS(int, js_copy_results_link, (), { return qmPage.copyResultsLink(); });
EM_JS(void, js_screen_shown, (const char* screen, const char* overlay),
      { qmPage.screenShown(UTF8ToString(screen), UTF8ToString(overlay)); });
EM_JS(void, js_ended, (int exit_code), { qmPage.ended(exit_code); });
EM_JS(int, js_opened_map, (int* map), {
    const next = qmPage.openedMap();
    if (next === null) return 0;
    HEAP32.set(next, map >> 2);
    return 1;
});
EM_JS(void, js_take_opened_map, (char* name, int name_size, unsigned char* bytes),
      {
          const map = qmPage.takeOpenedMap();
          stringToUTF8(map.name, name, name_size);
          HEAPU8.set(map.bytes, bytes);
      });
EM_JS(int, js_next_file, (int* fields), {
    const next = qmPage.nextFile();
    if (next === null) return 0;
    HEAP32.set(next, fields >> 2);
    return 1;
});
EM_JS(void, js_take_file, (char* name, int name_size, unsigned char* bytes), {
    const file = qmPage.takeFile();
    stringToUTF8(file.name, name, name_size);
    HEAPU8.set(file.bytes, bytes);
});
EM_JS(void, js_set_leaving_line, (const char* line), { qmPage.leavingLine = UTF8ToString(line); });
EM_JS(void, js_stash_lines, (const char* lines), { qmPage.stashLines(UTF8ToString(lines)); });
EM_JS(int, js_stashed_size, (), { return lengthBytesUTF8(qmPage.stashedLines()) + 1; });
EM_JS(void, js_take_stashed_lines, (char* lines, int size), {
    stringToUTF8(qmPage.stashedLines(), lines, size);
    qmPage.clearStash();
});

// A storage failure's reason goes into `reason` (reason_size bytes).
//
// The folders kept in the browser's storage are kept when the program asks
// (Platform::keep_files), not on every fsync: they are mounted as a type
// without a sync of its own, which fsync passes over, and synced here. And
// the file system's sync hears nothing when the browser aborts its write (a
// full storage aborts the transaction with no error on any request), so it
// would wait for ever; the abort reaches the database, and is heard there.
EM_ASYNC_JS(int, js_open_storage, (const char* folder, char* reason, int reason_size), {
    const where = UTF8ToString(folder);
    const failed = (what) => {
        stringToUTF8(String(what && what.message ? what.message : what), reason, reason_size);
        return 0;
    };
    try {
        FS.mkdirTree(where);
        FS.mount(Object.assign({}, IDBFS, { syncfs: undefined }), {}, where);
    } catch (error) {
        return failed(error);
    }
    Module.keptMounts = (Module.keptMounts || []).concat([FS.lookupPath(where).node.mount]);
    const error = await new Promise((done) => IDBFS.syncfs(Module.keptMounts.at(-1), true, done));
    return error ? failed(error) : 1;
});
EM_ASYNC_JS(int, js_save_storage, (char* reason, int reason_size), {
    const sync = (mount) => new Promise((done) => {
        const database = IDBFS.dbs[mount.mountpoint];
        let settled = false;
        const aborted = (event) => finish(event.target.error || new Error("the browser aborted the write"));
        const finish = (error) => {
            if (settled) return;
            settled = true;
            if (database) database.removeEventListener("abort", aborted);
            done(error);
        };
        if (database) database.addEventListener("abort", aborted);
        IDBFS.syncfs(mount, false, finish);
    });
    for (const mount of Module.keptMounts || []) {
        const error = await sync(mount);
        if (!error) continue;
        const message = String(error.message || error);
        const name = error.name && error.name !== "Error" && error.name !== message ? error.name + ": " : "";
        stringToUTF8(name + message, reason, reason_size);
        return 0;
    }
    return 1;
});
// Room for a storage failure's reason.
constexpr int storage_reason_size = 256;

// A storage call through a buffer for its reason: true, or false with the
// reason it wrote.
template <class Call>
bool storage_answer(std::string& reason, Call call)
{
    char text[storage_reason_size] = {};
    if (call(text) != 0) return true;
    reason = text;
    return false;
}

}  // namespace

namespace qm::web {

bool in_browser() { return js_in_browser() != 0; }
void set_codes(const char* json) { js_set_codes(json); }
bool next_input(int event[6]) { return js_next_input(event) != 0; }
double clock_ms() { return js_clock_ms(); }
void wait_until(double due_ms) { js_wait_until(due_ms); }

void form_create(const char* caption, int width, int height) { js_form_create(caption, width, height); }
void form_add(int id, const char* kind, int x, int y, int width, int height, const char* text)
{
    js_form_add(id, kind, x, y, width, height, text);
}
void form_set(int id, bool checked, bool enabled, int selection, const char* text)
{
    js_form_set(id, checked ? 1 : 0, enabled ? 1 : 0, selection, text);
}
void form_set_items(int id, const char* items) { js_form_set_items(id, items); }
bool form_next_action(int action[3]) { return js_form_next_action(action) != 0; }
void show(bool main_window, bool visible) { js_show(main_window ? 1 : 0, visible ? 1 : 0); }

int screen_width() { return js_screen_width(); }
int screen_height() { return js_screen_height(); }
void place_canvas(int x, int y, int width, int height) { js_place_canvas(x, y, width, height); }
void present(const std::uint8_t* rgba, int width, int height, int shown_width, int shown_height)
{
    js_present(rgba, width, height, shown_width, shown_height);
}
bool full_screen_available() { return js_full_screen_available() != 0; }
bool enter_full_screen() { return js_enter_full_screen() != 0; }
void leave_full_screen() { js_leave_full_screen(); }

void controls_changed(const char* bound_keys, bool screen_open) { js_controls_changed(bound_keys, screen_open ? 1 : 0); }
void message_box(const char* text, const char* caption) { js_message_box(text, caption); }
void download(const char* name, const std::uint8_t* bytes, int size) { js_download(name, bytes, size); }
void refused(const char* line) { js_refused(line); }
void drill_results(const char* code, const char* line) { js_drill_results(code, line); }
bool copy_results_link() { return js_copy_results_link() != 0; }
void screen_shown(const char* screen, const char* overlay) { js_screen_shown(screen, overlay); }
void ended(int exit_code) { js_ended(exit_code); }

bool opened_map(OpenedMap& map)
{
    int fields[4] = {};
    if (js_opened_map(fields) == 0) return false;
    map.picture = fields[0] != 0;
    map.size = fields[1];
    map.width = fields[2];
    map.height = fields[3];
    return true;
}

void take_opened_map(char* name, int name_size, std::uint8_t* bytes) { js_take_opened_map(name, name_size, bytes); }

bool next_file(PageFile& file)
{
    int fields[2] = {};
    if (js_next_file(fields) == 0) return false;
    file.task = static_cast<FileTask>(fields[0]);
    file.size = fields[1];
    return true;
}

void take_file(char* name, int name_size, std::uint8_t* bytes) { js_take_file(name, name_size, bytes); }

void set_leaving_line(const char* line) { js_set_leaving_line(line); }
void stash_lines(const char* lines) { js_stash_lines(lines); }

std::string take_stashed_lines()
{
    std::string lines(static_cast<std::size_t>(js_stashed_size()), '\0');
    js_take_stashed_lines(lines.data(), static_cast<int>(lines.size()));
    lines.resize(lines.size() - 1);
    return lines;
}

bool open_storage(const char* folder, std::string& reason)
{
    return storage_answer(reason, [&](char* text) { return js_open_storage(folder, text, storage_reason_size); });
}

bool save_storage(std::string& reason)
{
    return storage_answer(reason, [](char* text) { return js_save_storage(text, storage_reason_size); });
}

}  // namespace qm::web
