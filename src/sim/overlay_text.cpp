// An overlay's text kept as written, and laid out again as lines.
#include "sim/overlay_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "sim/hud.h"

namespace qm {

namespace {

constexpr int cell_width = 8;
constexpr int cell_height = 16;

}  // namespace

void OverlayText::add(int x, int y, const char* text)
{
    add(x, y, text, static_cast<int>(std::strlen(text)));
}

void OverlayText::add(int x, int y, const char* text, int length)
{
    if (count == overlay_runs) return;
    Run& run = runs[count++];
    run.x = x;
    run.y = y;
    std::snprintf(run.text, sizeof run.text, "%.*s", length, text);
}

void OverlayWriter::write(int x, int y, const char* text)
{
    write_text(frame, x, y, text);
    text_.add(x, y, text);
}

void draw_layout(OverlayWriter& out, const TextLayout& layout)
{
    draw_layout(out.frame, layout);
    for (int i = 0; i < layout.count; ++i) {
        const TextLine& line = layout.lines[i];
        out.text().add(line.x, line.y, line.text, line.length);
    }
}

std::string overlay_lines(const OverlayText& text)
{
    if (text.count == 0) return {};
    int left = text.runs[0].x;
    int top = text.runs[0].y;
    int bottom = top;
    for (int i = 1; i < text.count; ++i) {
        left = std::min(left, text.runs[i].x);
        top = std::min(top, text.runs[i].y);
        bottom = std::max(bottom, text.runs[i].y);
    }
    // Rows by the nearest cell: runs written a few pixels apart share one.
    std::vector<std::string> rows(static_cast<std::size_t>((bottom - top + cell_height / 2) / cell_height + 1));
    for (int i = 0; i < text.count; ++i) {
        const OverlayText::Run& run = text.runs[i];
        std::string& row = rows[static_cast<std::size_t>((run.y - top + cell_height / 2) / cell_height)];
        const std::size_t column = static_cast<std::size_t>((run.x - left + cell_width / 2) / cell_width);
        const std::string written(run.text);
        if (row.size() < column + written.size()) row.resize(column + written.size(), ' ');
        row.replace(column, written.size(), written);
    }
    std::string lines;
    for (std::string& row : rows) {
        row.erase(row.find_last_not_of(' ') + 1);
        lines.append(row).push_back('\n');
    }
    return lines;
}

}  // namespace qm
