// Surface storage and single-pixel access.
#include "core/surface.h"

namespace qm {

// A size of zero or less in either direction makes an empty surface.
Surface::Surface(int width, int height)
    : width_(width > 0 && height > 0 ? width : 0),
      height_(width > 0 && height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0x00000000u)
{
}

COLORREF GetPixel(const Surface& s, int x, int y)
{
    if (x < 0 || y < 0 || x >= s.width() || y >= s.height()) return CLR_INVALID;
    return s.row(y)[x];
}

void SetPixel(Surface& s, int x, int y, COLORREF color)
{
    if (x < 0 || y < 0 || x >= s.width() || y >= s.height()) return;
    s.row(y)[x] = color;
}

}  // namespace qm
