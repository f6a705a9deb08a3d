// Header test and pixel loading of map files.
#include "terrain/bitmap_reader.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "raster/plain_file.h"
#include "terrain/bmp_layout.h"

namespace qm {

namespace {

// Bytes of a stored row that lie beyond the end of the file read as all ones,
// that is, as empty pixels (white, opaque, in a colour file).
constexpr unsigned char missing_byte = 0xFF;
constexpr int max_row_bytes = map_max_columns * 4;  // a 32-bit row

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool fail(std::string& reason, std::string why)
{
    reason = std::move(why);
    return false;
}

// The header's fields; false, with the rule the file breaks, for a file
// that is not a map (or ends inside its header).
bool parse_header(const unsigned char (&b)[bmp_header_bytes], std::size_t got, BmpHeader& h, std::string& reason)
{
    if (!parse_bmp_header(b, got, h, reason)) return false;
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

// The columns a map loads: a 1-bit file's whole bytes, with the padding
// bits the file carries; a colour file's width rounded up to whole bytes
// with empty columns.
int loaded_columns(const BmpHeader& h) { return (h.width + 7) / 8 * 8; }

// A stored row as read, the caller's for the whole file: one buffer, not
// one a row.
using StoredRow = unsigned char[max_row_bytes];

// Stored row r (0 the first stored, the bottom of the picture) as map
// pixels in `out`; false, with nothing written, when the row lies wholly
// past the end of the file.
template <class ReadAt>
bool read_row(ReadAt& read_at, const BmpHeader& h, int r, StoredRow& row, std::uint8_t* out)
{
    const long long position = static_cast<long long>(h.pixel_offset) + static_cast<long long>(r) * h.row_stride();
    const std::size_t got = read_at(position, row, static_cast<std::size_t>(h.row_bytes()));
    if (got == 0) return false;
    std::fill(row + got, row + h.row_bytes(), missing_byte);
    bmp_row_to_map(h, row, out, loaded_columns(h));
    return true;
}

// Whether any stored pixel that would be loaded is terrain. Rows are read
// from the first stored (the bottom, where ground usually lies), so a real
// map answers after one row. A map without ground would leave the units
// falling for ever.
template <class ReadAt>
bool has_ground(ReadAt& read_at, const BmpHeader& h, StoredRow& row)
{
    std::uint8_t pixels[map_max_columns];
    const int columns = loaded_columns(h);
    for (int r = 0; r < map_rows; ++r) {
        // This row and the rest lie past the end: empty.
        if (!read_row(read_at, h, r, row, pixels)) return false;
        if (std::memchr(pixels, map_terrain, static_cast<std::size_t>(columns)) != nullptr) return true;
    }
    return false;
}

// The reader over any byte source: read_at(position, out, count) copies up to
// `count` bytes from `position` and answers how many it copied. With no
// image there is nothing to load into: the header alone is tested.
template <class ReadAt>
bool read_map(MapImage* target, ReadAt read_at, BitmapMode mode, std::string& reason)
{
    unsigned char header[bmp_header_bytes];
    BmpHeader h;
    if (!parse_header(header, read_at(0, header, bmp_header_bytes), h, reason)) return false;
    StoredRow row;
    if (!has_ground(read_at, h, row)) return fail(reason, "no ground: every pixel is empty");
    if (target == nullptr || mode == BitmapMode::check_only) return true;
    MapImage& image = *target;

    assert(image.imagen.size() >= static_cast<std::size_t>(map_rows) * map_max_columns);
    const int columns = loaded_columns(h);
    for (int r = 0; r < map_rows; ++r) {
        // The first stored row is the bottom row of the picture; a row
        // wholly past the end of the file is empty.
        std::uint8_t* out = &image.image_at(map_rows - 1 - r, 0);
        if (!read_row(read_at, h, r, row, out)) std::memset(out, map_empty, static_cast<std::size_t>(columns));
    }
    image.imagen_x = columns;
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
