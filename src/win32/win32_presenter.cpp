// Presenting frames in the main window through GDI.
#include "win32/win32_presenter.h"

#include "raster/dib_pixels.h"

namespace qm {

int Win32Presenter::device_caps(int index) const
{
    HDC dc = GetDC(main_window_);
    int value = GetDeviceCaps(dc, index);
    ReleaseDC(main_window_, dc);
    return value;
}

void Win32Presenter::clear(int width, int height)
{
    // A window's device context starts with the white brush and the black
    // pen: the box the frame is drawn over.
    HDC dc = GetDC(main_window_);
    ::Rectangle(dc, 0, 0, width, height);
    ReleaseDC(main_window_, dc);
}

bool Win32Presenter::convert(const Surface& frame)
{
    if (frame.empty()) return false;
    const std::size_t count = static_cast<std::size_t>(frame.width()) * static_cast<std::size_t>(frame.height());
    // Grows only when a frame of another size comes: never in a steady run.
    if (pixels_.size() != count) pixels_.resize(count);
    for (int y = 0; y < frame.height(); ++y) {
        to_dib_pixels(frame.row(y), &pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.width())],
                      static_cast<std::size_t>(frame.width()));
    }
    BITMAPINFOHEADER& header = info_.bmiHeader;
    header.biSize = sizeof header;
    header.biWidth = frame.width();
    header.biHeight = -frame.height();  // top-down rows, as the surface keeps them
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return true;
}

void Win32Presenter::copy(const Surface& frame)
{
    if (!convert(frame)) return;
    HDC dc = GetDC(main_window_);
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(frame.width()), static_cast<DWORD>(frame.height()), 0, 0, 0,
                      static_cast<UINT>(frame.height()), pixels_.data(), &info_, DIB_RGB_COLORS);
    ReleaseDC(main_window_, dc);
}

void Win32Presenter::stretch(const Surface& frame, int width, int height)
{
    if (!convert(frame)) return;
    HDC dc = GetDC(main_window_);
    // Whole pixels repeated or dropped, never blended: the colours stay the
    // frame's own.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, width, height, 0, 0, frame.width(), frame.height(), pixels_.data(), &info_,
                  DIB_RGB_COLORS, SRCCOPY);
    ReleaseDC(main_window_, dc);
}

}  // namespace qm
