// The README's examples, read from README.md and run as written: the
// headless script with its command line, whose state lines must match the
// committed expectation, and the shot table with the rows it shows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "terrain_test_support.h"
#include "tool_run.h"

namespace qm {
namespace {

std::string file_text(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

using test::lines_of;

// The indented block after the README line `marker`, without its indent,
// and the README's lines after the block in rest.
std::vector<std::string> block_after(const std::vector<std::string>& readme, const std::string& marker,
                                     std::size_t* next = nullptr)
{
    auto at = std::find(readme.begin(), readme.end(), marker);
    EXPECT_NE(at, readme.end()) << "README.md has no " << marker;
    std::vector<std::string> block;
    if (at == readme.end()) return block;
    for (++at; at != readme.end() && (at->empty() || at->rfind("    ", 0) == 0); ++at) {
        if (at->empty() && !block.empty()) break;
        if (!at->empty()) block.push_back(at->substr(4));
    }
    if (next != nullptr) *next = static_cast<std::size_t>(at - readme.begin());
    return block;
}

std::vector<std::string> words_of(const std::string& line)
{
    std::vector<std::string> words;
    std::stringstream stream(line);
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

// A README command's words as the program's arguments: the sample maps from
// the source tree, the named files from the scratch folder.
std::vector<std::string> program_arguments(const std::string& command, const std::string& scratch)
{
    std::vector<std::string> words = words_of(command);
    EXPECT_EQ(words.empty() ? std::string() : words.front(), "build/qmsim");
    std::vector<std::string> args;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == ">") break;  // the shell's redirection
        std::string w = i == 0 ? std::string("qmsim") : words[i];
        if (w.rfind("maps/", 0) == 0) w = std::string(QM_SOURCE_DIR) + "/" + w;
        if (w == "shot.txt") w = scratch + "/shot.txt";
        args.push_back(w);
    }
    return args;
}

const std::vector<std::string>& readme()
{
    static const std::vector<std::string> lines = lines_of(file_text(QM_SOURCE_DIR "/README.md"));
    return lines;
}

TEST(ReadmeExample, TheScriptRunsAsWrittenAndPrintsTheExpectedStates)
{
    test::TempDir scratch;
    const std::vector<std::string> script = block_after(readme(), "<!-- example script: shot.txt -->");
    ASSERT_FALSE(script.empty());
    {
        std::ofstream file(scratch.file("shot.txt"), std::ios::binary);
        for (const std::string& line : script) file << line << '\n';
    }
    std::size_t after = 0;
    const std::vector<std::string> command = block_after(readme(), "<!-- example command -->", &after);
    ASSERT_EQ(command.size(), 1u);
    const std::vector<std::string> args = program_arguments(command[0], scratch.path().string());

    // The frames go to the working folder, as they would for the reader.
    char here[4096];
    ASSERT_NE(::getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(::chdir(scratch.path().c_str()), 0);
    const test::RunResult run = test::run_tool(run_headless, args, "", nullptr);
    ASSERT_EQ(::chdir(here), 0);
    const int code = run.code;
    const std::string& printed = run.out;
    const std::string& errors = run.err;

    EXPECT_EQ(code, 0) << errors;
    EXPECT_EQ(errors, "");
    EXPECT_EQ(printed, file_text(QM_SOURCE_DIR "/tests/data/readme_example.expected"))
        << "if the example changed on purpose, put this output into tests/data/readme_example.expected:\n"
        << printed;
    for (const char* frame : {"flight.png", "after.png"}) {
        EXPECT_FALSE(file_text(scratch.file(frame)).empty()) << frame;
    }
    // The end of the last line the README shows.
    std::vector<std::string> shown = block_after(readme(), readme()[after + 1]);
    ASSERT_EQ(shown.size(), 1u);
    const std::vector<std::string> states = lines_of(printed);
    ASSERT_FALSE(states.empty());
    EXPECT_TRUE(states.back().ends_with(shown[0])) << shown[0];
}

TEST(ReadmeExample, TheTableShowsTheRowsThatCostTheTargetMost)
{
    std::size_t after = 0;
    const std::vector<std::string> commands = block_after(readme(), "<!-- example table -->", &after);
    ASSERT_EQ(commands.size(), 2u);
    std::vector<std::string> args = program_arguments(commands[0], "");
    ASSERT_GE(args.size(), 2u);
    EXPECT_EQ(args[1], "table");
    EXPECT_EQ(commands[1], "sort -t, -k8,8nr shots.csv | head -3");
    args.erase(args.begin(), args.begin() + 2);

    const test::RunResult table = test::run_shot_table(args);
    ASSERT_EQ(table.code, 0) << table.err;
    std::vector<std::string> rows = lines_of(table.out);
    ASSERT_FALSE(rows.empty());
    rows.erase(rows.begin());  // the header
    auto damage = [](const std::string& row) { return std::stoi(row.substr(row.rfind(',') + 1)); };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const std::string& a, const std::string& b) { return damage(a) > damage(b); });
    rows.resize(3);

    // The README's rows follow the sentence after the commands.
    const std::vector<std::string> shown = block_after(readme(), readme()[after + 1]);
    EXPECT_EQ(shown, rows);
}

TEST(ReadmeExample, SolveShowsTheWindowAtTheTablesAngle)
{
    std::size_t after = 0;
    const std::vector<std::string> commands = block_after(readme(), "<!-- example solve -->", &after);
    ASSERT_EQ(commands.size(), 1u);
    std::vector<std::string> args = program_arguments(commands[0], "");
    ASSERT_GE(args.size(), 2u);
    EXPECT_EQ(args[1], "solve");
    args.erase(args.begin(), args.begin() + 2);
    const test::RunResult solved = test::run_shot_solve(args);
    ASSERT_EQ(solved.code, 0) << solved.err;
    EXPECT_EQ(block_after(readme(), readme()[after + 1]), lines_of(solved.out));
}

}  // namespace
}  // namespace qm
