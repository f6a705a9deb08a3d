// `qmsim challenge` and --challenge: the printed code plays the drill's own
// draws, the committed codes keep their first state lines, and what cannot
// be played is refused in one line.
#include "cli/drill/challenge_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "formats/challenge/challenge_code.h"
#include "tool_run.h"

namespace qm {
namespace {

using test::lines_of;

test::RunResult challenge(std::vector<std::string> args)
{
    args.insert(args.begin(), {"qmsim", "challenge"});
    return test::run_tool([](int argc, char** argv, std::FILE*, std::FILE* out, std::FILE* err) {
        return run_challenge(argc - 1, argv + 1, out, err);
    }, args, "", nullptr);
}

// The script of the committed codes' state lines: the first target lands,
// a shot at the default aim, then the state once the next round is ready.
constexpr const char* first_shot = "until ready\nstate\nfire\nuntil ready\nstate\n";

TEST(ChallengeCommand, ItsCodePlaysTheDrillsOwnDraws)
{
    const test::RunResult made = challenge({"hills", "--seed", "7", "--score", "500", "--name", "Ann & Bo"});
    ASSERT_EQ(made.code, 0) << made.err;
    const std::string code = made.out.substr(0, made.out.size() - 1);
    DrillRules rules;
    std::uint32_t seed = 0;
    std::string error;
    ASSERT_TRUE(decode_challenge(code, rules, seed, error)) << error;
    EXPECT_EQ(seed, 7u);
    EXPECT_EQ(rules.challenge.score, 500);
    EXPECT_STREQ(rules.challenge.sender, "Ann & Bo");

    const test::RunResult played = test::run_headless_script({"--challenge", code}, first_shot);
    const test::RunResult drilled = test::run_headless_script({"--drill", "hills", "--seed", "7"}, first_shot);
    ASSERT_EQ(played.code, 0) << played.err;
    EXPECT_EQ(played.out, drilled.out);
}

// A drill on its own map goes as a pack, which plays the drill's own draws on
// the map it carries (unpacked into the data folder, never the real one here).
TEST(ChallengeCommand, ItsPackPlaysTheDrillsOwnDraws)
{
    const std::string dir = testing::TempDir() + "qm_challenge_pack";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(QM_SOURCE_DIR "/maps/cave.bmp", dir + "/own.bmp");
    std::ofstream(dir + "/own.drill") << "map own.bmp\nrounds 2\nwind 3 12\n";
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string kept = saved != nullptr ? saved : "";
    setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
    const test::RunResult made = challenge({dir + "/own.drill", "--seed", "11", "--pack", dir + "/own.qmc"});
    const test::RunResult played = test::run_headless_script({"--challenge", dir + "/own.qmc"}, first_shot);
    const test::RunResult drilled = test::run_headless_script({"--drill", dir + "/own.drill", "--seed", "11"}, first_shot);
    const test::RunResult onto = test::run_headless_script({"--challenge", dir + "/own.qmc", "--history", dir + "/own.qmc"}, "");
    saved != nullptr ? setenv("XDG_DATA_HOME", kept.c_str(), 1) : unsetenv("XDG_DATA_HOME");
    ASSERT_EQ(made.code, 0) << made.err;
    EXPECT_EQ(made.out, dir + "/own.qmc\n");
    ASSERT_EQ(played.code, 0) << played.err;
    EXPECT_EQ(played.out, drilled.out);
    EXPECT_TRUE(std::filesystem::is_directory(dir + "/data/qmsim/packs"));
    EXPECT_EQ(onto.code, 2);
    EXPECT_NE(onto.err.find("are the same file"), std::string::npos) << onto.err;
}

TEST(ChallengeCommand, WhatCannotBeSentOrPlayedIsRefusedInOneLine)
{
    const std::string dir = testing::TempDir() + "qm_challenge_refusals";
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/own.drill") << "map own.bmp\n";
    std::ofstream(dir + "/own.bmp") << "BM";
    std::filesystem::remove(dir + "/map.qmc");
    std::filesystem::create_symlink(dir + "/own.bmp", dir + "/map.qmc");
    const std::string good = lines_of(challenge({"still", "--seed", "1"}).out)[0];
    const struct {
        std::vector<std::string> args;
        bool headless;
        const char* line;
    } cases[] = {
        {{}, false, "qmsim: challenge: name a drill: a built-in's name or a drill file"},
        {{"nosuch"}, false, "qmsim: no built-in drill named 'nosuch'"},
        {{"still", "--score", "5401"}, false, "qmsim: bad score '5401': a score from 0 to 5400"},
        {{"still", "--name", "123456789012345678901234567890123"}, false,
         "qmsim: challenge: the sender's name longer than 32 bytes"},
        {{"still", "--seed", "-1"}, false, "qmsim: challenge: bad seed '-1'"},
        {{dir + "/own.drill"}, false, ": its map is a file"},
        {{dir + "/own.drill", "--pack", dir + "/own.zip"}, false, "qmsim: --pack: a pack's name ends in .qmc"},
        {{dir + "/own.drill", "--pack", dir + "/map.qmc"}, false, "are the same file"},
        {{"--challenge", dir + "/none.qmc"}, true, "none.qmc: No such file or directory"},
        {{"--challenge", good.substr(0, good.size() - 2)}, true, "qmsim: --challenge: a damaged code"},
        {{"--challenge", "qm9-" + good.substr(4)}, true, "qmsim: --challenge: a code of format 9, from a later"},
        {{"--challenge", good, "--seed", "3"}, true, "qmsim: --challenge holds the drill"},
        {{"--challenge", good, "--drill", "still"}, true, "qmsim: --challenge holds the drill"},
    };
    for (const auto& c : cases) {
        const test::RunResult r = c.headless ? test::run_headless_script(c.args, "") : challenge(c.args);
        EXPECT_EQ(r.code, 2) << c.line;
        EXPECT_EQ(r.out, "") << c.line;
        EXPECT_NE(r.err.find(c.line), std::string::npos) << r.err;
    }
}

// Codes made by earlier versions play the same draws in every later one:
// each committed code, shot as above, gives its committed state lines.
TEST(ChallengeCommand, CommittedCodesKeepTheirStateLines)
{
    std::ifstream file(QM_SOURCE_DIR "/tests/data/challenge_codes.txt");
    ASSERT_TRUE(file) << "tests/data/challenge_codes.txt";
    std::string line;
    std::vector<std::string> codes, states;
    while (std::getline(file, line)) {
        if (line.starts_with("code ")) codes.push_back(line.substr(5));
        if (line.starts_with("state ")) states.push_back(line.substr(6));
    }
    ASSERT_GE(codes.size(), 4u);
    ASSERT_EQ(states.size(), 2 * codes.size());
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const test::RunResult r = test::run_headless_script({"--challenge", codes[i]}, first_shot);
        ASSERT_EQ(r.code, 0) << codes[i] << ": " << r.err;
        EXPECT_EQ(r.out, states[2 * i] + "\n" + states[2 * i + 1] + "\n") << codes[i];
    }
}

// The README's example prints the code the README shows.
TEST(ChallengeCommand, TheReadmesCodeIsWhatItsCommandPrints)
{
    std::ifstream readme(QM_SOURCE_DIR "/README.md");
    std::string line, shown;
    while (std::getline(readme, line)) {
        if (line != "    build/qmsim challenge hills --seed 7 --score 579 --name Ann") continue;
        std::getline(readme, shown);
        break;
    }
    const test::RunResult made = challenge({"hills", "--seed", "7", "--score", "579", "--name", "Ann"});
    ASSERT_EQ(made.code, 0) << made.err;
    EXPECT_EQ("    " + made.out, shown + "\n");
}

}  // namespace
}  // namespace qm
