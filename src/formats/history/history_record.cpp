// History records: made from a drill, written as a line and read back.
#include "formats/history/history_record.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <cinttypes>
#include <cstdio>
#include <cmath>
#include <cstdlib>

#include "bodies/field.h"
#include "formats/json.h"
#include "formats/utc_time.h"
#include "formats/utf8.h"
#include "sim/drill/coach_bands.h"
#include "sim/drill/drill_run.h"

namespace qm {

namespace {

constexpr int mean_miss_decimals = 1;
constexpr std::size_t digest_digits = 16;
// A miss is measured across the field, so none is wider than it.
constexpr double max_miss = field_right - field_left;
constexpr std::size_t max_version_size = 32;

// The keys a record cannot do without.
struct Required {
    bool time = false;
    bool drill = false;
    bool digest = false;
    bool score = false;

    bool all() const { return time && drill && digest && score; }
};

bool whole(const std::string& text, JsonKind kind, long long high, long long& value)
{
    if (kind != JsonKind::number) return false;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end != text.c_str() + text.size() || parsed < 0 || parsed > high) return false;
    value = parsed;
    return true;
}

template <class Field>
bool whole_field(const std::string& text, JsonKind kind, long long high, Field& field)
{
    long long value = 0;
    if (!whole(text, kind, high, value)) return false;
    field = static_cast<Field>(value);
    return true;
}

bool text_field(const std::string& text, JsonKind kind, std::string& field, bool& seen)
{
    if (kind != JsonKind::string) return false;
    field = text;
    seen = true;
    return true;
}

bool number_field(const std::string& text, JsonKind kind, double& field)
{
    if (kind != JsonKind::number) return false;
    char* end = nullptr;
    field = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(field);
}

bool boolean_field(const std::string& text, JsonKind kind, bool& field)
{
    if (kind != JsonKind::boolean) return false;
    field = text == "true";
    return true;
}

// One member into the record; false when its value is not of its key's kind
// or range. Keys of later versions are passed over.
bool take_member(const std::string& key, const std::string& value, JsonKind kind, HistoryRecord& r, Required& seen)
{
    if (key == "time") return text_field(value, kind, r.time, seen.time);
    if (key == "drill") return text_field(value, kind, r.drill, seen.drill);
    if (key == "digest") return text_field(value, kind, r.digest, seen.digest);
    if (key == "version") {
        bool unused = false;
        return text_field(value, kind, r.version, unused);
    }
    if (key == "format") return whole_field(value, kind, INT32_MAX, r.format) && r.format >= 1;
    if (key == "round_log") {
        // A later layout's rounds may mean something else: its scores still count.
        if (kind != JsonKind::string) return false;
        return r.format > history_format || parse_round_log(value, r.format, r.round_log);
    }
    if (key == "rating") {
        if (kind == JsonKind::null) return true;
        return number_field(value, kind, r.rating) && r.rating >= 0.0 && r.rating <= 100.0;
    }
    if (key == "coverage") return whole_field(value, kind, coach_band_count, r.coverage);
    if (key == "focus") return whole_field(value, kind, coach_band_count - 1, r.focus);
    if (key == "focus_estimate") return number_field(value, kind, r.focus_estimate) && r.focus_estimate >= 0.0 &&
                                        r.focus_estimate <= 1.0;
    if (key == "seed") return whole_field(value, kind, UINT32_MAX, r.seed);
    if (key == "rounds") return whole_field(value, kind, drill_max_rounds, r.rounds);
    if (key == "played") return whole_field(value, kind, drill_max_rounds, r.played);
    if (key == "hits") return whole_field(value, kind, drill_max_rounds, r.hits);
    if (key == "first_shot_hits") return whole_field(value, kind, drill_max_rounds, r.first_shot_hits);
    if (key == "shots") return whole_field(value, kind, drill_max_rounds * drill_max_shots, r.shots);
    if (key == "damage") return whole_field(value, kind, INT64_MAX, r.damage);
    if (key == "score") {
        seen.score = whole_field(value, kind, INT64_MAX, r.score);
        return seen.score;
    }
    if (key == "mean_miss") return number_field(value, kind, r.mean_miss);
    if (key == "assisted") return boolean_field(value, kind, r.assisted);
    if (key == "abandoned") return boolean_field(value, kind, r.abandoned);
    if (key == "challenge") return boolean_field(value, kind, r.challenge);
    return true;
}

bool hex_digest(const std::string& text)
{
    if (text.size() != digest_digits) return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

// A name shown in the terminal, a CSV row and the HUD: text without control
// characters (the reader has made sure it is UTF-8).
bool shown_text(const std::string& text, std::size_t size)
{
    return !text.empty() && text.size() < size && !has_control_character(text);
}

// The logged rounds within the session's: no more rounds than played, shots
// or hits than it counted.
bool rounds_plausible(const HistoryRecord& r)
{
    if (r.format > history_format) return true;
    int shots = 0;
    int hits = 0;
    for (const HistoryRound& round : r.round_log) {
        shots += round.shots;
        hits += round.hit() ? 1 : 0;
    }
    return static_cast<int>(r.round_log.size()) <= r.played && shots <= r.shots && hits <= r.hits;
}

// Whether the figures are those a drill can leave: counts within each other
// and the drill's limits, damage and score within what the hits and the
// rounds allow, a real instant, names that can be shown.
bool plausible(const HistoryRecord& r)
{
    long long seconds = 0;
    return parse_utc(r.time, seconds) && shown_text(r.drill, drill_name_size) && hex_digest(r.digest) &&
           (r.version.empty() || shown_text(r.version, max_version_size)) && r.rounds >= drill_min_rounds &&
           r.played <= r.rounds && r.hits <= r.played && r.first_shot_hits <= r.hits && r.hits <= r.shots &&
           r.shots <= r.rounds * drill_max_shots && r.damage <= static_cast<long long>(r.hits) * drill_max_shot_damage &&
           r.score <= r.played * drill_max_round_points && r.mean_miss >= 0.0 && r.mean_miss <= max_miss &&
           rounds_plausible(r);
}

}  // namespace

std::string digest_text(std::uint64_t digest)
{
    char text[20];
    std::snprintf(text, sizeof text, "%016" PRIx64, digest);
    return text;
}

std::string series_name(const HistoryRecord& r)
{
    return r.challenge ? r.drill + " (challenge " + r.digest.substr(0, 8) + ")" : r.drill;
}

HistoryRecord history_record(const DrillRun& d, bool abandoned, std::time_t when, const char* version)
{
    HistoryRecord r;
    r.time = utc_text(when);
    r.drill = d.rules.name;
    r.digest = digest_text(d.rules.digest);
    r.seed = d.seed;
    r.rounds = d.rules.rounds;
    r.played = d.finished ? d.rules.rounds : d.round;
    r.hits = d.hits;
    r.first_shot_hits = d.first_shot_hits;
    r.shots = d.shots;
    r.damage = d.damage;
    r.score = d.score;
    r.mean_miss = drill_mean_miss(d);
    r.assisted = d.assisted;
    r.abandoned = abandoned;
    r.version = version;
    r.format = history_format;
    r.round_log = history_rounds(d);
    r.rating = d.skill.rating();
    r.coverage = d.skill.known_bands();
    if (d.rules.coach) {
        r.focus = d.focus;
        r.focus_estimate = d.focus_estimate;
    }
    r.challenge = d.rules.challenge.active;
    return r;
}

std::string format_history_line(const HistoryRecord& r)
{
    JsonWriter json;
    json.open();
    json.text("time", r.time);
    json.text("drill", r.drill);
    json.text("digest", r.digest);
    json.number("seed", static_cast<long long>(r.seed));
    json.number("rounds", static_cast<long long>(r.rounds));
    json.number("played", static_cast<long long>(r.played));
    json.number("hits", static_cast<long long>(r.hits));
    json.number("first_shot_hits", static_cast<long long>(r.first_shot_hits));
    json.number("shots", static_cast<long long>(r.shots));
    json.number("damage", r.damage);
    json.number("score", r.score);
    json.decimal("mean_miss", r.mean_miss, mean_miss_decimals);
    json.boolean("assisted", r.assisted);
    json.boolean("abandoned", r.abandoned);
    json.text("version", r.version);
    // A record of the first layout is written as it always was.
    if (r.format >= 2) {
        json.number("format", static_cast<long long>(r.format));
        json.text("round_log", format_round_log(r.round_log));
        if (r.rating < 0.0) {
            json.null("rating");
        } else {
            json.decimal("rating", r.rating, 1);
        }
        json.number("coverage", static_cast<long long>(r.coverage));
    }
    if (r.focus != no_band) {
        json.number("focus", static_cast<long long>(r.focus));
        json.decimal("focus_estimate", r.focus_estimate, 3);
    }
    if (r.challenge) json.boolean("challenge", true);
    json.close();
    return json.line() + "\n";
}

bool parse_history_line(std::string_view line, HistoryRecord& record)
{
    HistoryRecord r;
    Required seen;
    const bool read = read_flat_json(line, [&](const std::string& key, const std::string& value, JsonKind kind) {
        return take_member(key, value, kind, r, seen);
    });
    if (!read || !seen.all() || !plausible(r)) return false;
    record = std::move(r);
    return true;
}

void clear_history_figures(DrillRun& d)
{
    d.best_known = false;
    d.best = 0;
    d.chart_count = 0;
    d.skill = CoachSkill{};
    d.focus_memory = FocusMemory{};
}

void take_history_figure(const HistoryRecord& r, const DrillRules& rules, DrillRun& d)
{
    add_rounds(d.skill, r.round_log);
    if (!r.abandoned) remember_focus(d.focus_memory, r.focus, r.focus_estimate);
    if (r.digest != digest_text(rules.digest) || r.abandoned) return;
    if (!d.best_known || r.score > d.best) d.best = r.score;
    d.best_known = true;
    add_chart_score(d, r.score);
}

void copy_history_figures(const DrillRun& from, DrillRun& to)
{
    to.best_known = from.best_known;
    to.best = from.best;
    std::copy(std::begin(from.chart), std::end(from.chart), std::begin(to.chart));
    to.chart_count = from.chart_count;
    to.skill = from.skill;
    to.focus_memory = from.focus_memory;
}

void take_history_figures(const std::vector<HistoryRecord>& records, const DrillRules& rules, DrillRun& d)
{
    clear_history_figures(d);
    for (const HistoryRecord& r : records) take_history_figure(r, rules, d);
}

}  // namespace qm
