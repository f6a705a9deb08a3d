// Entry point of qmsim.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("qmsim %s\n", QM_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("usage: qmsim [--help] [--version]\n"
                        "QM Simulator: practise artillery shots on destructible terrain.\n");
            return 0;
        }
    }
    std::printf("qmsim %s\n", QM_VERSION);
    return 0;
}
