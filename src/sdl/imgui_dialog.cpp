// Drawing the configuration dialog with Dear ImGui in a light, classic
// desktop style, and turning what the user does into dialog commands.
#include "sdl/imgui_dialog.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include "shell/dialog/dialog_state.h"

namespace qm {

namespace {

// Dialog units to pixels.
constexpr float unit_x = 2.25f;
constexpr float unit_y = 2.0f;

// Frames drawn after input, so that presses, releases and hover changes all
// show.
constexpr int frames_after_input = 3;

const ImVec4 face{212 / 255.0f, 208 / 255.0f, 200 / 255.0f, 1.0f};  // 3-D face of dialogs and buttons
const ImVec4 shadow{128 / 255.0f, 128 / 255.0f, 128 / 255.0f, 1.0f};
const ImVec4 dark_shadow{64 / 255.0f, 64 / 255.0f, 64 / 255.0f, 1.0f};
const ImVec4 white{1.0f, 1.0f, 1.0f, 1.0f};
const ImVec4 black{0.0f, 0.0f, 0.0f, 1.0f};

float px(int units) { return static_cast<float>(units) * unit_x; }
float py(int units) { return static_cast<float>(units) * unit_y; }

ImVec4 rgb(float r, float g, float b) { return ImVec4{r / 255.0f, g / 255.0f, b / 255.0f, 1.0f}; }

void apply_classic_style()
{
    ImGuiStyle& style = ImGui::GetStyle();
    ImGui::StyleColorsLight(&style);
    style.WindowPadding = ImVec2(0, 0);
    style.WindowBorderSize = 0;
    style.WindowRounding = 0;
    style.FramePadding = ImVec2(4, 2);
    style.FrameBorderSize = 1;
    style.FrameRounding = 0;
    style.PopupRounding = 0;
    style.PopupBorderSize = 1;
    style.ScrollbarRounding = 0;
    style.ScrollbarSize = 14;
    style.GrabRounding = 0;
    style.ItemInnerSpacing = ImVec2(4, 4);
    style.DisabledAlpha = 0.5f;

    ImVec4* colors = style.Colors;
    colors[ImGuiCol_Text] = black;
    colors[ImGuiCol_TextDisabled] = shadow;
    colors[ImGuiCol_WindowBg] = face;
    colors[ImGuiCol_PopupBg] = white;
    colors[ImGuiCol_Border] = dark_shadow;
    colors[ImGuiCol_BorderShadow] = ImVec4(0, 0, 0, 0);
    colors[ImGuiCol_FrameBg] = white;
    colors[ImGuiCol_FrameBgHovered] = white;
    colors[ImGuiCol_FrameBgActive] = rgb(232, 232, 232);
    colors[ImGuiCol_CheckMark] = black;
    colors[ImGuiCol_Button] = face;
    colors[ImGuiCol_ButtonHovered] = rgb(226, 223, 216);
    colors[ImGuiCol_ButtonActive] = rgb(190, 186, 178);
    colors[ImGuiCol_Header] = rgb(10, 36, 106);
    colors[ImGuiCol_HeaderHovered] = rgb(166, 190, 222);
    colors[ImGuiCol_HeaderActive] = rgb(10, 36, 106);
    colors[ImGuiCol_ScrollbarBg] = rgb(236, 233, 228);
    colors[ImGuiCol_ScrollbarGrab] = face;
    colors[ImGuiCol_ScrollbarGrabHovered] = rgb(226, 223, 216);
    colors[ImGuiCol_ScrollbarGrabActive] = rgb(190, 186, 178);
    colors[ImGuiCol_PlotHistogram] = rgb(10, 36, 106);
    colors[ImGuiCol_NavHighlight] = ImVec4(0, 0, 0, 0);
}

}  // namespace

ImGuiDialog::~ImGuiDialog()
{
    if (imgui_ != nullptr) {
        ImGui::SetCurrentContext(imgui_);
        ImGui_ImplSDLRenderer_Shutdown();
        ImGui_ImplSDL2_Shutdown();
        ImGui::DestroyContext(imgui_);
    }
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
}

bool ImGuiDialog::create(const Dialog& dialog)
{
    window_ = SDL_CreateWindow(dialog.caption.c_str(), static_cast<int>(px(dialog.x)), static_cast<int>(py(dialog.y)),
                               static_cast<int>(px(dialog.width)), static_cast<int>(py(dialog.height)),
                               SDL_WINDOW_HIDDEN);
    if (window_ == nullptr) return false;
    window_id_ = SDL_GetWindowID(window_);
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ == nullptr) return false;

    IMGUI_CHECKVERSION();
    imgui_ = ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    // The program writes no files.
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    apply_classic_style();
    ImGui_ImplSDL2_InitForSDLRenderer(window_);
    ImGui_ImplSDLRenderer_Init(renderer_);
    notifications_.reserve(8);
    return true;
}

void ImGuiDialog::set_visible(bool visible)
{
    visible_ = visible;
    if (visible) {
        SDL_ShowWindow(window_);
        SDL_RaiseWindow(window_);
        frames_due_ = frames_after_input;
    } else {
        SDL_HideWindow(window_);
    }
}

void ImGuiDialog::handle_event(const SDL_Event& event)
{
    ImGui::SetCurrentContext(imgui_);
    switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
    case SDL_WINDOWEVENT:
        ImGui_ImplSDL2_ProcessEvent(&event);
        frames_due_ = frames_after_input;
        break;
    case SDL_MOUSEMOTION:
        frames_due_ = frames_after_input;
        break;
    default:
        break;
    }
}

bool ImGuiDialog::needs_paint(const World& world, const Dialog& dialog) const
{
    return visible_ && (frames_due_ > 0 || dialog_state(dialog, world.loading) != painted_state_);
}

void ImGuiDialog::paint(DialogContext& context)
{
    ImGui::SetCurrentContext(imgui_);
    notifications_.clear();

    ImGui_ImplSDLRenderer_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    // Over the window, the pointer position SDL keeps from its motion events:
    // the global position the back end asks for can lag behind them on X11.
    if (SDL_GetMouseFocus() == window_) {
        int x = 0;
        int y = 0;
        SDL_GetMouseState(&x, &y);
        ImGui::GetIO().MousePos = ImVec2(static_cast<float>(x), static_cast<float>(y));
    }
    ImGui::NewFrame();
    draw_controls(context);
    ImGui::Render();

    SDL_SetRenderDrawColor(renderer_, 212, 208, 200, 255);
    SDL_RenderClear(renderer_);
    ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
    SDL_RenderPresent(renderer_);

    painted_state_ = dialog_state(context.dialog, context.world.loading);
    if (frames_due_ > 0) --frames_due_;

    // Handed over once the frame is done, as the controls would notify the
    // dialog after handling their own input.
    for (const Notification& notification : notifications_) {
        DialgProc(context, WM_COMMAND, notification.wparam, notification.lparam);
    }
}

void ImGuiDialog::draw_controls(DialogContext& context)
{
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(ImVec2(static_cast<float>(width), static_cast<float>(height)));
    ImGui::Begin("dialog", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                     ImGuiWindowFlags_NoBringToFrontOnFocus);

    // Group boxes first: everything else sits inside them.
    for (const Control& control : context.dialog.controls) {
        if (control.kind == ControlKind::group_box) draw_group_box(control);
    }
    for (Control& control : context.dialog.controls) {
        ImGui::PushID(control.id);
        ImGui::BeginDisabled(!control.enabled);
        switch (control.kind) {
        case ControlKind::radio_button: draw_radio(control); break;
        case ControlKind::drop_down_list: draw_list(control); break;
        case ControlKind::default_push_button:
        case ControlKind::push_button: draw_button(control); break;
        case ControlKind::centred_static: draw_static(context.world, control); break;
        case ControlKind::group_box: break;
        }
        ImGui::EndDisabled();
        ImGui::PopID();
    }
    ImGui::End();
}

void ImGuiDialog::draw_group_box(const Control& control)
{
    ImDrawList* draw = ImGui::GetWindowDrawList();
    ImVec2 text_size = ImGui::CalcTextSize(control.text.c_str());
    float left = px(control.x);
    float top = py(control.y) + text_size.y / 2;
    float right = px(control.x + control.width);
    float bottom = py(control.y + control.height);
    // An etched frame: a grey line with a white one beside it.
    draw->AddRect(ImVec2(left + 1, top + 1), ImVec2(right, bottom), ImGui::GetColorU32(white));
    draw->AddRect(ImVec2(left, top), ImVec2(right - 1, bottom - 1), ImGui::GetColorU32(shadow));
    float title_x = left + 8;
    draw->AddRectFilled(ImVec2(title_x - 2, py(control.y)), ImVec2(title_x + text_size.x + 2, py(control.y) + text_size.y),
                        ImGui::GetColorU32(face));
    draw->AddText(ImVec2(title_x, py(control.y)), ImGui::GetColorU32(black), control.text.c_str());
}

void ImGuiDialog::draw_static(const World& world, const Control& control)
{
    const char* text = control.live_text != nullptr ? control.live_text : control.text.c_str();
    ImVec2 text_size = ImGui::CalcTextSize(text);
    float top = py(control.y) + ImGui::GetStyle().FramePadding.y;
    ImGui::SetCursorPos(ImVec2(px(control.x) + (px(control.width) - text_size.x) / 2, top));
    ImGui::TextUnformatted(text);

    // The status line gets a bar under its text while the terrain is built.
    if (control.id == IDC_STATUS && world.loading != 0) {
        constexpr int columns_per_percent = 8;
        float fraction = static_cast<float>(world.lm_c / columns_per_percent) / 100.0f;
        ImGui::SetCursorPos(ImVec2(px(control.x) + 8, top + text_size.y + 2));
        ImGui::ProgressBar(fraction, ImVec2(px(control.width) - 16, py(control.y + control.height) - top - text_size.y - 2),
                           "");
    }
}

void ImGuiDialog::draw_radio(const Control& control)
{
    float radio_height = ImGui::GetFrameHeight();
    ImGui::SetCursorPos(ImVec2(px(control.x), py(control.y) + (py(control.height) - radio_height) / 2));
    if (ImGui::RadioButton(control.text.c_str(), control.checked)) {
        notifications_.push_back({MAKEWPARAM(static_cast<unsigned>(control.id), BN_CLICKED), control.handle});
    }
}

void ImGuiDialog::draw_button(const Control& control)
{
    ImVec2 position(px(control.x), py(control.y));
    ImVec2 size(px(control.width), py(control.height));
    ImGui::SetCursorPos(position);
    if (ImGui::Button(control.text.c_str(), size)) {
        notifications_.push_back({MAKEWPARAM(static_cast<unsigned>(control.id), BN_CLICKED), control.handle});
    }
    if (control.kind == ControlKind::default_push_button) {
        // The default button carries a second, black frame.
        ImVec2 min = ImGui::GetItemRectMin();
        ImVec2 max = ImGui::GetItemRectMax();
        ImGui::GetWindowDrawList()->AddRect(ImVec2(min.x - 1, min.y - 1), ImVec2(max.x + 1, max.y + 1),
                                            ImGui::GetColorU32(black));
    }
}

void ImGuiDialog::draw_list(Control& control)
{
    ImGui::SetCursorPos(ImVec2(px(control.x), py(control.y)));
    ImGui::SetNextItemWidth(px(control.width));
    bool has_selection = control.selection >= 0 && control.selection < static_cast<int>(control.items.size());
    const char* shown = has_selection ? control.items[static_cast<std::size_t>(control.selection)].c_str() : "";
    // A little room inside the drop-down's border keeps its last entry whole.
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(1, 2));
    bool open = ImGui::BeginCombo("##list", shown, ImGuiComboFlags_HeightRegular);
    ImGui::PopStyleVar();
    if (!open) return;

    for (int i = 0; i < static_cast<int>(control.items.size()); ++i) {
        bool selected = i == control.selection;
        ImGui::PushID(i);
        // The selected entry is white on blue, the others black.
        ImGui::PushStyleColor(ImGuiCol_Text, selected ? white : black);
        if (ImGui::Selectable(control.items[static_cast<std::size_t>(i)].c_str(), selected)) {
            control.selection = i;
            notifications_.push_back({MAKEWPARAM(static_cast<unsigned>(control.id), CBN_SELCHANGE), control.handle});
        }
        ImGui::PopStyleColor();
        if (selected) ImGui::SetItemDefaultFocus();
        ImGui::PopID();
    }
    ImGui::EndCombo();
}

}  // namespace qm
