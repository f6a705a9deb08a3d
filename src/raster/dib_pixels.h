// Frame pixels in the byte order of a 32-bit device-independent bitmap:
// surfaces hold 0x00BBGGRR, a DIB row holds 0x00RRGGBB (blue in the low
// byte), so red and blue trade places.
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/surface.h"

namespace qm {

constexpr std::uint32_t dib_pixel(COLORREF c)
{
    return (c & 0x0000FF00u) | (c & 0x000000FFu) << 16 | (c >> 16 & 0x000000FFu);
}

// count pixels from in to out; a loop the compiler vectorises.
inline void to_dib_pixels(const COLORREF* in, std::uint32_t* out, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) out[i] = dib_pixel(in[i]);
}

}  // namespace qm
