// The picture of `qmsim coach --plot`: the bands' heat map (distance
// across, wind along the shot up, each cell coloured by its estimate with
// its rounds and mean first-shot miss written in it, unknown cells grey, the
// focus band outlined) beside the rating over the sessions.
#pragma once

#include <string>

#include "cli/coach/coach_report.h"

namespace qm {

// Writes the picture as a PNG beside `path` and renames it into place;
// false, with the reason, when it cannot be written.
bool write_coach_plot(const CoachReport& report, const char* path, std::string& reason);

}  // namespace qm
