// Feeds arbitrary bytes to the drill file reader: every text must be taken
// with settings within the format's limits and a name that can be shown, or
// refused with one line naming the source and the line; a text taken twice
// gives the same settings and digest.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "formats/drill/drill_file.h"
#include "formats/utf8.h"
#include "sim/shot_control.h"

namespace {

using qm::DrillRules;

void check_rules(const DrillRules& r)
{
    const std::string_view name(r.name, ::strnlen(r.name, sizeof r.name));
    if (name.size() == sizeof r.name || name.empty() || !qm::valid_utf8(name) || qm::has_control_character(name))
        std::abort();
    if (r.rounds < qm::drill_min_rounds || r.rounds > qm::drill_max_rounds || r.shots < qm::drill_min_shots ||
        r.shots > qm::drill_max_shots)
        std::abort();
    if (r.distance_min < qm::drill_min_distance || r.distance_min > r.distance_max ||
        r.distance_max > qm::drill_max_distance)
        std::abort();
    if (r.wind_min < 0 || r.wind_min > r.wind_max || r.wind_max > qm::drill_max_wind || r.wang_min < 0 ||
        r.wang_min > qm::drill_max_wang || r.wang_max < 0 || r.wang_max > qm::drill_max_wang)
        std::abort();
    if (r.angle_fixed && !(r.angle >= qm::min_aim_angle && r.angle <= qm::max_aim_angle)) std::abort();
}

bool same(const DrillRules& a, const DrillRules& b)
{
    return std::strcmp(a.name, b.name) == 0 && std::strcmp(a.map, b.map) == 0 && a.map_kind == b.map_kind &&
           a.rounds == b.rounds && a.shots == b.shots && a.distance_min == b.distance_min &&
           a.distance_max == b.distance_max && a.side == b.side && a.wind_min == b.wind_min &&
           a.wind_max == b.wind_max && a.wang_min == b.wang_min && a.wang_max == b.wang_max &&
           a.angle_fixed == b.angle_fixed && a.angle == b.angle && a.aids == b.aids && a.digest == b.digest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    DrillRules rules;
    std::string error;
    if (!qm::parse_drill(text, "f.drill", "", "fuzz", rules, error)) {
        if (!error.starts_with("f.drill:") || error.find('\n') != std::string::npos) std::abort();
        return 0;
    }
    check_rules(rules);
    DrillRules again;
    if (!qm::parse_drill(text, "f.drill", "", "fuzz", again, error) || !same(rules, again)) std::abort();
    return 0;
}
