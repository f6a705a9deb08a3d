// Writing a file whole or not at all: what a failure leaves behind.
#include "raster/replace_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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

}  // namespace
}  // namespace qm
