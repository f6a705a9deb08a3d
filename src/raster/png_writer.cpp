// write_png: the file around whichever encoder the build chose.
#include "raster/png_writer.h"

#include <cstdio>

#include "raster/png_encoders.h"
#include "raster/replace_file.h"

namespace qm {

void rgb_row(const COLORREF* pixels, int width, unsigned char* out)
{
    for (int x = 0; x < width; ++x) {
        out[3 * x] = static_cast<unsigned char>(pixels[x] & 0xFFu);
        out[3 * x + 1] = static_cast<unsigned char>((pixels[x] >> 8) & 0xFFu);
        out[3 * x + 2] = static_cast<unsigned char>((pixels[x] >> 16) & 0xFFu);
    }
}

bool write_png(const Surface& s, const char* path, std::string& reason)
{
    if (path == nullptr || s.empty()) {
        reason = "nothing to write";
        return false;
    }
#if QM_PNG_STORED
    return replace_file(path, [&](std::FILE* file) { return encode_png_stored(file, s); }, reason);
#else
    return replace_file(path, [&](std::FILE* file) { return encode_png_libpng(file, s); }, reason);
#endif
}

bool write_png(const Surface& s, const char* path)
{
    std::string reason;
    return write_png(s, path, reason);
}

}  // namespace qm
