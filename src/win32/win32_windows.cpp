// Window services through USER32.
#include "win32/win32_windows.h"

#include <cstring>

namespace qm {

void Win32Windows::show_window(Window window, bool visible)
{
    if (window == Window::dialog) {
        if (visible) dialog_.sync();
        ShowWindow(dialog_.window(), visible ? SW_SHOW : SW_HIDE);
        return;
    }
    ShowWindow(main_window_, visible ? show_mode_ : SW_HIDE);
}

// The text as CF_TEXT: a movable block the clipboard owns once it is set.
bool Win32Windows::copy_text(const char* text, std::string& reason)
{
    const std::size_t size = std::strlen(text) + 1;
    if (!OpenClipboard(main_window_)) {
        reason = "the clipboard is in use";
        return false;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    void* bytes = block != nullptr ? GlobalLock(block) : nullptr;
    bool copied = false;
    if (bytes != nullptr) {
        std::memcpy(bytes, text, size);
        GlobalUnlock(block);
        copied = EmptyClipboard() && SetClipboardData(CF_TEXT, block) != nullptr;
    }
    CloseClipboard();
    if (!copied) {
        if (block != nullptr) GlobalFree(block);
        reason = "the clipboard refused the text";
    }
    return copied;
}

void Win32Windows::message_box(const char* text, const char* caption)
{
    MessageBoxA(main_window_, text, caption, MB_OK);
}

void Win32Windows::move_pointer_absolute(int nx, int ny)
{
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, static_cast<DWORD>(nx), static_cast<DWORD>(ny), 0, 0);
}

LRESULT Win32Windows::default_window_proc(unsigned message, WPARAM wparam, LPARAM lparam)
{
    return static_cast<LRESULT>(DefWindowProcA(main_window_, message, wparam, lparam));
}

void Win32Windows::paint_dialog(DialogContext&) { dialog_.sync(); }

}  // namespace qm
