// The accelerator table: the one the program carries, reading, and matching.
#include "shell/dialog/accelerators.h"

#include <gtest/gtest.h>

#include "shell/dialog/resources.h"

namespace qm {
namespace {

TEST(Accelerators, ProgramTableMapsEnterAndEscapeToStartAndExit)
{
    AcceleratorTable table;
    std::string error;
    ASSERT_TRUE(parse_accelerators(accelerator_resource, table, error)) << error;
    EXPECT_EQ(table.resource_id, 1);
    ASSERT_EQ(table.entries.size(), 2u);

    struct Case {
        unsigned message;
        unsigned key;
        unsigned modifiers;
        unsigned command;
    };
    const Case cases[] = {
        {WM_KEYDOWN, VK_RETURN, 0, 1},
        {WM_KEYDOWN, VK_ESCAPE, 0, 2},
        {WM_KEYUP, VK_RETURN, 0, 0},             // releases never match
        {WM_KEYDOWN, VK_RETURN, MOD_SHIFT, 0},   // entries without modifiers
        {WM_KEYDOWN, VK_ESCAPE, MOD_CONTROL, 0}, // want none held
        {WM_KEYDOWN, VK_ESCAPE, MOD_ALT, 0},
        {WM_KEYDOWN, VK_F, 0, 0},
        {WM_KEYDOWN, VK_ADD, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(match_accelerator(table, c.message, c.key, c.modifiers), c.command)
            << c.message << " " << c.key << " " << c.modifiers;
    }
}

TEST(Accelerators, ModifiersAndKeyNamesAreRead)
{
    AcceleratorTable table;
    std::string error;
    ASSERT_TRUE(parse_accelerators("ACCELERATORS 7\nKEY F 12 CONTROL SHIFT  # comment\nKEY 0x70 3\n", table, error))
        << error;
    EXPECT_EQ(table.resource_id, 7);
    EXPECT_EQ(match_accelerator(table, WM_KEYDOWN, VK_F, MOD_CONTROL | MOD_SHIFT), 12u);
    EXPECT_EQ(match_accelerator(table, WM_KEYDOWN, VK_F, MOD_CONTROL), 0u);
    EXPECT_EQ(match_accelerator(table, WM_KEYDOWN, 0x70, 0), 3u);
}

TEST(Accelerators, MalformedTablesAreRejectedWithTheLine)
{
    struct Case {
        const char* text;
        const char* line;
    };
    const Case cases[] = {
        {"ACCELERATORS 1\nKEY VK_NOPE 1\n", "line 2"},
        {"ACCELERATORS 1\nKEY VK_RETURN\n", "line 2"},
        {"ACCELERATORS 1\n\nKEY VK_RETURN 1 META\n", "line 3"},
        {"KEY VK_RETURN 1\nBOGUS\n", "line 2"},
        {"KEY VK_RETURN 1\n", "no ACCELERATORS"},
    };
    for (const Case& c : cases) {
        AcceleratorTable table;
        std::string error;
        EXPECT_FALSE(parse_accelerators(c.text, table, error)) << c.text;
        EXPECT_NE(error.find(c.line), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace qm
