// Soak: the headless program plays a long generated session on a 3200-wide
// map (aiming, firing, panning, turning) and must end cleanly, keep every
// body inside the world, let units die and come back, and hold its memory
// flat. QM_SOAK_TICKS sets the length; 225000 ticks are an hour of play.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "child_process.h"

namespace qm {
namespace {

constexpr long default_soak_ticks = 15000;   // a few seconds in the release build
constexpr long state_every = 25;             // ticks between two state lines: a respawn countdown (34) shows
constexpr int states_per_chunk = 10;         // the script goes to the program in chunks of this many
constexpr long memory_baseline_tick = 1000;  // memory is compared from here on
constexpr long max_memory_growth_kb = 1024;

// Positions the game allows. Units live in -2400 < x <= 2399, y <= 1267;
// projectiles fly in -2400 < x < 2400, y < 1268. Both start at the launch
// placeholder (-150, 400). A body that has struck the edge, or a dying unit
// that fell out of the world, stops at the first position found outside:
// a refinement step past the edge, well within the slack.
constexpr int placeholder_x = -150;
constexpr int placeholder_y = 400;
constexpr int edge_slack = 32;
constexpr int unit_never_placed = 40;
constexpr int projectile_at_rest = 40;

long soak_ticks()
{
    const char* text = std::getenv("QM_SOAK_TICKS");
    if (text == nullptr || *text == '\0') return default_soak_ticks;
    const long ticks = std::strtol(text, nullptr, 10);
    return ticks > 0 ? ticks : default_soak_ticks;
}

// A small deterministic generator, so that a failing session can be rerun.
class Dice {
public:
    int below(int n)
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(n));
    }
    int between(int low, int high) { return low + below(high - low + 1); }

private:
    std::uint64_t state_ = 20240611;
};

// Writes the session: player actions separated by ticks, with `state`
// every state_every ticks, cut into chunks that each end on a `state`.
class SessionScript {
public:
    explicit SessionScript(long total) : remaining_(total) {}

    bool done() const { return remaining_ == 0; }

    // The next chunk: script text holding states_per_chunk state commands
    // (fewer at the very end).
    std::string next_chunk()
    {
        chunk_.clear();
        states_in_chunk_ = 0;
        while (remaining_ > 0 && states_in_chunk_ < states_per_chunk) action();
        return chunk_;
    }

    int states_in_chunk() const { return states_in_chunk_; }

private:
    void line(std::string_view text)
    {
        chunk_.append(text);
        chunk_.push_back('\n');
    }

    // Runs up to n ticks, with a state line at each multiple of state_every.
    void ticks(long n)
    {
        while (n > 0 && remaining_ > 0) {
            const long step = std::min({n, remaining_, state_every - since_state_});
            line("tick " + std::to_string(step));
            n -= step;
            remaining_ -= step;
            since_state_ += step;
            if (since_state_ == state_every || remaining_ == 0) {
                line("state");
                since_state_ = 0;
                ++states_in_chunk_;
            }
        }
    }

    void hold(const char* key, long n)
    {
        line(std::string("down ") + key);
        ticks(n);
        line(std::string("up ") + key);
    }

    std::string point()
    {
        return std::to_string(dice_.between(0, 799)) + " " + std::to_string(dice_.between(0, 599));
    }

    void action()
    {
        switch (dice_.below(9)) {
        case 0: hold(dice_.below(2) == 0 ? "up" : "down", dice_.between(1, 60)); break;
        case 1: hold(dice_.below(2) == 0 ? "add" : "subtract", dice_.between(1, 80)); break;
        case 2: hold(dice_.below(2) == 0 ? "left" : "right", dice_.between(1, 3)); break;
        case 3: {
            // Drag the view about while the game runs on.
            line("rdown " + point());
            const int moves = dice_.between(1, 6);
            for (int i = 0; i < moves; ++i) {
                ticks(dice_.between(0, 8));
                line("move " + point());
            }
            ticks(dice_.between(0, 5));
            line("rup");
            break;
        }
        case 4:
        case 5:
            // Straight up at a low power: the shells come down on the
            // player, so units die and come back within the session.
            hold("up", 85);
            hold("subtract", dice_.between(120, 200));
            hold("add", dice_.between(40, 90));
            hold("f", 1);
            ticks(dice_.between(120, 220));
            break;
        default:
            hold("f", dice_.between(1, 3));
            ticks(dice_.between(30, 260));
            break;
        }
    }

    long remaining_;
    long since_state_ = 0;
    int states_in_chunk_ = 0;
    std::string chunk_;
    Dice dice_;
};

// `"name":` followed by `tail`.
std::string json_key(std::string_view name, std::string_view tail)
{
    std::string key(1, '"');
    key.append(name);
    key.append("\":");
    key.append(tail);
    return key;
}

// A number in a one-line JSON object: `name` directly inside the object
// `object`, or at the top level when object is empty.
std::optional<double> json_number(std::string_view line, std::string_view object, std::string_view name)
{
    std::size_t from = 0;
    std::size_t to = line.size();
    if (!object.empty()) {
        const std::string open = json_key(object, "{");
        from = line.find(open);
        if (from == std::string_view::npos) return std::nullopt;
        from += open.size();
        to = line.find('}', from);
        if (to == std::string_view::npos) return std::nullopt;
    }
    const std::string key = json_key(name, "");
    const std::size_t at = line.substr(0, to).find(key, from);
    if (at == std::string_view::npos) return std::nullopt;
    const std::string number(line.substr(at + key.size(), 32));
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    if (end == number.c_str()) return std::nullopt;
    return value;
}

struct Body {
    long x = 0;
    long y = 0;
    long state = 0;
};

Body read_body(std::string_view line, std::string_view name)
{
    return Body{static_cast<long>(json_number(line, name, "pos_x").value_or(1e9)),
                static_cast<long>(json_number(line, name, "pos_y").value_or(1e9)),
                static_cast<long>(json_number(line, name, "state").value_or(-1))};
}

bool at_placeholder(const Body& b)
{
    return b.x == placeholder_x && b.y == placeholder_y;
}

bool near_the_world(const Body& b)
{
    return b.x > -2400 - edge_slack && b.x < 2400 + edge_slack && b.y < 1268 + edge_slack;
}

// What the session saw of the units' lives.
struct Lives {
    bool dying_seen[2] = {false, false};
    bool respawned[2] = {false, false};
};

void check_state_line(const std::string& line, long expected_tick, Lives& lives)
{
    SCOPED_TRACE(line);
    ASSERT_EQ(json_number(line, "", "tick").value_or(-1), static_cast<double>(expected_tick));
    const double vang = json_number(line, "", "vang").value_or(-1);
    const double v0 = json_number(line, "", "v0").value_or(-1);
    EXPECT_TRUE(vang >= 10.0 && vang <= 90.0) << vang;
    EXPECT_TRUE(v0 >= 0.0 && v0 <= 4.0) << v0;

    for (const char* name : {"mainbullet", "sec_bullet1", "sec_bullet2"}) {
        const Body b = read_body(line, name);
        EXPECT_TRUE(b.state >= 0 && b.state <= projectile_at_rest) << name;
        if (b.state == 0) {
            // In flight: the last test found the position free.
            EXPECT_TRUE(at_placeholder(b) || (b.x > -2400 && b.x < 2400 && b.y < 1268)) << name;
        } else {
            EXPECT_TRUE(near_the_world(b)) << name;
        }
    }

    const char* units[] = {"target1", "player_bot"};
    for (int u = 0; u < 2; ++u) {
        const char* name = units[u];
        const Body b = read_body(line, name);
        const long hp = static_cast<long>(json_number(line, name, "hp").value_or(-1));
        const long respawn = static_cast<long>(json_number(line, name, "respawn_ticks").value_or(-1));
        EXPECT_TRUE(hp >= 0 && hp <= 1000) << name << " hp " << hp;
        EXPECT_TRUE(respawn >= 0 && respawn <= 35) << name << " respawn_ticks " << respawn;
        EXPECT_TRUE(b.state == 0 || b.state == unit_never_placed) << name << " state " << b.state;
        if (b.state == unit_never_placed) continue;
        if (respawn == 0) {
            EXPECT_TRUE(at_placeholder(b) || (b.x > -2400 && b.x <= 2399 && b.y <= 1267))
                << name << " at " << b.x << "," << b.y;
        } else {
            EXPECT_TRUE(near_the_world(b)) << name << " at " << b.x << "," << b.y;
            lives.dying_seen[u] = true;
        }
        if (lives.dying_seen[u] && respawn == 0 && hp == 1000) lives.respawned[u] = true;
    }
}

// Sets an environment variable for the children started while it lives.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name)
    {
        const char* old = std::getenv(name);
        if (old != nullptr) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment()
    {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// Under AddressSanitizer, detecting stack use after return puts the frames
// of many calls on fake stacks (some 11 MB), taken one frame after another
// round each stack, so their pages are touched over thousands of ticks and
// would read as growth however flat the program's own memory is. The soak's
// program runs without that check; the unit tests keep it. (A build without
// the sanitizer ignores the variable.)
std::string asan_options_for_soak()
{
    const char* options = std::getenv("ASAN_OPTIONS");
    std::string text = options != nullptr && *options != '\0' ? std::string(options) + ":" : "";
    return text + "detect_stack_use_after_return=0";
}

TEST(Soak, LongSessionStaysInBoundsWithFlatMemory)
{
    const long total = soak_ticks();
    const ScopedEnvironment asan("ASAN_OPTIONS", asan_options_for_soak());
    test::ChildProcess qmsim({QM_BINARY_DIR "/qmsim", "--headless", "--map", QM_SOURCE_DIR "/maps/hills.bmp"});
    ASSERT_TRUE(qmsim.started());

    SessionScript script(total);
    Lives lives;
    long tick = 0;
    long baseline_kb = -1;
    long last_kb = -1;
    std::string line;
    while (!script.done()) {
        const std::string chunk = script.next_chunk();
        ASSERT_TRUE(qmsim.write(chunk)) << "the program stopped reading at tick " << tick << "\n"
                                        << qmsim.error_text();
        // Count the chunk's ticks as the program will.
        std::vector<long> state_ticks;
        for (std::size_t at = 0; at < chunk.size();) {
            const std::size_t end = chunk.find('\n', at);
            const std::string_view l(chunk.data() + at, end - at);
            if (l.starts_with("tick ")) tick += std::stol(std::string(l.substr(5)));
            if (l == "state") state_ticks.push_back(tick);
            at = end + 1;
        }
        for (long expected : state_ticks) {
            ASSERT_TRUE(qmsim.read_line(line)) << "no state line for tick " << expected << "\n"
                                               << qmsim.error_text();
            check_state_line(line, expected, lives);
            if (testing::Test::HasFailure()) return;
        }
        // The program now waits for the next chunk: its memory holds still.
        last_kb = qmsim.status_kb("VmRSS");
        if (baseline_kb < 0 && tick >= memory_baseline_tick) baseline_kb = last_kb;
    }
    EXPECT_EQ(qmsim.wait(), 0);
    EXPECT_EQ(qmsim.error_text(), "");
    EXPECT_TRUE(lives.respawned[0] || lives.respawned[1]) << "no unit died and came back in " << total << " ticks";
    if (tick > memory_baseline_tick) {
        ASSERT_GT(baseline_kb, 0);
        EXPECT_LT(last_kb - baseline_kb, max_memory_growth_kb)
            << "resident memory went from " << baseline_kb << " kB to " << last_kb << " kB";
    }
}

}  // namespace
}  // namespace qm
