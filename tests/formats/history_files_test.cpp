// The history's file on disk: a line goes only to a plain file (through
// links), and an append that fails, whether the disk takes part of the
// line, none of it, or all but its last byte, leaves every byte as it was.
#include "formats/history/history_files.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "history_support.h"
#include "scratch_files.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::bytes_of;
using test::record;
using test::scratch;

// The append in a child whose files may grow to `limit` bytes, as a disk
// with that much room would let them: what append_history answered, and why.
bool append_within(const std::string& path, long long limit, int score, std::string& reason)
{
    int answer[2];
    if (::pipe(answer) != 0) return false;
    const pid_t child = fork();
    if (child == 0) {
        ::close(answer[0]);
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit room{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
        ::setrlimit(RLIMIT_FSIZE, &room);
        std::string why;
        const bool ok = append_history(path, record("Full", score), why);
        const std::string said = (ok ? "1" : "0") + why;
        ssize_t unused = ::write(answer[1], said.data(), said.size());
        (void)unused;
        ::_exit(0);
    }
    ::close(answer[1]);
    char said[512] = {};
    const ssize_t got = ::read(answer[0], said, sizeof said - 1);
    ::close(answer[0]);
    ::waitpid(child, nullptr, 0);
    reason = got > 1 ? std::string(said + 1, static_cast<std::size_t>(got - 1)) : "";
    return got > 0 && said[0] == '1';
}

TEST(HistoryFiles, AFailedAppendLeavesEveryByteAsItWas)
{
    const std::string dir = scratch("full");
    const std::string path = dir + "/h.jsonl";
    std::string reason;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(append_history(path, record("Full", i), reason)) << reason;
    const std::string before = bytes_of(path);
    const long long size = static_cast<long long>(before.size());
    const struct {
        const char* what;
        long long room;
        const char* reason;
    } cases[] = {
        {"a disk that takes part of the line", size + 40, "File too large"},
        {"a disk that takes none of it", size, "File too large"},
        {"a disk that takes all but its last byte", size + static_cast<long long>(format_history_line(record("Full", 9)).size()) - 1,
         "File too large"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(append_within(path, c.room, 9, reason)) << c.what;
        EXPECT_EQ(reason, "cannot write " + path + ": " + c.reason) << c.what;
        EXPECT_EQ(bytes_of(path), before) << c.what;
    }
    EXPECT_TRUE(append_within(path, size + 4096, 9, reason)) << reason;
}

TEST(HistoryFiles, AFullFileSystemLeavesEveryByteAsItWas)
{
    const std::string dir = scratch("tmpfs");
    if (mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=16k") != 0) {
        GTEST_SKIP() << "cannot mount a small tmpfs here (" << std::strerror(errno)
                     << "); the file size limit stood in for a full disk";
    }
    const std::string path = dir + "/h.jsonl";
    std::string reason;
    std::string before;
    int written = 0;
    while (append_history(path, record("Full", written % 1000), reason)) {
        before = bytes_of(path);
        ++written;
    }
    const std::string after = bytes_of(path);
    umount(dir.c_str());
    EXPECT_EQ(reason, "cannot write " + path + ": No space left on device");
    EXPECT_GT(written, 10);
    EXPECT_EQ(after, before);  // to the byte: no fragment of the line that did not fit
}

// The history goes to a plain file, or through links to one; anything else
// is refused before a byte is written, without waiting on a pipe.
TEST(HistoryFiles, LinesGoOnlyToAPlainFile)
{
    const std::string dir = scratch("kinds");
    test::make_text(dir + "/target", "");
    const struct {
        std::string path;
        const char* reason;   // empty: appended
        const char* written;  // where the line lands
    } cases[] = {
        {dir + "/new.jsonl", "", "new.jsonl"},
        {test::make_link(dir + "/link", "target"), "", "target"},
        {test::make_link(dir + "/dangling", "made.jsonl"), "", "made.jsonl"},
        {test::make_device(dir + "/full", test::Device::full), "not a plain file", nullptr},
        {test::make_fifo(dir + "/fifo"), "not a plain file", nullptr},
        {test::make_link(dir + "/to-fifo", "fifo"), "not a plain file", nullptr},
        {test::make_link_loop(dir + "/loop"), "Too many levels of symbolic links", nullptr},
        {dir, "Is a directory", nullptr},
    };
    for (const auto& c : cases) {
        std::string reason;
        EXPECT_EQ(append_history(c.path, record("A", 1), reason), c.reason[0] == '\0') << c.path;
        if (c.reason[0] != '\0') {
            EXPECT_EQ(reason, "cannot open " + c.path + ": " + c.reason);
        }
        if (c.written != nullptr) {
            EXPECT_EQ(bytes_of(dir + "/" + c.written), format_history_line(record("A", 1)));
        }
    }
    EXPECT_TRUE(fs::is_symlink(dir + "/link"));
    EXPECT_TRUE(fs::is_fifo(dir + "/fifo"));
    EXPECT_TRUE(fs::is_character_file(dir + "/full"));
}

}  // namespace
}  // namespace qm
