// Feeds arbitrary command lines (arguments split at NUL bytes) to every
// command's option reader (quick start, the headless runner, table, chart,
// drills, history) without running any: each line is refused with one line
// of reason, or taken with every value within its option's range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/chart/chart_options.h"
#include "cli/command_line.h"
#include "cli/drill/drill_commands.h"
#include "cli/quick_start_options.h"
#include "cli/runner/headless_runner.h"
#include "cli/table/shot_table.h"
#include "sim/shot_control.h"
#include "sim/shot_engine.h"

namespace {

// A command line has few arguments; more only repeat what these find.
constexpr std::size_t max_arguments = 12;

void refused(const std::string& error)
{
    if (error.empty() || error.find('\n') != std::string::npos) std::abort();
}

bool within(const std::vector<qm::GridValue>& values, double low, double high)
{
    for (const qm::GridValue& v : values) {
        if (!(v.value >= low && v.value <= high) || v.text.empty()) return false;
    }
    return !values.empty();
}

void check_table(int argc, char** argv)
{
    qm::TableOptions t;
    std::string error;
    if (!qm::parse_table_options(argc, argv, t, error)) return refused(error);
    if (t.help) return;
    if (!within(t.angles, qm::min_aim_angle, qm::max_aim_angle) || !within(t.powers, qm::min_aim_power, qm::max_aim_power) ||
        t.angles.size() * t.powers.size() > qm::max_grid_values || t.threads < 1 || t.threads > qm::max_threads ||
        t.round.random_wind != 0)
        std::abort();
}

void check_chart(int argc, char** argv)
{
    qm::ChartOptions c;
    std::string error;
    if (!qm::parse_chart_options(argc, argv, c, error)) return refused(error);
    if (c.help) return;
    if (c.out == nullptr || c.winds.empty() || c.powers.size() < 2 || !within(c.angles, qm::min_aim_angle, qm::max_aim_angle) ||
        !within(c.powers, qm::min_aim_power, qm::max_aim_power))
        std::abort();
    for (const qm::ChartWind& w : c.winds) {
        if (w.strength < 0 || w.strength > 25 || w.angle < 0 || w.angle > 359) std::abort();
    }
}

void check_runner_and_quick_start(int argc, char** argv)
{
    qm::HeadlessOptions h;
    std::string error;
    if (!qm::parse_headless_options(argc, argv, h, error)) {
        refused(error);
    } else if (h.drill.seed_given && h.drill.drill == nullptr) {
        std::abort();
    }
    qm::QuickStart q;
    if (!qm::parse_quick_start(argc, argv, q, error)) {
        refused(error);
    } else if (q.seed_given && !q.drill_given) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> words{"qmsim"};
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty() && words.size() <= max_arguments) {
        const std::size_t end = rest.find('\0');
        words.emplace_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(words.size());

    const qm::ProgramRequest request = qm::read_command_line(argc, argv.data());
    if (request.mode == qm::ProgramMode::refused && request.error.empty()) std::abort();
    check_runner_and_quick_start(argc, argv.data());
    check_table(argc, argv.data());
    check_chart(argc, argv.data());
    std::string error;
    if (!qm::read_drills_options(argc, argv.data(), error)) refused(error);
    if (!qm::read_history_options(argc, argv.data(), error)) refused(error);
    return 0;
}
