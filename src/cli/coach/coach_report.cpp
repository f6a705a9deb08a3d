// The coach's figures from the history and the texts made of them.
#include "cli/coach/coach_report.h"

#include <algorithm>
#include <cmath>

#include "formats/history/history_record.h"

namespace qm {

namespace {

// A prediction of 0 or 1 that proves wrong would cost without bound.
constexpr double least_chance = 1e-6;

double loss(double predicted, bool hit)
{
    const double p = std::clamp(predicted, least_chance, 1.0 - least_chance);
    return -std::log(hit ? p : 1.0 - p);
}

void grade(Calibration& c, double predicted, double guess, bool hit)
{
    c.log_loss += (loss(predicted, hit) - c.log_loss) / (c.graded + 1);
    c.guess_log_loss += (loss(guess, hit) - c.guess_log_loss) / (c.graded + 1);
    ++c.graded;
    const int bin = std::min(reliability_bins - 1, static_cast<int>(predicted * reliability_bins));
    ++c.count[bin];
    c.predicted_sum[bin] += predicted;
    c.hits[bin] += hit ? 1 : 0;
}

std::string format(const char* pattern, auto... values)
{
    char text[256];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

}  // namespace

void CoachReport::add(const HistoryRecord& record)
{
    ++sessions;
    for (const HistoryRound& r : record.round_log) {
        ++rounds_logged;
        if (!counts_in_band(r)) continue;
        grade(calibration, r.predicted, skill.overall_estimate(), r.first_shot_hit());
        skill.add(CountedRound{r.band, r.first_shot_hit(), r.hit(), r.shot[0].struck, r.shot[0].miss});
    }
    if (!record.abandoned) remember_focus(focus_memory, record.focus, record.focus_estimate);
    if (skill.known_bands() > 0) ratings.push_back({static_cast<double>(sessions), skill.rating()});
}

std::string rating_line(const CoachSkill& skill)
{
    const int known = skill.known_bands();
    if (known == 0) return format("rating unknown, 0 of %d bands known", coach_band_count);
    return format("rating %.0f of 100, %d of %d bands known", skill.rating(), known, coach_band_count);
}

std::string band_sentence(const CoachSkill& skill, int band)
{
    char text[256];
    band_sentence(skill, band, text, sizeof text);
    return text;
}

void print_band_table(const CoachSkill& skill, std::FILE* out)
{
    std::fprintf(out, "%-38s %6s %6s %5s %6s %9s\n", "band", "rounds", "first", "hits", "miss", "estimate");
    for (int band = 0; band < coach_band_count; ++band) {
        const BandSkill& b = skill.bands[band];
        char name[96];
        band_name(band, name, sizeof name);
        const std::string miss = b.first_misses == 0 ? "-" : format("%+.0f", b.mean_first_miss());
        const std::string estimate = b.known() ? format("%.0f%%", 100.0 * skill.estimate(band)) : "unknown";
        std::fprintf(out, "%-38s %6d %6d %5d %6s %9s\n", name, b.rounds, b.first_shot_hits, b.hits, miss.c_str(),
                     estimate.c_str());
    }
}

void print_band_csv(const CoachSkill& skill, std::FILE* out)
{
    std::fputs("distance_band,wind_band,rounds,first_shot_hits,hits,mean_first_miss,estimate\n", out);
    for (int band = 0; band < coach_band_count; ++band) {
        const BandSkill& b = skill.bands[band];
        int dl = 0, dh = 0, wl = 0, wh = 0;
        distance_band_range(band_distance(band), dl, dh);
        wind_band_range(band_wind(band), wl, wh);
        const std::string miss = b.first_misses == 0 ? "" : format("%.1f", b.mean_first_miss());
        const std::string estimate = b.known() ? format("%.3f", skill.estimate(band)) : "";
        std::fprintf(out, "%d..%d,%d..%d,%d,%d,%d,%s,%s\n", dl, dh, wl, wh, b.rounds, b.first_shot_hits, b.hits,
                     miss.c_str(), estimate.c_str());
    }
}

void print_weakest(const CoachSkill& skill, std::FILE* out)
{
    int weakest[coach_weakest];
    const int count = skill.weakest(weakest);
    if (count == 0 && skill.known_bands() == 0) {
        std::fprintf(out, "no band is known yet: %d counted rounds make one known\n", skill_known_rounds);
        return;
    }
    if (count == 0) {
        std::fprintf(out, "no weak band: every known band's estimate is at least %.0f%%\n", 100.0 * focus_target);
        return;
    }
    std::fputs("weakest:\n", out);
    for (int i = 0; i < count; ++i) std::fprintf(out, "  %s\n", band_sentence(skill, weakest[i]).c_str());
}

void print_calibration(const Calibration& c, std::FILE* out)
{
    if (c.graded == 0) {
        std::fputs("no predictions to grade yet\n", out);
        return;
    }
    std::fprintf(out, "predictions graded: %d\nlog loss: %.3f (constant guess: %.3f)\n", c.graded, c.log_loss,
                 c.guess_log_loss);
    std::fputs("predicted  rounds  mean predicted  observed\n", out);
    for (int bin = 0; bin < reliability_bins; ++bin) {
        if (c.count[bin] == 0) {
            std::fprintf(out, "%.1f-%.1f   %6d  %14s  %8s\n", bin / 10.0, (bin + 1) / 10.0, 0, "-", "-");
            continue;
        }
        std::fprintf(out, "%.1f-%.1f   %6d  %14.2f  %8.2f\n", bin / 10.0, (bin + 1) / 10.0, c.count[bin],
                     c.predicted_sum[bin] / c.count[bin], static_cast<double>(c.hits[bin]) / c.count[bin]);
    }
}

}  // namespace qm
