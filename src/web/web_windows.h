// The program's two windows on the page: the canvas (main window) and the
// form (dialog), the message box, the pointer, which the page leaves where
// it is, and the files kept in the browser's storage.
#pragma once

#include <string>

#include "shell/message_loop.h"
#include "web/web_events.h"
#include "web/web_form.h"

namespace qm {

class WebWindows final : public WindowHost {
public:
    WebWindows(WebForm& form, WebEvents& events) : form_(form), events_(events) {}

    void show_window(Window window, bool visible) override;
    void message_box(const char* text, const char* caption) override;
    void move_pointer_absolute(int nx, int ny) override;
    LRESULT default_window_proc(unsigned message, WPARAM wparam, LPARAM lparam) override;
    void paint_dialog(DialogContext& context) override;
    bool keep_files(std::string& reason) override;
    void put_by_history_line(const std::string& line) override;
    // The page copies the results' link, which it sends rather than the code.
    bool copy_text(const char* text, std::string& reason) override;
    void controls_changed(const Controls& controls, bool screen_open) override;

    // Whether the browser's storage was opened for the folders of the
    // history and the controls; without it, files cannot be kept, for the
    // reason given.
    void storage_opened(bool opened, const std::string& reason);

private:
    bool storage_ = false;
    std::string storage_reason_ = "the storage was not opened";
    WebForm& form_;
    WebEvents& events_;
};

}  // namespace qm
