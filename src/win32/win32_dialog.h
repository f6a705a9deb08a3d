// The configuration dialog as a real Windows dialog: created from resource
// template 1000, its controls mirroring the dialog model, and what the user
// does with them handed to the message loop as commands for the dialog
// procedure.
#pragma once

#include "win32/windows_api.h"

#include <deque>
#include <string>
#include <vector>

namespace qm {

class Win32Dialog {
public:
    Win32Dialog() = default;
    ~Win32Dialog();
    Win32Dialog(const Win32Dialog&) = delete;
    Win32Dialog& operator=(const Win32Dialog&) = delete;

    // Make the dialog from its template, owned by `owner`, and give every
    // control of `model` its window as handle; false, with the reason in
    // `error`, when the template or a control is missing.
    bool create(HINSTANCE instance, HWND owner, Dialog& model, std::string& error);

    HWND window() const { return window_; }
    // The dialog itself or one of its controls.
    bool owns(HWND window) const;

    // A command or close request from the controls, oldest first.
    bool take_notification(Message& message);
    // Whether a control shows something other than the model holds.
    bool needs_sync() const;
    // Bring every control in line with the model.
    void sync();

private:
    static INT_PTR CALLBACK procedure(HWND window, UINT message, ::WPARAM wparam, ::LPARAM lparam);
    void notify(UINT message, WPARAM wparam, LPARAM lparam);

    // What a control was last set to show.
    struct Shown {
        bool set = false;
        bool checked = false;
        bool enabled = true;
        std::size_t items = 0;
        int selection = -1;
        std::string text;
    };
    bool differs(const Control& control, const Shown& shown) const;
    static const char* text_of(const Control& control);

    HWND window_ = nullptr;
    Dialog* model_ = nullptr;
    std::vector<Shown> shown_;
    std::deque<Message> notifications_;
};

}  // namespace qm
