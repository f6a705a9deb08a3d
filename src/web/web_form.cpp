// Making the form from the dialog model and keeping it in step.
#include "web/web_form.h"

#include <string>

#include "shell/dialog/dialog_state.h"
#include "web/web_js.h"

namespace qm {

namespace {

// Dialog units to CSS pixels, as the desktop dialog scales them.
constexpr double unit_x = 2.25;
constexpr double unit_y = 2.0;

int px(int units) { return static_cast<int>(units * unit_x); }
int py(int units) { return static_cast<int>(units * unit_y); }

const char* kind_name(ControlKind kind)
{
    switch (kind) {
    case ControlKind::radio_button: return "radio";
    case ControlKind::drop_down_list: return "droplist";
    case ControlKind::default_push_button: return "defbutton";
    case ControlKind::push_button: return "button";
    case ControlKind::group_box: return "groupbox";
    case ControlKind::centred_static: return "ctext";
    }
    return "ctext";
}

}  // namespace

WebForm::WebForm(const Dialog& dialog)
    : shown_(dialog.controls.size(), 0), shown_items_(dialog.controls.size(), 0)
{
    web::form_create(dialog.caption.c_str(), px(dialog.width), py(dialog.height));
    for (const Control& control : dialog.controls) {
        web::form_add(control.id, kind_name(control.kind), px(control.x), py(control.y), px(control.width),
                      py(control.height), control.text.c_str());
    }
}

bool WebForm::stale(const Dialog& dialog) const
{
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
        const Control& control = dialog.controls[i];
        if (control_state(control) != shown_[i]) return true;
        if (control.kind == ControlKind::drop_down_list && control_items(control) != shown_items_[i]) return true;
    }
    return false;
}

void WebForm::update(const Dialog& dialog)
{
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
        const Control& control = dialog.controls[i];
        if (control.kind == ControlKind::drop_down_list && control_items(control) != shown_items_[i]) {
            std::string lines;
            for (const std::string& item : control.items) lines.append(item).append("\n");
            web::form_set_items(control.id, lines.c_str());
            shown_items_[i] = control_items(control);
            shown_[i] = 0;  // the selection is set again over the new entries
        }
        if (control_state(control) != shown_[i]) {
            web::form_set(control.id, control.checked, control.enabled, control.selection, shown_text(control));
            shown_[i] = control_state(control);
        }
    }
}

void WebForm::paint(DialogContext& context)
{
    update(context.dialog);
    int action[3] = {};
    while (web::form_next_action(action)) {
        Control* control = context.dialog.find(action[0]);
        if (control == nullptr || !control->enabled) continue;
        if (control->kind == ControlKind::drop_down_list) {
            if (action[2] < 0 || action[2] >= static_cast<int>(control->items.size())) continue;
            control->selection = action[2];
        }
        DialgProc(context, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(control->id), static_cast<unsigned>(action[1])),
                  control->handle);
    }
    // What the procedure changed shows at once.
    update(context.dialog);
}

}  // namespace qm
