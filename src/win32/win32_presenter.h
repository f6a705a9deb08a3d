// The main window's surface under Windows: frames copied 1:1 or stretched
// from a 32-bit DIB in the window's device context.
#pragma once

#include "win32/windows_api.h"

#include <cstdint>
#include <vector>

namespace qm {

class Win32Presenter final : public Presenter {
public:
    explicit Win32Presenter(HWND main_window) : main_window_(main_window) {}

    int horzres() const override { return device_caps(HORZRES); }
    int vertres() const override { return device_caps(VERTRES); }

    void clear(int width, int height) override;
    void copy(const Surface& frame) override;
    void stretch(const Surface& frame, int width, int height) override;

private:
    int device_caps(int index) const;
    // The frame in the DIB's byte order, in a buffer kept from one present
    // to the next; false for an empty frame.
    bool convert(const Surface& frame);

    HWND main_window_;
    BITMAPINFO info_{};
    std::vector<std::uint32_t> pixels_;
};

}  // namespace qm
