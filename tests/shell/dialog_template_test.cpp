// The dialog template the program carries, and reading templates.
#include "shell/dialog/dialog_template.h"
#include "shell/dialog/resource_text.h"

#include <gtest/gtest.h>

#include <set>

#include "shell/dialog/resources.h"

namespace qm {
namespace {

TEST(DialogTemplate, ProgramTemplateHoldsTheTwentyControlsInTabOrder)
{
    Dialog dialog;
    std::string error;
    ASSERT_TRUE(parse_dialog_template(dialog_resource, dialog, error)) << error;
    EXPECT_EQ(dialog.resource_id, 1000);
    EXPECT_EQ(dialog.caption, "Quillmar Simulator Config");
    EXPECT_EQ(dialog.x, 4);
    EXPECT_EQ(dialog.y, 4);
    EXPECT_EQ(dialog.width, 126);
    EXPECT_EQ(dialog.height, 195);
    EXPECT_EQ(dialog.font_points, 10);
    EXPECT_EQ(dialog.font_face, "MS Sans Serif");

    struct Expected {
        int id;
        ControlKind kind;
        const char* text;
        int x, y, width, height;
    };
    using K = ControlKind;
    const Expected expected[] = {
        {1001, K::radio_button, "Stretch Fullscreen", 16, 18, 90, 6},
        {1002, K::radio_button, "800x600 32 bit Fullscreen", 16, 27, 90, 6},
        {1003, K::radio_button, "800x600 16 bit Fullscreen", 16, 36, 90, 6},
        {1004, K::radio_button, "Windowed", 16, 45, 90, 6},
        {1007, K::drop_down_list, "", 15, 82, 93, 72},
        {1006, K::default_push_button, "Start", 7, 175, 36, 15},
        {1010, K::push_button, "Exit", 81, 177, 36, 15},
        {1009, K::group_box, "Display Mode", 7, 4, 108, 60},
        {1005, K::group_box, "Select Map", 7, 66, 108, 33},
        {1011, K::group_box, "Simulator Options", 7, 100, 108, 60},
        {1012, K::radio_button, "Random Wind", 16, 112, 90, 6},
        {1013, K::radio_button, "Fixed Wind", 16, 135, 90, 6},
        {1016, K::centred_static, "Wind", 19, 144, 21, 12},
        {1017, K::centred_static, "Angle", 67, 144, 21, 12},
        {1014, K::drop_down_list, "", 39, 144, 24, 60},
        {1015, K::drop_down_list, "", 87, 144, 24, 60},
        {1018, K::centred_static, "Every", 24, 120, 21, 12},
        {1019, K::centred_static, "turns", 73, 120, 21, 12},
        {1020, K::drop_down_list, "", 46, 120, 24, 60},
        {1008, K::centred_static, "", 7, 162, 108, 12},
    };
    ASSERT_EQ(dialog.controls.size(), std::size(expected));
    std::set<LPARAM> handles;
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Control& c = dialog.controls[i];
        const Expected& e = expected[i];
        EXPECT_EQ(c.id, e.id) << i;
        EXPECT_EQ(c.kind, e.kind) << e.id;
        EXPECT_EQ(c.text, e.text) << e.id;
        EXPECT_EQ(c.x, e.x) << e.id;
        EXPECT_EQ(c.y, e.y) << e.id;
        EXPECT_EQ(c.width, e.width) << e.id;
        EXPECT_EQ(c.height, e.height) << e.id;
        EXPECT_TRUE(c.enabled) << e.id;
        EXPECT_FALSE(c.checked) << e.id;
        // Handles identify controls; no handle may pass for an id.
        EXPECT_NE(c.handle, 0);
        EXPECT_EQ(dialog.find(e.id), &c);
        EXPECT_EQ(dialog.find_by_handle(c.handle), &c);
        EXPECT_EQ(dialog.find_by_handle(e.id), nullptr);
        handles.insert(c.handle);
    }
    EXPECT_EQ(handles.size(), dialog.controls.size());
    EXPECT_EQ(dialog.find(1), nullptr);
}

TEST(DialogTemplate, MalformedTemplatesAreRejectedWithTheLine)
{
    struct Case {
        const char* text;
        const char* why;
    };
    const Case cases[] = {
        {"DIALOG 1 0 0 10 10 \"x\"\nCONTROL 5 slider 0 0 1 1 \"\"\n", "line 2"},
        {"DIALOG 1 0 0 10 10 \"x\"\nCONTROL 5 radio 0 0 1 \"a\"\n", "line 2"},
        {"DIALOG 1 0 0 10 10 \"unterminated\n", "line 1"},
        {"DIALOG 1 0 0 10 10 \"x\"\nCONTROL 5 radio 0 0 1 1 \"a\"\nCONTROL 5 radio 0 0 1 1 \"b\"\n", "twice"},
        {"CONTROL 5 radio 0 0 1 1 \"a\"\n", "no DIALOG"},
        {"DIALOG 1 0 0 ten 10 \"x\"\n", "line 1"},
    };
    for (const Case& c : cases) {
        Dialog dialog;
        std::string error;
        EXPECT_FALSE(parse_dialog_template(c.text, dialog, error)) << c.text;
        EXPECT_NE(error.find(c.why), std::string::npos) << error;
    }
}

TEST(DialogTemplate, QuotedWordsKeepBlanksAndHashes)
{
    std::vector<std::string> words;
    ASSERT_TRUE(split_resource_line("CONTROL 1 ctext 0 0 1 1 \"a # b\"  # trailing", words));
    ASSERT_EQ(words.size(), 8u);
    EXPECT_EQ(words[7], "a # b");
    ASSERT_TRUE(split_resource_line("   # only a comment", words));
    EXPECT_TRUE(words.empty());
}

}  // namespace
}  // namespace qm
