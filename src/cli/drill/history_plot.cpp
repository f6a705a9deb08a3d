// Drawing the progress chart with the plot module: days across, score up, a
// coloured series per drill with a diamond on its best, and a legend.
#include "cli/drill/history_plot.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "formats/utc_time.h"
#include "raster/plot/plot.h"

namespace qm {

namespace {

constexpr int plot_width = 800, plot_height = 500;
constexpr double headroom = 1.1;  // the highest score stays clear of the top
constexpr COLORREF palette[] = {0x00B06020, 0x002080E0, 0x0030A030, 0x002020C0, 0x00A040A0, 0x00808000, 0x00406080};
constexpr int seconds_per_day = 86400;

}  // namespace

bool write_history_plot(const std::vector<HistoryRecord>& records, const char* path, std::string& reason)
{
    plot::Chart chart;
    chart.title = "Drill scores over time";
    chart.y_label = "score";
    chart.legend = plot::LegendPlace::top_left;
    std::map<std::string, std::size_t> index;  // series of each drill, each challenge apart
    std::vector<const HistoryRecord*> bests;
    long long t0 = 0;
    bool any = false;
    for (const HistoryRecord& r : records) {
        long long t = 0;
        if (!r.abandoned && parse_utc(r.time, t) && (!any || t < t0)) t0 = t;
        any = any || (!r.abandoned && parse_utc(r.time, t));
    }
    // The time axis in days, or hours or minutes for a short history.
    long long t1 = t0;
    for (const HistoryRecord& r : records) {
        long long t = 0;
        if (!r.abandoned && parse_utc(r.time, t)) t1 = std::max(t1, t);
    }
    struct Unit {
        const char* name;
        double seconds;
    };
    const Unit unit = t1 - t0 >= 2 * seconds_per_day ? Unit{"days", seconds_per_day}
                      : t1 - t0 >= 2 * 3600         ? Unit{"hours", 3600}
                                                    : Unit{"minutes", 60};
    double last_day = 0.0, high = 1.0;
    for (const HistoryRecord& r : records) {
        long long t = 0;
        if (r.abandoned || !parse_utc(r.time, t)) continue;
        auto [it, added] = index.try_emplace(series_name(r), chart.series.size());
        if (added) {
            chart.series.push_back({series_name(r), palette[it->second % std::size(palette)], {}, 2});
            bests.push_back(&r);
        }
        const double day = static_cast<double>(t - t0) / unit.seconds;
        chart.series[it->second].points.push_back({day, static_cast<double>(r.score)});
        chart.markers.push_back({day, static_cast<double>(r.score), chart.series[it->second].color, plot::MarkerShape::dot, 3});
        if (r.score > bests[it->second]->score) bests[it->second] = &r;
        last_day = std::max(last_day, day);
        high = std::max(high, static_cast<double>(r.score));
    }
    for (std::size_t i = 0; i < bests.size(); ++i) {
        long long t = 0;
        parse_utc(bests[i]->time, t);
        chart.markers.push_back({static_cast<double>(t - t0) / unit.seconds, static_cast<double>(bests[i]->score),
                                 chart.series[i].color, plot::MarkerShape::diamond, 7});
    }
    chart.x = {0.0, last_day};
    chart.y = {0.0, high * headroom};
    chart.x_label = any ? std::string(unit.name) + " since the first session, " + day_text(t0) + " (UTC)" : "days";
    chart.notes.push_back(any ? "one point per finished session; a diamond marks each drill's best"
                              : "no finished sessions yet");
    Surface picture(plot_width, plot_height);
    plot::draw_chart(picture, {0, 0, plot_width, plot_height}, chart);
    return plot::write_chart_png(picture, path, reason);
}

}  // namespace qm
