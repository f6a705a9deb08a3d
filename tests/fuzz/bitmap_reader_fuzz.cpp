// Fuzzes the map reader with any file contents, read from memory: the header
// test must agree with an independent reading of the header, a rejected file
// must leave the image alone, and an accepted one must land in the map image
// bit for bit, bytes beyond the end of the file reading as empty.
#include <sys/mman.h>
#include <unistd.h>

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

// One image for the whole run; it holds the sentinel between runs.
struct Fixture {
    Fixture()
    {
        std::memset(image.imagen.data(), sentinel, image.imagen.size());
        image.imagen_x = sentinel_width;
        image.imagen_y = sentinel_width;
        const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        const auto begin = reinterpret_cast<std::uintptr_t>(image.imagen.data());
        const auto end = begin + image.imagen.size();
        pages_begin = (begin + page - 1) / page * page;
        pages_end = end / page * page;
    }

    MapImage image;
    // The whole pages inside the image's pixels.
    std::uintptr_t pages_begin = 0;
    std::uintptr_t pages_end = 0;
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// While a reading must not write the pixels, their pages are read-only: a
// write stops the run at once, on the input that made it. Checking the
// whole image byte by byte instead would cost more than the reading.
class PixelsReadOnly {
public:
    explicit PixelsReadOnly(Fixture& f) : f_(f) { protect(PROT_READ); }
    ~PixelsReadOnly() { protect(PROT_READ | PROT_WRITE); }
    PixelsReadOnly(const PixelsReadOnly&) = delete;
    PixelsReadOnly& operator=(const PixelsReadOnly&) = delete;

private:
    void protect(int access)
    {
        if (::mprotect(reinterpret_cast<void*>(f_.pages_begin), f_.pages_end - f_.pages_begin, access) != 0) {
            std::abort();
        }
    }
    Fixture& f_;
};

std::uint32_t u32(const std::uint8_t* d, std::size_t at)
{
    return static_cast<std::uint32_t>(d[at]) | static_cast<std::uint32_t>(d[at + 1]) << 8 |
           static_cast<std::uint32_t>(d[at + 2]) << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24;
}

std::uint16_t u16(const std::uint8_t* d, std::size_t at)
{
    return static_cast<std::uint16_t>(d[at] | d[at + 1] << 8);
}

// What the reader should say of these bytes: the width of an accepted map,
// or -1 for a rejected file.
int expected_width(const std::uint8_t* d, std::size_t size)
{
    constexpr std::size_t header_end = 30;  // nothing after bits per pixel is read
    if (size < header_end || d[0] != 'B' || d[1] != 'M' || u32(d, 6) != 0) return -1;
    const auto width = static_cast<std::int32_t>(u32(d, 18));
    const auto height = static_cast<std::int32_t>(u32(d, 22));
    if (u16(d, 28) != 1 || height != map_rows || width < 0 || width > map_max_columns) return -1;
    return width;
}

// The parts of the image outside the whole pages, which the protection does
// not cover, still hold the sentinel.
bool edges_untouched(const Fixture& f)
{
    const auto begin = reinterpret_cast<std::uintptr_t>(f.image.imagen.data());
    const auto end = begin + f.image.imagen.size();
    auto sentinel_only = [](std::uintptr_t from, std::uintptr_t to) {
        for (auto p = from; p < to; ++p) {
            if (*reinterpret_cast<const std::uint8_t*>(p) != sentinel) return false;
        }
        return true;
    };
    return sentinel_only(begin, f.pages_begin) && sentinel_only(f.pages_end, end);
}

bool untouched(const Fixture& f)
{
    return f.image.imagen_x == sentinel_width && f.image.imagen_y == sentinel_width && edges_untouched(f);
}

// The image equals the file's rows, bottom-up, most significant bit leftmost;
// columns beyond the loaded width keep the sentinel.
bool loaded_exactly(const MapImage& image, const std::uint8_t* d, std::size_t size, int width)
{
    const int bytes_per_row = (width + 7) / 8;
    const int columns = 8 * bytes_per_row;
    const long long stride = 4 * ((width + 31) / 32);
    if (image.imagen_x != columns || image.imagen_y != map_rows) return false;
    const long long offset = u32(d, 10);
    std::uint8_t expected[map_max_columns];
    static const std::vector<std::uint8_t> sentinel_row(map_max_columns, sentinel);
    for (int r = 0; r < map_rows; ++r) {
        const long long row_start = offset + (map_rows - 1 - r) * stride;
        for (int b = 0; b < bytes_per_row; ++b) {
            const long long at = row_start + b;
            const unsigned byte = at < static_cast<long long>(size) ? d[at] : 0xFFu;
            for (int j = 0; j < 8; ++j) expected[8 * b + j] = static_cast<std::uint8_t>(byte >> (7 - j) & 1);
        }
        const std::uint8_t* row = &image.imagen[static_cast<std::size_t>(r) * map_max_columns];
        if (std::memcmp(row, expected, columns) != 0) return false;
        if (std::memcmp(row + columns, sentinel_row.data(), map_max_columns - columns) != 0) return false;
    }
    return true;
}

// Puts the sentinel back where a load wrote, which loaded_exactly has shown
// to be the first imagen_x columns and nothing else.
void reset(MapImage& image)
{
    if (image.imagen_x > 0) {
        for (int r = 0; r < map_rows; ++r) {
            std::memset(&image.image_at(r, 0), sentinel, static_cast<std::size_t>(image.imagen_x));
        }
    }
    image.imagen_x = sentinel_width;
    image.imagen_y = sentinel_width;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fixture& f = fixture();
    const std::span<const unsigned char> bytes(data, size);
    const int width = expected_width(data, size);
    const bool accepted = width >= 0;

    {
        const PixelsReadOnly guard(f);
        if (read_bitmap(f.image, bytes, BitmapMode::check_only) != accepted) std::abort();
        if (!accepted && read_bitmap(f.image, bytes, BitmapMode::load)) std::abort();
    }
    if (!untouched(f)) std::abort();
    if (!accepted) return 0;

    if (!read_bitmap(f.image, bytes, BitmapMode::load)) std::abort();
    if (!loaded_exactly(f.image, data, size, width)) std::abort();
    reset(f.image);
    return 0;
}
