// Cost of a unit's tick at rest (480 contact tests for the slope) and of a
// point test against its body once the body is on the scratch surface (a
// test that has to draw it is BM_Collision_NewSlope).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "sim/init_dcs.h"
#include "sim/world.h"

namespace {

std::unique_ptr<qm::World> resting_world()
{
    auto w = std::make_unique<qm::World>();
    qm::fill_circle_samp(*w);
    qm::init_DCs(*w);
    for (qm::Surface& stripe : w->ground) {
        // Level ground from y 700 down.
        for (int y = 200; y < qm::stripe_size; ++y) {
            std::fill(stripe.row(y), stripe.row(y) + qm::stripe_size, 0x00FF0000u);
        }
    }
    w->target1.reset(&w->memoria, 0, 90, 180, 690);
    for (int n = 0; n < 50; ++n) w->target1.update(0, 0);
    return w;
}

void BM_RestingUnitTick(benchmark::State& state)
{
    auto w = resting_world();
    for (auto _ : state) benchmark::DoNotOptimize(w->target1.update(0, 0));
}
BENCHMARK(BM_RestingUnitTick);

void BM_BodyPointTest(benchmark::State& state)
{
    auto w = resting_world();
    const qm::bot& b = w->target1;
    for (auto _ : state) benchmark::DoNotOptimize(w->target1.collision(b.pos_x + 3, b.pos_y - 10));
}
BENCHMARK(BM_BodyPointTest);

}  // namespace
