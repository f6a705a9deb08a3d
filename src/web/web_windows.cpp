// Window services on the page.
#include "web/web_windows.h"

#include "web/web_js.h"

namespace qm {

void WebWindows::show_window(Window window, bool visible)
{
    if (window == Window::dialog) events_.set_form_visible(visible);
    web::show(window == Window::main, visible);
}

void WebWindows::message_box(const char* text, const char* caption) { web::message_box(text, caption); }

// A page cannot move the pointer: during a pan the page holds it with a
// pointer lock instead, and where the browser grants none the pointer moves
// on while the view follows its travel.
void WebWindows::move_pointer_absolute(int, int) {}

LRESULT WebWindows::default_window_proc(unsigned, WPARAM, LPARAM) { return 0; }

void WebWindows::paint_dialog(DialogContext& context) { form_.paint(context); }

bool WebWindows::keep_files(std::string& reason)
{
    if (!storage_) {
        reason = "the browser keeps no storage for this page: " + storage_reason_;
        return false;
    }
    if (web::save_storage(reason)) return true;
    reason = "the browser did not store it: " + reason;
    return false;
}

// The page's stash (localStorage) holds it until a visit can store it.
void WebWindows::put_by_history_line(const std::string& line) { web::stash_lines(line.c_str()); }

bool WebWindows::copy_text(const char* text, std::string& reason)
{
    (void)text;
    if (web::copy_results_link()) return true;
    reason = "this page has no clipboard (it is not served over https or from localhost)";
    return false;
}

void WebWindows::controls_changed(const Controls& controls, bool screen_open)
{
    std::string keys;
    for (const ActionInputs& action : controls.bindings().actions) {
        for (int i = 0; i < action.count; ++i) {
            const Input input = action.inputs[static_cast<std::size_t>(i)];
            if (input.kind != InputKind::key) continue;
            if (!keys.empty()) keys += ',';
            keys += std::to_string(input.code);
        }
    }
    web::controls_changed(keys.c_str(), screen_open);
}

void WebWindows::storage_opened(bool opened, const std::string& reason)
{
    storage_ = opened;
    storage_reason_ = reason;
}

}  // namespace qm
