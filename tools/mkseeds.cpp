// mkseeds: writes the seed corpus of the map reader's fuzzer, small map files
// both sound and spoiled, with 1 bit a pixel and in colour. `mkseeds DIR` fills DIR (made if missing).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "terrain/bitmap_writer.h"

namespace {

using qm::MapPicture;

constexpr std::size_t offset_field = 10;
constexpr std::size_t width_field = 18;
constexpr std::size_t height_field = 22;
constexpr std::size_t bits_field = 28;
constexpr std::size_t pixels_start = 62;

void patch(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t v, int size)
{
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<unsigned char>(v >> (8 * i) & 0xFF);
}

// A picture with some terrain in every row, so that every bit position is
// exercised.
MapPicture picture(int width)
{
    MapPicture p(width, qm::map_rows);
    for (int r = 0; r < p.height; ++r) {
        for (int c = 0; c < width; ++c) p.at(r, c) = (r + 3 * c) % 7 < 3 ? qm::map_terrain : qm::map_empty;
    }
    return p;
}

// A map of `width` cut after its first `rows` stored rows: the fuzzer's
// inputs stay a few kilobytes however wide the map claims to be.
std::vector<unsigned char> map_rows_only(int width, int rows)
{
    std::vector<unsigned char> bytes = qm::encode_bitmap(picture(width));
    const std::size_t stride = 4 * ((static_cast<std::size_t>(width) + 31) / 32);
    bytes.resize(pixels_start + stride * rows);
    return bytes;
}

// A colour map of `width` in `bits` (24 or 32; 32 with `masks`, the fourth
// version's header with red, green, blue and alpha masks), cut after its
// first `rows` stored rows, terrain dark brown and sky pale blue.
std::vector<unsigned char> colour_rows_only(int width, int bits, bool masks, int rows)
{
    const std::size_t info_size = masks ? 108 : 40;
    const std::size_t offset = 14 + info_size;
    const std::size_t stride = 4 * ((static_cast<std::size_t>(bits) * width + 31) / 32);
    std::vector<unsigned char> bytes(offset + stride * rows, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    patch(bytes, 2, static_cast<std::uint32_t>(offset + stride * qm::map_rows), 4);
    patch(bytes, offset_field, static_cast<std::uint32_t>(offset), 4);
    patch(bytes, 14, static_cast<std::uint32_t>(info_size), 4);
    patch(bytes, width_field, static_cast<std::uint32_t>(width), 4);
    patch(bytes, height_field, qm::map_rows, 4);
    patch(bytes, 26, 1, 2);
    patch(bytes, bits_field, static_cast<std::uint32_t>(bits), 2);
    if (masks) {
        patch(bytes, 30, 3, 4);  // colour masks
        const std::uint32_t list[] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
        for (std::size_t m = 0; m < 4; ++m) patch(bytes, 54 + 4 * m, list[m], 4);
    }
    const MapPicture p = picture(width);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < width; ++c) {
            const std::uint32_t argb = p.at(qm::map_rows - 1 - r, c) == qm::map_terrain ? 0xFF5A3A1Eu : 0xFF87CEEBu;
            patch(bytes, offset + stride * r + static_cast<std::size_t>(c) * (bits / 8), argb, bits / 8);
        }
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkseeds DIR   write the map reader's fuzz seeds into DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);

    struct Seed {
        const char* name;
        std::vector<unsigned char> bytes;
    };
    std::vector<Seed> seeds;
    seeds.push_back({"width-1", qm::encode_bitmap(picture(1))});
    seeds.push_back({"width-8", qm::encode_bitmap(picture(8))});
    seeds.push_back({"width-33", map_rows_only(33, 400)});
    seeds.push_back({"width-1001-rows", map_rows_only(1001, 12)});
    seeds.push_back({"width-3200-rows", map_rows_only(3200, 4)});
    seeds.push_back({"width-0", qm::encode_bitmap(picture(0))});
    seeds.push_back({"colour-24", colour_rows_only(37, 24, false, 20)});
    seeds.push_back({"colour-32", colour_rows_only(37, 32, false, 20)});
    seeds.push_back({"colour-32-masks", colour_rows_only(37, 32, true, 20)});

    std::vector<unsigned char> shifted = map_rows_only(64, 100);
    shifted.insert(shifted.begin() + pixels_start, 38, 0xA5);
    patch(shifted, offset_field, pixels_start + 38, 4);
    seeds.push_back({"offset-honoured", shifted});

    std::vector<unsigned char> far = map_rows_only(32, 8);
    patch(far, offset_field, 0x7FFFFFF0u, 4);
    seeds.push_back({"offset-near-2-31", far});

    struct Spoil {
        const char* name;
        std::size_t at;
        std::uint32_t value;
        int size;
    };
    for (Spoil s : {Spoil{"height-minus-800", height_field, static_cast<std::uint32_t>(-800), 4},
                    Spoil{"height-799", height_field, 799, 4}, Spoil{"width-3201", width_field, 3201, 4},
                    Spoil{"width-minus-8", width_field, static_cast<std::uint32_t>(-8), 4},
                    Spoil{"bits-24", bits_field, 24, 2}, Spoil{"reserved", 6, 1, 4}}) {
        std::vector<unsigned char> bytes = map_rows_only(16, 16);
        patch(bytes, s.at, s.value, s.size);
        seeds.push_back({s.name, bytes});
    }
    std::vector<unsigned char> header = qm::encode_bitmap(picture(16));
    seeds.push_back({"ends-in-header", std::vector<unsigned char>(header.begin(), header.begin() + 29)});
    seeds.push_back({"signature-only", std::vector<unsigned char>(header.begin(), header.begin() + 2)});

    for (const Seed& seed : seeds) {
        const std::string path = (dir / seed.name).string();
        if (!qm::write_file(path, seed.bytes)) {
            std::fprintf(stderr, "mkseeds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
