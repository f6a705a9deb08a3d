// Fuzzes the map reader with any file contents, read from memory: the header
// test must agree with an independent reading of the header, a rejected file
// must leave the image alone, and an accepted one must land in the map image
// bit for bit, bytes beyond the end of the file reading as empty.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "terrain/bitmap_reader.h"

namespace {

using namespace qm;

constexpr std::uint8_t sentinel = 7;  // a value the reader never stores
constexpr int sentinel_width = -1;

// Two images for the whole run. The readings that must not write (the header
// check, the load of a rejected file) go to the guarded image, which holds
// the sentinel and whose whole pages of pixels are read-only: a write stops
// the run at once, on the input that made it, at no cost per run. An
// accepted load goes to the other image.
struct Fixture {
    Fixture()
    {
        for (MapImage* i : {&guarded, &image}) {
            std::memset(i->imagen.data(), sentinel, i->imagen.size());
            i->imagen_x = sentinel_width;
            i->imagen_y = sentinel_width;
        }
        const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        const auto begin = reinterpret_cast<std::uintptr_t>(guarded.imagen.data());
        const auto end = begin + guarded.imagen.size();
        pages_begin = (begin + page - 1) / page * page;
        pages_end = end / page * page;
        if (::mprotect(reinterpret_cast<void*>(pages_begin), pages_end - pages_begin, PROT_READ) != 0) std::abort();
        // The eight pixels of each byte value, worked out bit by bit.
        for (int v = 0; v < 256; ++v) {
            for (int j = 0; j < 8; ++j) pixels_of[v][j] = (v & (0x80 >> j)) != 0 ? 1 : 0;
        }
    }

    MapImage guarded;
    MapImage image;
    // The whole pages inside the guarded image's pixels.
    std::uintptr_t pages_begin = 0;
    std::uintptr_t pages_end = 0;
    std::uint8_t pixels_of[256][8] = {};
    const std::vector<std::uint8_t> sentinel_row = std::vector<std::uint8_t>(map_max_columns, sentinel);
    const std::vector<std::uint8_t> empty_row = std::vector<std::uint8_t>(map_max_columns, 1);
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

[[clang::no_sanitize("coverage")]] std::uint32_t u32(const std::uint8_t* d, std::size_t at)
{
    return static_cast<std::uint32_t>(d[at]) | static_cast<std::uint32_t>(d[at + 1]) << 8 |
           static_cast<std::uint32_t>(d[at + 2]) << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24;
}

std::uint16_t u16(const std::uint8_t* d, std::size_t at)
{
    return static_cast<std::uint16_t>(d[at] | d[at + 1] << 8);
}

// Whether any byte of the rows' loaded part that lies inside the file has a
// 0 bit: terrain somewhere (bytes past the end read as empty). The harness's
// own scan, so uncounted: its comparisons would be traced byte by byte.
[[clang::no_sanitize("coverage")]] bool any_ground(const std::uint8_t* d, std::size_t size, int width)
{
    const long long loaded = (width + 7) / 8;
    const long long stride = 4 * ((width + 31) / 32);
    for (int r = 0; r < map_rows; ++r) {
        const long long start = static_cast<long long>(u32(d, 10)) + r * stride;
        for (long long at = start; at < start + loaded && at < static_cast<long long>(size); ++at) {
            if (d[at] != 0xFF) return true;
        }
    }
    return false;
}

// What the reader should say of these bytes: the width of an accepted map,
// or -1 for a rejected file (no width, or no ground, is no map).
int expected_width(const std::uint8_t* d, std::size_t size)
{
    constexpr std::size_t header_end = 30;  // nothing after bits per pixel is read
    if (size < header_end || d[0] != 'B' || d[1] != 'M' || u32(d, 6) != 0) return -1;
    const auto width = static_cast<std::int32_t>(u32(d, 18));
    const auto height = static_cast<std::int32_t>(u32(d, 22));
    if (u16(d, 28) != 1 || height != map_rows || width < 1 || width > map_max_columns) return -1;
    return any_ground(d, size, width) ? width : -1;
}

// The parts of the guarded image outside the whole pages, which the
// protection does not cover, still hold the sentinel.
bool edges_untouched(const Fixture& f)
{
    const auto begin = reinterpret_cast<std::uintptr_t>(f.guarded.imagen.data());
    const auto end = begin + f.guarded.imagen.size();
    auto sentinel_only = [&f](std::uintptr_t from, std::uintptr_t to) {
        for (auto p = from; p < to; p += map_max_columns) {
            const std::size_t n = std::min<std::uintptr_t>(to - p, map_max_columns);
            if (std::memcmp(reinterpret_cast<const void*>(p), f.sentinel_row.data(), n) != 0) return false;
        }
        return true;
    };
    return sentinel_only(begin, f.pages_begin) && sentinel_only(f.pages_end, end);
}

bool untouched(const Fixture& f)
{
    return f.guarded.imagen_x == sentinel_width && f.guarded.imagen_y == sentinel_width && edges_untouched(f);
}

// The check of a load: the reader writes each row from its start in steps of
// eight pixels, so running past the width shows in the next eight columns,
// which hold the sentinel during the load; a write further off lands in
// another row's checked pixels or outside the image, where the sanitizer
// stops it. The rest of the image is not looked at, so loads need not be
// undone.
constexpr int guard_columns = 8;

int loaded_columns(int width)
{
    return 8 * ((width + 7) / 8);
}

[[clang::no_sanitize("coverage")]] void set_guard(MapImage& image, int width)
{
    const int columns = loaded_columns(width);
    const int guard = std::min(guard_columns, map_max_columns - columns);
    for (int r = 0; r < map_rows; ++r) {
        std::uint8_t* p = &image.image_at(r, columns);
        for (int c = 0; c < guard; ++c) p[c] = sentinel;  // a few bytes: no call
    }
}

// The image equals the file's rows, bottom-up, most significant bit leftmost,
// and the guard columns still hold the sentinel.
[[clang::no_sanitize("coverage")]] bool loaded_exactly(const Fixture& f, const std::uint8_t* d, std::size_t size,
                                                       int width)
{
    const MapImage& image = f.image;
    const int bytes_per_row = (width + 7) / 8;
    const int columns = loaded_columns(width);
    const long long stride = 4 * ((width + 31) / 32);
    if (image.imagen_x != columns || image.imagen_y != map_rows) return false;
    const int guard = std::min(guard_columns, map_max_columns - columns);
    const long long offset = u32(d, 10);
    std::uint8_t expected[map_max_columns];
    for (int r = 0; r < map_rows; ++r) {
        const long long row_start = offset + (map_rows - 1 - r) * stride;
        const std::uint8_t* want = f.empty_row.data();  // a row past the end of the file
        if (row_start < static_cast<long long>(size)) {
            for (int b = 0; b < bytes_per_row; ++b) {
                const long long at = row_start + b;
                const unsigned byte = at < static_cast<long long>(size) ? d[at] : 0xFFu;
                std::memcpy(expected + 8 * b, f.pixels_of[byte], 8);
            }
            want = expected;
        }
        const std::uint8_t* row = &image.imagen[static_cast<std::size_t>(r) * map_max_columns];
        if (std::memcmp(row, want, columns) != 0) return false;
        for (int c = 0; c < guard; ++c) {
            if (row[columns + c] != sentinel) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fixture& f = fixture();
    const std::span<const unsigned char> bytes(data, size);
    const int width = expected_width(data, size);
    const bool accepted = width >= 0;

    if (read_bitmap(f.guarded, bytes, BitmapMode::check_only) != accepted) std::abort();
    if (!accepted && read_bitmap(f.guarded, bytes, BitmapMode::load)) std::abort();
    if (!untouched(f)) std::abort();
    if (!accepted) return 0;

    set_guard(f.image, width);
    if (!read_bitmap(f.image, bytes, BitmapMode::load)) std::abort();
    if (!loaded_exactly(f, data, size, width)) std::abort();
    return 0;
}
