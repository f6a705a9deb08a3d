// The parts of a PNG file both library-free encoders write: the signature,
// chunks with their CRC, the IHDR of an 8-bit RGB picture, the zlib header
// and its Adler-32 check, and the scanlines' raw bytes.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "raster/png_encoders.h"
#include "raster/surface.h"

namespace qm::png {

constexpr unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr unsigned char zlib_header[] = {0x78, 0x01};  // deflate, 32 KiB window, check bits

constexpr std::array<std::uint32_t, 256> make_crc_table()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
inline constexpr std::array<std::uint32_t, 256> crc_table = make_crc_table();

// Writes one chunk's bytes and keeps its CRC (over type and data).
class ChunkWriter {
public:
    explicit ChunkWriter(std::FILE* file) : file_(file) {}

    void begin(const char* type, std::uint32_t length)
    {
        put_u32(length);
        crc_ = 0xFFFFFFFFu;
        put(reinterpret_cast<const unsigned char*>(type), 4);
    }
    void end() { put_u32_raw(crc_ ^ 0xFFFFFFFFu); }

    void put(const unsigned char* bytes, std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i) crc_ = crc_table[(crc_ ^ bytes[i]) & 0xFFu] ^ (crc_ >> 8);
        ok_ = ok_ && std::fwrite(bytes, 1, count, file_) == count;
    }
    void put_u32(std::uint32_t value)
    {
        const unsigned char bytes[] = {static_cast<unsigned char>(value >> 24), static_cast<unsigned char>(value >> 16),
                                       static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value)};
        put(bytes, sizeof bytes);
    }
    bool ok() const { return ok_; }

private:
    // The CRC field itself is not covered by the CRC.
    void put_u32_raw(std::uint32_t value)
    {
        std::uint32_t kept = crc_;
        put_u32(value);
        crc_ = kept;
    }

    std::FILE* file_;
    std::uint32_t crc_ = 0xFFFFFFFFu;
    bool ok_ = true;
};

class Adler32 {
public:
    void add(const unsigned char* bytes, std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i) {
            a_ = (a_ + bytes[i]) % modulus;
            b_ = (b_ + a_) % modulus;
        }
    }
    std::uint32_t value() const { return b_ << 16 | a_; }

private:
    static constexpr std::uint32_t modulus = 65521;
    std::uint32_t a_ = 1;
    std::uint32_t b_ = 0;
};

// The signature and the IHDR of s as 8-bit RGB.
inline void put_header(ChunkWriter& out, const Surface& s)
{
    out.put(signature, sizeof signature);
    out.begin("IHDR", 13);
    out.put_u32(static_cast<std::uint32_t>(s.width()));
    out.put_u32(static_cast<std::uint32_t>(s.height()));
    const unsigned char format[] = {8, 2, 0, 0, 0};  // 8 bits, RGB, deflate, no filtering method, no interlace
    out.put(format, sizeof format);
    out.end();
}

inline void put_end(ChunkWriter& out)
{
    out.begin("IEND", 0);
    out.end();
}

// The scanlines: a filter byte (0, none) before each row's RGB bytes.
inline std::vector<unsigned char> scanlines(const Surface& s, std::size_t& row_size)
{
    row_size = 1 + static_cast<std::size_t>(s.width()) * 3;
    std::vector<unsigned char> raw(row_size * static_cast<std::size_t>(s.height()));
    for (int y = 0; y < s.height(); ++y) rgb_row(s.row(y), s.width(), &raw[row_size * static_cast<std::size_t>(y)] + 1);
    return raw;
}

}  // namespace qm::png
