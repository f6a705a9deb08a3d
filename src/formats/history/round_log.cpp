// The round log: made from a drill's records, written and read back with
// every value checked.
#include "formats/history/round_log.h"

#include <cstdio>

#include "bodies/field.h"
#include "formats/words.h"
#include "sim/drill/coach_bands.h"
#include "sim/drill/drill_run.h"

namespace qm {

namespace {

constexpr int max_span = field_right - field_left;  // no distance or miss is wider than the field
constexpr double max_power = 4.0;
constexpr double max_angle = 360.0;
constexpr int round_fields = 9;  // before the shots

// The wind bands of lines written before the bands measured the wind's
// effect: by the wind along the shot, lowest of each band, strongest head
// wind first, and the end of the last.
constexpr int along_edges[coach_wind_bands + 1] = {-25, -12, -4, 5, 13, 26};

int along_band(int distance, int along)
{
    const int d = distance_band(distance);
    for (int w = 0; d != no_band && w < coach_wind_bands; ++w) {
        if (along >= along_edges[w] && along < along_edges[w + 1]) return d * coach_wind_bands + w;
    }
    return no_band;
}

// The band a round counts in, by today's rule, from what its line keeps.
int band_of(const HistoryRound& r) { return coach_band(r.distance, wind_effect(r.wind, r.wang, r.side)); }

// A whole number with an optional '-', the whole of word, within [low, high].
bool signed_whole(std::string_view word, long low, long high, int& value)
{
    const bool negative = !word.empty() && word.front() == '-';
    if (negative) word.remove_prefix(1);
    long parsed = 0;
    if (!parse_whole_number(word, 0, negative ? -low : high, parsed)) return false;
    value = static_cast<int>(negative ? -parsed : parsed);
    return value >= low && value <= high;
}

bool flag(std::string_view word, bool& value)
{
    if (word != "0" && word != "1") return false;
    value = word == "1";
    return true;
}

// "angle/power/damage/miss", the miss 'x' when the shell struck nothing.
bool parse_shot(std::string_view word, HistoryShot& s)
{
    std::string_view parts[4];
    for (int i = 0; i < 4; ++i) {
        const std::size_t slash = word.find('/');
        if ((slash == std::string_view::npos) != (i == 3)) return false;
        parts[i] = word.substr(0, slash);
        word = slash == std::string_view::npos ? std::string_view() : word.substr(slash + 1);
    }
    s.struck = parts[3] != "x";
    return parse_decimal(parts[0], 0.0, max_angle, s.angle) && parse_decimal(parts[1], 0.0, max_power, s.power) &&
           signed_whole(parts[2], 0, drill_max_shot_damage, s.damage) &&
           (!s.struck || signed_whole(parts[3], -max_span, max_span, s.miss));
}

bool parse_round(std::string_view text, HistoryRound& r)
{
    std::string_view w[round_fields];
    for (std::string_view& word : w) word = next_word(text);
    bool ok = signed_whole(w[0], 0, max_span, r.distance) && signed_whole(w[1], -1, 1, r.side) && r.side != 0 &&
              signed_whole(w[2], 0, drill_max_wind, r.wind) && signed_whole(w[3], 0, drill_max_wang, r.wang) &&
              signed_whole(w[4], -r.wind, r.wind, r.along) && signed_whole(w[5], no_band, coach_band_count - 1, r.band) &&
              flag(w[6], r.angle_fixed) && flag(w[7], r.assisted) && parse_decimal(w[8], 0.0, 1.0, r.predicted);
    ok = ok && take_band(r);
    r.shots = 0;
    for (std::string_view word = next_word(text); ok && !word.empty(); word = next_word(text)) {
        ok = r.shots < drill_max_shots && parse_shot(word, r.shot[r.shots]);
        ++r.shots;
    }
    return ok && r.shots > 0;
}

}  // namespace

bool HistoryRound::hit() const
{
    for (int i = 0; i < shots; ++i) {
        if (shot[i].damage > 0) return true;
    }
    return false;
}

bool counts_in_band(const HistoryRound& r) { return r.band != no_band && !r.assisted; }

bool take_band(HistoryRound& r)
{
    if (r.band != band_of(r) && r.band != along_band(r.distance, r.along)) return false;
    r.band = band_of(r);
    return true;
}

void add_rounds(CoachSkill& skill, const std::vector<HistoryRound>& rounds)
{
    for (const HistoryRound& r : rounds) {
        if (!counts_in_band(r)) continue;
        skill.add(CountedRound{r.band, r.first_shot_hit(), r.hit(), r.shot[0].struck, r.shot[0].miss,
                               r.window_known && r.window_reaches, r.shot[0].power - r.best});
    }
}

int rounds_played(const DrillRun& d)
{
    if (d.finished) return d.rules.rounds;
    return d.round + (d.rounds[d.round].shots > 0 ? 1 : 0);
}

std::vector<HistoryRound> history_rounds(const DrillRun& d)
{
    std::vector<HistoryRound> rounds;
    const int played = rounds_played(d);
    for (int i = 0; i < played; ++i) {
        const DrillRoundRecord& r = d.rounds[i];
        if (!r.measured || r.shots == 0) continue;
        HistoryRound h;
        h.number = i + 1;
        h.distance = round_distance(r);
        h.side = round_side(r);
        h.wind = r.wind;
        h.wang = r.wang;
        h.along = r.along;
        h.band = r.band;
        h.angle_fixed = r.angle_fixed;
        h.assisted = r.assisted;
        h.predicted = r.predicted;
        h.window_known = r.window_known;
        h.window_reaches = r.window_reaches;
        h.best = r.best;
        h.low = r.low;
        h.high = r.high;
        h.shots = r.shots;
        for (int s = 0; s < r.shots; ++s) {
            const DrillShotRecord& shot = r.shot[s];
            h.shot[s] = HistoryShot{shot.angle, shot.power, shot.damage, shot.struck, shot.signed_miss};
        }
        rounds.push_back(h);
    }
    return rounds;
}

std::string format_round_log(const std::vector<HistoryRound>& rounds)
{
    std::string text;
    char part[96];
    for (const HistoryRound& r : rounds) {
        if (!text.empty()) text += ';';
        std::snprintf(part, sizeof part, "%d %d %d %d %d %d %d %d %.3f", r.distance, r.side, r.wind, r.wang, r.along,
                      r.band, r.angle_fixed ? 1 : 0, r.assisted ? 1 : 0, r.predicted);
        text += part;
        for (int s = 0; s < r.shots; ++s) {
            const HistoryShot& shot = r.shot[s];
            if (shot.struck) {
                std::snprintf(part, sizeof part, " %.2f/%.2f/%d/%d", shot.angle, shot.power, shot.damage, shot.miss);
            } else {
                std::snprintf(part, sizeof part, " %.2f/%.2f/%d/x", shot.angle, shot.power, shot.damage);
            }
            text += part;
        }
    }
    return text;
}

bool parse_round_log(std::string_view text, std::vector<HistoryRound>& rounds)
{
    rounds.clear();
    while (!text.empty()) {
        const std::size_t end = text.find(';');
        HistoryRound r;
        // The text keeps no round numbers: its rounds are taken as played one after another.
        r.number = static_cast<int>(rounds.size()) + 1;
        if (!parse_round(text.substr(0, end), r) || rounds.size() == drill_max_rounds) return false;
        rounds.push_back(r);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (end != std::string_view::npos && text.empty()) return false;
    }
    return true;
}

}  // namespace qm
