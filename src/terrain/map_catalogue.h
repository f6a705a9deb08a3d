// The catalogue of maps: the bitmap files of the working directory that the
// map reader accepts, at most 32, recorded by bare name.
#pragma once

#include "terrain/map_format.h"

namespace qm {

struct MapCatalogue {
    char map_filename[max_maps][map_name_size] = {};  // bare file names, in catalogue order
    int map_count = 0;                                 // entries in use
};

// Appends the maps of the current working directory to the catalogue.
// Candidates are plain, visible, owner-writable regular files named *.bmp
// (any letter case), taken in case-insensitive name order.
void get_map_names(MapCatalogue& catalogue);

}  // namespace qm
