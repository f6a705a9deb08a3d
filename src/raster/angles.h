// Angles: the model and the drawing give every angle in degrees; this is the
// one conversion to the radians that sine and cosine (raster/trig.h) take.
#pragma once

namespace qm {

constexpr double pi = 3.141592653589793;

// Formed as degrees * pi / 180, in that order: every figure the model keeps
// was computed so, and another order can differ in the last bit.
constexpr double radians(double degrees)
{
    return degrees * pi / 180;
}

}  // namespace qm
