// The shot engine: threads take shots in runs of a few dozen, in turns.
#include "sim/shot_engine.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace qm {

namespace {

// Shots a thread takes at a time.
constexpr std::size_t shots_per_claim = 32;

#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
constexpr bool threads_available = false;
#else
constexpr bool threads_available = true;
#endif

}  // namespace

int default_threads()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min<unsigned>(cores, max_threads));
}

int usable_threads(int asked)
{
    if (!threads_available) return 1;
    return asked > 0 ? asked : default_threads();
}

void run_on_threads(int threads, const std::function<void(int)>& work)
{
    const int count = usable_threads(threads);
    std::vector<std::thread> helpers;
    for (int t = 1; t < count; ++t) helpers.emplace_back(work, t);
    work(0);
    for (std::thread& helper : helpers) helper.join();
}

void fire_rungs(ShotProbe& probe, const PowerLadder& ladder, int from, int to, ShotResult* results)
{
    for (int rung = from; rung < to; ++rung) {
        results[rung - from] = probe.fire(ladder.angle, ladder.power(rung), ladder.direction);
    }
}

std::vector<ShotResult> fire_shots(const World& round, const std::vector<ShotStart>& starts,
                                   const std::vector<Shot>& shots, int direction, int threads)
{
    std::vector<ShotResult> results(shots.size());
    std::atomic<std::size_t> next{0};
    auto work = [&](int) {
        ShotProbe probe(round);
        int current = -1;
        for (;;) {
            const std::size_t begin = next.fetch_add(shots_per_claim);
            if (begin >= shots.size()) return;
            const std::size_t end = std::min(shots.size(), begin + shots_per_claim);
            for (std::size_t i = begin; i < end; ++i) {
                if (shots[i].start != current) {
                    current = shots[i].start;
                    probe.start_from(starts[static_cast<std::size_t>(current)]);
                }
                results[i] = probe.fire(shots[i].angle, shots[i].power, direction);
            }
        }
    };
    // No more threads than shots, and one even for none.
    const std::size_t wanted = static_cast<std::size_t>(usable_threads(threads));
    run_on_threads(static_cast<int>(std::clamp<std::size_t>(shots.size(), 1, wanted)), work);
    return results;
}

}  // namespace qm
