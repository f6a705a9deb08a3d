// Fuzzes the map reader with any file contents: the header test must agree
// with an independent reading of the header, a rejected file must leave the
// world alone, and an accepted one must land in the map image bit for bit,
// bytes beyond the end of the file reading as empty.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sim/world.h"
#include "terrain/bitmap_reader.h"

namespace {

using namespace qm;

constexpr std::uint8_t sentinel = 7;  // a value the reader never stores
constexpr int sentinel_width = -1;

struct Fixture {
    Fixture()
    {
        std::fill(world->imagen.begin(), world->imagen.end(), sentinel);
        world->imagen_x = sentinel_width;
        world->imagen_y = sentinel_width;
    }
    ~Fixture() { std::remove(path.c_str()); }

    // One world and one file for the whole run; the image holds the sentinel
    // between runs.
    std::unique_ptr<World> world = std::make_unique<World>();
    std::string path = "/tmp/qm_bitmap_reader_fuzz_" + std::to_string(::getpid()) + ".bmp";
    const std::vector<std::uint8_t> sentinel_image = std::vector<std::uint8_t>(world->imagen.size(), sentinel);
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

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

// Puts the sentinel back where a load wrote, which the checks below have
// shown to be the first imagen_x columns and nothing else.
void reset(World& world)
{
    if (world.imagen_x > 0) {
        for (int r = 0; r < map_rows; ++r) std::memset(&world.image_at(r, 0), sentinel, world.imagen_x);
    }
    world.imagen_x = sentinel_width;
    world.imagen_y = sentinel_width;
}

bool untouched(const Fixture& f)
{
    const World& world = *f.world;
    return world.imagen_x == sentinel_width && world.imagen_y == sentinel_width &&
           std::memcmp(world.imagen.data(), f.sentinel_image.data(), world.imagen.size()) == 0;
}

// The image equals the file's rows, bottom-up, most significant bit leftmost;
// columns beyond the loaded width keep the sentinel.
bool loaded_exactly(World& world, const std::uint8_t* d, std::size_t size, int width)
{
    const int bytes_per_row = (width + 7) / 8;
    const int columns = 8 * bytes_per_row;
    const long long stride = 4 * ((width + 31) / 32);
    if (world.imagen_x != columns || world.imagen_y != map_rows) return false;
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
        const std::uint8_t* row = &world.image_at(r, 0);
        if (std::memcmp(row, expected, columns) != 0) return false;
        if (std::memcmp(row + columns, sentinel_row.data(), map_max_columns - columns) != 0) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fixture& f = fixture();
    std::FILE* out = std::fopen(f.path.c_str(), "wb");
    if (out == nullptr) std::abort();
    const bool written = std::fwrite(data, 1, size, out) == size;
    if (std::fclose(out) != 0 || !written) std::abort();

    const int width = expected_width(data, size);
    const int accepted = width >= 0 ? 1 : 0;
    World& world = *f.world;

    if (open_bitmap(world, f.path.c_str(), bitmap_check_only) != accepted) std::abort();
    if (!untouched(f)) std::abort();

    if (open_bitmap(world, f.path.c_str(), bitmap_load) != accepted) std::abort();
    if (accepted == 1 ? !loaded_exactly(world, data, size, width) : !untouched(f)) std::abort();
    reset(world);
    return 0;
}
