// Starting drills, their keys, and the history lines they leave.
#include "shell/drill/drill_session.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>

#include "formats/challenge/challenge_code.h"
#include "formats/drill/drill_catalogue.h"
#include "formats/history/history.h"
#include "sim/drill/drill_draw.h"
#include "sim/drill/drill_map.h"
#include "sim/drill/score_chart.h"
#include "sim/practice.h"
#include "sim/world.h"

namespace qm {

namespace {

// Appends the line and has the platform keep the file; false with the
// reason when either fails. A line written but not kept is handed back to
// the platform to put by.
bool save_history_line(World& world, Platform& platform, const char* path, const HistoryRecord& record,
                       std::string& reason)
{
    const bool written = append_history(path, record, reason);
    const bool saved = written && platform.keep_files(reason);
    if (written && !saved) platform.put_by_history_line(format_history_line(record));
    if (!saved) world.drill.history_lost = true;
    return saved;
}

// The abandoned line, when one is due; true when none is or it is written.
bool append_abandoned(World& world, Platform& platform, std::string& reason)
{
    const DrillRun& d = world.drill;
    if (!abandoned_line_due(world)) return true;
    return save_history_line(world, platform, d.history_file,
                             history_record(d, true, std::time(nullptr), QM_VERSION), reason);
}

void report(World& world, Platform& platform, const std::string& line)
{
    platform.report_error(("qmsim: " + line).c_str());
    show_notice(world, line.c_str());
}

void start_reporting(World& world, Platform& platform, const DrillRules& rules, std::uint32_t seed)
{
    std::string warning;
    std::string error;
    if (!start_drill(world, rules, seed, warning, error)) {
        report(world, platform, error);
        return;
    }
    if (!warning.empty()) report(world, platform, warning);
}

void open_menu(World& world, Platform& platform)
{
    if (!aim_free(world)) {
        show_notice(world, "Drills: wait until the shot has landed");
        return;
    }
    DrillMenu& menu = world.drill_menu;
    const std::vector<DrillEntry> entries = list_drills("");
    menu.count = 0;
    for (const DrillEntry& e : entries) {
        if (menu.count == drill_menu_entries) break;
        std::snprintf(menu.names[menu.count], sizeof menu.names[0], "%s", e.title.c_str());
        std::snprintf(menu.keys[menu.count], sizeof menu.keys[0], "%s", e.key.c_str());
        DrillRules rules;
        std::string why;
        const std::string description = find_drill(e.key, rules, why) ? describe_drill(rules) : why;
        std::snprintf(menu.descriptions[menu.count], sizeof menu.descriptions[0], "%s", description.c_str());
        ++menu.count;
    }
    menu.selected = 0;
    menu.open = menu.count > 0;
    (void)platform;
}

void choose(World& world, Platform& platform)
{
    DrillMenu& menu = world.drill_menu;
    menu.open = false;
    DrillRules rules;
    std::string error;
    if (!find_drill(menu.keys[menu.selected], rules, error)) {
        report(world, platform, error);
        return;
    }
    std::string reason;
    if (!append_abandoned(world, platform, reason)) report(world, platform, "history not saved: " + reason);
    start_reporting(world, platform, rules, clock_seed());
}

// What the drill's menu and results screen leave to play: quitting, and a
// screenshot, which saves the frame as it shows.
bool passes_overlay(Action in_play) { return in_play == Action::quit || in_play == Action::screenshot; }

bool menu_action(World& world, Platform& platform, Action in_menu, Action in_play)
{
    DrillMenu& menu = world.drill_menu;
    switch (in_menu) {
    case Action::menu_up: menu.selected = (menu.selected + menu.count - 1) % menu.count; return true;
    case Action::menu_down: menu.selected = (menu.selected + 1) % menu.count; return true;
    case Action::menu_enter: choose(world, platform); return true;
    case Action::menu_back: menu.open = false; return true;
    default: return !passes_overlay(in_play);
    }
}

// The finished drill's code to the clipboard, the frame saying whether it went.
void copy_code(World& world, Platform& platform)
{
    DrillRun& d = world.drill;
    d.copy_noticed = true;
    std::string reason = d.rules.coach ? "the coach plans each player's own rounds" : "the map is a file";
    if (d.code[0] != '\0' && platform.copy_text(d.code, reason)) {
        show_notice(world, "code copied");
        return;
    }
    show_notice(world, ("code not copied: " + reason).c_str());
}

bool results_action(World& world, Platform& platform, Action in_menu, Action in_play)
{
    if (in_menu == Action::copy_code) {
        copy_code(world, platform);
        return true;
    }
    if (in_menu == Action::menu_enter) {
        // A challenge's draws are part of it; a drill's own give way to new ones.
        const DrillRules rules = world.drill.rules;
        const std::uint32_t seed = rules.challenge.active ? world.drill.seed : next_drill_seed(world.drill.seed);
        start_reporting(world, platform, rules, seed);
        return true;
    }
    if (in_menu == Action::menu_back) {
        end_drill(world);
        return true;
    }
    if (in_play == Action::drills) open_menu(world, platform);
    return !passes_overlay(in_play);
}

// Esc in a running drill: the session kept as abandoned (when a shot was
// fired), and free practice back.
void leave_drill(World& world, Platform& platform)
{
    std::string reason;
    if (!append_abandoned(world, platform, reason)) report(world, platform, "history not saved: " + reason);
    end_drill(world);
    show_notice(world, world.device == Device::touch ? "Drill left: free practice (X again quits)"
                                                     : "Drill left: free practice (Esc again quits)");
}

// The code of the drill just shot, with its score to beat and no sender;
// none for a drill on a map file.
void note_code(DrillRun& d)
{
    DrillRules shared = d.rules;
    shared.challenge.sender[0] = '\0';
    shared.challenge.score_given = true;
    shared.challenge.score = d.score;
    std::string code;
    std::string reason;
    if (!encode_challenge(shared, d.seed, code, reason)) code.clear();
    std::snprintf(d.code, sizeof d.code, "%s", code.c_str());
}

}  // namespace

bool abandoned_line_due(const World& world)
{
    const DrillRun& d = world.drill;
    return drill_running(world) && d.shots > 0 && d.history_file[0] != '\0';
}

std::uint32_t clock_seed()
{
    const auto ticks = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    return static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
}

bool parse_seed(std::string_view text, std::uint32_t& seed)
{
    // Read straight into 32 bits: a long holds no more than that where the
    // program also runs (Windows, WebAssembly), so 4294967295 would not fit.
    if (text.empty() || text.front() < '0' || text.front() > '9') return false;
    std::uint32_t parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    seed = parsed;
    return true;
}

bool start_drill(World& world, const DrillRules& rules, std::uint32_t seed, std::string& warning, std::string& error)
{
    if (!load_drill_map(world, rules, error)) return false;
    DrillRun& d = world.drill;
    // Figures of another drill do not carry over; those of this one do when
    // there is no history to read them from.
    if (!d.active || d.rules.digest != rules.digest) {
        d.best_known = false;
        d.best = 0;
        d.chart_count = 0;
    }
    if (d.history_file[0] != '\0') {
        // A record at a time: a long history's rounds are never all held at once.
        // Taken aside, so that a history that fails half-way changes nothing.
        const auto taken = std::make_unique<DrillRun>();
        std::vector<long> skipped;
        const HistoryVisit take = [&](HistoryRecord& record) { take_history_figure(record, rules, *taken); };
        if (!read_history_each(d.history_file, take, skipped, error)) return false;
        copy_history_figures(*taken, d);
        warning = skipped_warning(d.history_file, skipped);
    }
    if (d.chart_picture.empty()) d.chart_picture = Surface(results_chart_width, results_chart_height);
    world.drill_menu.open = false;
    begin_drill(world, rules, seed);
    return true;
}

bool drill_action(World& world, Platform& platform, Action in_menu, Action in_play)
{
    if (world.drill_menu.open) return menu_action(world, platform, in_menu, in_play);
    if (world.drill.active && world.drill.finished) return results_action(world, platform, in_menu, in_play);
    if (in_play == Action::drills) {
        open_menu(world, platform);
        return true;
    }
    if (!drill_running(world)) return false;
    // Esc (quit and back at once) leaves the drill; a quit key alone quits.
    if (in_menu == Action::menu_back && in_play == Action::quit) {
        leave_drill(world, platform);
        return true;
    }
    const bool aims = in_play == Action::angle_up || in_play == Action::angle_down;
    if (aims && drill_angle_fixed(world)) return true;
    // While the round starts a press to aim or fire is dropped, not kept
    // for when the target has landed.
    const bool powers = in_play == Action::power_up || in_play == Action::power_down;
    if ((aims || powers || in_play == Action::fire) && drill_round_starting(world)) return true;
    // The prediction, the finder and the chart all give the answer away.
    if ((in_play == Action::prediction || in_play == Action::chart) && !drill_allows_aids(world)) {
        show_notice(world, "The aids are off in this drill");
        return true;
    }
    return false;
}

bool drill_menu_or_results(const World& world)
{
    return world.drill_menu.open || (world.drill.active && world.drill.finished);
}

void drill_after_tick(World& world, Platform& platform)
{
    DrillRun& d = world.drill;
    if (!d.active || !d.finished || d.recorded) return;
    d.recorded = true;
    if (d.history_file[0] != '\0') {
        std::string reason;
        if (!save_history_line(world, platform, d.history_file,
                               history_record(d, false, std::time(nullptr), QM_VERSION), reason)) {
            platform.report_error(("qmsim: history not saved: " + reason).c_str());
            std::snprintf(d.note, sizeof d.note, "history not saved: %s", reason.c_str());
        }
    }
    note_code(d);
    if (d.code[0] != '\0') platform.print_line((std::string("challenge code: ") + d.code).c_str());
    draw_score_chart(d.chart_picture, d.chart, d.chart_count, d.best);
    d.chart_drawn = true;
}

void record_abandoned(World& world, Platform& platform)
{
    std::string reason;
    if (!append_abandoned(world, platform, reason)) {
        platform.report_error(("qmsim: history not saved: " + reason).c_str());
    }
}

}  // namespace qm
