// The frame test's scripted round as a program, built natively and as
// WebAssembly: prints, for the round with the practice aids off and made
// ready, a checksum of the frames every 100 ticks and of the bodies at the
// end, so the two builds can be compared line for line.
#include <cinttypes>
#include <cstdio>
#include <memory>

#include "scripted_round.h"
#include "sim/practice.h"

namespace {

// FNV-1a, as the frame test sums its frames.
class Sum {
public:
    void add(std::uint64_t word) { value_ = (value_ ^ word) * 0x100000001B3ull; }
    std::uint64_t value() const { return value_; }

private:
    std::uint64_t value_ = 0xCBF29CE484222325ull;
};

}  // namespace

int main()
{
    using namespace qm;
    for (bool armed : {false, true}) {
        std::unique_ptr<World> world = test::make_world();
        test::Round round(*world);
        if (armed) arm_practice(*world);
        Sum frames;
        for (int tick = 1; tick <= test::Round::ticks; ++tick) {
            round.play(tick);
            const COLORREF* p = world->memoria.data();
            for (int i = 0; i < frame_width * frame_height; ++i) frames.add(p[i]);
            if (tick % 100 == 0) {
                std::printf("%s tick %d frames %016" PRIX64 "\n", armed ? "armed" : "plain", tick, frames.value());
            }
        }
        const bullet* bodies[] = {&world->sec_bullet1, &world->sec_bullet2, &world->mainbullet, &world->target1,
                                  &world->player_bot};
        for (const bullet* b : bodies) {
            std::printf("%s body %d %d %.17g %d\n", armed ? "armed" : "plain", b->pos_x, b->pos_y, b->time, b->state);
        }
        std::printf("%s impacts %d deaths %d respawns %d hp %d %d\n", armed ? "armed" : "plain", round.impacts,
                    round.deaths, round.respawns, world->target1.hp, world->player_bot.hp);
    }
    return 0;
}
