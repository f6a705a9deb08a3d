// The runner drives every device through the bindings: the wheel and a
// pad's trigger, stick and d-pad move the aim exactly as the held key does,
// a pad's A fires, and a controls file rebinds the script's inputs and shows
// in the state.
#include "cli/runner/headless_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tool_run.h"

namespace qm {
namespace {

using test::lines_of;
using test::repeat;
using test::RunResult;

RunResult run(std::vector<std::string> args, const std::string& script)
{
    return test::run_headless_script(std::move(args), script);
}

double field(const std::string& json, const std::string& object, const std::string& key)
{
    return test::state_field(json, object, key);
}

// A wheel notch is the power key held for a tick, a pad's held trigger or
// stick the key held: the state lines after each are those of the key.
TEST(RunnerDevices, TheWheelAndAPadMoveThePowerExactlyAsTheHeldKey)
{
    const struct {
        const char* how;
        std::string script;
        std::string keyed;
    } cases[] = {
        {"wheel up", "wheel up 40\n" + repeat("tick\nstate\n", 45), "down add\n" + repeat("tick\nstate\n", 40) + "up add\n" + repeat("tick\nstate\n", 5)},
        {"wheel down in two", "wheel down 20\ntick 10\nwheel down 5\n" + repeat("tick\nstate\n", 20),
         "down subtract\ntick 10\n" + repeat("tick\nstate\n", 15) + "up subtract\n" + repeat("tick\nstate\n", 5)},
        {"right trigger", "pad axis righttrigger 32767\n" + repeat("tick\nstate\n", 33) + "pad axis righttrigger 0\ntick 3\nstate\n",
         "down add\n" + repeat("tick\nstate\n", 33) + "up add\ntick 3\nstate\n"},
        {"right stick down", "pad axis righty 30000\n" + repeat("tick\nstate\n", 12) + "pad axis righty 0\nstate\n",
         "down subtract\n" + repeat("tick\nstate\n", 12) + "up subtract\nstate\n"},
        {"d-pad up", "pad down dpup\ntick 20\npad up dpup\ntick\nstate\n", "down up\ntick 20\nup up\ntick\nstate\n"},
    };
    for (const auto& c : cases) {
        RunResult moved = run({}, "until rest\n" + c.script);
        RunResult keyed = run({}, "until rest\n" + c.keyed);
        ASSERT_EQ(moved.code, 0) << c.how << ": " << moved.err;
        ASSERT_EQ(keyed.code, 0) << c.how << ": " << keyed.err;
        EXPECT_EQ(moved.out, keyed.out) << c.how;
        EXPECT_NE(field(lines_of(moved.out).back(), "", "v0") + field(lines_of(moved.out).back(), "", "vang"), 52.5) << c.how;
    }
}

// A keyboard without a keypad changes the power with no controls file.
TEST(RunnerDevices, WithoutAControlsFileTheLaptopsKeysChangeThePower)
{
    const struct {
        const char* key;
        double power;
    } cases[] = {{"PageUp", 2.6}, {"Equal", 2.6}, {"PageDown", 2.4}, {"Minus", 2.4}};
    for (const auto& c : cases) {
        RunResult r = run({}, "until rest\ndown " + std::string(c.key) + "\ntick 10\nup " + c.key + "\ntick\nstate\n");
        ASSERT_EQ(r.code, 0) << c.key << ": " << r.err;
        EXPECT_NEAR(field(r.out, "", "v0"), c.power, 1e-9) << c.key;
    }
}

TEST(RunnerDevices, APadsAButtonFires)
{
    RunResult r = run({}, "until rest\npad down a\npad up a\ntick 30\nstate\n");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(field(r.out, "mainbullet", "state"), 0.0);  // in flight
    EXPECT_EQ(field(r.out, "", "shots_done"), 1.0);
}

TEST(RunnerDevices, AControlsFileRebindsTheScriptsInputsAndShowsInTheState)
{
    const std::string dir = testing::TempDir() + "qm_runner_controls/";
    std::filesystem::create_directories(dir);
    { std::ofstream(dir + "laptop.conf") << "preset laptop\nfire Space\n"; }
    { std::ofstream(dir + "bad.conf") << "preset laptop\n\nfire PageUp\n"; }

    RunResult plain = run({}, "state\n");
    EXPECT_NE(plain.out.find("\"controls\":{\"preset\":\"laptop\",\"file\":null}}"), std::string::npos) << plain.out;

    RunResult laptop = run({"--controls", dir + "laptop.conf"},
                           "until rest\ndown PageUp\ntick 10\nup PageUp\ndown f\nup f\ndown Space\nup Space\nstate\n");
    ASSERT_EQ(laptop.code, 0) << laptop.err;
    EXPECT_NEAR(field(laptop.out, "", "v0"), 2.6, 1e-9);
    EXPECT_EQ(field(laptop.out, "", "fire_now"), 1.0);
    EXPECT_NE(laptop.out.find("\"controls\":{\"preset\":\"laptop\",\"file\":\"" + dir + "laptop.conf\"}"),
              std::string::npos) << laptop.out;
    // F is no longer fire: the request came from Space alone.
    RunResult f_only = run({"--controls", dir + "laptop.conf"}, "until rest\ndown f\nup f\nstate\n");
    EXPECT_EQ(field(f_only.out, "", "fire_now"), 0.0);

    RunResult bad = run({"--controls", dir + "bad.conf"}, "state\n");
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(bad.err, "qmsim: " + dir + "bad.conf:3: PageUp is bound to both power-up and fire\n");
    EXPECT_EQ(bad.out, "");
}

}  // namespace
}  // namespace qm
