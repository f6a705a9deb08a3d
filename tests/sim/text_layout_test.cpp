// Text over the frame: long texts wrapped, every overlay's lines inside its
// panel with its longest texts, panels clear of the HUD's lines, banners
// clear of the units.
#include "sim/text_layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "shell/controls/help_text.h"
#include "sim/controls/actions.h"
#include "sim/controls/bindings.h"
#include "sim/controls/keys.h"
#include "sim/controls/controls_draw.h"
#include "sim/drill/drill_draw.h"
#include "sim/frame.h"
#include "sim/hud.h"
#include "sim/practice.h"
#include "sim/world.h"

namespace qm {
namespace {

// The lines as they read, one per entry.
std::vector<std::string> texts(const TextLayout& layout)
{
    std::vector<std::string> lines;
    for (int i = 0; i < layout.count; ++i) lines.emplace_back(layout.lines[i].text, layout.lines[i].length);
    return lines;
}

std::string without_spaces(std::string text)
{
    std::erase(text, ' ');
    return text;
}

// `count` characters: words of `word` letters between single spaces.
std::string words(int count, int word = 7)
{
    std::string text;
    for (int i = 0; static_cast<int>(text.size()) < count; ++i) {
        text += (i % (word + 1) == word) ? ' ' : static_cast<char>('a' + i % 26);
    }
    if (text.back() == ' ') text.back() = 'z';
    return text;
}

template <std::size_t N>
void fill(char (&to)[N], const std::string& text)
{
    std::snprintf(to, N, "%s", text.c_str());
}

// The HUD's lines at their longest.
const TextBox hud_lines[] = {
    text_box(30, 8, (frame_width - 30) / font_width),   // the drill's line
    text_box(30, hud_shot_y, 28),                        // "x: -99999 y: -99999 t: 99.99"
    text_box(620, hud_shot_y, 20),                       // "Press 'Esc' to close"
    text_box(100, hud_aim_y, 21),                        // "ang: 90.0 pow: 4.00"
};

// Every line inside the layout's room, and its panel either clear of each
// HUD line or over the whole of it; answers what the lines say, spaces left out.
std::string expect_fits(const TextLayout& layout, const std::string& what)
{
    EXPECT_EQ(layout.dropped, 0) << what;
    const TextBox room = layout.room();
    std::string read;
    for (int i = 0; i < layout.count; ++i) {
        const TextLine& line = layout.lines[i];
        const TextBox box = line.box();
        EXPECT_TRUE(room.holds(box)) << what << ": \"" << std::string(line.text, line.length) << "\" at " << box.left
                                     << "," << box.top << " to " << box.right << "," << box.bottom;
        read += std::string(line.text, line.length);
    }
    if (layout.has_panel) {
        const TextBox panel = layout.panel_reach();
        const TextBox frame{0, 0, frame_width, frame_height};
        EXPECT_TRUE(frame.holds(panel)) << what;
        for (const TextBox& hud : hud_lines) {
            EXPECT_TRUE(!panel.meets(hud) || panel.holds(hud)) << what << ": the panel cuts the HUD line at "
                                                                << hud.left << "," << hud.top;
        }
    }
    return without_spaces(read);
}

TEST(TextLayout, LongTextsBreakAtSpacesOrMidWordWhenAWordIsWider)
{
    const struct {
        const char* text;
        int columns;
        int indent;
        std::vector<std::string> lines;
    } cases[] = {
        {"", 10, 0, {}},
        {"short", 10, 0, {"short"}},
        {"exactly ten", 11, 0, {"exactly ten"}},
        {"one two three four", 9, 0, {"one two", "three", "four"}},
        {"one   two", 4, 0, {"one", "two"}},                   // the spaces at a break go
        {"abcdefghijkl", 5, 0, {"abcde", "fghij", "kl"}},      // no space to break at
        {"name      KeyA KeyB KeyC", 16, 10, {"name      KeyA", "KeyB", "KeyC"}},  // under the inputs
        {"x yyyyyyyy", 6, 4, {"x", "yy", "yy", "yy", "yy"}},  // two columns left after the indent
    };
    for (const auto& c : cases) {
        TextLayout layout;
        const int under = layout.add_wrapped(40, 100, c.text, c.columns, c.indent);
        EXPECT_EQ(texts(layout), c.lines) << c.text;
        EXPECT_EQ(wrapped_line_count(c.text, c.columns, c.indent), static_cast<int>(c.lines.size())) << c.text;
        EXPECT_EQ(under, 100 + font_height * static_cast<int>(c.lines.size())) << c.text;
        for (int i = 0; i < layout.count; ++i) {
            EXPECT_EQ(layout.lines[i].x, i == 0 ? 40 : 40 + c.indent * font_width) << c.text;
            EXPECT_LE(layout.lines[i].length, i == 0 ? c.columns : c.columns - c.indent) << c.text;
        }
    }
}

TEST(TextLayout, APanelKeepsBetweenTheHudLinesOrCoversTheWholeHeight)
{
    const struct {
        int lines;
        TextBox panel;
        int first_y;
    } cases[] = {
        {1, {24, 48, 776, 80}, 56},
        {30, {24, 48, 776, 544}, 56},  // the most the band holds
        {31, {1, 1, frame_width - 1, frame_height - 1}, 8},
    };
    for (const auto& c : cases) {
        TextLayout layout;
        for (int i = 0; i < c.lines; ++i) layout.add(40, panel_top_in_band + 8 + i * font_height, "line");
        place_panel(layout, 24, 776, 8);
        EXPECT_EQ(layout.panel.left, c.panel.left) << c.lines;
        EXPECT_EQ(layout.panel.right, c.panel.right) << c.lines;
        EXPECT_EQ(layout.panel.top, c.panel.top) << c.lines;
        EXPECT_EQ(layout.panel.bottom, c.panel.bottom) << c.lines;
        EXPECT_EQ(layout.lines[0].y, c.first_y) << c.lines;
        expect_fits(layout, std::to_string(c.lines) + " lines");
    }
}

TEST(TextLayout, TheHelpFitsForEveryDeviceAndWithAnActionOfEightInputs)
{
    const Bindings usual = preset_bindings(Preset::classic);
    Bindings crowded = usual;
    ActionInputs& fire = crowded.of(Action::fire);
    fire = ActionInputs{};
    for (int i = 0; i < max_action_inputs; ++i) fire.add(Input::key(VK_NUMPAD0 + static_cast<unsigned>(i)));
    const struct {
        const char* what;
        const Bindings& bindings;
        Device device;
    } cases[] = {
        {"keyboard", usual, Device::keyboard},
        {"pad", usual, Device::pad},
        {"touch", usual, Device::touch},
        {"eight inputs", crowded, Device::keyboard},
    };
    for (const auto& c : cases) {
        HelpScreen help;
        fill_help(help, c.bindings, c.device);
        std::string all;
        for (int i = 0; i < help.count; ++i) all += help.lines[i];
        EXPECT_EQ(expect_fits(help_layout(help), c.what), without_spaces(all)) << c.what;
    }
}

TEST(TextLayout, TheControlsScreenFitsWithLongInputsAndTheLongestNote)
{
    ControlsScreen screen;
    screen.open = true;
    screen.count = action_count < controls_screen_rows ? action_count : controls_screen_rows;
    for (int i = 0; i < screen.count; ++i) {
        fill(screen.names[i], std::string(action_info(action_at(i)).name));
        fill(screen.inputs[i], i % 6 == 0 ? words(controls_inputs_size - 1, 12) : std::string("KeyA Escape"));
    }
    fill(screen.note, words(controls_note_size - 1));
    for (const int selected : {0, screen.count - 1}) {
        screen.selected = selected;
        std::string all;
        for (int i = 0; i < screen.count; ++i) all += std::string(screen.names[i]) + screen.inputs[i];
        // The touch screen's title names the page's buttons.
        std::string read = expect_fits(controls_layout(screen, selected == 0), "controls");
        std::erase(read, '>');  // the chosen row's mark
        EXPECT_EQ(read.substr(read.find(screen.names[0])), without_spaces(all + screen.note));
    }
}

TEST(TextLayout, TheDrillMenuShowsTheWholeDescriptionAndScrollsToTheChosenEntry)
{
    const auto menu = std::make_unique<DrillMenu>();
    menu->open = true;
    menu->count = drill_menu_entries;
    for (int i = 0; i < menu->count; ++i) {
        fill(menu->names[i], std::to_string(i) + words(drill_name_size - 4));
        fill(menu->descriptions[i], words(drill_description_size - 1, 9));
    }
    for (const int selected : {0, 12, drill_menu_entries - 1}) {
        menu->selected = selected;
        const TextLayout layout = menu_layout(*menu, selected == 12);
        const std::string read = expect_fits(layout, "menu");
        EXPECT_NE(read.find(without_spaces(menu->names[selected])), std::string::npos) << selected;
        EXPECT_EQ(read.substr(read.size() - without_spaces(menu->descriptions[selected]).size()),
                  without_spaces(menu->descriptions[selected]))
            << selected;
    }
}

TEST(TextLayout, TheResultsHeadWrapsALongNoteAndKeepsOffTheRowsAndTheChart)
{
    const TextBox chart{results_chart_x, results_chart_y, results_chart_x + results_chart_width,
                        results_chart_y + results_chart_height};
    const struct {
        const char* what;
        int note;  // characters, 0 for none
        bool challenge;
        int rows_y;
    } cases[] = {
        {"plain", 0, false, 150},
        {"a short note", 40, true, 150},
        {"a long note", drill_note_size - 1, false, 150},
        {"a long note and a challenge", drill_note_size - 1, true, 0},
    };
    auto world = std::make_unique<World>();
    DrillRun& d = world->drill;
    fill(d.rules.name, words(drill_name_size - 1));
    d.score = 123456;
    for (const auto& c : cases) {
        fill(d.note, c.note == 0 ? std::string() : words(c.note));
        d.rules.challenge.score_given = c.challenge;
        d.rules.challenge.score = 99999;
        fill(d.rules.challenge.sender, words(challenge_sender_size - 1));
        ResultsHead head;
        results_head(d, head);
        const std::string read = expect_fits(head.layout, c.what);
        EXPECT_NE(read.find(without_spaces(d.note)), std::string::npos) << c.what;
        EXPECT_EQ(read.find(without_spaces(d.rules.challenge.sender)) != std::string::npos, c.challenge) << c.what;
        if (c.rows_y != 0) {
            EXPECT_EQ(head.rows_y, c.rows_y) << c.what;
        }
        for (int i = 0; i < head.layout.count; ++i) {
            const TextBox box = head.layout.lines[i].box();
            EXPECT_LE(box.bottom, head.rows_y) << c.what;
            EXPECT_FALSE(box.meets(chart)) << c.what << ": line " << i;
            EXPECT_LE(box.right, 770) << c.what;
        }
    }
}

TEST(TextLayout, TheDrillLineFitsTheFrameDroppingTheNameThenTheSender)
{
    const struct {
        int name;
        int sender;
        bool named;
        bool sent;
    } cases[] = {
        {6, 5, true, true},
        {40, 5, false, true},
        {drill_name_size - 1, challenge_sender_size - 1, false, false},
        {10, challenge_sender_size - 1, false, false},
    };
    auto world = std::make_unique<World>();
    DrillRun& d = world->drill;
    d.rules.rounds = 99;
    d.score = 9999999;
    d.best_known = true;
    d.best = 9999999;
    d.rules.challenge.score_given = true;
    d.rules.challenge.score = 9999999;
    for (const auto& c : cases) {
        fill(d.rules.name, std::string(static_cast<std::size_t>(c.name), 'n'));
        fill(d.rules.challenge.sender, std::string(static_cast<std::size_t>(c.sender), 's'));
        char line[drill_line_size];
        format_drill_line(d, true, line);  // "wait" makes it longest
        EXPECT_LE(text_box(30, 8, static_cast<int>(std::strlen(line))).right, frame_width) << line;
        EXPECT_EQ(std::strstr(line, d.rules.name) != nullptr, c.named) << line;
        EXPECT_EQ(std::strstr(line, d.rules.challenge.sender) != nullptr, c.sent) << line;
        EXPECT_NE(std::strstr(line, "to beat 9999999"), nullptr) << line;
    }
}

TEST(TextLayout, ANoticeTakesASecondLineUnderTheAimLineWhenLong)
{
    const struct {
        int length;
        int lines;
        int top;
    } cases[] = {
        {20, 1, 574},
        {95, 1, 574},
        {96, 2, 568},
        {notice_size - 1, 2, 568},
    };
    for (const auto& c : cases) {
        const std::string notice = words(c.length);
        const TextLayout layout = notice_layout(notice.c_str());
        EXPECT_EQ(expect_fits(layout, notice), without_spaces(notice));
        ASSERT_EQ(layout.count, c.lines) << c.length;
        EXPECT_EQ(layout.lines[0].y, c.top) << c.length;
        for (int i = 0; i < layout.count; ++i) {
            for (const TextBox& hud : hud_lines) EXPECT_FALSE(layout.lines[i].box().meets(hud)) << c.length;
        }
    }
}

TEST(TextLayout, BannersMoveOffTheUnitsAndStayInTheMiddleWhenClear)
{
    // Screen positions of the two units' contact points.
    const struct {
        const char* what;
        int target_x, target_y, player_x, player_y;
        int banner_y;  // 0: anywhere clear
    } cases[] = {
        {"units low", 100, 520, 700, 520, banner_middle_y},
        {"target under the middle", 400, 330, 100, 520, 0},
        {"player over the middle", 150, 520, 400, 300, 0},
        {"both about the middle", 300, 300, 500, 400, 0},
    };
    auto world = std::make_unique<World>();
    world->cam1.cam_x = 1000;
    world->cam1.cam_y = 200;
    for (const auto& c : cases) {
        world->target1.pos_x = 1000 + c.target_x;
        world->target1.pos_y = 200 + c.target_y;
        world->player_bot.pos_x = 1000 + c.player_x;
        world->player_bot.pos_y = 200 + c.player_y;
        for (const char* banner : {paused_banner, replay_banner}) {
            const TextBox box = banner_box(*world, banner);
            if (c.banner_y != 0) {
                EXPECT_EQ(box.top, c.banner_y) << c.what;
            }
            EXPECT_EQ(box.left + box.right, frame_width) << c.what;  // centred
            EXPECT_FALSE(box.meets(text_box(c.target_x - 40, c.target_y - 40, 10))) << c.what;
            EXPECT_FALSE(box.meets(text_box(c.player_x - 40, c.player_y - 40, 10))) << c.what;
            for (const TextBox& hud : hud_lines) EXPECT_FALSE(box.meets(hud)) << c.what;
        }
    }
}

}  // namespace
}  // namespace qm
