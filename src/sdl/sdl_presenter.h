// The main window's surface under SDL: frames uploaded to a streaming
// texture and copied 1:1 or stretched; a frame the window already shows, or
// one for a window nobody sees, is not drawn at all.
#pragma once

#include <SDL.h>

#include <vector>

#include "sim/presenter.h"
#include "sdl/sdl_display.h"

namespace qm {

class SdlPresenter final : public Presenter {
public:
    SdlPresenter(SDL_Renderer* renderer, const SdlScreen& screen);
    ~SdlPresenter() override;
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;

    int horzres() const override { return screen_.width; }
    int vertres() const override { return screen_.height; }

    void clear(int width, int height) override;
    void copy(const Surface& frame) override;
    void stretch(const Surface& frame, int width, int height) override;

private:
    void show(const Surface& frame, int width, int height);
    // Whether the window shows this frame at this size already.
    bool shown_already(const Surface& frame, int width, int height) const;
    void remember(const Surface& frame, int width, int height);
    bool upload(const Surface& frame);
    void draw_window_background();

    SDL_Renderer* renderer_;
    const SdlScreen& screen_;
    SDL_Texture* texture_ = nullptr;
    int texture_width_ = 0;
    int texture_height_ = 0;
    // What the window shows under the frame: its class background until the
    // one-time clear, then the white box with its black outline.
    bool cleared_ = false;
    int cleared_width_ = 0;
    int cleared_height_ = 0;
    // The frame last drawn, its size in the window, and the screen's damage
    // count then; none until the first.
    std::vector<COLORREF> shown_;
    int shown_width_ = 0;
    int shown_height_ = 0;
    bool shown_cleared_ = false;
    unsigned shown_damage_ = 0;
};

}  // namespace qm
