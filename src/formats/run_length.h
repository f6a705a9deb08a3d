// Run-length coding of a pack's map: a map's rows are long runs of one byte
// (sky or ground), which this shrinks a hundredfold with a few lines of code
// every build decodes alike.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

// Control bytes: c below 128 is followed by c + 1 bytes taken as they are;
// c from 128 by one byte repeated c - 125 times (3 to 130).
std::string run_length_encode(std::string_view bytes);

// The bytes back; false for a coding that ends early or that gives more
// than max_size bytes.
bool run_length_decode(std::string_view coded, std::size_t max_size, std::string& bytes);

}  // namespace qm
