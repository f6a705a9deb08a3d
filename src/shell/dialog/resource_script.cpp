// Writing the resource script.
#include "shell/dialog/resource_script.h"

#include <cstdio>

namespace qm {

namespace {

// A string literal for the resource compiler: quotes doubled, backslashes
// escaped.
std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += "\"\"";
        else if (c == '\\') out += "\\\\";
        else out += c;
    }
    return out + "\"";
}

// The window class and style of each kind of control. Buttons, radio
// buttons and lists take the tab stop; group boxes and statics do not.
struct KindStyle {
    const char* window_class;
    const char* style;
};

KindStyle kind_style(ControlKind kind)
{
    switch (kind) {
    case ControlKind::radio_button: return {"Button", "BS_RADIOBUTTON | WS_TABSTOP"};
    case ControlKind::drop_down_list: return {"ComboBox", "CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP"};
    case ControlKind::default_push_button: return {"Button", "BS_DEFPUSHBUTTON | WS_TABSTOP"};
    case ControlKind::push_button: return {"Button", "BS_PUSHBUTTON | WS_TABSTOP"};
    case ControlKind::group_box: return {"Button", "BS_GROUPBOX"};
    case ControlKind::centred_static: return {"Static", "SS_CENTER"};
    }
    return {"Static", "SS_CENTER"};
}

}  // namespace

std::string resource_script(const Dialog& dialog, const AcceleratorTable& accelerators)
{
    char line[256];
    std::string out = "// Generated from resources/dialog.txt and resources/accelerators.txt.\n";

    // Visible, with a caption bar and no system menu.
    std::snprintf(line, sizeof line, "%d DIALOG %d, %d, %d, %d\n", dialog.resource_id, dialog.x, dialog.y,
                  dialog.width, dialog.height);
    out += line;
    out += "STYLE DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION\n";
    out += "CAPTION " + quoted(dialog.caption) + "\n";
    std::snprintf(line, sizeof line, "FONT %d, ", dialog.font_points);
    out += line + quoted(dialog.font_face) + "\nBEGIN\n";
    for (const Control& control : dialog.controls) {
        KindStyle kind = kind_style(control.kind);
        std::snprintf(line, sizeof line, ", %d, \"%s\", %s | WS_CHILD | WS_VISIBLE, %d, %d, %d, %d\n", control.id,
                      kind.window_class, kind.style, control.x, control.y, control.width, control.height);
        out += "    CONTROL " + quoted(control.text) + line;
    }
    out += "END\n\n";

    std::snprintf(line, sizeof line, "%d ACCELERATORS\nBEGIN\n", accelerators.resource_id);
    out += line;
    for (const Accelerator& entry : accelerators.entries) {
        std::snprintf(line, sizeof line, "    0x%02X, %u, VIRTKEY%s%s%s\n", entry.key, entry.command,
                      (entry.modifiers & MOD_SHIFT) != 0 ? ", SHIFT" : "",
                      (entry.modifiers & MOD_CONTROL) != 0 ? ", CONTROL" : "",
                      (entry.modifiers & MOD_ALT) != 0 ? ", ALT" : "");
        out += line;
    }
    out += "END\n";
    return out;
}

}  // namespace qm
