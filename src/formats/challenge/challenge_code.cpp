// Writing and reading challenge codes: the drill's settings as bytes, fixed
// widths lowest byte first, base64url without padding, and a check of the
// low 32 bits of FNV-1a over the code's head and the bytes before it.
#include "formats/challenge/challenge_code.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "formats/byte_fields.h"
#include "formats/drill/drill_file.h"
#include "formats/fnv1a.h"
#include "formats/utf8.h"
#include "formats/words.h"
#include "sim/drill/drill_map.h"
#include "sim/drill/drill_run.h"
#include "sim/shot_control.h"

namespace qm {

namespace {

constexpr std::string_view code_start = "qm";
constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr std::size_t check_size = 4;

// A double's bits and back (std::bit_cast is missing from the WebAssembly
// build's library).
std::uint64_t bits_of(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double double_of(std::uint64_t bits)
{
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The first byte's bits.
constexpr unsigned flag_sample = 1;      // a sample map, named next; otherwise the flat map
constexpr unsigned side_shift = 1;       // two bits: DrillSide
constexpr unsigned flag_angle = 8;       // a fixed angle follows the winds
constexpr unsigned flag_aids = 16;
constexpr unsigned flag_sender = 32;     // the sender's name follows the drill's
constexpr unsigned flag_score = 64;      // a score to beat follows
constexpr unsigned flag_packed = 128;    // the map is a file that travels beside the settings (packs only)
constexpr unsigned code_flags = 127;

std::string to_base64url(std::string_view bytes)
{
    std::string text;
    unsigned bits = 0;
    int count = 0;
    for (char c : bytes) {
        bits = (bits << 8) | static_cast<unsigned char>(c);
        for (count += 8; count >= 6; count -= 6) text += alphabet[(bits >> (count - 6)) & 63u];
    }
    if (count > 0) text += alphabet[(bits << (6 - count)) & 63u];
    return text;
}

// False at a character not in the alphabet or a length no bytes encode to.
bool from_base64url(std::string_view text, std::string& bytes)
{
    if (text.size() % 4 == 1) return false;
    bytes.clear();
    unsigned bits = 0;
    int count = 0;
    for (char c : text) {
        const std::size_t value = alphabet.find(c);
        if (value == std::string_view::npos) return false;
        bits = (bits << 6) | static_cast<unsigned>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes += static_cast<char>((bits >> count) & 0xFFu);
        }
    }
    return true;
}

std::uint32_t check_of(std::string_view head, std::string_view bytes)
{
    Fnv1a hash;
    hash.text(head);
    hash.text(bytes);
    return static_cast<std::uint32_t>(hash.hash());
}

std::string head_of(int format) { return std::string(code_start) + std::to_string(format) + "-"; }

std::string name_refusal(std::string_view name, std::size_t size, const char* what)
{
    if (name.size() >= size) return std::string(what) + " longer than " + std::to_string(size - 1) + " bytes";
    if (!valid_utf8(name)) return std::string(what) + " is not UTF-8 text";
    if (has_control_character(name)) return std::string(what) + " holds a control character";
    return {};
}

bool between(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

std::string challenge_settings(const DrillRules& r, std::uint32_t seed)
{
    const DrillChallenge& c = r.challenge;
    unsigned flags = static_cast<unsigned>(r.side) << side_shift;
    if (r.map_kind == DrillMap::sample) flags |= flag_sample;
    if (r.map_kind == DrillMap::file) flags |= flag_packed;
    if (r.angle_fixed) flags |= flag_angle;
    if (r.aids) flags |= flag_aids;
    if (c.sender[0] != '\0') flags |= flag_sender;
    if (c.score_given) flags |= flag_score;
    ByteWriter w;
    w.byte(flags);
    if (r.map_kind == DrillMap::sample) w.text(r.map);
    w.number(static_cast<unsigned>(r.rounds), 1);
    w.number(static_cast<unsigned>(r.shots), 1);
    w.number(static_cast<unsigned>(r.distance_min), 2);
    w.number(static_cast<unsigned>(r.distance_max), 2);
    w.number(static_cast<unsigned>(r.wind_min), 1);
    w.number(static_cast<unsigned>(r.wind_max), 1);
    w.number(static_cast<unsigned>(r.wang_min), 2);
    w.number(static_cast<unsigned>(r.wang_max), 2);
    if (r.angle_fixed) w.number(bits_of(r.angle), 8);
    w.number(seed, 4);
    w.text(r.name);
    if (c.sender[0] != '\0') w.text(c.sender);
    if (c.score_given) w.number(static_cast<std::uint64_t>(c.score), 4);
    return w.bytes();
}

bool read_challenge_settings(std::string_view bytes, bool in_pack, DrillRules& r, std::uint32_t& seed,
                             std::string& error)
{
    ByteReader in(bytes);
    const unsigned flags = static_cast<unsigned>(in.number(1));
    std::string_view map;
    if ((flags & flag_sample) != 0) map = in.text();
    r.rounds = in.whole(1);
    r.shots = in.whole(1);
    r.distance_min = in.whole(2);
    r.distance_max = in.whole(2);
    r.wind_min = in.whole(1);
    r.wind_max = in.whole(1);
    r.wang_min = in.whole(2);
    r.wang_max = in.whole(2);
    r.angle_fixed = (flags & flag_angle) != 0;
    if (r.angle_fixed) r.angle = double_of(in.number(8));
    seed = static_cast<std::uint32_t>(in.number(4));
    const std::string_view name = in.text();
    const std::string_view sender = (flags & flag_sender) != 0 ? in.text() : std::string_view();
    r.challenge.score_given = (flags & flag_score) != 0;
    if (r.challenge.score_given) r.challenge.score = static_cast<long long>(in.number(4));
    const unsigned side = (flags >> side_shift) & 3u;
    const unsigned known_flags = in_pack ? code_flags | flag_packed : code_flags;
    const bool fits = in.whole_read() && (flags & ~known_flags) == 0 && side <= 2 &&
                      between(r.rounds, drill_min_rounds, drill_max_rounds) &&
                      between(r.shots, drill_min_shots, drill_max_shots) &&
                      between(r.distance_min, drill_min_distance, r.distance_max) &&
                      r.distance_max <= drill_max_distance && between(r.wind_min, 0, r.wind_max) &&
                      r.wind_max <= drill_max_wind && between(r.wang_min, 0, drill_max_wang) &&
                      between(r.wang_max, 0, drill_max_wang) &&
                      (!r.angle_fixed || (r.angle >= min_aim_angle && r.angle <= max_aim_angle)) && !name.empty() &&
                      name_refusal(name, sizeof r.name, "name").empty() &&
                      ((flags & flag_sender) == 0 || (!sender.empty() && sender_refusal(sender).empty())) &&
                      (!r.challenge.score_given || score_refusal(r.challenge.score, r).empty());
    if (!fits) {
        error = "a damaged code (its settings do not read)";
        return false;
    }
    r.side = static_cast<DrillSide>(side);
    r.aids = (flags & flag_aids) != 0;
    std::snprintf(r.name, sizeof r.name, "%.*s", static_cast<int>(name.size()), name.data());
    std::snprintf(r.challenge.sender, sizeof r.challenge.sender, "%.*s", static_cast<int>(sender.size()), sender.data());
    if ((flags & flag_packed) != 0) r.map_kind = DrillMap::file;
    if ((flags & flag_sample) == 0) return true;
    std::snprintf(r.map, sizeof r.map, "%.*s", static_cast<int>(map.size()), map.data());
    r.map_kind = DrillMap::sample;
    if (map.size() >= sizeof r.map || !is_sample_map(r.map)) {
        error = "the code's map " + quoted(map) + " is not in this build (it has flat, hills, cave, islands, tower)";
        return false;
    }
    return true;
}

namespace {

// The format's number between "qm" and '-'; zero for text that is no code.
int format_of(std::string_view code, std::string_view& rest)
{
    if (!code.starts_with(code_start)) return 0;
    const std::size_t dash = code.find('-');
    long format = 0;
    if (dash == std::string_view::npos || !parse_whole_number(code.substr(2, dash - 2), 1, 9999, format)) return 0;
    rest = code.substr(dash + 1);
    return static_cast<int>(format);
}

}  // namespace

std::uint64_t challenge_digest(const DrillRules& rules, const std::string& map, std::uint32_t seed)
{
    Fnv1a hash;
    hash.text("challenge");
    hash.value(drill_settings_digest(rules, map));
    hash.value(seed);
    return hash.hash();
}

std::string sender_refusal(std::string_view name)
{
    return name_refusal(name, challenge_sender_size, "the sender's name");
}

std::string score_refusal(long long score, const DrillRules& rules)
{
    const long long most = rules.rounds * drill_max_round_points;
    if (score >= 0 && score <= most) return {};
    return "a score from 0 to " + std::to_string(most) + " (" + std::to_string(rules.rounds) + " rounds of at most " +
           std::to_string(drill_max_round_points) + ")";
}

std::string travel_refusal(const DrillRules& rules)
{
    if (rules.coach) return "the coach plans its rounds from each player's own history, so its draws cannot travel";
    std::string why = sender_refusal(rules.challenge.sender);
    if (why.empty() && rules.challenge.score_given) why = score_refusal(rules.challenge.score, rules);
    return why;
}

bool encode_challenge(const DrillRules& rules, std::uint32_t seed, std::string& code, std::string& error)
{
    if (rules.map_kind == DrillMap::file) {
        error = "its map is a file; a code holds a drill on the flat map or a sample map";
        return false;
    }
    error = travel_refusal(rules);
    if (!error.empty()) return false;
    const std::string head = head_of(challenge_format);
    ByteWriter bytes;
    const std::string settings = challenge_settings(rules, seed);
    bytes.number(check_of(head, settings), check_size);
    code = head + to_base64url(settings + bytes.bytes());
    return true;
}

bool decode_challenge(std::string_view code, DrillRules& rules, std::uint32_t& seed, std::string& error)
{
    std::string_view body;
    const int format = format_of(code, body);
    if (format == 0) {
        error = "not a challenge code (they begin with " + head_of(challenge_format) + ")";
        return false;
    }
    if (format > challenge_format) {
        error = "a code of format " + std::to_string(format) + ", from a later version of qmsim (this one reads up to format " +
                std::to_string(challenge_format) + ")";
        return false;
    }
    std::string bytes;
    if (!from_base64url(body, bytes) || bytes.size() <= check_size) {
        error = "a damaged code (cut short, or a character no code holds)";
        return false;
    }
    const std::string_view settings = std::string_view(bytes).substr(0, bytes.size() - check_size);
    if (ByteReader(std::string_view(bytes).substr(settings.size())).number(check_size) !=
        check_of(code.substr(0, code.size() - body.size()), settings)) {
        error = "a damaged code (its check does not match)";
        return false;
    }
    rules = DrillRules{};
    if (!read_challenge_settings(settings, false, rules, seed, error)) return false;
    rules.challenge.active = true;
    rules.digest = challenge_digest(rules, rules.map, seed);
    return true;
}

}  // namespace qm
