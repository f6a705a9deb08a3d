// Helpers shared by the terrain tests: scratch directories, byte patching
// of map files and colour BMP files as paint programs save them.
#pragma once

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "terrain/bitmap_writer.h"

namespace qm::test {

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
public:
    TempDir()
    {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("qm_terrain_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void patch16(std::vector<unsigned char>& bytes, std::size_t offset, std::uint32_t v)
{
    bytes[offset] = static_cast<unsigned char>(v & 0xFF);
    bytes[offset + 1] = static_cast<unsigned char>(v >> 8 & 0xFF);
}

inline void patch32(std::vector<unsigned char>& bytes, std::size_t offset, std::uint32_t v)
{
    patch16(bytes, offset, v & 0xFFFF);
    patch16(bytes, offset + 2, v >> 16);
}

// How a colour BMP stores a map picture: its bits a pixel, the colour of
// terrain and of sky (0xAARRGGBB), and for 32 bits the masks of red,
// green, blue and alpha (all zero: no masks, blue green red and the alpha
// byte stored as they come).
struct ColourBmp {
    int bits = 24;
    std::uint32_t terrain = 0xFF000000;
    std::uint32_t sky = 0xFFFFFFFF;
    std::uint32_t masks[4] = {0, 0, 0, 0};
};

// The byte of an 8-bit mask's colour placed under the mask.
inline std::uint32_t under_mask(std::uint32_t colour_byte, std::uint32_t mask)
{
    int shift = 0;
    while (shift < 32 && (mask >> shift & 1) == 0) ++shift;
    return shift < 32 ? colour_byte << shift & mask : 0;
}

inline std::vector<unsigned char> colour_bmp(const MapPicture& picture, const ColourBmp& how)
{
    const bool masked = how.masks[0] != 0;
    const std::uint32_t info_size = masked ? 108 : 40;  // with masks: the fourth version's header
    const std::uint32_t offset = 14 + info_size;
    const std::uint32_t stride = (static_cast<std::uint32_t>(how.bits * picture.width) + 31) / 32 * 4;
    std::vector<unsigned char> b(offset + stride * static_cast<std::uint32_t>(picture.height), 0);
    b[0] = 'B';
    b[1] = 'M';
    patch32(b, 2, static_cast<std::uint32_t>(b.size()));
    patch32(b, 10, offset);
    patch32(b, 14, info_size);
    patch32(b, 18, static_cast<std::uint32_t>(picture.width));
    patch32(b, 22, static_cast<std::uint32_t>(picture.height));
    patch16(b, 26, 1);
    patch16(b, 28, static_cast<std::uint32_t>(how.bits));
    patch32(b, 30, masked ? 3 : 0);
    for (int m = 0; masked && m < 4; ++m) patch32(b, 54 + 4 * static_cast<std::size_t>(m), how.masks[m]);
    for (int r = 0; r < picture.height; ++r) {
        unsigned char* row = b.data() + offset + stride * static_cast<std::uint32_t>(picture.height - 1 - r);
        for (int c = 0; c < picture.width; ++c) {
            const std::uint32_t argb = picture.at(r, c) == 0 ? how.terrain : how.sky;
            std::uint32_t v = argb;  // blue, green, red, alpha from the lowest byte
            if (masked) {
                v = under_mask(argb >> 16 & 0xFF, how.masks[0]) | under_mask(argb >> 8 & 0xFF, how.masks[1]) |
                    under_mask(argb & 0xFF, how.masks[2]) | under_mask(argb >> 24, how.masks[3]);
            }
            for (int k = 0; k < how.bits / 8; ++k) row[c * (how.bits / 8) + k] = static_cast<unsigned char>(v >> (8 * k));
        }
    }
    return b;
}

}  // namespace qm::test
