// The drills there are: the built-ins, then a folder's drill files, each
// called by its drill's name as its results and its history call it.
#include "formats/drill/drill_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scratch_files.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

TEST(DrillCatalogue, AFileIsListedByItsDrillsName)
{
    test::TempDir dir;
    const struct {
        const char* file;
        const char* text;
        const char* title;  // null: the file's path, as it does not read
    } cases[] = {
        {"a_short.drill", "name Short flat\nrounds 2\n", "Short flat"},
        {"b_plain.drill", "rounds 2\n", "b_plain"},  // no name: the drill is called by its file's
        {"c_broken.drill", "rounds 2\nbogus 1\n", nullptr},
    };
    for (const auto& c : cases) test::make_text(dir.file(c.file), c.text);
    test::make_text(dir.file("notes.txt"), "name Not a drill\n");
    const std::vector<DrillEntry> entries = list_drills(dir.path().string());
    std::vector<DrillEntry> files;
    for (const DrillEntry& e : entries) {
        if (e.key.find('/') != std::string::npos) files.push_back(e);
    }
    ASSERT_EQ(files.size(), std::size(cases));
    EXPECT_EQ(entries.front().key, "still");  // the built-ins first
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(files[i].key, dir.file(cases[i].file));
        EXPECT_EQ(files[i].title, cases[i].title != nullptr ? cases[i].title : dir.file(cases[i].file));
    }
}

}  // namespace
}  // namespace qm
