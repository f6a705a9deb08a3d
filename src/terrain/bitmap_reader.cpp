// Header test and pixel loading of two-colour bitmap map files.
#include "terrain/bitmap_reader.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "sim/world.h"

namespace qm {

namespace {

constexpr int required_bits_per_pixel = 1;
// Bytes of a stored row that lie beyond the end of the file read as all ones,
// that is, as empty pixels.
constexpr unsigned char missing_byte = 0xFF;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Opens a regular file for reading; null for anything else. A named pipe or
// a device under a map's name would otherwise block the program on opening
// or reading, so it is opened without waiting and turned away.
File open_regular_file(const char* filename)
{
#ifdef _WIN32
    // Windows has no open without waiting; a device name (CON, NUL) is not a
    // regular file, and a file that changes kind between the look and the
    // opening is not a case there.
    std::error_code error;
    if (!std::filesystem::is_regular_file(filename, error)) return nullptr;
    return File(std::fopen(filename, "rb"));
#else
    const int fd = ::open(filename, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    File file(::fdopen(fd, "rb"));
    if (!file) ::close(fd);
    return file;
#endif
}

// Little-endian fields; false when the file ends inside the field.
bool read_u16(std::FILE* f, std::uint16_t& value)
{
    unsigned char b[2];
    if (std::fread(b, 1, sizeof b, f) != sizeof b) return false;
    value = static_cast<std::uint16_t>(b[0] | b[1] << 8);
    return true;
}

bool read_u32(std::FILE* f, std::uint32_t& value)
{
    unsigned char b[4];
    if (std::fread(b, 1, sizeof b, f) != sizeof b) return false;
    value = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
            static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
    return true;
}

struct Header {
    std::uint32_t pixel_offset = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bits_per_pixel = 0;
};

// Reads the header fields in file order; false for a file that is not a map.
bool read_header(std::FILE* f, Header& h)
{
    unsigned char signature[2];
    if (std::fread(signature, 1, sizeof signature, f) != sizeof signature) return false;
    if (signature[0] != 0x42 || signature[1] != 0x4D) return false;  // "BM"

    std::uint32_t file_size = 0;
    std::uint32_t reserved = 0;
    if (!read_u32(f, file_size) || !read_u32(f, reserved)) return false;
    if (reserved != 0) return false;

    std::uint32_t info_size = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t planes = 0;
    if (!read_u32(f, h.pixel_offset) || !read_u32(f, info_size) || !read_u32(f, width) || !read_u32(f, height) ||
        !read_u16(f, planes) || !read_u16(f, h.bits_per_pixel)) {
        return false;
    }
    h.width = static_cast<std::int32_t>(width);
    h.height = static_cast<std::int32_t>(height);

    // Bottom-up only (a top-down file has height -800). A negative width
    // describes no picture at all.
    return h.bits_per_pixel == required_bits_per_pixel && h.height == map_rows && h.width <= map_max_columns &&
           h.width >= 0;
}

// Reads `count` bytes at file offset `position` into `out`; whatever lies
// beyond the end of the file (or beyond any offset the file can have) is
// filled with missing_byte.
void read_row(std::FILE* f, long long position, unsigned char* out, int count)
{
    std::size_t got = 0;
    if (position <= LONG_MAX && std::fseek(f, static_cast<long>(position), SEEK_SET) == 0) {
        got = std::fread(out, 1, static_cast<std::size_t>(count), f);
    }
    std::fill(out + got, out + count, missing_byte);
}

}  // namespace

int open_bitmap(World& world, const char* filename, int mode)
{
    if (filename == nullptr) return 0;
    File file = open_regular_file(filename);
    if (!file) return 0;

    Header h;
    if (!read_header(file.get(), h)) return 0;
    if (mode != bitmap_load) return 1;

    const int bytes_per_row = (h.width + 7) / 8;
    const int stride = 4 * ((h.width + 31) / 32);  // stored rows are padded to 4 bytes
    assert(world.imagen.size() >= static_cast<std::size_t>(map_rows) * map_max_columns);

    unsigned char row[map_max_columns / 8];
    for (int r = 0; r < map_rows; ++r) {
        // The first stored row is the bottom row of the picture.
        long long position = static_cast<long long>(h.pixel_offset) + static_cast<long long>(r) * stride;
        read_row(file.get(), position, row, bytes_per_row);
        std::uint8_t* out = &world.image_at(map_rows - 1 - r, 0);
        for (int b = 0; b < bytes_per_row; ++b) {
            // The most significant bit is the leftmost pixel of the byte.
            for (int j = 0; j < 8; ++j) out[8 * b + j] = static_cast<std::uint8_t>(row[b] >> (7 - j) & 1);
        }
    }
    world.imagen_x = 8 * bytes_per_row;
    world.imagen_y = map_rows;
    return 1;
}

}  // namespace qm
