// Rounds and shots as named JSON fields, each field's name, range and
// decimals in one table entry.
#include "formats/history/rounds_played.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

#include "bodies/field.h"
#include "formats/json.h"
#include "sim/drill/coach_bands.h"
#include "sim/drill/drill_run.h"

namespace qm {

namespace {

constexpr int max_span = field_right - field_left;  // no distance or miss is wider than the field
constexpr double max_angle = 360.0;
constexpr double max_power = 4.0;

// One named field of a round or a shot: a whole number within [low, high],
// a flag, or a decimal within [low, high] written with `digits` decimals.
template <class Record>
struct NamedField {
    constexpr NamedField(const char* n, int Record::*w, int lo, int hi) : name(n), whole(w), least(lo), most(hi) {}
    constexpr NamedField(const char* n, bool Record::*f) : name(n), flag(f) {}
    constexpr NamedField(const char* n, double Record::*d, double lo, double hi, int places)
        : name(n), decimal(d), low(lo), high(hi), digits(places)
    {
    }

    const char* name;
    int Record::*whole = nullptr;
    bool Record::*flag = nullptr;
    double Record::*decimal = nullptr;
    int least = 0, most = 0;      // a whole number's range
    double low = 0.0, high = 0.0;  // a decimal's
    int digits = 0;
};

// A round's fields in the order written; its shots follow as "shots".
const NamedField<HistoryRound> round_fields[] = {
    {"round", &HistoryRound::number, 1, drill_max_rounds},
    {"distance", &HistoryRound::distance, 0, max_span},
    {"side", &HistoryRound::side, -1, 1},
    {"wind", &HistoryRound::wind, 0, drill_max_wind},
    {"direction", &HistoryRound::wang, 0, drill_max_wang},
    {"along", &HistoryRound::along, -drill_max_wind, drill_max_wind},
    {"band", &HistoryRound::band, no_band, coach_band_count - 1},
    {"angle_fixed", &HistoryRound::angle_fixed},
    {"assisted", &HistoryRound::assisted},
    {"predicted", &HistoryRound::predicted, 0.0, 1.0, 3},
};

// A round's hit window, when some power hurts the target.
const NamedField<HistoryRound> window_fields[] = {
    {"best", &HistoryRound::best, 0.0, max_power, 2},
    {"low", &HistoryRound::low, 0.0, max_power, 2},
    {"high", &HistoryRound::high, 0.0, max_power, 2},
};
constexpr const char* window_out_of_reach = "out of reach";

// A shot's fields; its "miss" follows, null when the shell struck nothing.
const NamedField<HistoryShot> shot_fields[] = {
    {"angle", &HistoryShot::angle, 0.0, max_angle, 2},
    {"power", &HistoryShot::power, 0.0, max_power, 2},
    {"damage", &HistoryShot::damage, 0, drill_max_shot_damage},
};

bool whole_value(const std::string& text, JsonKind kind, int low, int high, int& value)
{
    if (kind != JsonKind::number) return false;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end != text.c_str() + text.size() || parsed < low || parsed > high) return false;
    value = static_cast<int>(parsed);
    return true;
}

bool decimal_value(const std::string& text, JsonKind kind, double low, double high, double& value)
{
    if (kind != JsonKind::number) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && value >= low && value <= high;
}

template <class Record>
void write_fields(JsonWriter& json, const Record& record, const NamedField<Record>* fields, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const NamedField<Record>& f = fields[i];
        if (f.whole != nullptr) json.number(f.name, record.*f.whole);
        if (f.flag != nullptr) json.boolean(f.name, record.*f.flag);
        if (f.decimal != nullptr) json.decimal(f.name, record.*f.decimal, f.digits);
    }
}

// The member into its field, marked as seen; true (and nothing marked) for
// a name that is no field; false for a value out of the field's kind or range.
template <class Record>
bool read_field(const std::string& key, const std::string& value, JsonKind kind, const NamedField<Record>* fields,
                std::size_t count, Record& record, std::uint32_t& seen)
{
    for (std::size_t i = 0; i < count; ++i) {
        const NamedField<Record>& f = fields[i];
        if (key != f.name) continue;
        seen |= std::uint32_t{1} << i;
        if (f.whole != nullptr) return whole_value(value, kind, f.least, f.most, record.*f.whole);
        if (f.flag != nullptr) {
            record.*f.flag = value == "true";
            return kind == JsonKind::boolean;
        }
        return decimal_value(value, kind, f.low, f.high, record.*f.decimal);
    }
    return true;
}

constexpr std::uint32_t all_of(std::size_t count) { return (std::uint32_t{1} << count) - 1; }

bool parse_shot(const std::string& text, JsonKind kind, HistoryShot& s)
{
    std::uint32_t seen = 0;
    bool miss_seen = false;
    const bool read = kind == JsonKind::object &&
                      read_json_object(text, [&](const std::string& key, const std::string& value, JsonKind k) {
                          if (key != "miss") return read_field(key, value, k, shot_fields, std::size(shot_fields), s, seen);
                          miss_seen = true;
                          s.struck = k != JsonKind::null;
                          return !s.struck || whole_value(value, k, -max_span, max_span, s.miss);
                      });
    return read && miss_seen && seen == all_of(std::size(shot_fields));
}

bool parse_shots(const std::string& text, JsonKind kind, HistoryRound& r)
{
    r.shots = 0;
    return kind == JsonKind::array && read_json_array(text, [&](const std::string& value, JsonKind k) {
               return r.shots < drill_max_shots && parse_shot(value, k, r.shot[r.shots++]);
           }) && r.shots > 0;
}

// The checks between fields: a side, the wind along within the wind, the
// band one its rule puts the round in (then today's).
bool round_consistent(HistoryRound& r)
{
    return r.side != 0 && r.along >= -r.wind && r.along <= r.wind && take_band(r);
}

// The round's hit window: {"best":1.08,"low":0.83,"high":1.19}; "out of
// reach" when no power hurt the target; null when it is not known.
bool parse_window(const std::string& text, JsonKind kind, HistoryRound& r)
{
    r.window_known = kind != JsonKind::null;
    r.window_reaches = kind == JsonKind::object;
    if (kind == JsonKind::null) return true;
    if (kind == JsonKind::string) return text == window_out_of_reach;
    std::uint32_t seen = 0;
    return kind == JsonKind::object &&
           read_json_object(text, [&](const std::string& key, const std::string& value, JsonKind k) {
               return read_field(key, value, k, window_fields, std::size(window_fields), r, seen);
           }) &&
           seen == all_of(std::size(window_fields)) && r.low <= r.best && r.best <= r.high;
}

void write_window(JsonWriter& json, const HistoryRound& r)
{
    if (!r.window_known) {
        json.null("window");
    } else if (!r.window_reaches) {
        json.text("window", window_out_of_reach);
    } else {
        json.object("window");
        write_fields(json, r, window_fields, std::size(window_fields));
        json.close();
    }
}

bool parse_round(const std::string& text, JsonKind kind, HistoryRound& r)
{
    std::uint32_t seen = 0;
    bool shots_seen = false;
    const bool read = kind == JsonKind::object &&
                      read_json_object(text, [&](const std::string& key, const std::string& value, JsonKind k) {
                          if (key == "window") return parse_window(value, k, r);
                          if (key != "shots") return read_field(key, value, k, round_fields, std::size(round_fields), r, seen);
                          shots_seen = true;
                          return parse_shots(value, k, r);
                      });
    return read && shots_seen && seen == all_of(std::size(round_fields)) && round_consistent(r);
}

}  // namespace

void write_rounds_played(JsonWriter& json, const std::vector<HistoryRound>& rounds)
{
    json.array("rounds_played");
    for (const HistoryRound& r : rounds) {
        json.open();
        write_fields(json, r, round_fields, std::size(round_fields));
        write_window(json, r);
        json.array("shots");
        for (int s = 0; s < r.shots; ++s) {
            json.open();
            write_fields(json, r.shot[s], shot_fields, std::size(shot_fields));
            if (r.shot[s].struck) {
                json.number("miss", r.shot[s].miss);
            } else {
                json.null("miss");
            }
            json.close();
        }
        json.close_array();
        json.close();
    }
    json.close_array();
}

bool parse_rounds_played(std::string_view text, std::vector<HistoryRound>& rounds)
{
    rounds.clear();
    return read_json_array(text, [&](const std::string& value, JsonKind kind) {
        HistoryRound r;
        if (rounds.size() == drill_max_rounds || !parse_round(value, kind, r)) return false;
        rounds.push_back(r);
        return true;
    });
}

}  // namespace qm
