// Parsing of headless script lines: every command form, and the reasons given
// for lines that are refused.
#include "cli/runner/headless_script.h"

#include <gtest/gtest.h>

#include "shell/platform.h"
#include "sim/controls/inputs.h"

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
        {"down t", ScriptCommandKind::key_down, 1, VK_T, 0, 0, ""},
        {"down h", ScriptCommandKind::key_down, 1, VK_H, 0, 0, ""},
        {"down u", ScriptCommandKind::key_down, 1, VK_U, 0, 0, ""},
        {"down r", ScriptCommandKind::key_down, 1, VK_R, 0, 0, ""},
        {"down s", ScriptCommandKind::key_down, 1, VK_S, 0, 0, ""},
        {"up p", ScriptCommandKind::key_up, 1, VK_P, 0, 0, ""},
        {"down f12", ScriptCommandKind::key_down, 1, VK_F12, 0, 0, ""},
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

TEST(HeadlessScript, AcceptsAimingAndWaitingCommandsAndCommentsAfterAnyCommand)
{
    const struct {
        const char* line;
        ScriptCommandKind kind;
        double angle, power;
        unsigned key;
        long count;
        const char* path;
    } cases[] = {
        {"aim 45 2.5", ScriptCommandKind::aim, 45, 2.5, 0, 1, ""},
        {"aim 10 0", ScriptCommandKind::aim, 10, 0, 0, 1, ""},
        {"aim 90 4", ScriptCommandKind::aim, 90, 4, 0, 1, ""},
        {"aim 64.5 .25", ScriptCommandKind::aim, 64.5, 0.25, 0, 1, ""},
        {"aim 33 1.01", ScriptCommandKind::aim, 33, 1.01, 0, 1, ""},
        {"face left", ScriptCommandKind::face, 0, 0, VK_LEFT, 1, ""},
        {"face right\r", ScriptCommandKind::face, 0, 0, VK_RIGHT, 1, ""},
        {"fire", ScriptCommandKind::fire, 0, 0, 0, 1, ""},
        {"until rest", ScriptCommandKind::until_rest, 0, 0, 0, 10000, ""},
        {"until rest 500", ScriptCommandKind::until_rest, 0, 0, 0, 500, ""},
        // A '#' after a blank starts a comment on any line, frame included.
        {"tick 60 # let both units land", ScriptCommandKind::tick, 0, 0, 0, 60, ""},
        {"tick 5\t#tab before", ScriptCommandKind::tick, 0, 0, 0, 5, ""},
        {"fire # now", ScriptCommandKind::fire, 0, 0, 0, 1, ""},
        {"until rest # both units", ScriptCommandKind::until_rest, 0, 0, 0, 10000, ""},
        {"until ready", ScriptCommandKind::until_ready, 0, 0, 0, 10000, ""},
        {"until ready 70", ScriptCommandKind::until_ready, 0, 0, 0, 70, ""},
        {"down d", ScriptCommandKind::key_down, 0, 0, VK_D, 1, ""},
        {"up enter", ScriptCommandKind::key_up, 0, 0, VK_RETURN, 1, ""},
        {"frame shots/a b.png # after", ScriptCommandKind::frame, 0, 0, 0, 1, "shots/a b.png"},
        // Without a blank before it, '#' belongs to the word.
        {"frame shot#1.png", ScriptCommandKind::frame, 0, 0, 0, 1, "shot#1.png"},
        {"#tick 5", ScriptCommandKind::nothing, 0, 0, 0, 1, ""},
    };
    for (const auto& c : cases) {
        ScriptCommand command;
        std::string error;
        ASSERT_TRUE(parse_script_line(c.line, command, error)) << c.line << ": " << error;
        EXPECT_EQ(command.kind, c.kind) << c.line;
        EXPECT_EQ(command.angle, c.angle) << c.line;
        EXPECT_EQ(command.power, c.power) << c.line;
        EXPECT_EQ(command.key, c.key) << c.line;
        EXPECT_EQ(command.count, c.count) << c.line;
        EXPECT_EQ(command.path, c.path) << c.line;
    }
}

TEST(HeadlessScript, AcceptsTheWheelThePadAndEveryNamedKey)
{
    const struct {
        const char* line;
        ScriptCommandKind kind;
        long count;
        unsigned key;
        long value;
    } cases[] = {
        {"wheel up", ScriptCommandKind::wheel, 1, 0, 0},
        {"wheel up 12", ScriptCommandKind::wheel, 12, 0, 0},
        {"wheel down 273", ScriptCommandKind::wheel, -273, 0, 0},
        {"pad down a", ScriptCommandKind::pad_down, 1, pad_a, 0},
        {"pad up dpright # the d-pad", ScriptCommandKind::pad_up, 1, pad_dpad_right, 0},
        {"pad axis righttrigger 32767", ScriptCommandKind::pad_axis, 1, pad_right_trigger, 32767},
        {"pad axis lefty -32768", ScriptCommandKind::pad_axis, 1, pad_left_y, -32768},
        {"pad axis rightx 0", ScriptCommandKind::pad_axis, 1, pad_right_x, 0},
        {"down k", ScriptCommandKind::key_down, 1, VK_K, 0},
        {"down f1", ScriptCommandKind::key_down, 1, VK_F1, 0},
        {"up backspace", ScriptCommandKind::key_up, 1, VK_BACK, 0},
        // The controls file's names of keys, letter case ignored.
        {"down PageUp", ScriptCommandKind::key_down, 1, VK_PRIOR, 0},
        {"up equal", ScriptCommandKind::key_up, 1, VK_OEM_PLUS, 0},
        {"down KeyW", ScriptCommandKind::key_down, 1, 'W', 0},
    };
    for (const auto& c : cases) {
        ScriptCommand command;
        std::string error;
        ASSERT_TRUE(parse_script_line(c.line, command, error)) << c.line << ": " << error;
        EXPECT_EQ(command.kind, c.kind) << c.line;
        EXPECT_EQ(command.count, c.count) << c.line;
        EXPECT_EQ(command.key, c.key) << c.line;
        EXPECT_EQ(command.value, c.value) << c.line;
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
        {"aim 9.99 2", "aim needs ANGLE from 10 to 90 and POWER from 0 to 4, not '9.99' '2'"},
        {"aim 90.5 2", "not '90.5' '2'"},
        {"aim 45 4.01", "not '45' '4.01'"},
        {"aim 45 -1", "not '45' '-1'"},
        {"aim 45", "not '45' ''"},
        {"aim 4e1 2", "not '4e1' '2'"},
        {"aim 45. 2..5", "not '45.' '2..5'"},
        {"aim 45 2 3", "aim takes no further argument, found '3'"},
        {"face up", "face needs left or right, not 'up'"},
        {"face", "face needs left or right, not ''"},
        {"face left now", "face takes no further argument"},
        {"fire 2", "fire takes no further argument, found '2'"},
        {"until", "until needs 'rest' or 'ready', not ''"},
        {"until land", "until needs 'rest' or 'ready', not 'land'"},
        {"until ready 0", "until ready needs a whole number from 1 to 1000000, not '0'"},
        {"until rest 0", "until rest needs a whole number from 1 to 1000000, not '0'"},
        {"until rest 5 6", "until rest takes no further argument, found '6'"},
        {"frame # only a comment", "frame needs a file path"},
        {"wheel", "wheel needs 'up' or 'down', not ''"},
        {"wheel left", "wheel needs 'up' or 'down', not 'left'"},
        {"wheel up 0", "wheel needs a number of notches from 1 to 273, not '0'"},
        {"wheel down 274", "not '274'"},
        {"wheel up 2 3", "wheel takes no further argument, found '3'"},
        {"pad", "pad needs 'down', 'up' or 'axis', not ''"},
        {"pad down", "pad down needs a button (a, b, x, y, back, guide, start,"},
        {"pad up A", "not 'A'"},
        {"pad down a b", "pad takes no further argument, found 'b'"},
        {"pad axis triggerleft 5", "pad axis needs an axis (leftx, lefty, rightx, righty, lefttrigger, righttrigger)"},
        {"pad axis leftx", "pad axis needs a value from -32768 to 32767"},
        {"pad axis leftx 32768", "pad axis needs a value from -32768 to 32767"},
        {"pad axis leftx -32769", "pad axis needs a value"},
        {"pad axis leftx +5", "pad axis needs a value"},
        {"pad axis leftx --5", "pad axis needs a value"},
        {"down ShiftLeft", "unknown key 'ShiftLeft'"},
        {"down WheelUp", "unknown key 'WheelUp'"},
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
