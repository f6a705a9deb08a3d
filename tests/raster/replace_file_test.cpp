// Writing a file whole or not at all: what a failure leaves behind.
#include "raster/replace_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "scratch_files.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

std::string contents(const std::filesystem::path& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

bool write_new(std::FILE* f) { return std::fputs("new", f) >= 0; }

TEST(ReplaceFile, WritesWholeOrLeavesEverythingAsItWas)
{
    const struct {
        const char* what;
        const char* target;     // within the scratch folder
        bool old_file;          // the target exists beforehand, holding "old"
        bool write_succeeds;
        bool written;
        const char* reason;     // when not written
        const char* left;       // the target's contents afterwards ("" when absent)
    } cases[] = {
        {"a new file", "a.png", false, true, true, "", "new"},
        {"an existing file is replaced", "a.png", true, true, true, "", "new"},
        {"a failed write keeps the old file", "a.png", true, false, false, "the write failed", "old"},
        {"a failed write makes no file", "a.png", false, false, false, "the write failed", ""},
        {"a missing folder", "no/such/a.png", false, true, false, "No such file or directory", ""},
        {"a folder as the target", "folder", false, true, false, "Is a directory", ""},
        {"a path that names a folder", "a.png/", false, true, false, "Is a directory", ""},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        std::filesystem::create_directory(dir.path() / "folder");
        const std::filesystem::path target = dir.path() / c.target;
        if (c.old_file) std::ofstream(target, std::ios::binary) << "old";

        std::string reason;
        const bool written = replace_file(
            target.string().c_str(), [&](std::FILE* f) { return c.write_succeeds && write_new(f); }, reason);
        EXPECT_EQ(written, c.written) << c.what;
        if (!c.written) {
            EXPECT_EQ(reason, c.reason) << c.what;
        }
        if (std::filesystem::is_regular_file(target) || c.left[0] != '\0') {
            EXPECT_EQ(contents(target), c.left) << c.what;
        }
        // Nothing but the folder and the target, if any, remains.
        int entries = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            EXPECT_TRUE(entry.path() == target || entry.path().filename() == "folder") << c.what << ": "
                                                                                      << entry.path();
            ++entries;
        }
        EXPECT_EQ(entries, 1 + (c.left[0] != '\0' ? 1 : 0)) << c.what;
    }
}

TEST(ReplaceFile, ALinkLeadsToTheFileReplacedAndNothingButAPlainFileIsReplaced)
{
    const struct {
        const char* what;
        const char* path;     // written through
        const char* reason;   // empty: written
        const char* file;     // where the new bytes land, when written
    } cases[] = {
        {"a link to a file", "link", "", "target"},
        {"a chain of links", "chain", "", "target"},
        {"a dangling link makes the file it names", "dangling", "", "made"},
        {"a link into another folder", "into-sub", "", "sub/deep"},
        {"a device", "full", "not a plain file", nullptr},
        {"a link to a device", "to-full", "not a plain file", nullptr},
        {"a pipe", "fifo", "not a plain file", nullptr},
        {"a link loop", "loop", "Too many levels of symbolic links", nullptr},
        {"a name too long for the system", nullptr, "File name too long", nullptr},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        std::filesystem::create_directory(dir.path() / "sub");
        test::make_text(dir.file("target"), "old");
        test::make_text(dir.file("sub/deep"), "old");
        test::make_link(dir.file("link"), "target");
        test::make_link(dir.file("chain"), "link");
        test::make_link(dir.file("dangling"), "made");
        test::make_link(dir.file("into-sub"), "sub/deep");
        test::make_device(dir.file("full"), test::Device::full);
        test::make_link(dir.file("to-full"), "full");
        test::make_fifo(dir.file("fifo"));
        test::make_link_loop(dir.file("loop"));
        const std::string path = c.path != nullptr ? dir.file(c.path) : dir.file(std::string(300, 'n'));

        std::string reason;
        const bool written = replace_file(path.c_str(), write_new, reason);
        EXPECT_EQ(written, c.reason[0] == '\0') << c.what << ": " << reason;
        if (!written) {
            EXPECT_EQ(reason, c.reason) << c.what;
        }
        if (c.file != nullptr) {
            EXPECT_EQ(contents(dir.path() / c.file), "new") << c.what;
        }
        // Links stay links, devices and pipes stay what they were, and no
        // temporary is left.
        for (const char* link : {"link", "chain", "dangling", "into-sub", "to-full", "loop"}) {
            EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / link)) << c.what << ": " << link;
        }
        EXPECT_TRUE(std::filesystem::is_character_file(dir.path() / "full")) << c.what;
        EXPECT_TRUE(std::filesystem::is_fifo(dir.path() / "fifo")) << c.what;
        if (c.file == nullptr || std::string(c.file) != "target") {
            EXPECT_EQ(contents(dir.path() / "target"), "old");
        }
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) {
            EXPECT_NE(entry.path().extension(), ".tmp") << c.what << ": " << entry.path();
        }
    }
}

TEST(ReplaceFile, TemporariesAKilledWriterLeftAreClearedByTheNextWriter)
{
    using namespace std::chrono_literals;
    const long alive = static_cast<long>(::getpid());
    // A process number no process has: past the kernel's largest.
    const long gone = 4194304 + 1;
    const struct {
        std::string name;
        std::chrono::hours age;
        bool cleared;
    } cases[] = {
        {".qm-" + std::to_string(gone) + "-0.tmp", 2h, true},
        {".qm-" + std::to_string(gone) + "-17.tmp", 30h, true},
        {".qm-" + std::to_string(gone) + "-1.tmp", 0h, false},     // may still be being written
        {".qm-" + std::to_string(alive) + "-5.tmp", 2h, false},    // its process is alive
        {".qm-x-0.tmp", 2h, false},                                // not the program's name
        {"keep.tmp", 2h, false},
        {".qm-" + std::to_string(gone) + "-0.tmp.bak", 2h, false},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        test::make_text(dir.file(c.name), "partial");
        std::filesystem::last_write_time(dir.path() / c.name, std::filesystem::file_time_type::clock::now() - c.age);
    }
    std::string reason;
    ASSERT_TRUE(replace_file(dir.file("out.png").c_str(), write_new, reason)) << reason;
    for (const auto& c : cases) EXPECT_EQ(std::filesystem::exists(dir.path() / c.name), !c.cleared) << c.name;
}

}  // namespace
}  // namespace qm
