// The Windows resource script written from the resource texts: every control
// of the template with its class and styles, quoting, and the accelerator
// table with its modifiers.
#include "shell/dialog/resource_script.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/dialog/resources.h"

namespace qm {
namespace {

std::size_t count_of(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(ResourceScript, ProgramResourcesGiveTheDialogAndTheKeyTable)
{
    Dialog dialog;
    AcceleratorTable accelerators;
    std::string error;
    ASSERT_TRUE(parse_dialog_template(dialog_resource, dialog, error)) << error;
    ASSERT_TRUE(parse_accelerators(accelerator_resource, accelerators, error)) << error;
    const std::string script = resource_script(dialog, accelerators);

    const char* expected[] = {
        "1000 DIALOG 4, 4, 126, 195\n",
        // A caption bar and no system menu.
        "STYLE DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION\n",
        "CAPTION \"Quillmar Simulator Config\"\n",
        "FONT 10, \"MS Sans Serif\"\n",
        "CONTROL \"Stretch Fullscreen\", 1001, \"Button\", BS_RADIOBUTTON | WS_TABSTOP | WS_CHILD | WS_VISIBLE, "
        "16, 18, 90, 6\n",
        "CONTROL \"\", 1007, \"ComboBox\", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_CHILD | WS_VISIBLE, "
        "15, 82, 93, 72\n",
        "CONTROL \"Start\", 1006, \"Button\", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_CHILD | WS_VISIBLE, 7, 175, 36, 15\n",
        "CONTROL \"Exit\", 1010, \"Button\", BS_PUSHBUTTON | WS_TABSTOP | WS_CHILD | WS_VISIBLE, 81, 177, 36, 15\n",
        // Group boxes and statics take no tab stop.
        "CONTROL \"Display Mode\", 1009, \"Button\", BS_GROUPBOX | WS_CHILD | WS_VISIBLE, 7, 4, 108, 60\n",
        "CONTROL \"Every\", 1018, \"Static\", SS_CENTER | WS_CHILD | WS_VISIBLE, 24, 120, 21, 12\n",
        "1 ACCELERATORS\nBEGIN\n    0x0D, 1, VIRTKEY\n    0x1B, 2, VIRTKEY\nEND\n",
    };
    for (const char* line : expected) EXPECT_NE(script.find(line), std::string::npos) << line;
    EXPECT_EQ(count_of(script, "    CONTROL "), dialog.controls.size());
    // The controls keep the template's order, which is the tab order.
    EXPECT_LT(script.find(", 1007, "), script.find(", 1006, "));
    EXPECT_LT(script.find(", 1010, "), script.find(", 1009, "));
}

TEST(ResourceScript, TextsAreQuotedForTheResourceCompiler)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"say \"hi\"", "CONTROL \"say \"\"hi\"\"\", 7,"},  // quotes doubled
        {"C:\\maps", "CONTROL \"C:\\\\maps\", 7,"},          // backslashes escaped
        {"", "CONTROL \"\", 7,"},
    };
    for (const Case& c : cases) {
        Dialog dialog;
        Control control;
        control.id = 7;
        control.text = c.text;
        dialog.controls.push_back(control);
        const std::string script = resource_script(dialog, AcceleratorTable{});
        EXPECT_NE(script.find(c.expected), std::string::npos) << c.text << "\n" << script;
    }
}

TEST(ResourceScript, KeyEntriesCarryTheirModifiers)
{
    struct Case {
        Accelerator entry;
        const char* expected;
    };
    const Case cases[] = {
        {{VK_LEFT, MOD_SHIFT, 5}, "    0x25, 5, VIRTKEY, SHIFT\n"},
        {{'A', MOD_CONTROL | MOD_ALT, 6}, "    0x41, 6, VIRTKEY, CONTROL, ALT\n"},
        {{VK_ESCAPE, 0, 2}, "    0x1B, 2, VIRTKEY\n"},
    };
    for (const Case& c : cases) {
        AcceleratorTable table;
        table.resource_id = 1;
        table.entries.push_back(c.entry);
        const std::string script = resource_script(Dialog{}, table);
        EXPECT_NE(script.find(c.expected), std::string::npos) << c.expected << "\n" << script;
    }
}

}  // namespace
}  // namespace qm
