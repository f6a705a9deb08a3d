// The configuration dialog's window: an SDL window of its own whose controls
// Dear ImGui draws from the dialog model, handing clicks and list choices to
// the dialog procedure.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "shell/dialog/dialog_procedure.h"

struct ImGuiContext;

namespace qm {

class ImGuiDialog {
public:
    ImGuiDialog() = default;
    ~ImGuiDialog();
    ImGuiDialog(const ImGuiDialog&) = delete;
    ImGuiDialog& operator=(const ImGuiDialog&) = delete;

    // Make the (hidden) window for `dialog` and its drawing context; false
    // when SDL cannot, with SDL's error set.
    bool create(const Dialog& dialog);

    Uint32 window_id() const { return window_id_; }
    bool visible() const { return visible_; }
    void set_visible(bool visible);

    // An SDL event aimed at the dialog's window (mouse and window events;
    // keys go through the message loop instead).
    void handle_event(const SDL_Event& event);
    // Whether the window wants drawing now: input arrived, or a control or
    // the status line changed since the last drawing.
    bool needs_paint(const World& world, const Dialog& dialog) const;
    void paint(DialogContext& context);

private:
    struct Notification {
        WPARAM wparam;
        LPARAM lparam;
    };

    void draw_controls(DialogContext& context);
    void draw_group_box(const Control& control);
    void draw_static(const World& world, const Control& control);
    void draw_list(Control& control);
    void draw_button(const Control& control);
    void draw_radio(const Control& control);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    ImGuiContext* imgui_ = nullptr;
    Uint32 window_id_ = 0;
    bool visible_ = false;
    int frames_due_ = 0;
    std::uint64_t painted_state_ = 0;
    std::vector<Notification> notifications_;  // gathered while drawing
};

}  // namespace qm
