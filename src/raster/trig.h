// Sine and cosine computed by the program itself, so every platform's build
// gets the same last bit: the C libraries of Linux, Windows and the browser
// each round some results differently, and a position one bit off can move
// a pixel.
#pragma once

namespace qm {

// Within an ulp of the true value for |x| below about 1.6 million; larger
// arguments are first reduced by the exact remainder of 2 pi as a double,
// less precise but the same everywhere.
double sin(double x);
double cos(double x);

}  // namespace qm
