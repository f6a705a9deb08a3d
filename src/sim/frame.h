// The frame: the picture every tick composes, the same size in every display
// mode and in the headless runner.
#pragma once

namespace qm {

constexpr int frame_width = 800;  // pixels
constexpr int frame_height = 600;

}  // namespace qm
