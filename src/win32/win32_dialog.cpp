// The dialog's window procedure and the mirroring of the model in the
// controls.
#include "win32/win32_dialog.h"

#include <cstring>

namespace qm {

Win32Dialog::~Win32Dialog()
{
    if (window_ != nullptr) DestroyWindow(window_);
}

bool Win32Dialog::create(HINSTANCE instance, HWND owner, Dialog& model, std::string& error)
{
    model_ = &model;
    window_ = CreateDialogParamA(instance, MAKEINTRESOURCEA(model.resource_id), owner, procedure,
                                 reinterpret_cast<LPARAM>(this));
    if (window_ == nullptr) {
        error = "dialog template " + std::to_string(model.resource_id) + " not found";
        return false;
    }
    for (Control& control : model.controls) {
        HWND item = GetDlgItem(window_, control.id);
        if (item == nullptr) {
            error = "dialog template lacks control " + std::to_string(control.id);
            return false;
        }
        control.handle = reinterpret_cast<LPARAM>(item);
    }
    shown_.assign(model.controls.size(), Shown{});
    return true;
}

bool Win32Dialog::owns(HWND window) const
{
    return window_ != nullptr && (window == window_ || IsChild(window_, window));
}

INT_PTR CALLBACK Win32Dialog::procedure(HWND window, UINT message, ::WPARAM wparam, ::LPARAM lparam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lparam);
        return TRUE;
    }
    auto* self = reinterpret_cast<Win32Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (self == nullptr) return FALSE;
    switch (message) {
    case WM_COMMAND:
        // Only what the controls report; the accelerator's commands come
        // through the message loop.
        if (lparam == 0) return FALSE;
        self->notify(message, wparam, lparam);
        return TRUE;
    case WM_CLOSE:
        self->notify(message, 0, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

void Win32Dialog::notify(UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_COMMAND) {
        const Control* control = model_->find_by_handle(lparam);
        if (control == nullptr) return;
        unsigned code = HIWORD(wparam);
        bool list_choice = control->kind == ControlKind::drop_down_list && code == CBN_SELCHANGE;
        bool click = control->kind != ControlKind::drop_down_list && code == BN_CLICKED;
        if (!list_choice && !click) return;
        if (list_choice) {
            // The model takes the list's new selection before the procedure
            // hears of it, as a list's own state would have changed.
            Control* list = model_->find(control->id);
            list->selection = static_cast<int>(SendMessageA(reinterpret_cast<HWND>(lparam), CB_GETCURSEL, 0, 0));
        }
    }
    notifications_.push_back(Message{Window::dialog, message, wparam, lparam, 0});
}

bool Win32Dialog::take_notification(Message& message)
{
    if (notifications_.empty()) return false;
    message = notifications_.front();
    notifications_.pop_front();
    return true;
}

const char* Win32Dialog::text_of(const Control& control)
{
    return control.live_text != nullptr ? control.live_text : control.text.c_str();
}

bool Win32Dialog::differs(const Control& control, const Shown& shown) const
{
    return !shown.set || shown.checked != control.checked || shown.enabled != control.enabled ||
           shown.items != control.items.size() || shown.selection != control.selection ||
           std::strcmp(shown.text.c_str(), text_of(control)) != 0;
}

bool Win32Dialog::needs_sync() const
{
    if (model_ == nullptr) return false;
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        if (differs(model_->controls[i], shown_[i])) return true;
    }
    return false;
}

void Win32Dialog::sync()
{
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const Control& control = model_->controls[i];
        Shown& shown = shown_[i];
        if (!differs(control, shown)) continue;
        HWND item = reinterpret_cast<HWND>(control.handle);
        if (control.kind == ControlKind::radio_button) {
            SendMessageA(item, BM_SETCHECK, control.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        if (control.kind == ControlKind::drop_down_list) {
            if (!shown.set || shown.items != control.items.size()) {
                SendMessageA(item, CB_RESETCONTENT, 0, 0);
                for (const std::string& entry : control.items) {
                    SendMessageA(item, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
                }
            }
            SendMessageA(item, CB_SETCURSEL, static_cast<WPARAM>(control.selection), 0);
        }
        if (control.kind == ControlKind::centred_static && std::strcmp(shown.text.c_str(), text_of(control)) != 0) {
            SetWindowTextA(item, text_of(control));
        }
        if (!shown.set || shown.enabled != control.enabled) EnableWindow(item, control.enabled ? TRUE : FALSE);
        shown.set = true;
        shown.checked = control.checked;
        shown.enabled = control.enabled;
        shown.items = control.items.size();
        shown.selection = control.selection;
        shown.text = text_of(control);
    }
}

}  // namespace qm
