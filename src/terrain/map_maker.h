// Making maps: a grey picture turned into a map picture, and the procedural
// sample maps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "terrain/bitmap_writer.h"
#include "terrain/picture_grey.h"

namespace qm {

// Scales a grey picture (one byte a pixel, 0 black to 255 white, row 0 at the
// top) to 800 rows keeping its proportions, crops a wider result to its
// middle 3200 columns and pads the width with empty columns to a whole number
// of bytes. Dark pixels become terrain, light ones empty. Needs a non-empty
// picture.
MapPicture map_from_grey(const std::vector<std::uint8_t>& grey, int width, int height);

struct SampleMap {
    std::string name;  // file name, e.g. "hills.bmp"
    MapPicture picture;
};

// The sample maps, 3200 by 800 each, the same on every run.
std::vector<SampleMap> sample_maps();

}  // namespace qm
