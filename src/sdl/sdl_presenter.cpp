// Presenting frames in the main window through an SDL renderer.
#include "sdl/sdl_presenter.h"

#include <cstring>

namespace qm {

namespace {

// The window class background: the system's scroll-bar grey.
constexpr Uint8 background_grey = 0xC8;

}  // namespace

SdlPresenter::SdlPresenter(SDL_Renderer* renderer, const SdlScreen& screen) : renderer_(renderer), screen_(screen) {}

SdlPresenter::~SdlPresenter()
{
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
}

void SdlPresenter::clear(int width, int height)
{
    cleared_ = true;
    cleared_width_ = width;
    cleared_height_ = height;
}

void SdlPresenter::copy(const Surface& frame) { show(frame, frame.width(), frame.height()); }

void SdlPresenter::stretch(const Surface& frame, int width, int height) { show(frame, width, height); }

bool SdlPresenter::upload(const Surface& frame)
{
    if (texture_ == nullptr || texture_width_ != frame.width() || texture_height_ != frame.height()) {
        if (texture_ != nullptr) SDL_DestroyTexture(texture_);
        // 0x00BBGGRR words are exactly this format: no conversion on upload.
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XBGR8888, SDL_TEXTUREACCESS_STREAMING, frame.width(),
                                     frame.height());
        texture_width_ = frame.width();
        texture_height_ = frame.height();
        if (texture_ == nullptr) return false;
    }
    return SDL_UpdateTexture(texture_, nullptr, frame.data(), frame.width() * 4) == 0;
}

void SdlPresenter::draw_window_background()
{
    SDL_SetRenderDrawColor(renderer_, background_grey, background_grey, background_grey, 255);
    SDL_RenderClear(renderer_);
    if (!cleared_) return;
    SDL_Rect box{0, 0, cleared_width_, cleared_height_};
    SDL_SetRenderDrawColor(renderer_, 255, 255, 255, 255);
    SDL_RenderFillRect(renderer_, &box);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderDrawRect(renderer_, &box);
}

bool SdlPresenter::shown_already(const Surface& frame, int width, int height) const
{
    const std::size_t bytes = shown_.size() * sizeof shown_[0];
    return !shown_.empty() && shown_damage_ == screen_.main_damage && shown_width_ == width &&
           shown_height_ == height && shown_cleared_ == cleared_ &&
           bytes == static_cast<std::size_t>(frame.width()) * static_cast<std::size_t>(frame.height()) * sizeof shown_[0] &&
           std::memcmp(shown_.data(), frame.data(), bytes) == 0;
}

void SdlPresenter::remember(const Surface& frame, int width, int height)
{
    const COLORREF* pixels = frame.data();
    shown_.assign(pixels, pixels + static_cast<std::size_t>(frame.width()) * static_cast<std::size_t>(frame.height()));
    shown_width_ = width;
    shown_height_ = height;
    shown_cleared_ = cleared_;
    shown_damage_ = screen_.main_damage;
}

void SdlPresenter::show(const Surface& frame, int width, int height)
{
    // Uploading and stretching the frame is most of what an idle or paused
    // program would spend: none of it for a window that shows the same.
    if (frame.empty() || screen_.main_unseen || shown_already(frame, width, height)) return;
    if (!upload(frame)) return;
    int window_width = 0;
    int window_height = 0;
    SDL_GetRendererOutputSize(renderer_, &window_width, &window_height);
    if (width < window_width || height < window_height) draw_window_background();
    SDL_Rect target{0, 0, width, height};
    SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    SDL_RenderPresent(renderer_);
    remember(frame, width, height);
}

}  // namespace qm
