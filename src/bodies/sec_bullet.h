// The two secondary projectiles that circle the main projectile's path.
#pragma once

#include "bodies/bullet.h"

namespace qm {

class sec_bullet : public bullet {
public:
    explicit sec_bullet(Field* view) : bullet(view) {}

    int update(int view_x, int view_y) override;

    void reset(Surface* surface, double power, double angle, double wind_strength, double wind_angle,
               double start_angle, int x, int y, int direction);

    double orbit_angle = 0.0;   // degrees, 0 toward +x, 90 toward +y (down)
    double orbit_radius = 0.0;  // pixels

protected:
    void after_step(bool refining) override;  // turns and grows the orbit, adds it to the position
};

}  // namespace qm
