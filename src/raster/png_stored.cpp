// A PNG encoder that needs no library: the zlib stream inside holds the rows
// in stored (uncompressed) deflate blocks, so the file is about three bytes
// a pixel, and any PNG reader takes it.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "raster/png_chunks.h"
#include "raster/png_encoders.h"

namespace qm {

namespace {

constexpr std::size_t max_stored_block = 65535;         // a stored block's length field is 16 bits
constexpr std::size_t stored_block_header = 5;          // final flag and type, LEN, NLEN
constexpr std::size_t adler_size = 4;

}  // namespace

bool encode_png_stored(std::FILE* file, const Surface& s)
{
    std::size_t row_size = 0;
    const std::vector<unsigned char> raw = png::scanlines(s, row_size);

    const std::size_t blocks = raw.empty() ? 1 : (raw.size() + max_stored_block - 1) / max_stored_block;
    const std::size_t idat_size = sizeof png::zlib_header + blocks * stored_block_header + raw.size() + adler_size;
    if (idat_size > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;

    png::ChunkWriter out(file);
    png::put_header(out, s);

    out.begin("IDAT", static_cast<std::uint32_t>(idat_size));
    out.put(png::zlib_header, sizeof png::zlib_header);
    png::Adler32 adler;
    for (std::size_t at = 0, block = 0; block < blocks; ++block) {
        const std::size_t length = std::min(max_stored_block, raw.size() - at);
        const unsigned char header[] = {static_cast<unsigned char>(block + 1 == blocks ? 1 : 0),
                                        static_cast<unsigned char>(length & 0xFFu),
                                        static_cast<unsigned char>(length >> 8),
                                        static_cast<unsigned char>(~length & 0xFFu),
                                        static_cast<unsigned char>((~length >> 8) & 0xFFu)};
        out.put(header, sizeof header);
        out.put(raw.data() + at, length);
        adler.add(raw.data() + at, length);
        at += length;
    }
    out.put_u32(adler.value());
    out.end();
    png::put_end(out);
    return out.ok();
}

}  // namespace qm
