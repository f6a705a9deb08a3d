// The window surface: where a finished frame is shown. The shell implements
// it; without a shell there is none and presenting does nothing.
#pragma once

#include "raster/surface.h"

namespace qm {

class Presenter {
public:
    virtual ~Presenter() = default;

    // Screen size as the window's drawing context sees it, after the display
    // mode was chosen.
    virtual int horzres() const = 0;
    virtual int vertres() const = 0;

    // Fill (0, 0, width, height) with the window's default white brush and
    // black one-pixel pen.
    virtual void clear(int width, int height) = 0;
    // Copy the whole frame 1:1 to the window's top-left corner.
    virtual void copy(const Surface& frame) = 0;
    // Scale the whole frame to width by height at the window's origin.
    virtual void stretch(const Surface& frame, int width, int height) = 0;
};

}  // namespace qm
