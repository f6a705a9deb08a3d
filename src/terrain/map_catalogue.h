// The catalogue of maps: the bitmap files of the working directory that the
// map reader accepts, at most 32, recorded by bare name.
#pragma once

namespace qm {

struct World;

// Appends the maps of the current working directory to world.map_filename
// and map_count. Candidates are plain, visible, owner-writable regular files
// named *.bmp (any letter case), taken in case-insensitive name order.
void get_map_names(World& world);

}  // namespace qm
