// The built-in drills and the folder's drill files, by name.
#include "formats/drill/drill_catalogue.h"

#include <algorithm>
#include <filesystem>

#include "formats/drill/drill_file.h"
#include "sim/drill/builtin_drills.h"

namespace qm {

namespace {

constexpr std::string_view drill_suffix = ".drill";

const char* side_text(DrillSide side)
{
    switch (side) {
    case DrillSide::right: return "right";
    case DrillSide::left: return "left";
    case DrillSide::either: break;
    }
    return "either side";
}

std::string wind_text(const DrillRules& s)
{
    if (s.wind_max == 0) return "no wind";
    if (s.wind_min == s.wind_max && s.wang_min == s.wang_max) {
        return "wind " + std::to_string(s.wind_min) + " at " + std::to_string(s.wang_min);
    }
    std::string text = "wind " + std::to_string(s.wind_min) + "-" + std::to_string(s.wind_max);
    if (s.wang_min != 0 || s.wang_max != drill_max_wang) {
        text += " from " + std::to_string(s.wang_min) + " to " + std::to_string(s.wang_max);
    }
    return text;
}

}  // namespace

bool find_drill(const std::string& name_or_file, DrillRules& rules, std::string& error)
{
    for (const BuiltinDrill& b : builtin_drills()) {
        if (b.key == name_or_file) {
            return parse_drill(b.text, "built-in drill " + std::string(b.key), "", std::string(b.key), rules, error);
        }
    }
    std::error_code code;
    const bool looks_like_file = name_or_file.find('/') != std::string::npos ||
                                 name_or_file.find('\\') != std::string::npos ||
                                 std::string_view(name_or_file).ends_with(drill_suffix);
    if (!looks_like_file && !std::filesystem::exists(name_or_file, code)) {
        error = "no built-in drill named '" + name_or_file + "' and no such file (qmsim drills lists them)";
        return false;
    }
    return read_drill_file(name_or_file, rules, error);
}

std::vector<DrillEntry> list_drills(const std::string& folder)
{
    std::vector<DrillEntry> entries;
    for (const BuiltinDrill& b : builtin_drills()) {
        DrillRules rules;
        std::string error;
        find_drill(std::string(b.key), rules, error);
        entries.push_back({std::string(b.key), rules.name});
    }
    std::vector<std::string> files;
    std::error_code code;
    for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, code), end; !code && it != end;
         it.increment(code)) {
        const std::filesystem::path& path = it->path();
        if (path.extension() != drill_suffix || !it->is_regular_file(code)) continue;
        files.push_back(folder.empty() ? path.filename().string() : path.string());
    }
    std::sort(files.begin(), files.end());
    // A file is called by its drill's name, as its results and history call it.
    for (const std::string& file : files) {
        DrillRules rules;
        std::string error;
        entries.push_back({file, read_drill_file(file, rules, error) ? std::string(rules.name) : file});
    }
    return entries;
}

std::string describe_drill(const DrillRules& s)
{
    std::string map = s.map_kind == DrillMap::level ? "flat" : s.map;
    std::string text = std::to_string(s.rounds) + " rounds of " + std::to_string(s.shots) + " shots, " +
                       std::to_string(s.distance_min) + "-" + std::to_string(s.distance_max) + " px " +
                       side_text(s.side) + ", " + wind_text(s) + ", map " + map;
    if (s.angle_fixed) {
        char angle[32];
        std::snprintf(angle, sizeof angle, ", angle fixed at %g", s.angle);
        text += angle;
    }
    if (s.aids) text += ", aids allowed";
    if (s.coach) text += ", bands chosen by the coach";
    return text;
}

}  // namespace qm
