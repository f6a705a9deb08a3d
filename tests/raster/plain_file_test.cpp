// What counts as a plain file: opened for reading without waiting on a pipe
// or a device, links followed to their end, and two spellings of one file
// told apart from two files.
#include "raster/plain_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "scratch_files.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

TEST(PlainFile, OpensOnlyPlainFilesAndSaysWhyNot)
{
    test::TempDir dir;
    const std::string plain = test::make_text(dir.file("plain"), "text");
    std::filesystem::create_directory(dir.file("folder"));
    test::make_text(dir.file("file"), "x");
    const struct {
        std::string path;
        const char* reason;  // empty: opened
    } cases[] = {
        {plain, ""},
        {test::make_link(dir.file("link"), "plain"), ""},
        {test::make_link(dir.file("chain"), "link"), ""},
        {test::make_fifo(dir.file("fifo")), "not a plain file"},  // no writer: an ordinary open would wait
        {test::make_device(dir.file("zero"), test::Device::zero), "not a plain file"},
        {test::make_device(dir.file("full"), test::Device::full), "not a plain file"},
        {dir.file("folder"), "Is a directory"},
        {dir.file("missing"), "No such file or directory"},
        {test::make_link(dir.file("dangling"), "missing"), "No such file or directory"},
        {test::make_link_loop(dir.file("loop")), "Too many levels of symbolic links"},
        {dir.file("file/inside"), "Not a directory"},
        {dir.file(std::string(300, 'n')), "File name too long"},
    };
    for (const auto& c : cases) {
        std::string reason;
        std::FILE* file = open_plain_file(c.path.c_str(), reason);
        EXPECT_EQ(file != nullptr, c.reason[0] == '\0') << c.path;
        if (file != nullptr) {
            char text[8] = {};
            EXPECT_EQ(std::fread(text, 1, sizeof text, file), 4u) << c.path;
            std::fclose(file);
        } else {
            EXPECT_EQ(reason, c.reason) << c.path;
        }
    }
}

TEST(PlainFile, LinksAreFollowedToTheNameTheyLeadTo)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir.file("sub"));
    test::make_text(dir.file("sub/target"), "x");
    const struct {
        std::string path;
        std::string target;  // empty: refused
    } cases[] = {
        {dir.file("plain"), dir.file("plain")},  // nothing there yet: itself
        {test::make_link(dir.file("rel"), "sub/target"), dir.file("sub/target")},
        {test::make_link(dir.file("sub/up"), "../rel"), dir.file("sub/../sub/target")},
        {test::make_link(dir.file("abs"), dir.file("sub/target")), dir.file("sub/target")},
        {test::make_link(dir.file("dangling"), "new"), dir.file("new")},
        {test::make_link_loop(dir.file("loop")), ""},
    };
    for (const auto& c : cases) {
        std::string target;
        std::string reason;
        EXPECT_EQ(follow_links(c.path, target, reason), !c.target.empty()) << c.path;
        if (!c.target.empty()) {
            EXPECT_EQ(std::filesystem::weakly_canonical(target), std::filesystem::weakly_canonical(c.target)) << c.path;
        } else {
            EXPECT_EQ(reason, "Too many levels of symbolic links");
        }
    }
}

TEST(PlainFile, OneFileIsKnownHoweverItIsSpelled)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir.file("sub"));
    const std::string a = test::make_text(dir.file("a"), "a");
    test::make_text(dir.file("b"), "b");
    test::make_link(dir.file("to-a"), "a");
    std::filesystem::create_hard_link(a, dir.file("hard-a"));
    const struct {
        std::string x, y;
        bool same;
    } cases[] = {
        {a, a, true},
        {a, dir.file("sub/../a"), true},
        {a, dir.file("to-a"), true},
        {a, dir.file("hard-a"), true},
        {a, dir.file("b"), false},
        {dir.file("new"), dir.file("sub/../new"), true},  // one name not yet taken
        {dir.file("new"), dir.file("sub/new"), false},
        {dir.file("new"), dir.file("other"), false},
        {dir.file("to-new"), dir.file("new2"), true},  // a dangling link and the name it leads to
        {dir.file("to-new"), dir.file("new"), false},
    };
    test::make_link(dir.file("to-new"), "new2");
    for (const auto& c : cases) EXPECT_EQ(same_file(c.x.c_str(), c.y.c_str()), c.same) << c.x << " " << c.y;
}

}  // namespace
}  // namespace qm
