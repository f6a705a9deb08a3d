// The coach's bands and the player's skill in each: 5 distances by 5 wind
// effects (how much the wind changes the power a shot needs), a
// recency-weighted first-shot hit rate smoothed towards a prior
// (docs/coach.md), the rating made of them and the weakest bands. Plain
// fixed-size data, so the tick can update and ask it without allocating.
#pragma once

#include <cstddef>

namespace qm {

constexpr int coach_distance_bands = 5;
constexpr int coach_wind_bands = 5;
constexpr int coach_band_count = coach_distance_bands * coach_wind_bands;
constexpr int no_band = -1;

// The estimate's constants (docs/coach.md explains them).
constexpr double skill_decay = 0.95;   // an earlier round's weight, each time its band gains a round
constexpr double skill_prior = 0.3;    // the first-shot hit rate the player starts from
constexpr double overall_prior_weight = 10.0;  // in rounds: how long the player's rate stays near skill_prior
constexpr double band_prior_weight = 4.0;      // in rounds: how long a band's stays near the player's rate
constexpr int skill_known_rounds = 3;  // counted rounds before a band is known
constexpr int coach_weakest = 3;       // bands the coach names
// The first-shot hit rate the coach aims a player at: a band below it is
// weak (named, and the coach's drill may focus on it).
constexpr double focus_target = 0.6;

// The angle the wind's effect is worked out at: a band is the round's, not
// the aim a player chose.
constexpr double wind_effect_angle = 45.0;
// The largest effect: a wind that leaves the shot no range at all.
constexpr int max_wind_effect = 100;

// The band of a distance (pixels, 50 to 2300) and of a wind effect
// (percent, -100 to 100, see wind_effect); no_band outside them. Wind band
// 0 needs the most power, 4 the least.
int distance_band(int distance);
int wind_band(int effect);
int coach_band(int distance, int effect);
int band_distance(int band);  // the band's distance band, 0 to 4
int band_wind(int band);      // its wind band, 0 to 4
// The bounds of a distance band and of a wind band (effects), both included.
void distance_band_range(int distance_band, int& low, int& high);
void wind_band_range(int wind_band, int& low, int& high);

// The wind along the line from the player to the target: strength times
// the cosine of its direction, positive when it blows towards the target
// (`towards` 1 when the target lies right of the player, -1 left), rounded
// to the nearest whole number.
int wind_along(double strength, double wang_degrees, int towards);

// The wind's effect on a shot towards `towards`: the power a shell fired at
// wind_effect_angle over level ground needs in this wind to carry as far as
// in calm air, as a whole percentage more (negative: less), by the shell's
// closed-form flight with the wind's whole components as a shell takes
// them. Independent of the distance; a wind straight up carries a shell
// farther as surely as one behind it. max_wind_effect when no power carries.
int wind_effect(double strength, double wang_degrees, int towards);

// "long, wind carries it short"
void band_name(int band, char* text, std::size_t size);
// "long shots the wind carries short"
void band_phrase(int band, char* text, std::size_t size);

struct CoachSkill;
// "long shots the wind carries short: 2 of 9 first-shot hits; you aim 0.21
// low on average - add about 0.2" where first shots' powers can be set
// against their rounds' best, else "..., landing 84 px short on average"
void band_sentence(const CoachSkill& skill, int band, char* text, std::size_t size);

struct BandSkill {
    int rounds = 0;            // counted
    int first_shot_hits = 0;
    int hits = 0;
    long long first_miss_sum = 0;  // signed misses of first shots that struck, pixels
    int first_misses = 0;
    double power_error_sum = 0.0;  // first shots' power less their round's best, where some power reached
    int power_errors = 0;
    double weighted_hits = 0.0;  // first-shot hits, each weighted by its recency
    double weight = 0.0;         // the rounds' weights

    bool known() const { return rounds >= skill_known_rounds; }
    // The weighted first-shot hit rate smoothed towards prior, weighing it
    // as prior_weight rounds.
    double rate_towards(double prior, double prior_weight) const;
    double mean_first_miss() const;
    double mean_power_error() const;
};

// What a counted round adds to its band.
struct CountedRound {
    int band = no_band;
    bool first_shot_hit = false;
    bool hit = false;
    bool first_struck = false;  // the first shot's main shell struck somewhere
    int first_miss = 0;         // signed, pixels
    bool aimed = false;         // the round's window is known and some power reached
    double power_error = 0.0;   // then: the first shot's power less the round's best
};

struct CoachSkill {
    BandSkill bands[coach_band_count];
    BandSkill overall;  // every counted round: the constant guess's rate

    void add(const CountedRound& round);
    // The player's first-shot estimate over every counted round: the
    // prior of each band, and the constant guess predictions are graded
    // against.
    double overall_estimate() const;
    // A band's estimate, smoothed towards the player's.
    double estimate(int band) const;
    // The rating, 0 to 100: the harmonic mean of the known bands' estimates;
    // -1 with no band known.
    double rating() const;
    int known_bands() const;
    // Up to coach_weakest known bands below focus_target, weakest first
    // (lowest estimate; the lower band number on a tie); answers how many.
    int weakest(int (&bands)[coach_weakest]) const;
};

}  // namespace qm
