// Frames onto the canvas.
#include "web/web_presenter.h"

#include "sim/frame.h"
#include "web/web_js.h"

namespace qm {

namespace {

// 0x00BBGGRR words are R, G, B, 0 in memory: the canvas's order but for
// the alpha byte.
constexpr std::uint32_t opaque = 0xFF000000u;

}  // namespace

WebPresenter::WebPresenter(int screen_width, int screen_height)
    : screen_width_(screen_width), screen_height_(screen_height), rgba_(static_cast<std::size_t>(frame_width) * frame_height)
{
}

void WebPresenter::clear(int, int) {}

void WebPresenter::copy(const Surface& frame) { show(frame, frame.width(), frame.height()); }

void WebPresenter::stretch(const Surface& frame, int width, int height) { show(frame, width, height); }

void WebPresenter::show(const Surface& frame, int width, int height)
{
    const std::size_t count = static_cast<std::size_t>(frame.width()) * frame.height();
    if (frame.empty() || count > rgba_.size()) return;
    const COLORREF* pixels = frame.data();
    for (std::size_t i = 0; i < count; ++i) rgba_[i] = pixels[i] | opaque;
    web::present(reinterpret_cast<const std::uint8_t*>(rgba_.data()), frame.width(), frame.height(), width, height);
}

}  // namespace qm
