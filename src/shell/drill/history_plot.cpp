// Drawing the progress chart: time across, score up, a coloured series per
// drill with a ring on its best, and a legend.
#include "shell/drill/history_plot.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "raster/png_writer.h"

namespace qm {

namespace {

constexpr int plot_width = 800, plot_height = 500;
constexpr int left = 70, right = 780, top = 40, bottom = 440;
constexpr COLORREF white = 0x00FFFFFF, black = 0x00000000, grey = 0x00D0D0D0;
constexpr COLORREF palette[] = {0x00B06020, 0x002080E0, 0x0030A030, 0x002020C0, 0x00A040A0, 0x00808000, 0x00406080};
constexpr int seconds_per_day = 86400;

void text(Surface& s, int x, int y, const std::string& t) { TextOutA(s, x, y, t.c_str(), static_cast<int>(t.size())); }

long long days_from_civil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

std::string day_text(long long seconds)
{
    long long z = seconds / seconds_per_day + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const long long y = static_cast<long long>(yoe) + era * 400 + (m <= 2);
    char out[40];
    std::snprintf(out, sizeof out, "%04lld-%02u-%02u", y, m, d);
    return out;
}

}  // namespace

bool parse_utc(const std::string& t, long long& seconds)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char z = 0;
    if (t.size() != 20 || std::sscanf(t.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &z) != 7 ||
        z != 'Z' || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 60) {
        return false;
    }
    seconds = days_from_civil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) * seconds_per_day + h * 3600LL +
              mi * 60LL + s;
    return true;
}

bool write_history_plot(const std::vector<HistoryRecord>& records, const char* path, std::string& reason)
{
    struct Point {
        long long t;
        long long score;
    };
    std::vector<std::string> names;
    std::map<std::string, std::vector<Point>> series;
    long long t0 = 0, t1 = 0, high = 1;
    bool any = false;
    for (const HistoryRecord& r : records) {
        long long t = 0;
        if (r.abandoned || !parse_utc(r.time, t)) continue;
        if (series.find(r.drill) == series.end()) names.push_back(r.drill);
        series[r.drill].push_back({t, r.score});
        t0 = any ? std::min(t0, t) : t;
        t1 = any ? std::max(t1, t) : t;
        high = std::max(high, r.score);
        any = true;
    }
    if (t1 == t0) t1 = t0 + seconds_per_day;

    Surface s(plot_width, plot_height);
    Rectangle(s, Pen{1, white}, Brush{white}, 0, 0, plot_width, plot_height);
    text(s, left, 10, "Drill scores over time");
    for (int i = 0; i <= 4; ++i) {
        const int y = bottom - (bottom - top) * i / 4;
        MoveToEx(s, left, y);
        LineTo(s, Pen{1, grey}, right, y);
        char label[24];
        std::snprintf(label, sizeof label, "%lld", high * i / 4);
        text(s, left - 6 - 8 * static_cast<int>(std::strlen(label)), y - 8, label);
    }
    MoveToEx(s, left, top);
    LineTo(s, Pen{1, black}, left, bottom);
    LineTo(s, Pen{1, black}, right, bottom);
    text(s, left, bottom + 6, day_text(t0));
    const std::string last = day_text(t1);
    text(s, right - 8 * static_cast<int>(last.size()), bottom + 6, last);
    text(s, (left + right) / 2 - 40, bottom + 6, "time (UTC)");
    text(s, 4, top - 24, "score");
    auto x_of = [&](long long t) { return left + static_cast<int>((right - left) * (t - t0) / (t1 - t0)); };
    auto y_of = [&](long long v) { return bottom - static_cast<int>((bottom - top) * v / high); };
    int n = 0;
    for (const std::string& name : names) {
        const COLORREF colour = palette[n % std::size(palette)];
        const std::vector<Point>& points = series[name];
        const Point* best = &points.front();
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (points[i].score > best->score) best = &points[i];
            const int x = x_of(points[i].t), y = y_of(points[i].score);
            if (i == 0) MoveToEx(s, x, y);
            else LineTo(s, Pen{2, colour}, x, y);
            Ellipse(s, Pen{1, colour}, Brush{colour}, x - 3, y - 3, x + 4, y + 4);
            MoveToEx(s, x, y);
        }
        const int bx = x_of(best->t), by = y_of(best->score);
        Ellipse(s, Pen{2, black}, Brush{colour}, bx - 6, by - 6, bx + 7, by + 7);
        const int ly = bottom + 26 + 16 * (n / 3);
        const int lx = left + 240 * (n % 3);
        Rectangle(s, Pen{1, colour}, Brush{colour}, lx, ly + 4, lx + 12, ly + 12);
        text(s, lx + 16, ly, name);
        ++n;
    }
    if (!any) text(s, left + 20, top + 20, "no finished sessions yet");
    return write_png(s, path, reason);
}

}  // namespace qm
