// The option reader: values reach their options, defaults are taken first,
// and every refusal, the usage and the help are worded from the table.
#include "cli/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

struct Chosen {
    bool flag = false;
    const char* file = nullptr;
    int count = 0;
    std::string mode;
};

Command sample(Chosen& c)
{
    Command command{"qmsim sample", "sample: ", " (see --help)"};
    command.options.push_back(command_word("--sample"));
    command.options.push_back(flag("--quick", "go quickly", c.flag));
    command.options.push_back(text("--file", "FILE", "a file", c.file).naming_default("none"));
    command.options.push_back(whole("--count", "count", 1, 9, "how many", c.count).defaulting_to("3"));
    command.options.push_back(custom("--mode", "a|b", "mode", "a or b", "which mode",
                                     [&c](const char* value, std::string& why) {
                                         c.mode = value;
                                         if (c.mode == "z") why = "z is never a mode";
                                         return c.mode == "a" || c.mode == "b";
                                     })
                                  .shown_as("[--mode a | --mode b]")
                                  .on_new_line());
    return command;
}

// The arguments outlive the reading: options keep pointers into them.
std::string read(std::vector<std::string>& args, Chosen& c)
{
    args.insert(args.begin(), "qmsim");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    std::string error;
    return read_options(sample(c), static_cast<int>(argv.size()), argv.data(), error) ? "" : error;
}

TEST(Options, ValuesReachTheirOptionsAndDefaultsComeFirst)
{
    Chosen c;
    std::vector<std::string> args{"--sample", "--file", "x.bmp", "--quick", "--mode", "b"};
    EXPECT_EQ(read(args, c), "");
    EXPECT_TRUE(c.flag);
    EXPECT_STREQ(c.file, "x.bmp");
    EXPECT_EQ(c.count, 3);  // the default, taken though not given
    EXPECT_EQ(c.mode, "b");
    Chosen later;
    std::vector<std::string> count{"--count", "7"};
    EXPECT_EQ(read(count, later), "");
    EXPECT_EQ(later.count, 7);
    EXPECT_EQ(later.file, nullptr);  // a named default is not taken
}

TEST(Options, RefusalsAreWordedFromTheTable)
{
    const struct {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{"--fast"}, "unknown option '--fast' (see --help)"},
        {{"stray"}, "unknown option 'stray' (see --help)"},
        {{"--file"}, "--file needs a value"},
        {{"--count", "10"}, "bad count '10': 1 to 9"},
        {{"--count", "-1"}, "bad count '-1': 1 to 9"},
        {{"--count", "2x"}, "bad count '2x': 1 to 9"},
        {{"--mode", "c"}, "bad mode 'c': a or b"},
        {{"--mode", "z"}, "z is never a mode"},  // the option's own reason wins
    };
    for (const auto& c : cases) {
        Chosen chosen;
        std::vector<std::string> args = c.args;
        EXPECT_EQ(read(args, chosen), c.error) << c.args.front();
    }
}

TEST(Options, UsageAndHelpComeFromTheTable)
{
    Chosen c;
    const Command command = sample(c);
    EXPECT_EQ(usage_of(command), "usage: qmsim sample [--quick] [--file FILE] [--count N]\n"
                                 "                    [--mode a | --mode b]\n");
    const std::string help = help_of(command);
    EXPECT_EQ(help.rfind(usage_of(command), 0), 0u);
    EXPECT_NE(help.find("  --count N                  how many (default: 3)\n"), std::string::npos) << help;
    // A default the command works out itself is named but never taken.
    EXPECT_NE(help.find("  --file FILE                a file (default: none)\n"), std::string::npos) << help;
    EXPECT_EQ(help.find("--sample"), std::string::npos);  // the command's own word is not an option to list
}

}  // namespace
}  // namespace qm
