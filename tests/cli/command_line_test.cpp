// The desktop program's options, shared by the SDL and Win32 shells: what
// ends the run before any window, with which exit code and output.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace qm {
namespace {

std::string contents(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text += static_cast<char>(c);
    return text;
}

TEST(CommandLine, OptionsEndTheRunOrLeaveItToTheDesktop)
{
    struct Case {
        std::vector<const char*> arguments;
        bool ends;
        int exit_code;
        const char* out_part;  // what standard output holds (when ending)
        const char* err_part;  // what standard error holds (when ending)
    };
    const Case cases[] = {
        {{}, false, 0, "", ""},
        {{"--version"}, true, 0, "qmsim ", ""},
        {{"--help"}, true, 0, "usage: qmsim", ""},
        {{"--fullscreen"}, true, 2, "", "qmsim: unknown option '--fullscreen' (see --help)\nusage: qmsim"},
        {{"--mode", "windowed"}, false, 0, "", ""},
        // --headless anywhere hands the whole line to the headless runner,
        // which knows no --version.
        {{"--version", "--headless"}, true, 2, "", "usage: qmsim --headless"},
    };
    for (const Case& c : cases) {
        std::vector<char*> argv{const_cast<char*>("qmsim")};
        for (const char* argument : c.arguments) argv.push_back(const_cast<char*>(argument));
        std::FILE* in = std::tmpfile();
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        ASSERT_TRUE(in != nullptr && out != nullptr && err != nullptr);
        int exit_code = -1;
        QuickStart quick;
        const bool ends =
            run_command_line(static_cast<int>(argv.size()), argv.data(), in, out, err, exit_code, quick);
        const std::string shown = c.arguments.empty() ? "(none)" : c.arguments.front();
        EXPECT_EQ(ends, c.ends) << shown;
        if (c.ends) {
            EXPECT_EQ(exit_code, c.exit_code) << shown;
        }
        EXPECT_NE(contents(out).find(c.out_part), std::string::npos) << shown;
        EXPECT_NE(contents(err).find(c.err_part), std::string::npos) << shown;
        std::fclose(in);
        std::fclose(out);
        std::fclose(err);
    }
}

}  // namespace
}  // namespace qm
