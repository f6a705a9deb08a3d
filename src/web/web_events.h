// The page's input turned into the messages of the two windows, the form's
// repaints, and the clock: one tick per 16 ms of the page's time, fed from
// animation frames, paused while the page is hidden. Between messages, the
// files the user handed the page are taken and the line a drill would leave
// should the page go away is kept up to date.
#pragma once

#include <cstdint>

#include "shell/message_loop.h"
#include "web/web_files.h"
#include "web/web_form.h"
#include "web/web_leaving.h"
#include "web/web_maps.h"
#include "web/web_results.h"
#include "web/web_screen.h"
#include "web/web_screenshots.h"

namespace qm {

class WebEvents final : public EventSource {
public:
    struct Helpers {
        WebMaps& maps;
        WebFiles& files;
        WebScreenshots& screenshots;
        WebLeaving& leaving;
    };
    WebEvents(const World& world, const Dialog& dialog, const WebForm& form, const Helpers& helpers);

    bool poll(Message& message) override;
    void wait(int timeout_ms) override;
    std::uint64_t now_ms() override;

    void set_form_visible(bool visible) { form_visible_ = visible; }

private:
    double page_ms();

    const World& world_;
    const Dialog& dialog_;
    const WebForm& form_;
    Helpers helpers_;
    WebResults results_;
    WebScreen screen_;
    bool form_visible_ = false;

    // The loop's clock never runs past the time its last wait was for, so
    // ticks owed after a late frame come one by one, each 16 ms on.
    std::uint64_t clock_ = 0;
    double limit_ = -1;   // negative: no limit
    double skipped_ = 0;  // time given up when the loop fell too far behind
    double last_yield_ = 0;
};

}  // namespace qm
