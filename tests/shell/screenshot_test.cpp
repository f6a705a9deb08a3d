// Screenshot files: their names by date and time, the folder made on demand,
// and failures that say why and leave nothing behind.
#include "shell/screenshot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "terrain_test_support.h"

namespace qm {
namespace {

std::tm moment(int year, int month, int day, int hour, int minute, int second)
{
    std::tm when{};
    when.tm_year = year - 1900;
    when.tm_mon = month - 1;
    when.tm_mday = day;
    when.tm_hour = hour;
    when.tm_min = minute;
    when.tm_sec = second;
    return when;
}

TEST(Screenshot, NamesFollowTheDateAndTimeAndNeverOverwrite)
{
    test::TempDir dir;
    const std::string folder = dir.file("shots");  // not there yet: it is made
    const Surface frame(8, 4);
    const struct {
        std::tm when;
        const char* name;
    } cases[] = {
        {moment(2026, 12, 7, 9, 5, 3), "2026-12-07_09-05-03.png"},
        {moment(2026, 12, 7, 9, 5, 3), "2026-12-07_09-05-03-2.png"},
        {moment(2026, 12, 7, 9, 5, 3), "2026-12-07_09-05-03-3.png"},
        {moment(2027, 1, 1, 0, 0, 0), "2027-01-01_00-00-00.png"},
    };
    for (const auto& c : cases) {
        std::string path;
        std::string error;
        ASSERT_TRUE(save_screenshot(frame, folder.c_str(), c.when, path, error)) << error;
        EXPECT_EQ(path, folder + "/" + c.name);
        EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 4);
}

TEST(Screenshot, AFailureSaysWhyAndLeavesNoFile)
{
    test::TempDir dir;
    { std::ofstream blocker(dir.file("file")); }
    const struct {
        const char* name;
        std::string folder;
        Surface frame;
        const char* reason;
    } cases[] = {
        {"the folder is a file", dir.file("file"), Surface(8, 4), "Not a directory"},
        {"the folder's parent is missing", dir.file("missing/shots"), Surface(8, 4), "No such file or directory"},
        {"nothing to write", dir.file("empty"), Surface(), "nothing to write"},
    };
    for (const auto& c : cases) {
        std::string path;
        std::string error;
        EXPECT_FALSE(save_screenshot(c.frame, c.folder.c_str(), moment(2026, 1, 2, 3, 4, 5), path, error)) << c.name;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
    }
    // Only the blocking file and the folder made for the empty frame remain,
    // the latter empty.
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("empty")));
}

}  // namespace
}  // namespace qm
