// BMP pictures as grey levels.
#include "terrain/bmp_picture.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "terrain/bmp_layout.h"

namespace qm {

bool read_bmp_picture(std::span<const unsigned char> bytes, unsigned long long max_pixels,
                      std::vector<std::uint8_t>& grey, int& width, int& height, std::string& reason)
{
    unsigned char header[bmp_header_bytes] = {};
    const std::size_t got = std::min(bytes.size(), bmp_header_bytes);
    std::memcpy(header, bytes.data(), got);
    BmpHeader h;
    if (!parse_bmp_header(header, got, h, reason)) return false;
    // The most negative height has no positive counterpart: no picture has it.
    if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN) {
        reason = "no pixels (" + std::to_string(h.width) + " by " + std::to_string(h.height) + ")";
        return false;
    }
    const int rows = h.height < 0 ? -h.height : h.height;
    if (static_cast<unsigned long long>(h.width) * static_cast<unsigned long long>(rows) > max_pixels) {
        reason = "too large (" + std::to_string(h.width) + " by " + std::to_string(rows) + " pixels)";
        return false;
    }
    grey.assign(static_cast<std::size_t>(h.width) * static_cast<std::size_t>(rows), 0);
    std::vector<unsigned char> row(static_cast<std::size_t>(h.row_bytes()));
    for (int r = 0; r < rows; ++r) {
        // Bytes past the end of the file read as white.
        std::fill(row.begin(), row.end(), 0xFF);
        const unsigned long long at = h.pixel_offset + static_cast<unsigned long long>(r) * h.row_stride();
        if (at < bytes.size()) {
            const std::size_t n = std::min(row.size(), bytes.size() - static_cast<std::size_t>(at));
            std::memcpy(row.data(), bytes.data() + at, n);
        }
        const int top_row = h.height < 0 ? r : rows - 1 - r;  // a positive height is stored bottom-up
        bmp_row_to_grey(h, row.data(), grey.data() + static_cast<std::size_t>(top_row) * h.width);
    }
    width = h.width;
    height = rows;
    return true;
}

}  // namespace qm
