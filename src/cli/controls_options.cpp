// --controls, the controls file read before any window opens, and
// `qmsim controls`.
#include "cli/controls_options.h"

#include "cli/output.h"
#include "shell/exit_codes.h"

namespace qm {

namespace {

struct ControlsOptions {
    const char* controls = nullptr;
    bool help = false;
};

Command controls_command(ControlsOptions& options)
{
    Command command{"qmsim controls", "", ""};
    command.options.push_back(flag("--help", "", options.help).unlisted());
    command.options.push_back(controls_option(options.controls, default_controls_place));
    return command;
}

// Where the bindings came from, as the listing's first line says it.
std::string source_line(const ControlsFile& file)
{
    if (file.path.empty()) return "# no controls file (" + file.path_reason + "): the preset as it is\n";
    if (!file.found) return "# " + file.path + " is not there: the preset as it is\n";
    return "# from " + file.path + "\n";
}

}  // namespace

Option controls_option(const char*& path, const std::string& without)
{
    return text("--controls", "FILE", "the controls file", path).naming_default(without);
}

bool load_controls(const char* path, ControlsFile& file, std::string& error)
{
    std::string chosen;
    std::string reason;
    if (path != nullptr) {
        chosen = path;
    } else if (!default_controls_path(chosen, reason)) {
        file = ControlsFile{};
        file.path_reason = reason;
        return true;
    }
    return read_controls_file(chosen, file, error);
}

std::string controls_usage()
{
    ControlsOptions options;
    return usage_of(controls_command(options));
}

int run_controls(int argc, char** argv, std::FILE* out, std::FILE* err)
{
    ControlsOptions options;
    std::string error;
    if (!read_options(controls_command(options), argc, argv, error)) {
        return refuse_options(controls_command(options), error, err);
    }
    if (options.help) return print_help(controls_command(options), out, err);
    ControlsFile file;
    if (!load_controls(options.controls, file, error)) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return exit_bad_input;
    }
    std::fputs(source_line(file).c_str(), out);
    std::fputs(format_controls(file.preset, file.bindings, true).c_str(), out);
    return output_flushed(out, err) ? exit_ok : exit_failed;
}

}  // namespace qm
