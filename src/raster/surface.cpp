// Surface storage.
#include "raster/surface.h"

namespace qm {

// A size of zero or less in either direction makes an empty surface.
Surface::Surface(int width, int height)
    : width_(width > 0 && height > 0 ? width : 0),
      height_(width > 0 && height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0x00000000u),
      changed_(static_cast<std::size_t>(height_))
{
}

void Surface::clear_changed()
{
    for (int y = changed_rows_.from; y < changed_rows_.to; ++y) changed_[static_cast<std::size_t>(y)] = RowSpan{};
    changed_rows_ = RowSpan{};
}

}  // namespace qm
