// Reading texts: lines by any line end, caps on a line and on the whole,
// and only plain files, each refusal with its reason.
#include "formats/text_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "scratch_files.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

// The lines of text, with "!long" for a line past the cap (its rest
// skipped) and "!failed" for a failure.
std::vector<std::string> lines_of(const std::string& text, std::size_t max_line, std::size_t max_bytes)
{
    std::FILE* file = std::tmpfile();
    std::fputs(text.c_str(), file);
    std::rewind(file);
    TextLines lines(max_bytes);
    lines.attach(file);
    std::vector<std::string> got;
    std::string line;
    for (;;) {
        TextLines::Read read = lines.next(line, max_line);
        if (read == TextLines::Read::end) break;
        if (read == TextLines::Read::too_long) {
            got.push_back("!long");
            if ((read = lines.skip_rest()) != TextLines::Read::failed) continue;
        }
        if (read == TextLines::Read::failed) {
            got.push_back("!failed: " + lines.reason());
            break;
        }
        got.push_back(line);
    }
    std::fclose(file);
    return got;
}

TEST(TextFile, LinesEndAtLfCrLfOrALoneCrAndKeepTheirCaps)
{
    using Lines = std::vector<std::string>;
    const struct {
        const char* what;
        std::string text;
        std::size_t max_line;
        std::size_t max_bytes;
        Lines lines;
    } cases[] = {
        {"LF", "a\nbb\n", 10, 100, {"a", "bb"}},
        {"CR LF", "a\r\nbb\r\n", 10, 100, {"a", "bb"}},
        {"a CR alone", "a\rbb\rccc", 10, 100, {"a", "bb", "ccc"}},
        {"blank lines of each kind", "a\r\r\n\n\rb", 10, 100, {"a", "", "", "", "b"}},
        {"no end on the last line", "a\nb", 10, 100, {"a", "b"}},
        {"nothing", "", 10, 100, {}},
        {"a line at the cap", "abcd\ne", 4, 100, {"abcd", "e"}},
        {"a line past the cap, the next read on", "abcde\ne", 4, 100, {"!long", "e"}},
        {"a whole past its cap", "abc\ndef\n", 10, 5, {"abc", "!failed: larger than 5 bytes"}},
    };
    for (const auto& c : cases) EXPECT_EQ(lines_of(c.text, c.max_line, c.max_bytes), c.lines) << c.what;
}

TEST(TextFile, TakeLineSplitsTextInMemoryTheSameWay)
{
    std::string_view text = "a\r\nb\rc\n\nd";
    std::vector<std::string> got;
    while (!text.empty()) got.emplace_back(take_line(text));
    EXPECT_EQ(got, (std::vector<std::string>{"a", "b", "c", "", "d"}));
}

TEST(TextFile, OnlyAPlainFileIsReadAndEveryRefusalSaysWhy)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir.file("folder"));
    test::make_text(dir.file("file"), "x");
    const struct {
        std::string path;
        std::size_t max_bytes;
        const char* reason;  // empty: read
    } cases[] = {
        {test::make_text(dir.file("plain"), "one\ntwo\n"), 100, ""},
        {test::make_link(dir.file("link"), "plain"), 100, ""},
        {dir.file("plain"), 7, "larger than 7 bytes"},
        {test::make_fifo(dir.file("fifo")), 100, "not a plain file"},
        {test::make_device(dir.file("zero"), test::Device::zero), 100, "not a plain file"},
        {test::make_device(dir.file("null"), test::Device::null), 100, "not a plain file"},
        {dir.file("folder"), 100, "Is a directory"},
        {test::make_link_loop(dir.file("loop")), 100, "Too many levels of symbolic links"},
        {dir.file("file/inside"), 100, "Not a directory"},
        {dir.file("missing"), 100, "No such file or directory"},
    };
    for (const auto& c : cases) {
        std::string text;
        std::string reason;
        EXPECT_EQ(read_text_file(c.path, c.max_bytes, text, reason), c.reason[0] == '\0') << c.path;
        EXPECT_EQ(reason, c.reason) << c.path;
        if (c.reason[0] == '\0') {
            EXPECT_EQ(text, "one\ntwo\n");
        }
        TextLines lines(c.max_bytes);
        EXPECT_EQ(lines.open(c.path, reason), c.reason[0] == '\0' || c.max_bytes == 7) << c.path;
    }
}

}  // namespace
}  // namespace qm
