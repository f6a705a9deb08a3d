// Encoding of two-colour bitmap map files.
#include "terrain/bitmap_writer.h"

#include <cstdio>

#include "raster/replace_file.h"

namespace qm {

namespace {

constexpr std::uint32_t file_header_size = 14;
constexpr std::uint32_t info_header_size = 40;
constexpr std::uint32_t palette_size = 8;  // two BGRA entries
constexpr std::uint32_t pixel_offset = file_header_size + info_header_size + palette_size;  // 62
constexpr std::uint32_t pixels_per_metre = 2835;  // 72 dots per inch

void put16(std::vector<unsigned char>& out, std::uint32_t v)
{
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>(v >> 8 & 0xFF));
}

void put32(std::vector<unsigned char>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

MapPicture::MapPicture(int picture_width, int picture_height, std::uint8_t fill)
    : width(picture_width),
      height(picture_height),
      pixels(static_cast<std::size_t>(picture_width) * picture_height, fill)
{
}

std::vector<unsigned char> encode_bitmap(const MapPicture& picture)
{
    const std::uint32_t width = static_cast<std::uint32_t>(picture.width);
    const std::uint32_t height = static_cast<std::uint32_t>(picture.height);
    const std::uint32_t bytes_per_row = (width + 7) / 8;
    const std::uint32_t stride = 4 * ((width + 31) / 32);
    const std::uint32_t image_size = stride * height;

    std::vector<unsigned char> out;
    out.reserve(pixel_offset + image_size);
    out.push_back('B');
    out.push_back('M');
    put32(out, pixel_offset + image_size);
    put32(out, 0);  // reserved
    put32(out, pixel_offset);
    put32(out, info_header_size);
    put32(out, width);
    put32(out, height);  // positive: rows stored bottom-up
    put16(out, 1);       // planes
    put16(out, 1);       // bits per pixel
    put32(out, 0);       // no compression
    put32(out, image_size);
    put32(out, pixels_per_metre);
    put32(out, pixels_per_metre);
    put32(out, 2);  // colours used
    put32(out, 2);  // colours important
    put32(out, 0x00000000);  // index 0: black, terrain
    put32(out, 0x00FFFFFF);  // index 1: white, empty

    for (int r = picture.height - 1; r >= 0; --r) {
        for (std::uint32_t b = 0; b < stride; ++b) {
            unsigned char byte = 0;
            if (b < bytes_per_row) {
                for (int j = 0; j < 8; ++j) {
                    int column = static_cast<int>(8 * b) + j;
                    int bit = column < picture.width ? picture.at(r, column) & 1 : map_empty;
                    byte = static_cast<unsigned char>(byte | bit << (7 - j));
                }
            }
            out.push_back(byte);
        }
    }
    return out;
}

bool write_file(const std::string& path, const std::vector<unsigned char>& bytes, std::string& reason)
{
    return replace_file(
        path.c_str(), [&](std::FILE* f) { return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size(); },
        reason);
}

bool write_file(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::string reason;
    return write_file(path, bytes, reason);
}

bool write_bitmap(const std::string& path, const MapPicture& picture, std::string& reason)
{
    return write_file(path, encode_bitmap(picture), reason);
}

bool write_bitmap(const std::string& path, const MapPicture& picture)
{
    std::string reason;
    return write_bitmap(path, picture, reason);
}

}  // namespace qm
