// Drill files (*.drill): one `key value...` per line, comments and blank
// lines as in scripts. Every key is optional and may be given once; an
// unknown key is an error. See docs/drills.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sim/drill/drill_rules.h"

namespace qm {

// Reads drill text, UTF-8 with any line ends. `source` names it in messages
// ("FILE:LINE: reason"); map files are found relative to `folder` (empty:
// the working folder) and read for the digest, which follows a map file's
// content rather than its path's spelling. The name defaults to
// `default_name`. False with the one-line reason.
bool parse_drill(std::string_view text, const std::string& source, const std::string& folder,
                 const std::string& default_name, DrillRules& rules, std::string& error);

// Reads a drill file whole (a plain file of at most 1 MiB); one that cannot
// be read gives "FILE: reason".
bool read_drill_file(const std::string& path, DrillRules& rules, std::string& error);

// A hash of the settings as text: the same settings, the same digest on
// every platform. `map` is a map file's content digest, otherwise rules.map.
std::uint64_t drill_settings_digest(const DrillRules& rules, const std::string& map);

// The largest map file is some 320 kB; its digest reads no further than this.
constexpr std::size_t max_map_file = std::size_t{64} << 20;

// A hash of the map file's bytes as text, so that a drill's digest follows
// the map's content however its path is spelled; "FILE: reason" when it
// cannot be read.
bool map_digest(const char* path, std::string& digest, std::string& error);

}  // namespace qm
