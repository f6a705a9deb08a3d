// Parsing drill files: each key's values checked for range, the map found
// beside the file, and a digest of the settings for the history's bests.
#include "formats/drill/drill_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "formats/fnv1a.h"
#include "formats/history/history_record.h"
#include "formats/text_file.h"
#include "formats/utf8.h"
#include "formats/words.h"
#include "raster/plain_file.h"
#include "sim/drill/drill_map.h"
#include "sim/shot_control.h"

namespace qm {

namespace {

constexpr std::size_t max_drill_file = 1 << 20;  // a drill is a few lines; a larger file is not one

struct Line {
    const std::string& source;
    long number;
    std::string& error;

    bool fail(const std::string& reason) const
    {
        error = source + ":" + std::to_string(number) + ": " + reason;
        return false;
    }
};

bool whole(std::string_view word, long low, long high, int& value)
{
    long parsed = 0;
    if (!parse_whole_number(word, low, high, parsed)) return false;
    value = static_cast<int>(parsed);
    return true;
}

bool parse_map(std::string_view rest, const std::string& folder, DrillRules& rules, const Line& line)
{
    if (rest.empty()) return line.fail("map needs flat, a sample map's name or a map file");
    const std::string value(rest);
    if (value == "flat") {
        rules.map_kind = DrillMap::level;
        return true;
    }
    if (is_sample_map(value.c_str())) {
        rules.map_kind = DrillMap::sample;
        std::snprintf(rules.map, sizeof rules.map, "%s", value.c_str());
        return true;
    }
    if (value.find('\0') != std::string::npos) return line.fail("map path holds a NUL byte");
    const std::filesystem::path path(value);
    const std::string resolved = path.is_absolute() || folder.empty() ? value : (std::filesystem::path(folder) / path).string();
    if (resolved.size() >= sizeof rules.map) return line.fail("map path longer than " + std::to_string(sizeof rules.map - 1) + " characters");
    rules.map_kind = DrillMap::file;
    std::snprintf(rules.map, sizeof rules.map, "%s", resolved.c_str());
    return true;
}

bool parse_wind(std::string_view rest, DrillRules& rules, const Line& line)
{
    const std::string reason = "wind needs 'fixed S A', 'SMIN SMAX' or 'SMIN SMAX AMIN AMAX' (strengths 0 to " +
                               std::to_string(drill_max_wind) + ", directions 0 to " + std::to_string(drill_max_wang) + ")";
    std::vector<std::string_view> words;
    for (std::string_view w = next_word(rest); !w.empty(); w = next_word(rest)) words.push_back(w);
    if (words.size() == 3 && words[0] == "fixed") {
        int s = 0, a = 0;
        if (!whole(words[1], 0, drill_max_wind, s) || !whole(words[2], 0, drill_max_wang, a)) return line.fail(reason);
        rules.wind_min = rules.wind_max = s;
        rules.wang_min = rules.wang_max = a;
        return true;
    }
    if (words.size() != 2 && words.size() != 4) return line.fail(reason);
    if (!whole(words[0], 0, drill_max_wind, rules.wind_min) || !whole(words[1], 0, drill_max_wind, rules.wind_max) ||
        rules.wind_min > rules.wind_max) {
        return line.fail(reason);
    }
    rules.wang_min = 0;
    rules.wang_max = drill_max_wang;
    if (words.size() == 4 &&
        (!whole(words[2], 0, drill_max_wang, rules.wang_min) || !whole(words[3], 0, drill_max_wang, rules.wang_max))) {
        return line.fail(reason);
    }
    return true;
}

// One line's key and values into rules; `seen` guards against a key given twice.
bool parse_key(std::string_view key, std::string_view rest, const std::string& folder, DrillRules& rules,
               std::vector<std::string>& seen, const Line& line)
{
    for (const std::string& k : seen) {
        if (k == key) return line.fail(std::string(key) + " given twice");
    }
    seen.emplace_back(key);
    if (key == "name") {
        if (rest.empty()) return line.fail("name needs a text");
        if (rest.size() >= sizeof rules.name) return line.fail("name longer than " + std::to_string(sizeof rules.name - 1) + " bytes");
        if (has_control_character(rest)) return line.fail("name holds a control character");
        std::snprintf(rules.name, sizeof rules.name, "%.*s", static_cast<int>(rest.size()), rest.data());
        return true;
    }
    if (key == "map") return parse_map(rest, folder, rules, line);
    if (key == "wind") return parse_wind(rest, rules, line);

    const std::string_view value = next_word(rest);
    bool ok = false;
    std::string reason;
    if (key == "rounds") {
        ok = whole(value, drill_min_rounds, drill_max_rounds, rules.rounds);
        reason = "rounds needs a whole number from 1 to " + std::to_string(drill_max_rounds);
    } else if (key == "shots") {
        ok = whole(value, drill_min_shots, drill_max_shots, rules.shots);
        reason = "shots needs a whole number from 1 to " + std::to_string(drill_max_shots);
    } else if (key == "distance") {
        const std::string_view max = next_word(rest);
        ok = whole(value, drill_min_distance, drill_max_distance, rules.distance_min) &&
             whole(max, drill_min_distance, drill_max_distance, rules.distance_max) &&
             rules.distance_min <= rules.distance_max;
        reason = "distance needs MIN MAX, whole numbers from " + std::to_string(drill_min_distance) + " to " +
                 std::to_string(drill_max_distance) + ", MIN not above MAX";
    } else if (key == "side") {
        ok = true;
        if (value == "right") {
            rules.side = DrillSide::right;
        } else if (value == "left") {
            rules.side = DrillSide::left;
        } else if (value == "either") {
            rules.side = DrillSide::either;
        } else {
            ok = false;
        }
        reason = "side needs right, left or either";
    } else if (key == "angle") {
        rules.angle_fixed = value != "free";
        ok = !rules.angle_fixed || parse_decimal(value, min_aim_angle, max_aim_angle, rules.angle);
        reason = "angle needs free or a fixed angle from " + aim_angle_range();
    } else if (key == "aids") {
        ok = value == "none" || value == "all";
        rules.aids = value == "all";
        reason = "aids needs none or all";
    } else if (key == "plan") {
        ok = value == "drawn" || value == "coach";
        rules.coach = value == "coach";
        reason = "plan needs drawn or coach";
    } else {
        return line.fail("unknown key " + quoted(key) +
                         "; keys: name, map, rounds, shots, distance, side, wind, angle, aids, plan");
    }
    if (!ok) return line.fail(reason + ", not " + quoted(value));
    if (!rest.empty()) return line.fail(std::string(key) + " takes no further value, found " + quoted(rest));
    return true;
}

}  // namespace

bool map_digest(const char* path, std::string& digest, std::string& error)
{
    std::string reason;
    std::FILE* file = open_plain_file(path, reason);
    if (file == nullptr) {
        error = std::string(path) + ": " + reason;
        return false;
    }
    Fnv1a hash;
    unsigned char buffer[4096];
    std::size_t total = 0;
    for (std::size_t got; total <= max_map_file && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        for (std::size_t i = 0; i < got; ++i) hash.byte(buffer[i]);
        total += got;
    }
    const int failure = std::ferror(file) != 0 ? errno : 0;
    std::fclose(file);
    if (failure != 0 || total > max_map_file) {
        error = std::string(path) + ": " +
                (failure != 0 ? std::strerror(failure) : "larger than " + std::to_string(max_map_file) + " bytes; not a map");
        return false;
    }
    digest = digest_text(hash.hash());
    return true;
}

std::uint64_t drill_settings_digest(const DrillRules& s, const std::string& map)
{
    char text[drill_name_size + map_name_size + 160];
    std::snprintf(text, sizeof text, "%s|%d|%s|%d|%d|%d|%d|%d|%d|%d|%d|%d|%d|%.3f|%d", s.name,
                  static_cast<int>(s.map_kind), map.c_str(), s.rounds, s.shots, s.distance_min, s.distance_max,
                  static_cast<int>(s.side), s.wind_min, s.wind_max, s.wang_min, s.wang_max, s.angle_fixed ? 1 : 0,
                  s.angle, s.aids ? 1 : 0);
    Fnv1a hash;
    // Added only for the coach's plan, so every other drill keeps its digest and its bests.
    if (s.coach) std::snprintf(text + std::strlen(text), sizeof text - std::strlen(text), "|coach");
    hash.text(text);
    return hash.hash();
}

bool parse_drill(std::string_view text, const std::string& source, const std::string& folder,
                 const std::string& default_name, DrillRules& rules, std::string& error)
{
    rules = DrillRules{};
    std::snprintf(rules.name, sizeof rules.name, "%s", default_name.c_str());
    if (text.starts_with(byte_order_mark)) text.remove_prefix(byte_order_mark.size());
    std::vector<std::string> seen;
    long number = 0;
    long map_line = 0;
    while (!text.empty() || number == 0) {
        ++number;
        const std::string_view raw = take_line(text);
        const Line line{source, number, error};
        if (!valid_utf8(raw)) return line.fail("not UTF-8 text");
        std::string_view rest = trim_blanks(without_comment(raw));
        if (rest.empty()) continue;
        const std::string_view key = next_word(rest);
        if (key == "map") map_line = number;
        if (!parse_key(key, rest, folder, rules, seen, line)) return false;
    }
    std::string map = rules.map;
    std::string why;
    if (rules.map_kind == DrillMap::file && !map_digest(rules.map, map, why)) return Line{source, map_line, error}.fail(why);
    rules.digest = drill_settings_digest(rules, map);
    return true;
}

bool read_drill_file(const std::string& path, DrillRules& rules, std::string& error)
{
    std::string text;
    std::string reason;
    if (!read_text_file(path, max_drill_file, text, reason)) {
        error = path + ": " + reason;
        return false;
    }
    const std::filesystem::path p(path);
    return parse_drill(text, path, p.parent_path().string(), p.stem().string(), rules, error);
}

}  // namespace qm
