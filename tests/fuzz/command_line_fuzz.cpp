// Feeds arbitrary command lines (arguments split at NUL bytes) to the
// command line and to each command's option reader (quick start, the
// headless runner, table, chart, drills, history) without running any: a
// line is refused with one line of reason of its own, or taken with every
// value within its option's range. The first byte picks the reader, so each
// input costs one reader's work.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/chart/chart_options.h"
#include "cli/command_line.h"
#include "cli/drill/drill_commands.h"
#include "cli/runner/headless_runner.h"
#include "cli/table/shot_table.h"
#include "sim/shot_control.h"
#include "sim/shot_engine.h"

namespace {

// A command line has few arguments; more only repeat what these find.
constexpr std::size_t max_arguments = 12;
// Values of an axis looked at: an axis of a million is read as its ends and
// points between.
constexpr std::size_t looked_at = 16;

struct Line {
    std::vector<std::string> words{"qmsim"};
    std::vector<char*> argv;
    int argc() const { return static_cast<int>(words.size()); }
};

// A refusal may quote the arguments, line breaks and all, but adds no line
// break of its own.
void refused(const Line& line, const std::string& error)
{
    if (error.empty()) std::abort();
    std::string own = error;
    // Longest first, so that a short argument inside a long one leaves it whole.
    std::vector<std::string> words = line.words;
    std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const std::string& a : words) {
        for (std::size_t at; !a.empty() && (at = own.find(a)) != std::string::npos;) own.erase(at, a.size());
    }
    if (own.find('\n') != std::string::npos) std::abort();
}

// Every value looked at in range, its text read back to it.
template <class Values>
bool within(const Values& values, double low, double high)
{
    const std::size_t n = values.size();
    for (std::size_t k = 0; k < n && k <= looked_at; ++k) {
        const qm::GridValue v = values[k == looked_at ? n - 1 : k * (n - 1) / looked_at];
        if (!(v.value >= low && v.value <= high) || v.text.empty() || std::strtod(v.text.c_str(), nullptr) != v.value)
            return false;
    }
    return n > 0;
}

void check_program(Line& line)
{
    const qm::ProgramRequest request = qm::read_command_line(line.argc(), line.argv.data());
    if (request.mode == qm::ProgramMode::refused && request.error.empty()) std::abort();
    if (request.mode == qm::ProgramMode::desktop && request.quick.seed_given && !request.quick.drill_given) std::abort();
}

void check_runner(Line& line)
{
    qm::HeadlessOptions h;
    std::string error;
    if (!qm::parse_headless_options(line.argc(), line.argv.data(), h, error)) return refused(line, error);
    if (h.drill.seed_given && h.drill.drill == nullptr) std::abort();
}

void check_table(Line& line)
{
    qm::TableOptions t;
    std::string error;
    if (!qm::parse_table_options(line.argc(), line.argv.data(), t, error)) return refused(line, error);
    if (t.help) return;
    if (!within(t.angles, qm::min_aim_angle, qm::max_aim_angle) || !within(t.powers, qm::min_aim_power, qm::max_aim_power) ||
        t.angles.size() * t.powers.size() > qm::max_grid_values || t.threads < 0 || t.threads > qm::max_threads ||
        t.round.random_wind != 0)
        std::abort();
}

void check_chart(Line& line)
{
    qm::ChartOptions c;
    std::string error;
    if (!qm::parse_chart_options(line.argc(), line.argv.data(), c, error)) return refused(line, error);
    if (c.help) return;
    if (c.out == nullptr || c.winds.empty() || c.powers.size() < 2 || !within(c.angles, qm::min_aim_angle, qm::max_aim_angle) ||
        !within(c.powers, qm::min_aim_power, qm::max_aim_power))
        std::abort();
    for (const qm::ChartWind& w : c.winds) {
        if (w.strength < 0 || w.strength > 25 || w.angle < 0 || w.angle > 359) std::abort();
    }
}

void check_drills(Line& line)
{
    std::string error;
    if (!qm::read_drills_options(line.argc(), line.argv.data(), error)) refused(line, error);
}

void check_history(Line& line)
{
    std::string error;
    if (!qm::read_history_options(line.argc(), line.argv.data(), error)) refused(line, error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    void (*const readers[])(Line&) = {check_program, check_runner, check_table, check_chart, check_drills, check_history};
    const auto reader = readers[data[0] % std::size(readers)];
    Line line;
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    while (!rest.empty() && line.words.size() <= max_arguments) {
        const std::size_t end = rest.find('\0');
        line.words.emplace_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    for (std::string& w : line.words) line.argv.push_back(w.data());
    line.argv.push_back(nullptr);
    reader(line);
    return 0;
}
