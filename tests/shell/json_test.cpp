// One-line JSON: what the writer makes reads back through the reader, strings
// are escaped as JSON wants, and anything but a flat object is refused.
#include "shell/json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace qm {
namespace {

// Control characters are written as \u escapes, line breaks too, as the
// state lines and the history have always had them.
TEST(Json, TheWriterFormsEachKindOfValue)
{
    JsonWriter json;
    json.open();
    json.number("whole", -12);
    json.number("big", 9007199254740993LL);
    json.number("real", 0.1);
    json.number("none", std::numeric_limits<double>::infinity());  // JSON has no infinities
    json.decimal("miss", 41.25, 1);
    json.text("name", "a \"b\"\\\n\x01");
    json.boolean("yes", true);
    json.null("nothing");
    json.object("inner");
    json.number("x", 1);
    json.close();
    json.close();
    EXPECT_EQ(json.line(), "{\"whole\":-12,\"big\":9007199254740993,\"real\":0.10000000000000001,\"none\":null,"
                           "\"miss\":41.2,\"name\":\"a \\\"b\\\"\\\\\\u000a\\u0001\",\"yes\":true,\"nothing\":null,"
                           "\"inner\":{\"x\":1}}");
}

TEST(Json, AFlatObjectReadsBackMemberByMember)
{
    struct Member {
        std::string key, value;
        JsonKind kind;
    };
    std::vector<Member> members;
    const bool read = read_flat_json(" {\"a\":\"x\\ty\\u0041\\u00e9\", \"n\":-1.5,\"b\":false,\"z\":null} ",
                                     [&](const std::string& key, const std::string& value, JsonKind kind) {
                                         members.push_back({key, value, kind});
                                         return true;
                                     });
    ASSERT_TRUE(read);
    ASSERT_EQ(members.size(), 4u);
    EXPECT_EQ(members[0].value, "x\tyA?");  // past ASCII shows as '?'
    EXPECT_EQ(members[0].kind, JsonKind::string);
    EXPECT_EQ(members[1].value, "-1.5");
    EXPECT_EQ(members[1].kind, JsonKind::number);
    EXPECT_EQ(members[2].kind, JsonKind::boolean);
    EXPECT_EQ(members[3].kind, JsonKind::null);
}

TEST(Json, AnythingButAFlatObjectIsRefused)
{
    const char* const refused[] = {
        "", "[]", "{", "{\"a\":1", "{\"a\":1}x", "{a:1}", "{\"a\":}", "{\"a\":\"b}", "{\"a\":\"\\q\"}",
        "{\"a\":\"\\u12\"}", "{\"a\":\"line\nbreak\"}", "{\"a\":1,}",
    };
    for (const char* text : refused) {
        EXPECT_FALSE(read_flat_json(text, [](const std::string&, const std::string&, JsonKind) { return true; }))
            << text;
    }
    // A member the caller refuses refuses the line.
    EXPECT_FALSE(read_flat_json("{\"a\":1}", [](const std::string&, const std::string&, JsonKind) { return false; }));
}

}  // namespace
}  // namespace qm
