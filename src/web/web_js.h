// The page's JavaScript as the web shell calls it (src/web/page/page.js
// holds the other side): the input queue, the clock, the form, the canvas,
// full screen, files handed over, downloads and the browser's storage.
// Nothing else in the program talks to JavaScript.
#pragma once

#include <cstdint>
#include <string>

namespace qm::web {

// A browser, not node, runs the program.
bool in_browser();
// Hands the page the codes it shares with the program (web_codes.h), before
// anything else.
void set_codes(const char* json);

// Input, the page's queue: window (0 main, 1 dialog), message, wparam,
// x, y and modifiers of the next event; false when the queue is empty.
bool next_input(int event[6]);
// The page's clock in milliseconds: real time, less the time the page was
// hidden or stalled.
double clock_ms();
// Sleep until the next animation frame at or after due_ms on the clock
// (any frame for due_ms 0), or until input arrives; a negative due_ms waits
// for input alone.
void wait_until(double due_ms);

// The form: its caption and size, then each control once, in template
// order (kind as named in the template text).
void form_create(const char* caption, int width, int height);
void form_add(int id, const char* kind, int x, int y, int width, int height, const char* text);
void form_set(int id, bool checked, bool enabled, int selection, const char* text);
void form_set_items(int id, const char* items);  // one item a line
// The next thing the user did in the form: control id, notification code,
// and for a list the entry chosen; false when nothing is waiting.
bool form_next_action(int action[3]);
void show(bool main_window, bool visible);

// The canvas.
int screen_width();
int screen_height();
void place_canvas(int x, int y, int width, int height);
void present(const std::uint8_t* rgba, int width, int height, int shown_width, int shown_height);
bool full_screen_available();
bool enter_full_screen();  // false when the browser refuses
void leave_full_screen();

// The keys the program has a use for now (virtual-key codes, comma
// separated) and whether its controls screen, which takes any, shows.
void controls_changed(const char* bound_keys, bool screen_open);

void message_box(const char* text, const char* caption);
// Why the page's address was refused, shown in the form, which then comes up.
void refused(const char* line);
// A finished drill's challenge code and the line on its outcome, shown under
// the frame; an empty code takes them away.
void drill_results(const char* code, const char* line);
// Starts copying that link to the clipboard, the bar saying how it went;
// false when the page has no clipboard.
bool copy_results_link();
// The screen the frame shows (its touch buttons' name: play, menu, results,
// controls), and the text of its overlay as lines, empty when none shows.
void screen_shown(const char* screen, const char* overlay);
void download(const char* name, const std::uint8_t* bytes, int size);
void ended(int exit_code);

// A map file the user opened: its size in bytes (a map file) or its width
// and height (a picture the page decoded to RGBA); false when none waits.
struct OpenedMap {
    bool picture = false;
    int size = 0;
    int width = 0;
    int height = 0;
};
bool opened_map(OpenedMap& map);
// Copies the waiting file's name (NUL-ended, cut to name_size) and bytes,
// and drops it from the page.
void take_opened_map(char* name, int name_size, std::uint8_t* bytes);

// Files the user gave the page for the history and the drills, one at a
// time: what to do with it (FileTask) and its size in bytes; false when
// none waits. An export asks for no file.
enum class FileTask { import_history = 1, export_history = 2, drill_file = 3, drills_end = 4 };
struct PageFile {
    FileTask task = FileTask::export_history;
    int size = 0;
};
bool next_file(PageFile& file);
// Copies the waiting file's name (NUL-ended, cut to name_size) and bytes,
// and drops it from the page.
void take_file(char* name, int name_size, std::uint8_t* bytes);

// The history line to put by should the page go away now; empty: none.
void set_leaving_line(const char* line);
// Lines put by as the page last went away, in the browser's synchronous
// storage until the next visit takes them (which empties it), or puts them
// back.
void stash_lines(const char* lines);
std::string take_stashed_lines();

// The browser's storage (IndexedDB) behind the files of one folder: the
// folder is made and its stored copy read in; false, with the reason, when
// the browser keeps no storage for the page (the files then last only as
// long as the page).
bool open_storage(const char* folder, std::string& reason);
// Writes the folder's files back to the browser's storage, all or none;
// false, with the reason, when the browser refuses (the copy stored before
// stays as it was).
bool save_storage(std::string& reason);

}  // namespace qm::web
