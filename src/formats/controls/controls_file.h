// The controls file: `ACTION INPUT...` a line, comments and blanks as in
// scripts, and an optional `preset classic|laptop` before the bindings. A
// line replaces its action's inputs in the preset; the rest keep the
// preset's. Read whole and checked before any window opens; written beside
// its target and renamed into place.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "sim/controls/bindings.h"

namespace qm {

// A controls file is a few dozen lines; a larger one is refused unread.
constexpr std::size_t max_controls_file_bytes = 64 * 1024;

// Without a controls file every keyboard changes the power from the first
// run: the laptop preset's extra keys did nothing in the classic one. A file
// without a `preset` line still means classic, as it always did.
constexpr Preset no_file_preset = Preset::laptop;

struct ControlsFile {
    Preset preset = no_file_preset;
    Bindings bindings = preset_bindings(no_file_preset);
    std::string path;    // where they are read from and saved to; empty: nowhere
    std::string path_reason;  // why there is no path, when there is none
    bool found = false;  // the file was there when read
};

// Reads the text; false with the line's number (0: the file as a whole)
// and the reason.
bool parse_controls(std::string_view text, Preset& preset, Bindings& bindings, long& line, std::string& reason);

// The text of a file: `preset NAME`, then the actions whose inputs differ
// from the preset's (every action when `every` is set), one a line.
std::string format_controls(Preset preset, const Bindings& bindings, bool every);

// Where the controls are kept by default: $XDG_CONFIG_HOME/qmsim/controls.conf
// (~/.config/qmsim/ without it; %APPDATA%\qmsim\ on Windows). False, with the
// reason, when the environment names no such place.
bool default_controls_path(std::string& path, std::string& reason);

// Reads path into file (a file that is not there gives no_file_preset);
// false with "PATH:LINE: reason" or "PATH: reason".
bool read_controls_file(const std::string& path, ControlsFile& file, std::string& error);

// Writes the file's bindings to its path, making its folder; false with
// the reason, the file left as it was.
bool write_controls_file(const ControlsFile& file, std::string& reason);

}  // namespace qm
