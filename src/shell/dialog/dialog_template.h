// The configuration dialog as plain data: the template read from the
// resource text, and the live state of every control (checks, enabled flags,
// list contents, selections) that the dialog procedure changes and the
// platform draws.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/platform.h"

namespace qm {

enum class ControlKind {
    radio_button,         // plain: the dialog procedure sets every check itself
    drop_down_list,       // unsorted, with a vertical scroll bar
    default_push_button,
    push_button,
    group_box,
    centred_static,
};

struct Control {
    int id = 0;
    ControlKind kind = ControlKind::centred_static;
    std::string text;
    int x = 0;  // position and size in dialog units
    int y = 0;
    int width = 0;
    int height = 0;

    // The control's window as click commands carry it in lparam.
    LPARAM handle = 0;

    bool checked = false;
    bool enabled = true;
    std::vector<std::string> items;  // drop-down lists
    int selection = -1;              // -1: nothing selected
    // When set, the text shown is read from here each time the dialog is
    // drawn (the status line shows the terrain build's progress).
    const char* live_text = nullptr;
};

struct Dialog {
    int resource_id = 0;
    std::string caption;
    int x = 0;  // dialog units
    int y = 0;
    int width = 0;
    int height = 0;
    int font_points = 0;
    std::string font_face;
    std::vector<Control> controls;  // in template order

    Control* find(int id);
    const Control* find(int id) const;
    // The control whose window is `handle`, or null.
    const Control* find_by_handle(LPARAM handle) const;
};

// Read a dialog template. On failure returns false and says why in `error`
// (with the line number).
bool parse_dialog_template(std::string_view text, Dialog& dialog, std::string& error);

}  // namespace qm
