// The controls file: the lines it takes, each refusal with its line, the
// text it writes back, its default place, and reading and writing files.
#include "formats/controls/controls_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "shell/platform.h"

namespace qm {
namespace {

std::string scratch(const std::string& name)
{
    const std::string dir = testing::TempDir() + "qm_controls_file/";
    std::filesystem::create_directories(dir);
    return dir + name;
}

void write(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

TEST(ControlsFile, TakesGoodLines)
{
    const struct {
        const char* text;
        Preset preset;
        Action action;
        std::vector<Input> inputs;  // the action's inputs afterwards
    } cases[] = {
        {"", Preset::classic, Action::power_up,
         {Input::key(VK_ADD), Input::wheel(wheel_up), Input::pad_axis(pad_right_trigger, true),
          Input::pad_axis(pad_right_y, false)}},
        {"preset laptop\n", Preset::laptop, Action::power_down,
         {Input::key(VK_SUBTRACT), Input::wheel(wheel_down), Input::pad_axis(pad_left_trigger, true),
          Input::pad_axis(pad_right_y, true), Input::key(VK_NEXT), Input::key(VK_OEM_MINUS)}},
        // A line replaces its action's inputs; names ignore letter case.
        {"fire Space padleftstick\n", Preset::classic, Action::fire,
         {Input::key(VK_SPACE), Input::pad_button(pad_left_stick)}},
        // The prediction gives up X, which fire takes.
        {"prediction KeyH\nfire Space PadX\n", Preset::classic, Action::fire,
         {Input::key(VK_SPACE), Input::pad_button(pad_x)}},
        // Comments, blanks, a byte-order mark and Windows line ends as in scripts.
        {"\xEF\xBB\xBF# mine\r\n\r\n  preset classic  # the keys\r\nangle-up KeyW\r\n", Preset::classic,
         Action::angle_up, {Input::key('W')}},
        {"power-up PadLeftStickUp WheelDown\npower-down PadLeftStickDown\n", Preset::classic, Action::power_up,
         {Input::pad_axis(pad_left_y, false), Input::wheel(wheel_down)}},
        // An input may be an action's in play and a menu's: ArrowUp stays menu-up.
        {"angle-up KeyW\nfire ArrowUp\n", Preset::classic, Action::menu_up,
         {Input::key(VK_UP), Input::pad_button(pad_dpad_up)}},
        {"quit KeyQ\n", Preset::classic, Action::quit, {Input::key('Q')}},
    };
    for (const auto& c : cases) {
        Preset preset = Preset::laptop;
        Bindings bindings;
        long line = -1;
        std::string reason;
        ASSERT_TRUE(parse_controls(c.text, preset, bindings, line, reason)) << c.text << ": " << reason;
        EXPECT_EQ(preset, c.preset) << c.text;
        const ActionInputs& got = bindings.of(c.action);
        ASSERT_EQ(got.count, static_cast<int>(c.inputs.size())) << c.text;
        for (int i = 0; i < got.count; ++i) EXPECT_EQ(got.inputs[static_cast<std::size_t>(i)], c.inputs[static_cast<std::size_t>(i)]) << c.text;
    }
}

TEST(ControlsFile, RefusesEachFaultWithItsLine)
{
    const struct {
        const char* text;
        long line;
        const char* reason;
    } cases[] = {
        {"jump KeyJ\n", 1, "unknown action 'jump' (qmsim controls lists them)"},
        {"\nfire Keyf KeyBogus\n", 2, "unknown input 'KeyBogus' (docs/controls.md lists them)"},
        {"fire\n", 1, "fire needs at least one input"},
        {"fire KeyF KeyF\n", 1, "KeyF is given twice"},
        {"fire KeyA KeyB KeyC KeyD KeyE KeyF KeyG KeyH KeyI\n", 1, "at most 8 inputs an action"},
        {"fire KeyF\n# again\nfire KeyJ\n", 3, "fire is bound already on line 1"},
        {"preset desktop\n", 1, "preset needs classic or laptop, not 'desktop'"},
        {"preset laptop classic\n", 1, "preset needs classic or laptop"},
        {"preset laptop\npreset laptop\n", 2, "preset given twice (line 1)"},
        {"fire KeyF\npreset laptop\n", 2, "preset comes before the bindings"},
        // An input that does two things names both; the later line is blamed.
        {"fire ArrowUp\n", 1, "ArrowUp is bound to both angle-up and fire"},
        {"chart KeyJ\n\nfire KeyJ\n", 3, "KeyJ is bound to both fire and chart"},
        {"menu-enter PadB\n", 1, "PadB is bound to both menu-enter and menu-back"},
        {"preset laptop\nscore PageUp\n", 2, "PageUp is bound to both power-up and score"},
        {"fire Escape\n", 1, "Escape can only quit or close a menu"},
    };
    for (const auto& c : cases) {
        Preset preset;
        Bindings bindings;
        long line = -1;
        std::string reason;
        ASSERT_FALSE(parse_controls(c.text, preset, bindings, line, reason)) << c.text;
        EXPECT_EQ(line, c.line) << c.text;
        EXPECT_NE(reason.find(c.reason), std::string::npos) << c.text << ": " << reason;
    }
}

TEST(ControlsFile, WritesTheChangesAndReadsThemBackAsTheyWere)
{
    Preset preset;
    Bindings bindings;
    long line = 0;
    std::string reason;
    ASSERT_TRUE(parse_controls("preset laptop\nfire Space PadA\n", preset, bindings, line, reason)) << reason;
    const std::string changes = format_controls(preset, bindings, false);
    EXPECT_NE(changes.find("\npreset laptop\nfire         Space PadA\n"), std::string::npos) << changes;
    EXPECT_EQ(changes.find("angle-up"), std::string::npos) << changes;
    for (const bool every : {false, true}) {
        Preset again_preset = Preset::classic;
        Bindings again;
        ASSERT_TRUE(parse_controls(format_controls(preset, bindings, every), again_preset, again, line, reason)) << reason;
        EXPECT_EQ(again_preset, Preset::laptop);
        EXPECT_TRUE(again == bindings);
    }
}

TEST(ControlsFile, TheDefaultPlaceFollowsTheConfigFolder)
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string kept_config = config != nullptr ? config : "";
    const std::string kept_home = home != nullptr ? home : "";
    std::string path;
    std::string reason;
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    ASSERT_TRUE(default_controls_path(path, reason));
    EXPECT_EQ(path, "/cfg/qmsim/controls.conf");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    ::setenv("HOME", "/home/u", 1);
    ASSERT_TRUE(default_controls_path(path, reason));
    EXPECT_EQ(path, "/home/u/.config/qmsim/controls.conf");
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("HOME");
    EXPECT_FALSE(default_controls_path(path, reason));
    EXPECT_NE(reason.find("--controls FILE"), std::string::npos) << reason;
    config != nullptr ? ::setenv("XDG_CONFIG_HOME", kept_config.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
    home != nullptr ? ::setenv("HOME", kept_home.c_str(), 1) : ::unsetenv("HOME");
}

// Without a file every keyboard has power keys; a file without a preset
// line still means classic, as files written before always did.
TEST(ControlsFile, AMissingFileIsTheLaptopPresetAndABadOneIsNamed)
{
    ControlsFile file;
    std::string error;
    ASSERT_TRUE(read_controls_file(scratch("none.conf"), file, error)) << error;
    EXPECT_FALSE(file.found);
    EXPECT_EQ(file.preset, Preset::laptop);
    EXPECT_TRUE(file.bindings == preset_bindings(Preset::laptop));
    EXPECT_EQ(file.path, scratch("none.conf"));
    write(scratch("old.conf"), "fire Space\n");
    ASSERT_TRUE(read_controls_file(scratch("old.conf"), file, error)) << error;
    EXPECT_EQ(file.preset, Preset::classic);
    EXPECT_EQ(bound_action(file.bindings, Input::key(VK_PRIOR), false), Action::none);

    write(scratch("bad.conf"), "preset laptop\nfire KeyF\nfire KeyG\n");
    EXPECT_FALSE(read_controls_file(scratch("bad.conf"), file, error));
    EXPECT_EQ(error, scratch("bad.conf") + ":3: fire is bound already on line 2");

    EXPECT_FALSE(read_controls_file(testing::TempDir(), file, error));
    EXPECT_NE(error.find("Is a directory"), std::string::npos) << error;

    write(scratch("big.conf"), std::string(max_controls_file_bytes + 1, '#'));
    EXPECT_FALSE(read_controls_file(scratch("big.conf"), file, error));
    EXPECT_NE(error.find("larger than 65536 bytes"), std::string::npos) << error;

    const std::string pipe = scratch("pipe.conf");
    std::filesystem::remove(pipe);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(read_controls_file(pipe, file, error));
    EXPECT_EQ(error, pipe + ": not a plain file");
}

TEST(ControlsFile, WritingMakesTheFolderAndAFailureLeavesTheFileAsItWas)
{
    ControlsFile file;
    file.path = scratch("made/deeper/controls.conf");
    std::filesystem::remove_all(scratch("made"));
    file.bindings.of(Action::fire) = ActionInputs{};
    file.bindings.of(Action::fire).add(Input::key(VK_SPACE));
    std::string reason;
    ASSERT_TRUE(write_controls_file(file, reason)) << reason;
    ControlsFile read;
    ASSERT_TRUE(read_controls_file(file.path, read, reason)) << reason;
    EXPECT_TRUE(read.bindings == file.bindings);

    // A folder where the file should be: refused, nothing else touched.
    file.path = scratch("made");
    EXPECT_FALSE(write_controls_file(file, reason));
    EXPECT_NE(reason.find("cannot write"), std::string::npos) << reason;
    EXPECT_TRUE(std::filesystem::is_directory(scratch("made")));
}

}  // namespace
}  // namespace qm
