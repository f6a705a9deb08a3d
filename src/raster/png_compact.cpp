// A PNG encoder that needs no library and still packs pictures of large
// plain areas (charts) small: one deflate block of fixed Huffman codes whose
// matches repeat the pixel before (distance 3) or the pixel above (one row
// back). Its bytes depend on the pixels alone, on every build.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "raster/png_chunks.h"
#include "raster/png_encoders.h"

namespace qm {

namespace {

constexpr std::size_t min_match = 3;
constexpr std::size_t max_match = 258;
constexpr std::size_t max_distance = 32768;  // the deflate window
constexpr std::size_t pixel_distance = 3;
constexpr int end_of_block = 256;

constexpr int length_base[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                               31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int length_extra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int distance_base[] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                 193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int distance_extra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Bits in deflate's order: each value from its lowest bit, Huffman codes
// from their highest.
class BitWriter {
public:
    void bits(std::uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i) bit((value >> i) & 1u);
    }
    void code(std::uint32_t code, int length)
    {
        for (int i = length - 1; i >= 0; --i) bit((code >> i) & 1u);
    }
    std::vector<unsigned char>& finish()
    {
        if (used_ > 0) bytes_.push_back(current_);
        used_ = 0;
        return bytes_;
    }

private:
    void bit(std::uint32_t b)
    {
        current_ = static_cast<unsigned char>(current_ | (b << used_));
        if (++used_ == 8) {
            bytes_.push_back(current_);
            current_ = 0;
            used_ = 0;
        }
    }

    std::vector<unsigned char> bytes_;
    unsigned char current_ = 0;
    int used_ = 0;
};

// The fixed literal/length code of symbol (0 to 287).
void put_symbol(BitWriter& out, int symbol)
{
    if (symbol < 144) {
        out.code(static_cast<std::uint32_t>(0x30 + symbol), 8);
    } else if (symbol < 256) {
        out.code(static_cast<std::uint32_t>(0x190 + symbol - 144), 9);
    } else if (symbol < 280) {
        out.code(static_cast<std::uint32_t>(symbol - 256), 7);
    } else {
        out.code(static_cast<std::uint32_t>(0xC0 + symbol - 280), 8);
    }
}

// The largest index whose base does not pass value.
template <std::size_t N>
int bucket(const int (&base)[N], int value)
{
    int i = static_cast<int>(N) - 1;
    while (base[i] > value) --i;
    return i;
}

void put_match(BitWriter& out, std::size_t length, std::size_t distance)
{
    const int l = bucket(length_base, static_cast<int>(length));
    put_symbol(out, 257 + l);
    out.bits(static_cast<std::uint32_t>(static_cast<int>(length) - length_base[l]), length_extra[l]);
    const int d = bucket(distance_base, static_cast<int>(distance));
    out.code(static_cast<std::uint32_t>(d), 5);
    out.bits(static_cast<std::uint32_t>(static_cast<int>(distance) - distance_base[d]), distance_extra[d]);
}

std::size_t match_length(const std::vector<unsigned char>& raw, std::size_t at, std::size_t distance)
{
    if (distance > at || distance > max_distance) return 0;
    const std::size_t limit = std::min(max_match, raw.size() - at);
    std::size_t n = 0;
    while (n < limit && raw[at + n] == raw[at + n - distance]) ++n;
    return n;
}

std::vector<unsigned char> deflate_fixed(const std::vector<unsigned char>& raw, std::size_t row_size)
{
    BitWriter out;
    out.bits(1, 1);  // the final block
    out.bits(1, 2);  // fixed Huffman codes
    for (std::size_t at = 0; at < raw.size();) {
        const std::size_t left = match_length(raw, at, pixel_distance);
        const std::size_t up = match_length(raw, at, row_size);
        const std::size_t best = std::max(left, up);
        if (best >= min_match) {
            put_match(out, best, left >= up ? pixel_distance : row_size);
            at += best;
        } else {
            put_symbol(out, raw[at]);
            ++at;
        }
    }
    put_symbol(out, end_of_block);
    return out.finish();
}

}  // namespace

bool encode_png_compact(std::FILE* file, const Surface& s)
{
    std::size_t row_size = 0;
    const std::vector<unsigned char> raw = png::scanlines(s, row_size);
    const std::vector<unsigned char> packed = deflate_fixed(raw, row_size);
    png::Adler32 adler;
    adler.add(raw.data(), raw.size());
    const std::size_t idat_size = sizeof png::zlib_header + packed.size() + 4;
    if (idat_size > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;

    png::ChunkWriter out(file);
    png::put_header(out, s);
    out.begin("IDAT", static_cast<std::uint32_t>(idat_size));
    out.put(png::zlib_header, sizeof png::zlib_header);
    out.put(packed.data(), packed.size());
    out.put_u32(adler.value());
    out.end();
    png::put_end(out);
    return out.ok();
}

}  // namespace qm
