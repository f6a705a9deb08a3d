// Challenge packs (.qmc): a drill on its own map file sent as one file, the
// drill's settings as a challenge code holds them, its seed, and the map's
// bitmap compressed. Opening one writes the map into a folder of unpacked
// maps, named by its content, and plays the drill on it.
#pragma once

#include <cstdint>
#include <string>

#include "sim/drill/drill_rules.h"

namespace qm {

constexpr const char* pack_suffix = ".qmc";

// Whether a --challenge value names a pack rather than holding a code.
bool is_pack_path(const std::string& text);

// Writes the pack of `rules` (a drill on a map file) drawn with `seed`, with
// rules.challenge's score and sender when given, to `out`, whole or not at
// all. False with the reason.
bool write_challenge_pack(const DrillRules& rules, std::uint32_t seed, const std::string& out, std::string& error);

// Reads the pack at `path`: the drill, its seed and rules.challenge, its map
// unpacked into `maps_folder` (made when missing) and named there by
// rules.map. False with the reason for a file that is no pack, a damaged
// one, or one from a later format.
bool read_challenge_pack(const std::string& path, const std::string& maps_folder, DrillRules& rules,
                         std::uint32_t& seed, std::string& error);

// Where packs' maps are unpacked by default: the data folder's packs/; false
// with the reason when the environment names none.
bool default_pack_maps_folder(std::string& folder, std::string& error);

}  // namespace qm
