// Drawing the results chart: axes, the scores joined by a line, a ring on
// the best.
#include "shell/drill/score_chart.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace qm {

namespace {

constexpr COLORREF background = 0x00FFFFFF;
constexpr COLORREF axis = 0x00000000;
constexpr COLORREF series = 0x00A05020;  // blue
constexpr COLORREF best_mark = 0x000000D0;  // red
constexpr int margin_left = 56, margin_right = 10, margin_top = 22, margin_bottom = 22;
constexpr int cell = 8;
constexpr int mark_radius = 3;

void text(Surface& s, int x, int y, const char* t) { TextOutA(s, x, y, t, static_cast<int>(std::strlen(t))); }

}  // namespace

void draw_score_chart(Surface& picture, const long long* scores, int count, long long best)
{
    const int w = picture.width();
    const int h = picture.height();
    Rectangle(picture, Pen{1, axis}, Brush{background}, 0, 0, w, h);
    char label[48];
    std::snprintf(label, sizeof label, "last %d scores", count);
    text(picture, margin_left, 3, label);
    const int left = margin_left, right = w - margin_right, top = margin_top, bottom = h - margin_bottom;
    MoveToEx(picture, left, top);
    LineTo(picture, Pen{1, axis}, left, bottom);
    LineTo(picture, Pen{1, axis}, right, bottom);
    long long high = 1;
    for (int i = 0; i < count; ++i) high = std::max(high, scores[i]);
    std::snprintf(label, sizeof label, "%lld", high);
    text(picture, left - 4 - cell * static_cast<int>(std::strlen(label)), top - 8, label);
    text(picture, left - 4 - cell, bottom - 8, "0");
    std::snprintf(label, sizeof label, "session (oldest left)");
    text(picture, left, bottom + 4, label);
    auto x_of = [&](int i) { return count <= 1 ? (left + right) / 2 : left + (right - left) * i / (count - 1); };
    auto y_of = [&](long long v) { return bottom - static_cast<int>((bottom - top) * v / high); };
    for (int i = 0; i < count; ++i) {
        const int x = x_of(i), y = y_of(scores[i]);
        if (i == 0) MoveToEx(picture, x, y);
        else LineTo(picture, Pen{2, series}, x, y);
    }
    for (int i = 0; i < count; ++i) {
        const int x = x_of(i), y = y_of(scores[i]);
        const bool is_best = scores[i] == best;
        const int r = is_best ? mark_radius + 2 : mark_radius;
        Ellipse(picture, Pen{1, is_best ? best_mark : series}, Brush{is_best ? best_mark : series}, x - r, y - r, x + r + 1,
                y + r + 1);
        MoveToEx(picture, x, y);
    }
}

}  // namespace qm
