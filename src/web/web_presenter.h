// The main window's surface on the page: each frame put on the canvas, 1:1
// or scaled without smoothing over the browser window.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/presenter.h"

namespace qm {

class WebPresenter final : public Presenter {
public:
    // The screen is the browser window's inside, measured at start-up.
    WebPresenter(int screen_width, int screen_height);

    int horzres() const override { return screen_width_; }
    int vertres() const override { return screen_height_; }

    // The page's own background is the white box: nothing to draw.
    void clear(int width, int height) override;
    void copy(const Surface& frame) override;
    void stretch(const Surface& frame, int width, int height) override;

private:
    void show(const Surface& frame, int width, int height);

    int screen_width_;
    int screen_height_;
    std::vector<std::uint32_t> rgba_;  // the frame with opaque alpha, in the canvas's byte order
};

}  // namespace qm
