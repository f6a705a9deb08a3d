// BMP headers and stored rows.
#include "terrain/bmp_layout.h"

#include <array>
#include <cstring>

#include "terrain/map_format.h"
#include "terrain/picture_grey.h"

namespace qm {

namespace {

// The header's fields, by offset.
constexpr std::size_t reserved_at = 6, offset_at = 10, info_size_at = 14, width_at = 18, height_at = 22,
                      bits_at = 28, compression_at = 30, masks_at = 54;
constexpr std::size_t fields_1bit = 30;  // a 1-bit map's reader never needed more
constexpr std::size_t fields_colour = 34;  // the compression method too
constexpr std::uint32_t uncompressed = 0, colour_masks = 3;
constexpr std::uint32_t info_size_with_alpha = 56;  // information headers that hold an alpha mask

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

std::uint16_t u16(const unsigned char* b) { return static_cast<std::uint16_t>(b[0] | b[1] << 8); }

std::uint32_t u32(const unsigned char* b)
{
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

bool fail(std::string& reason, std::string why)
{
    reason = std::move(why);
    return false;
}

// The shift of an 8-bit mask on a byte boundary; -1 for any other mask.
int byte_shift(std::uint32_t mask)
{
    for (int shift = 0; shift <= 24; shift += 8) {
        if (mask == 0xFFu << shift) return shift;
    }
    return -1;
}

// A 32-bit file's colour masks, which must each be one whole byte.
bool parse_masks(const unsigned char (&b)[bmp_header_bytes], std::size_t got, BmpHeader& h, std::string& reason)
{
    const bool has_alpha = u32(b + info_size_at) >= info_size_with_alpha;
    if (got < masks_at + (has_alpha ? 16 : 12)) return fail(reason, "not a BMP file: the header is cut short");
    h.channels.red_shift = byte_shift(u32(b + masks_at));
    h.channels.green_shift = byte_shift(u32(b + masks_at + 4));
    h.channels.blue_shift = byte_shift(u32(b + masks_at + 8));
    const std::uint32_t alpha = has_alpha ? u32(b + masks_at + 12) : 0;
    h.channels.alpha_shift = alpha == 0 ? -1 : byte_shift(alpha);
    if (h.channels.red_shift < 0 || h.channels.green_shift < 0 || h.channels.blue_shift < 0 ||
        (alpha != 0 && h.channels.alpha_shift < 0)) {
        return fail(reason, "colour masks other than 8 bits a colour");
    }
    return true;
}

// The pixel at `p`: its three or four bytes as one little-endian value.
std::uint32_t pixel_value(const BmpHeader& h, const unsigned char* p)
{
    return h.bits_per_pixel == 32 ? u32(p) : static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16);
}

std::uint8_t channel(std::uint32_t value, int shift) { return static_cast<std::uint8_t>(value >> shift); }

std::uint8_t alpha_of(const BmpChannels& c, std::uint32_t value)
{
    return c.alpha_shift < 0 ? 255 : channel(value, c.alpha_shift);
}

}  // namespace

int BmpHeader::row_bytes() const { return static_cast<int>((static_cast<long long>(bits_per_pixel) * width + 7) / 8); }

int BmpHeader::row_stride() const
{
    return static_cast<int>(4 * ((static_cast<long long>(bits_per_pixel) * width + 31) / 32));
}

bool parse_bmp_header(const unsigned char (&b)[bmp_header_bytes], std::size_t got, BmpHeader& h, std::string& reason)
{
    const char* not_bmp = "not a BMP file";
    if (got < 2 || b[0] != 0x42 || b[1] != 0x4D) return fail(reason, not_bmp);  // "BM"
    if (got < fields_1bit) return fail(reason, "not a BMP file: the header is cut short");
    if (u32(b + reserved_at) != 0) return fail(reason, not_bmp);
    h = BmpHeader{};
    h.pixel_offset = u32(b + offset_at);
    h.width = static_cast<std::int32_t>(u32(b + width_at));
    h.height = static_cast<std::int32_t>(u32(b + height_at));
    h.bits_per_pixel = u16(b + bits_at);
    // A 1-bit map's compression field was never read: old files keep whatever it holds.
    if (h.bits_per_pixel == 1) return true;
    if (h.bits_per_pixel != 24 && h.bits_per_pixel != 32) {
        return fail(reason, std::to_string(h.bits_per_pixel) + " bits per pixel; maps have 1, 24 or 32");
    }
    if (got < fields_colour) return fail(reason, "not a BMP file: the header is cut short");
    const std::uint32_t compression = u32(b + compression_at);
    if (compression == colour_masks && h.bits_per_pixel == 32) return parse_masks(b, got, h, reason);
    if (compression != uncompressed) {
        return fail(reason, "compressed (method " + std::to_string(compression) + "); maps are stored uncompressed");
    }
    return true;
}

void bmp_row_to_map(const BmpHeader& h, const unsigned char* row, std::uint8_t* out, int columns)
{
    if (h.bits_per_pixel == 1) {
        const int bytes = h.row_bytes();
        for (int b = 0; b < bytes; ++b) std::memcpy(out + 8 * b, pixels_of_byte[row[b]].data(), 8);
        return;
    }
    const int step = h.bits_per_pixel / 8;
    const BmpChannels& c = h.channels;
    for (int x = 0; x < h.width; ++x) {
        const std::uint32_t v = pixel_value(h, row + x * step);
        const bool dark = is_dark(channel(v, c.red_shift), channel(v, c.green_shift), channel(v, c.blue_shift), alpha_of(c, v));
        out[x] = dark ? map_terrain : map_empty;
    }
    std::memset(out + h.width, map_empty, static_cast<std::size_t>(columns - h.width));
}

void bmp_row_to_grey(const BmpHeader& h, const unsigned char* row, std::uint8_t* out)
{
    if (h.bits_per_pixel == 1) {
        for (int x = 0; x < h.width; ++x) out[x] = (row[x / 8] >> (7 - x % 8) & 1) != 0 ? 255 : 0;
        return;
    }
    const int step = h.bits_per_pixel / 8;
    const BmpChannels& c = h.channels;
    for (int x = 0; x < h.width; ++x) {
        const std::uint32_t v = pixel_value(h, row + x * step);
        out[x] = grey_level(channel(v, c.red_shift), channel(v, c.green_shift), channel(v, c.blue_shift), alpha_of(c, v));
    }
}

}  // namespace qm
