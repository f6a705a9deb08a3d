// The bands, their names, and the skill estimate of each.
#include "sim/drill/coach_bands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "bodies/bullet.h"
#include "raster/angles.h"
#include "raster/trig.h"

namespace qm {

namespace {

// Lowest distance of each band, and the end of the last.
constexpr int distance_edges[coach_distance_bands + 1] = {50, 300, 600, 1000, 1500, 2301};
// Lowest wind effect (percent more power) of each band from the least
// power needed, and the end of the last; the bands count from the most.
constexpr int effect_edges[coach_wind_bands + 1] = {-max_wind_effect, -7, -2, 3, 8, max_wind_effect + 1};

constexpr const char* distance_names[coach_distance_bands] = {"close", "near", "middle", "long", "very long"};
constexpr const char* wind_names[coach_wind_bands] = {"wind carries it well short", "wind carries it short",
                                                      "wind barely moves it", "wind carries it long",
                                                      "wind carries it well long"};
constexpr const char* wind_phrases[coach_wind_bands] = {"the wind carries well short", "the wind carries short",
                                                        "the wind barely moves", "the wind carries long",
                                                        "the wind carries well long"};

// A wind component as a shell takes it: truncated towards zero.
double whole_part(double v) { return v < 0.0 ? -std::floor(-v) : std::floor(v); }

int band_among(const int (&edges)[6], int value)
{
    if (value < edges[0]) return no_band;
    for (int i = 0; i < 5; ++i) {
        if (value < edges[i + 1]) return i;
    }
    return no_band;
}

}  // namespace

int distance_band(int distance) { return band_among(distance_edges, distance); }
int wind_band(int effect)
{
    const int from_least = band_among(effect_edges, effect);
    return from_least == no_band ? no_band : coach_wind_bands - 1 - from_least;
}

int coach_band(int distance, int effect)
{
    const int d = distance_band(distance);
    const int w = wind_band(effect);
    return d == no_band || w == no_band ? no_band : d * coach_wind_bands + w;
}

int band_distance(int band) { return band / coach_wind_bands; }
int band_wind(int band) { return band % coach_wind_bands; }

void distance_band_range(int distance_band, int& low, int& high)
{
    low = distance_edges[distance_band];
    high = distance_edges[distance_band + 1] - 1;
}

void wind_band_range(int wind_band, int& low, int& high)
{
    const int from_least = coach_wind_bands - 1 - wind_band;
    low = effect_edges[from_least];
    high = effect_edges[from_least + 1] - 1;
}

int wind_along(double strength, double wang_degrees, int towards)
{
    return static_cast<int>(std::lround(towards * strength * qm::cos(radians(wang_degrees))));
}

int wind_effect(double strength, double wang_degrees, int towards)
{
    const double w = radians(wang_degrees);
    const double ahead = towards * whole_part(strength * qm::cos(w));
    const double up = whole_part(strength * qm::sin(w));
    const double a = radians(wind_effect_angle);
    const double rise = qm::sin(a);
    const double run = qm::cos(a);
    // Range over level ground per (launch scale x power) squared: the
    // flight lasts 2 sin(a) / g' of those, at cos(a) a unit of time plus
    // the wind's push; the scale and the power cancel in the ratio, so the
    // effect holds at every distance.
    const double fall = gravity - up * wind_accel;
    const double calm = 2.0 * rise * run / gravity;
    const double windy = 2.0 * rise * run / fall + 4.0 * ahead * wind_half_accel_x * rise * rise / (fall * fall);
    if (fall <= 0.0 || windy <= 0.0) return max_wind_effect;
    const long effect = std::lround(100.0 * (std::sqrt(calm / windy) - 1.0));
    return static_cast<int>(effect < max_wind_effect ? effect : max_wind_effect);
}

void band_name(int band, char* text, std::size_t size)
{
    std::snprintf(text, size, "%s, %s", distance_names[band_distance(band)], wind_names[band_wind(band)]);
}

void band_phrase(int band, char* text, std::size_t size)
{
    std::snprintf(text, size, "%s shots %s", distance_names[band_distance(band)], wind_phrases[band_wind(band)]);
}

namespace {

// "; you aim 0.21 low on average - add about 0.2": the mean error in
// hundredths, the advice in tenths (at least one).
void power_advice(const BandSkill& b, char* text, std::size_t size)
{
    const long hundredths = std::lround(100.0 * b.mean_power_error());
    if (hundredths == 0) {
        std::snprintf(text, size, "; you aim at the best power on average");
        return;
    }
    const long tenths = std::max(1L, std::lround(std::fabs(b.mean_power_error()) * 10.0));
    std::snprintf(text, size, "; you aim %.2f %s on average - %s about %.1f", static_cast<double>(std::labs(hundredths)) / 100.0,
                  hundredths < 0 ? "low" : "high", hundredths < 0 ? "add" : "take off",
                  static_cast<double>(tenths) / 10.0);
}

}  // namespace

void band_sentence(const CoachSkill& skill, int band, char* text, std::size_t size)
{
    const BandSkill& b = skill.bands[band];
    char phrase[96];
    band_phrase(band, phrase, sizeof phrase);
    const long miss = std::lround(b.mean_first_miss());
    if (b.power_errors > 0) {
        char advice[96];
        power_advice(b, advice, sizeof advice);
        std::snprintf(text, size, "%s: %d of %d first-shot hits%s", phrase, b.first_shot_hits, b.rounds, advice);
    } else if (b.first_misses == 0) {
        std::snprintf(text, size, "%s: %d of %d first-shot hits, no first shot struck", phrase, b.first_shot_hits,
                      b.rounds);
    } else if (miss == 0) {
        std::snprintf(text, size, "%s: %d of %d first-shot hits, landing on the mark on average", phrase,
                      b.first_shot_hits, b.rounds);
    } else {
        std::snprintf(text, size, "%s: %d of %d first-shot hits, landing %ld px %s on average", phrase,
                      b.first_shot_hits, b.rounds, std::labs(miss), miss < 0 ? "short" : "long");
    }
}

double BandSkill::rate_towards(double prior, double prior_weight) const
{
    return (weighted_hits + prior_weight * prior) / (weight + prior_weight);
}

double BandSkill::mean_first_miss() const
{
    return first_misses == 0 ? 0.0 : static_cast<double>(first_miss_sum) / first_misses;
}

double BandSkill::mean_power_error() const { return power_errors == 0 ? 0.0 : power_error_sum / power_errors; }

namespace {

void add_to(BandSkill& b, const CountedRound& round)
{
    ++b.rounds;
    if (round.first_shot_hit) ++b.first_shot_hits;
    if (round.hit) ++b.hits;
    if (round.first_struck) {
        b.first_miss_sum += round.first_miss;
        ++b.first_misses;
    }
    if (round.aimed) {
        b.power_error_sum += round.power_error;
        ++b.power_errors;
    }
    b.weighted_hits = b.weighted_hits * skill_decay + (round.first_shot_hit ? 1.0 : 0.0);
    b.weight = b.weight * skill_decay + 1.0;
}

}  // namespace

void CoachSkill::add(const CountedRound& round)
{
    if (round.band == no_band) return;
    add_to(bands[round.band], round);
    add_to(overall, round);
}

double CoachSkill::overall_estimate() const { return overall.rate_towards(skill_prior, overall_prior_weight); }

double CoachSkill::estimate(int band) const
{
    return bands[band].rate_towards(overall_estimate(), band_prior_weight);
}

double CoachSkill::rating() const
{
    double inverse_sum = 0.0;
    int known = 0;
    for (int band = 0; band < coach_band_count; ++band) {
        if (!bands[band].known()) continue;
        inverse_sum += 1.0 / estimate(band);
        ++known;
    }
    return known == 0 ? -1.0 : 100.0 * known / inverse_sum;
}

int CoachSkill::known_bands() const
{
    int known = 0;
    for (const BandSkill& b : bands) known += b.known() ? 1 : 0;
    return known;
}

int CoachSkill::weakest(int (&out)[coach_weakest]) const
{
    int count = 0;
    for (int band = 0; band < coach_band_count; ++band) {
        if (!bands[band].known() || estimate(band) >= focus_target) continue;
        // Insertion into the short list, lowest estimate first.
        int at = count;
        while (at > 0 && estimate(band) < estimate(out[at - 1])) --at;
        if (at >= coach_weakest) continue;
        for (int i = (count < coach_weakest ? count : coach_weakest - 1); i > at; --i) out[i] = out[i - 1];
        out[at] = band;
        if (count < coach_weakest) ++count;
    }
    return count;
}

}  // namespace qm
