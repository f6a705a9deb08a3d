// The main window procedure: key flags, latched facing and fire request,
// quitting, the right-button pan and one tick per timer message.
#include "shell/window_procedure.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "sim/init_dcs.h"
#include "sim/practice.h"
#include "sim/world.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

class FakePlatform final : public Platform {
public:
    std::vector<int> quits;
    std::vector<std::pair<int, int>> pointer_moves;
    std::vector<std::string> errors;
    int default_calls = 0;

    void post_quit(int exit_code) override { quits.push_back(exit_code); }
    void move_pointer_absolute(int nx, int ny) override { pointer_moves.emplace_back(nx, ny); }
    LRESULT default_window_proc(unsigned, WPARAM, LPARAM) override
    {
        ++default_calls;
        return 77;
    }
    void report_error(const char* line) override { errors.emplace_back(line); }
};

class WindowProc : public ::testing::Test {
protected:
    std::unique_ptr<World> w = std::make_unique<World>();
    FakePlatform platform;

    LRESULT send(unsigned message, WPARAM wparam = 0, LPARAM lparam = 0)
    {
        return WindowProcedure(*w, platform, message, wparam, lparam);
    }
    void key_down(unsigned key) { EXPECT_EQ(send(WM_KEYDOWN, key), 0); }
    void key_up(unsigned key) { EXPECT_EQ(send(WM_KEYUP, key), 0); }
};

TEST_F(WindowProc, HeldKeysMirrorPressAndRelease)
{
    const struct {
        unsigned key;
        int World::*flag;
    } keys[] = {{VK_UP, &World::angle_up},
                {VK_DOWN, &World::angle_down},
                {VK_SUBTRACT, &World::pow_down},
                {VK_ADD, &World::pow_up}};
    for (const auto& k : keys) {
        key_down(k.key);
        EXPECT_EQ((*w).*k.flag, 1) << k.key;
        key_up(k.key);
        EXPECT_EQ((*w).*k.flag, 0) << k.key;
    }
}

TEST_F(WindowProc, FacingAndFireRequestStayLatched)
{
    key_down(VK_LEFT);
    key_up(VK_LEFT);
    EXPECT_EQ(w->direction, -1);
    key_down(VK_RIGHT);
    key_up(VK_RIGHT);
    EXPECT_EQ(w->direction, 1);
    key_down(VK_F);
    key_up(VK_F);
    EXPECT_EQ(w->fire_now, 1);
}

TEST_F(WindowProc, OtherKeysChangeNothing)
{
    // The main keyboard's minus and plus are not power keys.
    const unsigned keys[] = {0xBD, 0xBB, VK_RETURN, 'G'};
    for (unsigned key : keys) {
        key_down(key);
        key_up(key);
    }
    EXPECT_EQ(w->pow_up + w->pow_down + w->angle_up + w->angle_down + w->fire_now, 0);
    EXPECT_TRUE(platform.quits.empty());
    EXPECT_EQ(platform.default_calls, 0);
}

TEST_F(WindowProc, CEscAndDestroyQuitWithZero)
{
    key_down(VK_C);
    key_down(VK_ESCAPE);
    EXPECT_EQ(send(WM_DESTROY), 0);
    EXPECT_EQ(platform.quits, (std::vector<int>{0, 0, 0}));
    key_up(VK_C);
    key_up(VK_ESCAPE);
    EXPECT_EQ(platform.quits.size(), 3u);
}

TEST_F(WindowProc, UnhandledMessagesGoToTheDefaultHandler)
{
    EXPECT_EQ(send(0x000F), 77);
    EXPECT_EQ(platform.default_calls, 1);
}

TEST_F(WindowProc, TimerMessageRunsOneTick)
{
    EXPECT_EQ(send(WM_TIMER, 1), 0);
    EXPECT_EQ(w->cam1.cam_x, -550);
    CrtRand three_draws;
    for (int i = 0; i < 3; ++i) three_draws.next();
    EXPECT_EQ(w->rng.state, three_draws.state);
}

TEST_F(WindowProc, PanMovesTheViewTwiceTheDragAndPutsThePointerBack)
{
    w->DeskCap_X = 1024;
    w->DeskCap_Y = 768;
    w->cam1.cam_x = 300;
    w->cam1.cam_y = -40;
    send(WM_RBUTTONDOWN, 0, make_mouse_lparam(500, 200));
    EXPECT_EQ(w->rbutton, 1);
    EXPECT_EQ(w->rbutton_x, 500);
    EXPECT_EQ(w->rbutton_y, 200);
    EXPECT_EQ(w->mouse_cam_x, 300);
    EXPECT_EQ(w->mouse_cam_y, -40);

    send(WM_MOUSEMOVE, 0, make_mouse_lparam(510, 200));
    EXPECT_EQ(w->mouse_cam_x, 320);
    EXPECT_EQ(w->mouse_cam_y, -40);
    send(WM_MOUSEMOVE, 0, make_mouse_lparam(490, 197));
    EXPECT_EQ(w->mouse_cam_x, 300);
    EXPECT_EQ(w->mouse_cam_y, -46);
    // (500 * 65536) / 1024 + 1 and (200 * 65536) / 768 + 1.
    ASSERT_EQ(platform.pointer_moves.size(), 2u);
    EXPECT_EQ(platform.pointer_moves[0], std::make_pair(32001, 17067));

    send(WM_RBUTTONUP, 0, make_mouse_lparam(490, 197));
    EXPECT_EQ(w->rbutton, 0);
    send(WM_MOUSEMOVE, 0, make_mouse_lparam(700, 500));
    EXPECT_EQ(w->mouse_cam_x, 300);
    EXPECT_EQ(platform.pointer_moves.size(), 2u);
}

TEST_F(WindowProc, PanWithoutADesktopSizeMeasuresMovesFromTheLastPoint)
{
    // Nothing to normalise the pointer position against: it is not moved,
    // and each move counts from the one before, still twice the travel.
    send(WM_RBUTTONDOWN, 0, make_mouse_lparam(100, 100));
    send(WM_MOUSEMOVE, 0, make_mouse_lparam(105, 100));
    send(WM_MOUSEMOVE, 0, make_mouse_lparam(110, 98));
    EXPECT_EQ(w->mouse_cam_x, 20);
    EXPECT_EQ(w->mouse_cam_y, -4);
    EXPECT_TRUE(platform.pointer_moves.empty());
}

TEST_F(WindowProc, PanPointStaysBoundedOnEndlessDrags)
{
    w->DeskCap_X = 800;
    w->DeskCap_Y = 600;
    send(WM_RBUTTONDOWN, 0, make_mouse_lparam(0, 0));
    for (int i = 0; i < 40000; ++i) send(WM_MOUSEMOVE, 0, make_mouse_lparam(65535, 65535));
    EXPECT_EQ(w->mouse_cam_x, 1 << 24);
    EXPECT_EQ(w->mouse_cam_y, 1 << 24);
}

TEST_F(WindowProc, PracticeKeysSwitchTheirAids)
{
    const struct {
        unsigned key;
        bool Practice::*shown;
    } keys[] = {{VK_T, &Practice::trace_shown},
                {VK_H, &Practice::prediction_shown},
                {VK_G, &Practice::chart_shown},
                {VK_S, &Practice::score_shown},
                {VK_P, &Practice::paused}};
    for (const auto& k : keys) {
        key_down(k.key);
        key_up(k.key);
        EXPECT_TRUE(w->practice.*k.shown) << k.key;
        key_down(k.key);
        EXPECT_FALSE(w->practice.*k.shown) << k.key;
    }
    key_down(VK_U);
    EXPECT_TRUE(w->practice.recall_requested);
}

TEST_F(WindowProc, APausedRoundHeedsOnlyThePauseAndQuitKeys)
{
    key_down(VK_UP);
    key_down(VK_P);
    const unsigned ignored[] = {VK_DOWN, VK_ADD, VK_LEFT, VK_F, VK_T, VK_U, VK_R, VK_F12};
    for (unsigned key : ignored) key_down(key);
    EXPECT_EQ(w->angle_down + w->pow_up + w->fire_now, 0);
    EXPECT_EQ(w->direction, 1);
    EXPECT_FALSE(w->practice.trace_shown || w->practice.recall_requested);
    // A release still lets go: nothing stays held through the pause.
    key_up(VK_UP);
    EXPECT_EQ(w->angle_up, 0);
    key_down(VK_ESCAPE);
    EXPECT_EQ(platform.quits.size(), 1u);
    key_down(VK_P);
    key_down(VK_T);
    EXPECT_TRUE(w->practice.trace_shown);
}

TEST_F(WindowProc, AnyKeyEndsAReplayAndOnlyTheQuitKeysDoMore)
{
    init_DCs(*w);
    w->flat_map = 1;
    arm_practice(*w);
    w->fire_now = 1;
    for (int i = 0; i < 400 && !(w->mainbullet.state == state_at_rest && w->fire_now == 0); ++i) send(WM_TIMER, 1);
    ASSERT_EQ(w->mainbullet.state, state_at_rest);

    key_down(VK_R);
    ASSERT_TRUE(w->practice.replay.running());
    key_down(VK_T);
    EXPECT_FALSE(w->practice.replay.running());
    EXPECT_FALSE(w->practice.trace_shown);
    key_down(VK_R);
    key_down(VK_ESCAPE);
    EXPECT_FALSE(w->practice.replay.running());
    EXPECT_EQ(platform.quits.size(), 1u);
}

TEST_F(WindowProc, F12SavesTheFrameUnderScreenshotsOrSaysWhyNot)
{
    // The screenshots go under the working directory.
    test::TempDir dir;
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    init_DCs(*w);

    key_down(VK_F12);
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "screenshots")) files.push_back(entry);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].extension(), ".png");
    EXPECT_EQ(std::string(w->practice.notice), "Screenshot saved: screenshots/" + files[0].filename().string());
    EXPECT_EQ(w->practice.notice_left, notice_ticks);
    EXPECT_TRUE(platform.errors.empty());

    std::filesystem::remove_all(dir.path() / "screenshots");
    { std::ofstream blocker(dir.file("screenshots")); }
    key_down(VK_F12);
    std::filesystem::current_path(home);
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_NE(platform.errors[0].find("Not a directory"), std::string::npos) << platform.errors[0];
    EXPECT_EQ(std::string(w->practice.notice).rfind("Screenshot failed: ", 0), 0u) << w->practice.notice;
}

}  // namespace
}  // namespace qm
