// The BMP files the program reads, whatever their size: the header's
// fields, the pixel formats taken (1 bit a pixel by palette index, 24 bits,
// 32 bits with or without colour masks) and a stored row turned into map
// pixels or grey levels by the one colour rule of picture_grey.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qm {

// Bytes of the header read: up to the end of the alpha mask of a file with
// colour masks.
constexpr std::size_t bmp_header_bytes = 70;

// Where a 32-bit pixel's colours lie: the right shift that brings each
// 8-bit colour to the low byte; alpha_shift < 0 when there is no alpha.
struct BmpChannels {
    int red_shift = 16;
    int green_shift = 8;
    int blue_shift = 0;
    int alpha_shift = -1;
};

struct BmpHeader {
    std::uint32_t pixel_offset = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative: stored top-down
    std::uint16_t bits_per_pixel = 0;
    BmpChannels channels;

    int row_bytes() const;   // a stored row without its padding
    int row_stride() const;  // a stored row with it (a multiple of 4 bytes)
};

// The header's fields from its first `got` bytes; false, with the reason,
// for a file that is not a BMP, ends inside its header, or stores its
// pixels in a form not taken: "not a BMP file", "8 bits per pixel; maps
// have 1, 24 or 32", "compressed (method 1); maps are stored uncompressed",
// "colour masks other than 8 bits a colour". Sizes are the caller's to check.
bool parse_bmp_header(const unsigned char (&bytes)[bmp_header_bytes], std::size_t got, BmpHeader& header,
                      std::string& reason);

// A stored row (header.row_bytes() bytes) as `columns` map pixels: 1-bit
// files by palette index (0 terrain, 1 empty, every bit of the last byte
// stored), the others terrain where the colour is dark; columns past the
// width are empty.
void bmp_row_to_map(const BmpHeader& header, const unsigned char* row, std::uint8_t* out, int columns);

// A stored row as header.width grey levels (palette index 0 black, 1 white).
void bmp_row_to_grey(const BmpHeader& header, const unsigned char* row, std::uint8_t* out);

}  // namespace qm
