// Closed polygons: a scanline fill by the surface's fill rule, then the
// outline along every edge, the closing edge included.
#include <utility>

#include "raster/raster.h"
#include "raster/surface.h"

namespace qm {

namespace {

using raster::i64;

// Polygons carry a handful of points; the edge work lives on the stack, so
// polygons with more points than this are not drawn.
constexpr int max_polygon_points = 64;

struct Vertex {
    i64 x = 0;
    i64 y = 0;
};

// A pixel (x, y) is inside when the point (x, y) is; the point of a pixel
// lying on an edge counts for the left and top edges only, so the fill alone
// covers the right and bottom edges of a box one pixel less and the outline
// adds them back.
void fill_polygon(Surface& s, COLORREF color, FillMode mode, const Vertex* v, int count)
{
    i64 y_min = v[0].y;
    i64 y_max = v[0].y;
    for (int i = 1; i < count; ++i) {
        y_min = std::min(y_min, v[i].y);
        y_max = std::max(y_max, v[i].y);
    }
    const i64 y_begin = std::max<i64>(y_min, 0);
    const i64 y_end = std::min<i64>(y_max, s.height());

    // Edges cover their upper end row and not their lower one, so a vertex
    // between two edges is crossed once. An edge crosses row y at the first
    // pixel at or right of the crossing, ceil((a.x * den + (y - a.y) *
    // (b.x - a.x)) / den), stepped from one row to the next.
    struct Edge {
        i64 y_from;
        i64 y_to;  // first row not crossed
        int dir;
        raster::FloorStepper x;
    };
    Edge edges[max_polygon_points];  // the first count entries are set
    for (int i = 0; i < count; ++i) {
        Vertex a = v[i];
        Vertex b = v[i + 1 == count ? 0 : i + 1];
        Edge& e = edges[i];
        e.dir = 1;
        if (a.y > b.y) {
            std::swap(a, b);
            e.dir = -1;
        }
        e.y_from = std::max(a.y, y_begin);
        e.y_to = b.y;
        if (e.y_from >= e.y_to) continue;
        const i64 den = b.y - a.y;
        e.x = raster::FloorStepper(a.x * den + (e.y_from - a.y) * (b.x - a.x) + den - 1, b.x - a.x, den);
    }

    i64 cross_x[max_polygon_points];
    int cross_dir[max_polygon_points];
    for (i64 y = y_begin; y < y_end; ++y) {
        int crossings = 0;
        for (int i = 0; i < count; ++i) {
            Edge& e = edges[i];
            if (y < e.y_from || y >= e.y_to) continue;
            const i64 x = e.x.value();
            e.x.advance();
            int j = crossings++;
            for (; j > 0 && cross_x[j - 1] > x; --j) {
                cross_x[j] = cross_x[j - 1];
                cross_dir[j] = cross_dir[j - 1];
            }
            cross_x[j] = x;
            cross_dir[j] = e.dir;
        }
        int winding = 0;
        for (int j = 0; j + 1 < crossings; ++j) {
            winding += cross_dir[j];
            const bool inside = mode == FillMode::winding ? winding != 0 : (j & 1) == 0;
            if (inside) raster::fill_span(s, y, cross_x[j], cross_x[j + 1] - 1, color);
        }
    }
}

}  // namespace

void Polygon(Surface& s, const POINT* points, int count) { Polygon(s, s.pen, s.brush, points, count); }

void Polygon(Surface& s, const Pen& pen, const Brush& brush, const POINT* points, int count)
{
    if (points == nullptr || count < 2 || count > max_polygon_points) return;
    Vertex v[max_polygon_points];
    for (int i = 0; i < count; ++i) v[i] = {raster::clamp_coord(points[i].x), raster::clamp_coord(points[i].y)};

    fill_polygon(s, brush.color, s.fill_mode, v, count);
    const raster::PenReach reach = raster::pen_reach(pen);
    for (int i = 0; i < count; ++i) {
        const Vertex& a = v[i];
        const Vertex& b = v[i + 1 == count ? 0 : i + 1];
        raster::draw_segment(s, pen.color, a.x, a.y, b.x, b.y, reach, raster::Nib::square);
    }
}

}  // namespace qm
