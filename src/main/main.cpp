// Entry point of qmsim.
#include <cstdio>
#include <cstring>

#include "main/headless_runner.h"

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) return qm::run_headless(argc, argv, stdin, stdout, stderr);
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("qmsim %s\n", QM_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("usage: qmsim [--help] [--version]\n"
                        "       qmsim --headless [--map FILE] [--wind random:N | --wind fixed:S:A] [--script FILE]\n"
                        "QM Simulator: practise artillery shots on destructible terrain.\n"
                        "\n"
                        "--headless runs without a window: a script (from --script FILE or standard input)\n"
                        "of ticks, key presses and pointer moves drives the simulation; `state` prints it as\n"
                        "JSON and `frame PATH` writes the frame as PNG. Without --map the flat map is used;\n"
                        "the wind defaults to random:3.\n");
            return 0;
        }
    }
    std::printf("qmsim %s\n", QM_VERSION);
    return 0;
}
