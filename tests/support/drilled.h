// A drill played through the window procedure without a display: a world
// set up for practice, the drill started, keys pressed and ticks sent.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "formats/drill/drill_file.h"
#include "shell/drill/drill_session.h"
#include "shell/round_setup.h"
#include "shell/window_procedure.h"
#include "sim/practice.h"
#include "sim/world.h"

namespace qm::test {

class QuietPlatform final : public Platform {
public:
    std::vector<std::string> errors;
    bool quit = false;
    void post_quit(int) override { quit = true; }
    void move_pointer_absolute(int, int) override {}
    LRESULT default_window_proc(unsigned, WPARAM, LPARAM) override { return 0; }
    void report_error(const char* line) override { errors.emplace_back(line); }
    // The files written, as the platform is asked to keep them; a platform
    // that cannot keep them says so.
    int kept = 0;
    const char* keep_failure = nullptr;
    bool keep_files(std::string& reason) override
    {
        ++kept;
        if (keep_failure != nullptr) reason = keep_failure;
        return keep_failure == nullptr;
    }
    std::string put_by;  // the history lines handed back, not kept
    void put_by_history_line(const std::string& line) override { put_by += line; }
    // The clipboard: what was copied, or the reason it refuses.
    std::string copied;
    const char* copy_failure = nullptr;
    bool copy_text(const char* text, std::string& reason) override
    {
        if (copy_failure != nullptr) reason = copy_failure;
        if (copy_failure == nullptr) copied = text;
        return copy_failure == nullptr;
    }
    std::vector<std::string> printed;  // the lines for standard output
    void print_line(const char* line) override { printed.emplace_back(line); }
};

struct Drilled {
    std::unique_ptr<World> world = std::make_unique<World>();
    QuietPlatform platform;

    Drilled(const std::string& text, std::uint32_t seed, const std::string& history = "")
    {
        std::string error;
        EXPECT_TRUE(set_up_round(*world, RoundSettings{}, error)) << error;
        arm_practice(*world);
        std::snprintf(world->drill.history_file, sizeof world->drill.history_file, "%s", history.c_str());
        DrillRules rules;
        EXPECT_TRUE(parse_drill(text, "t.drill", "", "t", rules, error)) << error;
        std::string warning;
        EXPECT_TRUE(start_drill(*world, rules, seed, warning, error)) << error;
    }
    void send(unsigned message, WPARAM key) { WindowProcedure(*world, platform, message, key, 0); }
    void press(WPARAM key)
    {
        send(WM_KEYDOWN, key);
        send(WM_KEYUP, key);
    }
    void tick() { send(WM_TIMER, tick_timer_id); }
    bool until(bool (*done)(const World&), int max_ticks = 20000)
    {
        for (int i = 0; i < max_ticks; ++i) {
            if (done(*world)) return true;
            tick();
        }
        return done(*world);
    }
    const DrillRun& drill() const { return world->drill; }
};

}  // namespace qm::test
