// Screenshots (F12): the current frame as a PNG file in a folder under the
// working directory, named by the date and time it was taken.
#pragma once

#include <ctime>
#include <string>

#include "raster/surface.h"
#include "shell/platform.h"

namespace qm {

struct World;

constexpr const char* screenshot_folder = "screenshots";

// Writes frame into folder (made if missing) as YYYY-MM-DD_HH-MM-SS.png, or
// with -2, -3 ... added when that name is taken. A failure leaves nothing
// behind. On success path holds the file's path; on failure error holds the
// reason.
bool save_screenshot(const Surface& frame, const char* folder, const std::tm& when, std::string& path,
                     std::string& error);

// Saves the world's frame under screenshot_folder and says so in the frame
// for two seconds; a failure says why there and to the platform's error
// report.
void take_screenshot(World& world, Platform& platform);

}  // namespace qm
