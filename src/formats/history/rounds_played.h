// The rounds of a drill session as named data: the history line's
// "rounds_played", an array with an object a round, each with its shots
// (docs/drills.md gives the fields). A field is one line of a table here,
// read and written by the same entry.
#pragma once

#include <string_view>
#include <vector>

#include "formats/history/round_log.h"

namespace qm {

class JsonWriter;

// "rounds_played":[...] into the object being written.
void write_rounds_played(JsonWriter& json, const std::vector<HistoryRound>& rounds);
// The array's text as the JSON reader hands it over. False for anything but
// such an array, a field missing or out of range, or more rounds or shots
// than a drill has; fields this version does not know are passed over.
bool parse_rounds_played(std::string_view text, std::vector<HistoryRound>& rounds);

}  // namespace qm
