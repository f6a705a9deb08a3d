// The blast of an impact on a unit: hit points lost and the damage text.
#include <cmath>

#include "bodies/bot.h"

namespace qm {

namespace {

constexpr double near_miss_falloff = 0.888;  // a near miss loses 2 x 0.888 points per pixel
constexpr int damage_text_ticks = 80;     // painted ticks the text stays up

}  // namespace

void bot::damage(int x, int y)
{
    const bool direct = collision(x, y);
    const long long dx = static_cast<long long>(x) - pos_x;
    const long long dy = static_cast<long long>(y) - pos_y;
    const int d = static_cast<int>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));

    int amount = direct ? blast_full - d : blast_full - static_cast<int>(d * near_miss_falloff * 2);
    if (amount < 0) amount = 0;

    hp -= amount;
    if (hp < 0) hp = 0;

    if (amount != 0) {
        // A hit while the text is still up adds to the number shown.
        damage_shown = damage_ticks != 0 ? damage_shown + amount : amount;
        damage_ticks = damage_text_ticks;
    }
}

}  // namespace qm
