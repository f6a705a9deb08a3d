// Window placement and screen modes through USER32.
#include "win32/win32_display.h"

namespace qm {

void Win32Display::set_main_window_pos(int x, int y, int width, int height)
{
    SetWindowPos(main_window_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Display::enum_display_settings(int index, DisplayMode& mode)
{
    DEVMODEA record{};
    record.dmSize = sizeof record;
    if (!EnumDisplaySettingsA(nullptr, static_cast<DWORD>(index), &record)) return false;
    mode.bits_per_pel = static_cast<int>(record.dmBitsPerPel);
    mode.pels_width = static_cast<int>(record.dmPelsWidth);
    mode.pels_height = static_cast<int>(record.dmPelsHeight);
    mode.fields = static_cast<unsigned>(record.dmFields);
    mode.display_flags = static_cast<unsigned>(record.dmDisplayFlags);
    return true;
}

int Win32Display::change_display_settings(const DisplayMode& mode)
{
    DEVMODEA record{};
    record.dmSize = sizeof record;
    record.dmBitsPerPel = static_cast<DWORD>(mode.bits_per_pel);
    record.dmPelsWidth = static_cast<DWORD>(mode.pels_width);
    record.dmPelsHeight = static_cast<DWORD>(mode.pels_height);
    record.dmFields = mode.fields;
    record.dmDisplayFlags = mode.display_flags;
    // Flags 0: for this run only, not stored as the screen's default.
    return static_cast<int>(ChangeDisplaySettingsA(&record, 0));
}

void Win32Display::restore_display_settings() { ChangeDisplaySettingsA(nullptr, 0); }

}  // namespace qm
