// Writing and reading challenge packs: "QMC", the format's byte, the
// settings as a code holds them, the map run-length coded, and a check of
// the low 32 bits of FNV-1a over all before it. Numbers are little-endian.
#include "formats/challenge/challenge_pack.h"

#include <cstdio>

#include "formats/byte_fields.h"
#include "formats/challenge/challenge_code.h"
#include "formats/drill/drill_file.h"
#include "formats/fnv1a.h"
#include "formats/history/history_record.h"
#include "formats/run_length.h"
#include "formats/text_file.h"
#include "formats/user_files.h"
#include "raster/replace_file.h"

namespace qm {

namespace {

constexpr std::string_view pack_start = "QMC";
constexpr unsigned pack_format = 1;  // the newest format this build writes and reads
constexpr std::size_t max_pack_file = max_map_file + max_map_file / 64 + (std::size_t{64} << 10);

std::uint32_t check_of(std::string_view bytes)
{
    Fnv1a hash;
    hash.text(bytes);
    return static_cast<std::uint32_t>(hash.hash());
}

std::string pack_bytes(const DrillRules& rules, std::uint32_t seed, std::string_view map)
{
    ByteWriter w;
    w.block(pack_start);
    w.byte(pack_format);
    const std::string settings = challenge_settings(rules, seed);
    w.number(settings.size(), 4);
    w.block(settings);
    const std::string coded = run_length_encode(map);
    w.number(map.size(), 4);
    w.number(coded.size(), 4);
    w.block(coded);
    w.number(check_of(w.bytes()), 4);
    return w.bytes();
}

// The settings and the map's bytes from a pack whose head and check are
// sound; false with the reason.
bool read_fields(std::string_view body, DrillRules& rules, std::uint32_t& seed, std::string& map, std::string& error)
{
    ByteReader in(body);
    const std::string_view settings = in.block(in.number(4));
    const std::uint64_t map_size = in.number(4);
    const std::string_view coded = in.block(in.number(4));
    if (!in.whole_read() || map_size > max_map_file ||
        !run_length_decode(coded, static_cast<std::size_t>(map_size), map) ||
        map.size() != map_size) {
        error = "a damaged pack (its parts do not read)";
        return false;
    }
    if (!read_challenge_settings(settings, true, rules, seed, error)) return false;
    if ((rules.map_kind == DrillMap::file) != !map.empty()) {
        error = "a damaged pack (its map does not match its drill)";
        return false;
    }
    return true;
}

// Writes the map into the folder under a name from its content (the same
// map, the same file) and points the drill at it; false with the reason.
bool unpack_map(const std::string& map, const std::string& folder, DrillRules& rules, std::string& error)
{
    Fnv1a hash;
    hash.text(map);
    const std::string path = folder + "/" + digest_text(hash.hash()) + ".bmp";
    if (path.size() >= sizeof rules.map) {
        error = folder + ": a path too long for a map";
        return false;
    }
    std::string reason;
    const bool written = make_folder_of(path, reason) && replace_file(path.c_str(), [&map](std::FILE* file) {
        return std::fwrite(map.data(), 1, map.size(), file) == map.size();
    }, reason);
    if (!written) {
        error = path + ": " + reason;
        return false;
    }
    std::snprintf(rules.map, sizeof rules.map, "%s", path.c_str());
    return true;
}

}  // namespace

bool is_pack_path(const std::string& text) { return text.ends_with(pack_suffix); }

bool write_challenge_pack(const DrillRules& rules, std::uint32_t seed, const std::string& out, std::string& error)
{
    error = travel_refusal(rules);
    if (!error.empty()) return false;
    std::string map;
    if (rules.map_kind == DrillMap::file && !read_text_file(rules.map, max_map_file, map, error)) {
        error = std::string(rules.map) + ": " + error;
        return false;
    }
    const std::string bytes = pack_bytes(rules, seed, map);
    std::string reason;
    if (!replace_file(out.c_str(), [&bytes](std::FILE* file) {
            return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        }, reason)) {
        error = out + ": " + reason;
        return false;
    }
    return true;
}

bool read_challenge_pack(const std::string& path, const std::string& maps_folder, DrillRules& rules,
                         std::uint32_t& seed, std::string& error)
{
    std::string bytes;
    if (!read_text_file(path, max_pack_file, bytes, error)) {
        error = path + ": " + error;
        return false;
    }
    const std::size_t head = pack_start.size() + 1;
    const bool ours = bytes.starts_with(pack_start) && bytes.size() >= head;
    const unsigned format = ours ? static_cast<unsigned char>(bytes[pack_start.size()]) : 0;
    std::string map;
    if (!ours || format == 0) {
        error = "not a challenge pack (they begin with QMC)";
    } else if (format > pack_format) {
        error = "a pack of format " + std::to_string(format) + ", from a later version of qmsim (this one reads up to format " +
                std::to_string(pack_format) + ")";
    } else if (bytes.size() < head + 4 || ByteReader(std::string_view(bytes).substr(bytes.size() - 4)).number(4) !=
                                               check_of(std::string_view(bytes).substr(0, bytes.size() - 4))) {
        error = "a damaged pack (its check does not match)";
    } else {
        rules = DrillRules{};
        const std::string_view body = std::string_view(bytes).substr(head, bytes.size() - head - 4);
        if (read_fields(body, rules, seed, map, error) &&
            (map.empty() || unpack_map(map, maps_folder, rules, error))) {
            std::string identity = rules.map;
            if (map.empty() || map_digest(rules.map, identity, error)) {
                rules.challenge.active = true;
                rules.digest = challenge_digest(rules, identity, seed);
                return true;
            }
        }
    }
    error = path + ": " + error;
    return false;
}

bool default_pack_maps_folder(std::string& folder, std::string& error)
{
    return user_file_path(UserFolder::data, "packs", "a challenge code rather than a pack", folder, error);
}

}  // namespace qm
