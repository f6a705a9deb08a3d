// The shot chart's run: options, curves, rule, then the files, each written
// beside its target and renamed into place, then the rule on stdout.
#include "cli/chart/shot_chart.h"

#include <string>
#include <string_view>

#include "cli/chart/chart_curves.h"
#include "cli/chart/chart_options.h"
#include "cli/chart/chart_picture.h"
#include "cli/chart/rule_of_thumb.h"
#include "cli/output.h"
#include "raster/plot/plot.h"
#include "raster/replace_file.h"
#include "shell/exit_codes.h"

namespace qm {

namespace {

constexpr const char* csv_header = "wind_strength,wind_angle,power,distance,impact_x,impact_y\n";

std::string map_name(const char* map)
{
    if (map == nullptr) return "flat map";
    const std::string_view path = map;
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The curves in the order drawn; with several angles each row opens with
// its angle.
bool write_csv(std::FILE* file, const ChartOptions& options, const std::vector<ChartCurve>& curves)
{
    const bool angles = options.angles.size() > 1;
    std::fprintf(file, "%s%s", angles ? "angle," : "", csv_header);
    for (const ChartCurve& curve : curves) {
        const ChartWind& wind = options.winds[curve.wind];
        for (std::size_t p = 0; p < curve.shots.size(); ++p) {
            const ShotResult& shot = curve.shots[p];
            if (angles) std::fprintf(file, "%s,", options.angles[curve.angle].text.c_str());
            std::fprintf(file, "%d,%d,%s,", wind.strength, wind.angle, options.powers[p].text.c_str());
            if (shot.struck) {
                std::fprintf(file, "%d,%d,%d\n", shot_distance(shot, options.direction), shot.x, shot.y);
            } else {
                std::fputs(",,\n", file);
            }
        }
    }
    return std::ferror(file) == 0;
}

std::vector<const ChartCurve*> curves_of_angle(const std::vector<ChartCurve>& curves, std::size_t angle)
{
    std::vector<const ChartCurve*> of_angle;
    for (const ChartCurve& curve : curves) {
        if (curve.angle == angle) of_angle.push_back(&curve);
    }
    return of_angle;
}

}  // namespace

int run_chart(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    ChartOptions options;
    std::string error;
    if (!parse_chart_options(argc, argv, options, error)) return refuse_options(chart_command(options), error, err);
    if (options.help) return print_help(chart_command(options), out, err);

    std::vector<ChartCurve> curves;
    if (!work_out_curves(options, curves, error)) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return exit_bad_input;
    }
    std::vector<ThumbRule> rules;
    for (std::size_t a = 0; a < options.angles.size(); ++a) rules.push_back(thumb_rule(options, curves_of_angle(curves, a)));

    const Surface picture = draw_shot_chart(options, curves, rules, map_name(options.map));
    if (!plot::write_chart_png(picture, options.out, error)) {
        std::fprintf(err, "qmsim: cannot write %s: %s\n", options.out, error.c_str());
        return exit_failed;
    }
    if (options.csv != nullptr &&
        !replace_file(options.csv, [&](std::FILE* file) { return write_csv(file, options, curves); }, error)) {
        std::fprintf(err, "qmsim: cannot write %s: %s\n", options.csv, error.c_str());
        return exit_failed;
    }
    for (std::size_t a = 0; a < options.angles.size(); ++a) {
        const std::string prefix = "angle " + options.angles[a].text + ", ";
        for (const std::string& line : thumb_lines(options, rules[a], prefix)) std::fprintf(out, "%s\n", line.c_str());
    }
    return output_flushed(out, err) ? exit_ok : exit_failed;
}

}  // namespace qm
