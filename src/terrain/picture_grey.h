// The one rule by which a coloured picture becomes a map: a pixel's grey
// level as a grey picture stores it (luminance in linear light with sRGB's
// weights, any transparency laid over white, encoded back as sRGB), and a
// pixel is terrain when that level is below dark_threshold. Integer
// arithmetic on tables made at compile time, so every platform agrees.
#pragma once

#include <cstdint>

namespace qm {

constexpr int dark_threshold = 128;  // grey levels below this become terrain

// 0 black to 255 white; alpha 0 is transparent (white), 255 opaque.
std::uint8_t grey_level(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha = 255);

// Whether the colour is terrain: grey_level below dark_threshold.
bool is_dark(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha = 255);

}  // namespace qm
