// Parsing of headless script lines: every command form, and the reasons given
// for lines that are refused.
#include "shell/headless_script.h"

#include <gtest/gtest.h>

#include "shell/platform.h"

namespace qm {
namespace {

TEST(HeadlessScript, AcceptsEveryCommandForm)
{
    const struct {
        const char* line;
        ScriptCommandKind kind;
        long count;
        unsigned key;
        int x, y;
        const char* path;
    } cases[] = {
        {"", ScriptCommandKind::nothing, 1, 0, 0, 0, ""},
        {"   \t\r", ScriptCommandKind::nothing, 1, 0, 0, 0, ""},
        {"# tick 5", ScriptCommandKind::nothing, 1, 0, 0, 0, ""},
        {"  # indented comment", ScriptCommandKind::nothing, 1, 0, 0, 0, ""},
        {"tick", ScriptCommandKind::tick, 1, 0, 0, 0, ""},
        {"tick 30\r", ScriptCommandKind::tick, 30, 0, 0, 0, ""},
        {"  tick\t1000000  ", ScriptCommandKind::tick, 1000000, 0, 0, 0, ""},
        {"down up", ScriptCommandKind::key_down, 1, VK_UP, 0, 0, ""},
        {"down down", ScriptCommandKind::key_down, 1, VK_DOWN, 0, 0, ""},
        {"down left", ScriptCommandKind::key_down, 1, VK_LEFT, 0, 0, ""},
        {"down right", ScriptCommandKind::key_down, 1, VK_RIGHT, 0, 0, ""},
        {"down add", ScriptCommandKind::key_down, 1, VK_ADD, 0, 0, ""},
        {"up subtract", ScriptCommandKind::key_up, 1, VK_SUBTRACT, 0, 0, ""},
        {"down f", ScriptCommandKind::key_down, 1, VK_F, 0, 0, ""},
        {"down c", ScriptCommandKind::key_down, 1, VK_C, 0, 0, ""},
        {"down esc", ScriptCommandKind::key_down, 1, VK_ESCAPE, 0, 0, ""},
        {"rdown 0 599", ScriptCommandKind::rbutton_down, 1, 0, 0, 599, ""},
        {"move 799 0", ScriptCommandKind::mouse_move, 1, 0, 799, 0, ""},
        {"rup", ScriptCommandKind::rbutton_up, 1, 0, 0, 0, ""},
        {"state", ScriptCommandKind::state, 1, 0, 0, 0, ""},
        {"frame out/a b.png  ", ScriptCommandKind::frame, 1, 0, 0, 0, "out/a b.png"},
    };
    for (const auto& c : cases) {
        ScriptCommand command;
        std::string error;
        ASSERT_TRUE(parse_script_line(c.line, command, error)) << c.line << ": " << error;
        EXPECT_EQ(command.kind, c.kind) << c.line;
        EXPECT_EQ(command.count, c.count) << c.line;
        EXPECT_EQ(command.key, c.key) << c.line;
        EXPECT_EQ(command.x, c.x) << c.line;
        EXPECT_EQ(command.y, c.y) << c.line;
        EXPECT_EQ(command.path, c.path) << c.line;
    }
}

TEST(HeadlessScript, RefusesBadLinesWithAReason)
{
    const struct {
        const char* line;
        const char* reason;  // a part of the message
    } cases[] = {
        {"jump", "unknown command 'jump'"},
        {"Tick", "unknown command 'Tick'"},
        {"tick 0", "tick needs a whole number from 1 to 1000000, not '0'"},
        {"tick -3", "not '-3'"},
        {"tick +3", "not '+3'"},
        {"tick 1000001", "not '1000001'"},
        {"tick 99999999999999999999", "not '99999999999999999999'"},
        {"tick 3x", "not '3x'"},
        {"tick 3 4", "tick takes no further argument, found '4'"},
        {"down", "down needs a key"},
        {"down q", "unknown key 'q'"},
        {"up F", "unknown key 'F'"},
        {"down f f", "takes no further argument"},
        {"rdown 10", "rdown needs X from 0 to 799 and Y from 0 to 599"},
        {"move 800 10", "move needs X"},
        {"move 10 600", "move needs X"},
        {"move -1 10", "move needs X"},
        {"rdown 1 2 3", "takes no further argument"},
        {"rup now", "rup takes no further argument"},
        {"state x", "state takes no further argument"},
        {"frame", "frame needs a file path"},
        {"frame   ", "frame needs a file path"},
        // Garbage is shown short and printable.
        {"\x1b[2J\x01", "unknown command '?[2J?'"},
        {"tick 1234567890123456789012345678901234567890123", "not '1234567890123456789012345678901234567890...'"},
    };
    for (const auto& c : cases) {
        ScriptCommand command;
        std::string error;
        EXPECT_FALSE(parse_script_line(c.line, command, error)) << c.line;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.line << " gave: " << error;
    }
}

}  // namespace
}  // namespace qm
