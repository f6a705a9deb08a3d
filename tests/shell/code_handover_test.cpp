// A finished drill's code handed over: printed when the results show, copied
// by a key, and named on the results as the program sends it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "drilled.h"
#include "sim/overlay_text.h"
#include "sim/world.h"
#include "tool_run.h"

namespace qm {
namespace {

using test::Drilled;

bool shows(const World& world, const std::string& text)
{
    return overlay_lines(world.overlay_text).find(text) != std::string::npos;
}

struct HandoverCase {
    const char* name;
    bool as_link;               // the page's way
    const char* copy_failure;   // the clipboard refuses, for this reason
    const char* code_line;      // how the results name the code
    const char* keys;           // the keys' line
    const char* notice;         // after the copy key
};

const HandoverCase handover_cases[] = {
    {"desktop", false, nullptr, "send (qmsim --challenge CODE): qm1-",
     "Enter: shoot again with new draws   Esc: free practice   Y: copy the code", "code copied"},
    {"page", true, nullptr, "send this link: Copy link or Share, on the bar under the game",
     "Enter: shoot again with new draws   Esc: free practice   Y: copy the link", "code copied"},
    {"no clipboard", false, "there is no clipboard here", "send (qmsim --challenge CODE): qm1-",
     "Y: copy the code", "code not copied: there is no clipboard here"},
};

TEST(CodeHandover, TheResultsPrintTheCodeAndItsKeyCopiesIt)
{
    for (const HandoverCase& c : handover_cases) {
        SCOPED_TRACE(c.name);
        Drilled d("rounds 1\nshots 1\ndistance 400 400\nwind fixed 0 0\n", 5);
        d.world->code_as_link = c.as_link;
        d.platform.copy_failure = c.copy_failure;
        ASSERT_TRUE(d.until([](const World& w) { return round_ready(w); }));
        d.press(VK_F);
        ASSERT_TRUE(d.until([](const World& w) { return w.drill.finished; }));
        d.tick();
        const std::string code = d.drill().code;
        ASSERT_EQ(code.rfind("qm1-", 0), 0u);
        ASSERT_EQ(d.platform.printed.size(), 1u);
        EXPECT_EQ(d.platform.printed[0], "challenge code: " + code);
        EXPECT_TRUE(shows(*d.world, c.code_line));
        EXPECT_EQ(shows(*d.world, "qmsim --challenge"), !c.as_link);
        EXPECT_TRUE(shows(*d.world, c.keys));
        d.press(VK_Y);
        EXPECT_TRUE(d.drill().finished);  // the results stay
        EXPECT_EQ(d.platform.copied, c.copy_failure == nullptr ? code : "");
        EXPECT_STREQ(d.world->practice.notice, c.notice);
        d.tick();
        EXPECT_TRUE(shows(*d.world, c.notice));  // over the results, in their keys' place
        EXPECT_FALSE(shows(*d.world, c.keys));
    }
}

// The runner's standard output: the code when the results show, and what
// the copy key put on its clipboard.
TEST(CodeHandover, TheRunnerPrintsTheCodeAndRecordsTheCopy)
{
    std::ifstream file(QM_SOURCE_DIR "/docs/drills.txt");
    std::string script(std::istreambuf_iterator<char>(file), {});
    script = script.substr(0, script.find("state\nframe")) + "down KeyY\nup KeyY\ntick 1\n";
    const test::RunResult r =
        test::run_headless_script({"--drill", QM_SOURCE_DIR "/docs/sample.drill", "--seed", "7"}, script);
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string last = "qm1-SQVoaWxscwQDLAG8AgAGAABnAQAAAAAAgEZA1D0yOwZTYW1wbGUOCgAAY4rQwA";
    EXPECT_EQ(r.out,
              "challenge code: qm1-SQVoaWxscwQDLAG8AgAGAABnAQAAAAAAgEZABwAAAAZTYW1wbGUdBwAAQvq-_A\n"
              "challenge code: qm1-SQVoaWxscwQDLAG8AgAGAABnAQAAAAAAgEZA5OHLYwZTYW1wbGXdCAAA6Xey_Q\n"
              "challenge code: qm1-SQVoaWxscwQDLAG8AgAGAABnAQAAAAAAgEZAKx2bDgZTYW1wbGXYCAAATH5vvg\n"
              "challenge code: " + last + "\ncopied: " + last + "\n");
}

}  // namespace
}  // namespace qm
