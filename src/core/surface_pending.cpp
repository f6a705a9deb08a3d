// Placeholders until the shape rasteriser lands; replaced wholesale.
#include "core/surface.h"

namespace qm {

void TextOutA(Surface&, int, int, const char*, int) {}

}  // namespace qm
