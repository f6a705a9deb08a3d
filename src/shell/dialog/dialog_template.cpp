// Reading the dialog template and finding controls.
#include "shell/dialog/dialog_template.h"

#include <charconv>

#include "shell/dialog/resource_text.h"

namespace qm {

namespace {

// Control windows get handles of their own, unrelated to their ids, so that
// nothing confuses the two.
constexpr LPARAM first_control_handle = 0x00010001;

bool parse_int(const std::string& word, int& value)
{
    const char* end = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc() && ptr == end;
}

bool parse_kind(const std::string& word, ControlKind& kind)
{
    struct Name {
        const char* word;
        ControlKind kind;
    };
    static constexpr Name names[] = {
        {"radio", ControlKind::radio_button},
        {"droplist", ControlKind::drop_down_list},
        {"defbutton", ControlKind::default_push_button},
        {"button", ControlKind::push_button},
        {"groupbox", ControlKind::group_box},
        {"ctext", ControlKind::centred_static},
    };
    for (const Name& name : names) {
        if (word == name.word) {
            kind = name.kind;
            return true;
        }
    }
    return false;
}

}  // namespace

Control* Dialog::find(int id)
{
    for (Control& control : controls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

const Control* Dialog::find(int id) const
{
    for (const Control& control : controls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

const Control* Dialog::find_by_handle(LPARAM handle) const
{
    for (const Control& control : controls) {
        if (control.handle == handle) return &control;
    }
    return nullptr;
}

bool parse_dialog_template(std::string_view text, Dialog& dialog, std::string& error)
{
    dialog = Dialog{};
    bool have_header = false;
    auto statement = [&](const std::vector<std::string>& words) -> const char* {
        if (words[0] == "DIALOG") {
            if (words.size() != 7 || !parse_int(words[1], dialog.resource_id) || !parse_int(words[2], dialog.x) ||
                !parse_int(words[3], dialog.y) || !parse_int(words[4], dialog.width) ||
                !parse_int(words[5], dialog.height)) {
                return "expected DIALOG id x y width height caption";
            }
            dialog.caption = words[6];
            have_header = true;
        } else if (words[0] == "FONT") {
            if (words.size() != 3 || !parse_int(words[1], dialog.font_points)) return "expected FONT points face";
            dialog.font_face = words[2];
        } else if (words[0] == "CONTROL") {
            Control control;
            if (words.size() != 8 || !parse_int(words[1], control.id) || !parse_kind(words[2], control.kind) ||
                !parse_int(words[3], control.x) || !parse_int(words[4], control.y) ||
                !parse_int(words[5], control.width) || !parse_int(words[6], control.height)) {
                return "expected CONTROL id kind x y width height text";
            }
            if (dialog.find(control.id) != nullptr) return "control id used twice";
            control.text = words[7];
            control.handle = first_control_handle + static_cast<LPARAM>(dialog.controls.size());
            dialog.controls.push_back(std::move(control));
        } else {
            return "unknown statement";
        }
        return nullptr;
    };
    if (!read_resource_statements(text, "dialog template", error, statement)) return false;
    if (!have_header) {
        error = "dialog template: no DIALOG statement";
        return false;
    }
    return true;
}

}  // namespace qm
