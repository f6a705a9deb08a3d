// Fuzzes the map reader with any file contents, read from memory: the header
// test must agree with an independent reading of the header, a rejected file
// must leave the image alone, and an accepted one must land in the map image
// pixel for pixel (1-bit files bit for bit, colour files by the colour rule
// on each pixel's bytes, wherever the masks put them), bytes beyond the end
// of the file reading as empty.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "terrain/bitmap_reader.h"
#include "terrain/picture_grey.h"

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

// A file the reader should take, as this harness reads its header: the
// width, the bits a pixel, and for colour files where each colour lies
// (the right shift of its byte in the pixel's value; alpha -1 for none).
struct Layout {
    int width = -1;  // -1: the file is refused
    int bits = 1;
    int shift[4] = {16, 8, 0, -1};  // red, green, blue, alpha

    long long stride() const { return 4 * ((static_cast<long long>(bits) * width + 31) / 32); }
    long long row_bytes() const { return (static_cast<long long>(bits) * width + 7) / 8; }
};

// The shift of a mask that is one whole byte, else -2.
[[clang::no_sanitize("coverage")]] int whole_byte(std::uint32_t mask)
{
    for (int k = 0; k < 4; ++k) {
        if (mask == 0xFFu << (8 * k)) return 8 * k;
    }
    return -2;
}

// A colour file's masks: false when they are cut short or not whole bytes.
[[clang::no_sanitize("coverage")]] bool read_masks(const std::uint8_t* d, std::size_t size, Layout& l)
{
    const bool alpha = u32(d, 14) >= 56;
    if (size < (alpha ? 70u : 66u)) return false;
    for (int k = 0; k < 3; ++k) {
        l.shift[k] = whole_byte(u32(d, 54 + 4 * static_cast<std::size_t>(k)));
        if (l.shift[k] < 0) return false;
    }
    const std::uint32_t a = alpha ? u32(d, 66) : 0;
    l.shift[3] = a == 0 ? -1 : whole_byte(a);
    return l.shift[3] != -2;
}

// Whether the pixel stored at `at` is terrain (1-bit files: one bit of
// the byte; colour files: the colour rule), bytes past the end empty.
[[clang::no_sanitize("coverage")]] std::uint8_t colour_pixel(const Layout& l, const std::uint8_t* d, std::size_t size,
                                                             long long at)
{
    std::uint32_t v = 0;
    for (int k = 0; k < l.bits / 8; ++k) {
        const long long i = at + k;
        v |= static_cast<std::uint32_t>(i < static_cast<long long>(size) ? d[i] : 0xFF) << (8 * k);
    }
    auto part = [v](int shift) { return static_cast<std::uint8_t>(shift < 0 ? 255 : v >> shift & 0xFF); };
    return is_dark(part(l.shift[0]), part(l.shift[1]), part(l.shift[2]), part(l.shift[3])) ? 0 : 1;
}

// Stored row r's loaded pixels as the reader should write them; false for
// a row wholly past the end of the file.
[[clang::no_sanitize("coverage")]] bool expected_row(const Fixture& f, const Layout& l, const std::uint8_t* d,
                                                     std::size_t size, int r, std::uint8_t* out)
{
    const long long start = static_cast<long long>(u32(d, 10)) + r * l.stride();
    if (start >= static_cast<long long>(size)) return false;
    if (l.bits == 1) {
        for (long long b = 0; b < l.row_bytes(); ++b) {
            const unsigned byte = start + b < static_cast<long long>(size) ? d[start + b] : 0xFFu;
            std::memcpy(out + 8 * b, f.pixels_of[byte], 8);
        }
        return true;
    }
    for (int x = 0; x < l.width; ++x) out[x] = colour_pixel(l, d, size, start + static_cast<long long>(x) * (l.bits / 8));
    for (int x = l.width; x < 8 * ((l.width + 7) / 8); ++x) out[x] = 1;
    return true;
}

// Whether any loaded pixel is terrain.
[[clang::no_sanitize("coverage")]] bool any_ground(const Fixture& f, const Layout& l, const std::uint8_t* d,
                                                   std::size_t size)
{
    std::uint8_t row[map_max_columns];
    const int columns = 8 * ((l.width + 7) / 8);
    for (int r = 0; r < map_rows; ++r) {
        if (!expected_row(f, l, d, size, r, row)) return false;
        if (std::memchr(row, 0, static_cast<std::size_t>(columns)) != nullptr) return true;
    }
    return false;
}

// What the reader should say of these bytes: the layout of an accepted map,
// or width -1 for a rejected file (no width, or no ground, is no map).
[[clang::no_sanitize("coverage")]] Layout expected_layout(const Fixture& f, const std::uint8_t* d, std::size_t size)
{
    Layout l;
    constexpr std::size_t header_end = 30;  // a 1-bit map's header ends with its bits per pixel
    if (size < header_end || d[0] != 'B' || d[1] != 'M' || u32(d, 6) != 0) return Layout{};
    l.bits = u16(d, 28);
    if (l.bits == 24 || l.bits == 32) {
        if (size < 34) return Layout{};
        const std::uint32_t compression = u32(d, 30);
        if (compression == 3 && l.bits == 32) {
            if (!read_masks(d, size, l)) return Layout{};
        } else if (compression != 0) {
            return Layout{};
        }
    } else if (l.bits != 1) {
        return Layout{};
    }
    const auto width = static_cast<std::int32_t>(u32(d, 18));
    const auto height = static_cast<std::int32_t>(u32(d, 22));
    if (height != map_rows || width < 1 || width > map_max_columns) return Layout{};
    l.width = width;
    if (!any_ground(f, l, d, size)) l.width = -1;
    return l;
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

// The image equals the file's rows, bottom-up, and the guard columns still
// hold the sentinel.
[[clang::no_sanitize("coverage")]] bool loaded_exactly(const Fixture& f, const Layout& l, const std::uint8_t* d,
                                                       std::size_t size)
{
    const MapImage& image = f.image;
    const int columns = loaded_columns(l.width);
    if (image.imagen_x != columns || image.imagen_y != map_rows) return false;
    const int guard = std::min(guard_columns, map_max_columns - columns);
    std::uint8_t expected[map_max_columns];
    for (int r = 0; r < map_rows; ++r) {
        // A row past the end of the file is empty.
        const std::uint8_t* want = expected_row(f, l, d, size, map_rows - 1 - r, expected) ? expected : f.empty_row.data();
        const std::uint8_t* row = &image.imagen[static_cast<std::size_t>(r) * map_max_columns];
        if (std::memcmp(row, want, static_cast<std::size_t>(columns)) != 0) return false;
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
    const Layout layout = expected_layout(f, data, size);
    const bool accepted = layout.width >= 0;

    if (read_bitmap(f.guarded, bytes, BitmapMode::check_only) != accepted) std::abort();
    if (!accepted && read_bitmap(f.guarded, bytes, BitmapMode::load)) std::abort();
    if (!untouched(f)) std::abort();
    if (!accepted) return 0;

    set_guard(f.image, layout.width);
    if (!read_bitmap(f.image, bytes, BitmapMode::load)) std::abort();
    if (!loaded_exactly(f, layout, data, size)) std::abort();
    return 0;
}
