// Header test and pixel loading of two-colour bitmap map files.
#include "terrain/bitmap_reader.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "raster/plain_file.h"

namespace qm {

namespace {

constexpr int required_bits_per_pixel = 1;
// Bytes of a stored row that lie beyond the end of the file read as all ones,
// that is, as empty pixels.
constexpr unsigned char missing_byte = 0xFF;

// The eight pixels of each byte value, the most significant bit leftmost: a
// stored byte becomes its eight pixels in one copy.
using EightPixels = std::array<std::uint8_t, 8>;
constexpr std::array<EightPixels, 256> pixels_of_byte = [] {
    std::array<EightPixels, 256> table{};
    for (int v = 0; v < 256; ++v) {
        for (int j = 0; j < 8; ++j) table[v][j] = static_cast<std::uint8_t>(v >> (7 - j) & 1);
    }
    return table;
}();

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Little-endian fields.
std::uint16_t u16(const unsigned char* b)
{
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

std::uint32_t u32(const unsigned char* b)
{
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

constexpr std::size_t header_size = 30;  // nothing after the bits per pixel is read

struct Header {
    std::uint32_t pixel_offset = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bits_per_pixel = 0;
};

bool fail(std::string& reason, std::string why)
{
    reason = std::move(why);
    return false;
}

// The header fields; false, with the rule the file breaks, for a file that
// is not a map (or ends inside its header).
bool parse_header(const unsigned char (&b)[header_size], std::size_t got, Header& h, std::string& reason)
{
    const char* not_bmp = "not a BMP file";
    if (got < 2 || b[0] != 0x42 || b[1] != 0x4D) return fail(reason, not_bmp);  // "BM"
    if (got != header_size) return fail(reason, "not a BMP file: the header is cut short");
    if (u32(b + 6) != 0) return fail(reason, not_bmp);  // reserved
    h.pixel_offset = u32(b + 10);
    h.width = static_cast<std::int32_t>(u32(b + 18));
    h.height = static_cast<std::int32_t>(u32(b + 22));
    h.bits_per_pixel = u16(b + 28);

    if (h.bits_per_pixel != required_bits_per_pixel) {
        return fail(reason, std::to_string(h.bits_per_pixel) + " bits per pixel; maps have 1");
    }
    // Bottom-up only (a top-down file has a negative height).
    if (h.height < 0) return fail(reason, "stored top-down; maps are stored bottom-up");
    if (h.height != map_rows) {
        return fail(reason, std::to_string(h.height) + " pixels high; maps are " + std::to_string(map_rows));
    }
    // A negative width describes no picture at all.
    if (h.width < 0) return fail(reason, "a negative width");
    if (h.width == 0) return fail(reason, "no width; maps are 1 to " + std::to_string(map_max_columns) + " pixels wide");
    if (h.width > map_max_columns) {
        return fail(reason, std::to_string(h.width) + " pixels wide; at most " + std::to_string(map_max_columns));
    }
    return true;
}

// Whether any stored pixel that would be loaded is terrain. Rows are read
// from the first stored (the bottom, where ground usually lies), so a real
// map answers after one row. A map without ground would leave the units
// falling for ever.
template <class ReadAt>
bool has_ground(ReadAt& read_at, const Header& h, int bytes_per_row, int stride)
{
    unsigned char row[map_max_columns / 8];
    for (int r = 0; r < map_rows; ++r) {
        const long long position = static_cast<long long>(h.pixel_offset) + static_cast<long long>(r) * stride;
        const std::size_t got = read_at(position, row, static_cast<std::size_t>(bytes_per_row));
        if (got == 0) return false;  // this row and the rest lie past the end: empty
        for (std::size_t b = 0; b < got; ++b) {
            if (row[b] != missing_byte) return true;
        }
    }
    return false;
}

// The reader over any byte source: read_at(position, out, count) copies up to
// `count` bytes from `position` and answers how many it copied. With no
// image there is nothing to load into: the header alone is tested.
template <class ReadAt>
bool read_map(MapImage* target, ReadAt read_at, BitmapMode mode, std::string& reason)
{
    unsigned char header[header_size];
    Header h;
    if (!parse_header(header, read_at(0, header, header_size), h, reason)) return false;
    const int bytes_per_row = (h.width + 7) / 8;
    const int stride = 4 * ((h.width + 31) / 32);  // stored rows are padded to 4 bytes
    if (!has_ground(read_at, h, bytes_per_row, stride)) return fail(reason, "no ground: every pixel is empty");
    if (target == nullptr || mode == BitmapMode::check_only) return true;
    MapImage& image = *target;

    assert(image.imagen.size() >= static_cast<std::size_t>(map_rows) * map_max_columns);

    unsigned char row[map_max_columns / 8];
    for (int r = 0; r < map_rows; ++r) {
        // The first stored row is the bottom row of the picture. Whatever lies
        // beyond the end of the file reads as missing_byte.
        const long long position = static_cast<long long>(h.pixel_offset) + static_cast<long long>(r) * stride;
        const std::size_t got = read_at(position, row, static_cast<std::size_t>(bytes_per_row));
        std::uint8_t* out = &image.image_at(map_rows - 1 - r, 0);
        if (got == 0) {
            // A row wholly past the end: every pixel empty.
            std::memset(out, map_empty, 8 * static_cast<std::size_t>(bytes_per_row));
            continue;
        }
        std::fill(row + got, row + bytes_per_row, missing_byte);
        for (int b = 0; b < bytes_per_row; ++b) std::memcpy(out + 8 * b, pixels_of_byte[row[b]].data(), 8);
    }
    image.imagen_x = 8 * bytes_per_row;
    image.imagen_y = map_rows;
    return true;
}

// Reads the file at `filename` into `target` (see read_map).
bool read_file(MapImage* target, const char* filename, BitmapMode mode, std::string& reason)
{
    if (filename == nullptr) return fail(reason, "no file name");
    File file(open_plain_file(filename, reason));
    if (!file) return false;
    std::FILE* f = file.get();
    return read_map(
        target,
        [f](long long position, unsigned char* out, std::size_t count) -> std::size_t {
            // Beyond any offset the file can have, nothing is read.
            if (position > LONG_MAX || std::fseek(f, static_cast<long>(position), SEEK_SET) != 0) return 0;
            return std::fread(out, 1, count, f);
        },
        mode, reason);
}

}  // namespace

bool is_map_file(const char* filename)
{
    std::string reason;
    return check_map_file(filename, reason);
}

bool check_map_file(const char* filename, std::string& reason)
{
    return read_file(nullptr, filename, BitmapMode::check_only, reason);
}

bool open_bitmap(MapImage& image, const char* filename, BitmapMode mode)
{
    std::string reason;
    return open_bitmap(image, filename, mode, reason);
}

bool open_bitmap(MapImage& image, const char* filename, BitmapMode mode, std::string& reason)
{
    return read_file(&image, filename, mode, reason);
}

bool read_bitmap(MapImage& image, std::span<const unsigned char> bytes, BitmapMode mode)
{
    std::string reason;
    return read_map(
        &image,
        [bytes](long long position, unsigned char* out, std::size_t count) -> std::size_t {
            if (position < 0 || static_cast<unsigned long long>(position) >= bytes.size()) return 0;
            const std::size_t got = std::min(count, bytes.size() - static_cast<std::size_t>(position));
            std::memcpy(out, bytes.data() + position, got);
            return got;
        },
        mode, reason);
}

}  // namespace qm
