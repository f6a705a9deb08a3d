// A PNG encoder that needs no library: the zlib stream inside holds the rows
// in stored (uncompressed) deflate blocks, so the file is about three bytes
// a pixel, and any PNG reader takes it.
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "raster/png_encoders.h"

namespace qm {

namespace {

constexpr unsigned char png_signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr unsigned char zlib_header[] = {0x78, 0x01};  // deflate, 32 KiB window, check bits
constexpr std::size_t max_stored_block = 65535;         // a stored block's length field is 16 bits
constexpr std::size_t stored_block_header = 5;          // final flag and type, LEN, NLEN
constexpr std::size_t adler_size = 4;
constexpr std::uint32_t adler_modulus = 65521;

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
constexpr std::array<std::uint32_t, 256> crc_table = make_crc_table();

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

}  // namespace

bool encode_png_stored(std::FILE* file, const Surface& s)
{
    // The scanlines: a filter byte (0, none) before each row's RGB bytes.
    const std::size_t row_size = 1 + static_cast<std::size_t>(s.width()) * 3;
    std::vector<unsigned char> raw(row_size * static_cast<std::size_t>(s.height()));
    for (int y = 0; y < s.height(); ++y) rgb_row(s.row(y), s.width(), &raw[row_size * static_cast<std::size_t>(y)] + 1);

    const std::size_t blocks = raw.empty() ? 1 : (raw.size() + max_stored_block - 1) / max_stored_block;
    const std::size_t idat_size = sizeof zlib_header + blocks * stored_block_header + raw.size() + adler_size;
    if (idat_size > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;

    ChunkWriter out(file);
    out.put(png_signature, sizeof png_signature);

    out.begin("IHDR", 13);
    out.put_u32(static_cast<std::uint32_t>(s.width()));
    out.put_u32(static_cast<std::uint32_t>(s.height()));
    const unsigned char format[] = {8, 2, 0, 0, 0};  // 8 bits, RGB, deflate, no filtering method, no interlace
    out.put(format, sizeof format);
    out.end();

    out.begin("IDAT", static_cast<std::uint32_t>(idat_size));
    out.put(zlib_header, sizeof zlib_header);
    std::uint32_t adler_a = 1;
    std::uint32_t adler_b = 0;
    for (std::size_t at = 0, block = 0; block < blocks; ++block) {
        const std::size_t length = std::min(max_stored_block, raw.size() - at);
        const unsigned char header[] = {static_cast<unsigned char>(block + 1 == blocks ? 1 : 0),
                                        static_cast<unsigned char>(length & 0xFFu),
                                        static_cast<unsigned char>(length >> 8),
                                        static_cast<unsigned char>(~length & 0xFFu),
                                        static_cast<unsigned char>((~length >> 8) & 0xFFu)};
        out.put(header, sizeof header);
        out.put(raw.data() + at, length);
        for (std::size_t i = at; i < at + length; ++i) {
            adler_a = (adler_a + raw[i]) % adler_modulus;
            adler_b = (adler_b + adler_a) % adler_modulus;
        }
        at += length;
    }
    out.put_u32(adler_b << 16 | adler_a);
    out.end();

    out.begin("IEND", 0);
    out.end();
    return out.ok();
}

}  // namespace qm
