// Placeholders until the shape rasteriser lands; replaced wholesale.
#include "core/surface.h"

namespace qm {

void Rectangle(Surface&, int, int, int, int) {}
void Rectangle(Surface&, const Pen&, const Brush&, int, int, int, int) {}
void Ellipse(Surface&, int, int, int, int) {}
void Ellipse(Surface&, const Pen&, const Brush&, int, int, int, int) {}
void Pie(Surface&, int, int, int, int, int, int, int, int) {}
void Pie(Surface&, const Pen&, const Brush&, int, int, int, int, int, int, int, int) {}
void Polygon(Surface&, const POINT*, int) {}
void Polygon(Surface&, const Pen&, const Brush&, const POINT*, int) {}
void MoveToEx(Surface& s, int x, int y) { s.current = {x, y}; }
void LineTo(Surface& s, int x, int y) { s.current = {x, y}; }
void LineTo(Surface& s, const Pen&, int x, int y) { s.current = {x, y}; }
void BitBlt(Surface&, int, int, int, int, const Surface&, int, int, Rop) {}
void StretchBlt(Surface&, int, int, int, int, const Surface&, int, int, int, int) {}
void TextOutA(Surface&, int, int, const char*, int) {}

}  // namespace qm
