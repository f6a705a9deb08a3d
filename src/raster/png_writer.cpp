// write_png: the file around whichever encoder the build chose.
#include "raster/png_writer.h"

#include <cstdio>

#include "raster/png_encoders.h"

namespace qm {

void rgb_row(const COLORREF* pixels, int width, unsigned char* out)
{
    for (int x = 0; x < width; ++x) {
        out[3 * x] = static_cast<unsigned char>(pixels[x] & 0xFFu);
        out[3 * x + 1] = static_cast<unsigned char>((pixels[x] >> 8) & 0xFFu);
        out[3 * x + 2] = static_cast<unsigned char>((pixels[x] >> 16) & 0xFFu);
    }
}

bool write_png(const Surface& s, const char* path)
{
    if (path == nullptr || s.empty()) return false;
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
#if QM_PNG_STORED
    const bool written = encode_png_stored(file, s);
#else
    const bool written = encode_png_libpng(file, s);
#endif
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

}  // namespace qm
