// The PNG encoder through libpng.
#include "raster/png_encoders.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace qm {

namespace {

// libpng reports errors by longjmp; this part owns no object with a
// destructor, so the jump skips nothing that needs cleaning up.
bool write_rows(std::FILE* file, const Surface& s, unsigned char* row_bytes)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(s.width()), static_cast<png_uint_32>(s.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < s.height(); ++y) {
        rgb_row(s.row(y), s.width(), row_bytes);
        png_write_row(png, row_bytes);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool encode_png_libpng(std::FILE* file, const Surface& s)
{
    std::vector<unsigned char> row_bytes(static_cast<std::size_t>(s.width()) * 3);
    return write_rows(file, s, row_bytes.data());
}

}  // namespace qm
