// The desktop program's options.
#include "shell/command_line.h"

#include <cstring>

#include "shell/headless_runner.h"

namespace qm {

namespace {

void print_usage(std::FILE* out)
{
    std::fprintf(out, "usage: qmsim [--help] [--version]\n"
                      "       qmsim --headless [--map FILE] [--wind random:N | --wind fixed:S:A] [--script FILE]\n"
                      "QM Simulator: practise artillery shots on destructible terrain.\n"
                      "\n"
                      "Without options the configuration dialog comes up; the maps offered are the 1-bit,\n"
                      "800 pixel high .bmp files of the working directory.\n"
                      "\n"
                      "--headless runs without a window: a script (from --script FILE or standard input)\n"
                      "of ticks, key presses and pointer moves drives the simulation; `state` prints it as\n"
                      "JSON and `frame PATH` writes the frame as PNG. Without --map the flat map is used;\n"
                      "the wind defaults to random:3.\n");
}

}  // namespace

bool run_command_line(int argc, char** argv, std::FILE* in, std::FILE* out, std::FILE* err, int& exit_code)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) {
            exit_code = run_headless(argc, argv, in, out, err);
            return true;
        }
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fprintf(out, "qmsim %s\n", QM_VERSION);
            exit_code = 0;
        } else if (std::strcmp(argv[i], "--help") == 0) {
            print_usage(out);
            exit_code = 0;
        } else {
            std::fprintf(err, "qmsim: unknown option '%s' (see --help)\n", argv[i]);
            exit_code = 2;
        }
        return true;
    }
    return false;
}

}  // namespace qm
