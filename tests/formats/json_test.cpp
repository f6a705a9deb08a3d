// One-line JSON: what the writer makes reads back through the reader, strings
// are escaped as JSON wants, nested values are handed over as written, and
// anything but JSON is refused.
#include "formats/json.h"

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
    const bool read = read_json_object(" {\"a\":\"x\\ty\\u0041\\u00e9\", \"n\":-1.5,\"b\":false,\"z\":null} ",
                                     [&](const std::string& key, const std::string& value, JsonKind kind) {
                                         members.push_back({key, value, kind});
                                         return true;
                                     });
    ASSERT_TRUE(read);
    ASSERT_EQ(members.size(), 4u);
    EXPECT_EQ(members[0].value, "x\tyA\xC3\xA9");
    EXPECT_EQ(members[0].kind, JsonKind::string);
    EXPECT_EQ(members[1].value, "-1.5");
    EXPECT_EQ(members[1].kind, JsonKind::number);
    EXPECT_EQ(members[2].kind, JsonKind::boolean);
    EXPECT_EQ(members[3].kind, JsonKind::null);
}

// Names round-trip: a \u escape past ASCII is its character in UTF-8, a
// surrogate pair one character; anything that is no character is refused.
TEST(Json, StringsAreUtf8WhetherWrittenOutOrEscaped)
{
    const struct {
        const char* json;  // a string's text as written
        const char* text;  // null: refused
    } cases[] = {
        {"caf\\u00e9", "caf\xC3\xA9"},
        {"\\u2192", "\xE2\x86\x92"},
        {"\\uD83C\\uDFAF", "\xF0\x9F\x8E\xAF"},
        {"caf\xC3\xA9 \xF0\x9F\x8E\xAF", "caf\xC3\xA9 \xF0\x9F\x8E\xAF"},
        {"\\ud83c", nullptr},           // a high surrogate alone
        {"\\ud83cx", nullptr},
        {"\\udfaf", nullptr},           // a low one alone
        {"\\ud83c\\u0041", nullptr},    // a high one and no low one
        {"\\udfaf\\ud83c", nullptr},    // the pair reversed
        {"caf\xE9", nullptr},           // Latin-1
        {"\xC0\xAF", nullptr},          // an overlong form
    };
    for (const auto& c : cases) {
        std::string value;
        const bool read = read_json_object(std::string("{\"a\":\"") + c.json + "\"}",
                                         [&](const std::string&, const std::string& v, JsonKind) {
                                             value = v;
                                             return true;
                                         });
        EXPECT_EQ(read, c.text != nullptr) << c.json;
        if (c.text != nullptr) {
            EXPECT_EQ(value, c.text) << c.json;
        }
    }
    // Bytes that are not UTF-8 never reach a line: each is written as U+FFFD.
    std::string out;
    append_json_string(out, "a\xE9" "b\xF0\x9F\x8E\xAF\xF0\x9F");
    EXPECT_EQ(out, "\"a\xEF\xBF\xBD" "b\xF0\x9F\x8E\xAF\xEF\xBF\xBD\xEF\xBF\xBD\"");
}

TEST(Json, AnythingButAFlatObjectIsRefused)
{
    const char* const refused[] = {
        "", "[]", "{", "{\"a\":1", "{\"a\":1}x", "{a:1}", "{\"a\":}", "{\"a\":\"b}", "{\"a\":\"\\q\"}",
        "{\"a\":\"\\u12\"}", "{\"a\":\"line\nbreak\"}", "{\"a\":1,}",
    };
    for (const char* text : refused) {
        EXPECT_FALSE(read_json_object(text, [](const std::string&, const std::string&, JsonKind) { return true; }))
            << text;
    }
    // A member the caller refuses refuses the line.
    EXPECT_FALSE(read_json_object("{\"a\":1}", [](const std::string&, const std::string&, JsonKind) { return false; }));
}

// A record from a later version may hold values of any shape: each nested
// one is checked to its end and handed over as written, to be read the
// same way or passed over.
TEST(Json, NestedValuesAreHandedOverAsWritten)
{
    const struct {
        const char* json;
        const char* value;  // the member "a" as handed over; null: the object is refused
        JsonKind kind;
    } cases[] = {
        {"{\"a\":[1, \"x\" ,{\"b\":[]}],\"c\":1}", "[1, \"x\" ,{\"b\":[]}]", JsonKind::array},
        {"{\"a\":{\"b\":{\"c\":null}}}", "{\"b\":{\"c\":null}}", JsonKind::object},
        {"{\"a\":[]}", "[]", JsonKind::array},
        {"{\"a\":{ }}", "{ }", JsonKind::object},
        {"{\"a\":\"]}\"}", "]}", JsonKind::string},  // brackets in a string are text
        {"{\"a\":[1,]}", nullptr, JsonKind::array},
        {"{\"a\":[1}", nullptr, JsonKind::array},
        {"{\"a\":{\"b\"}}", nullptr, JsonKind::object},
        {"{\"a\":{1:2}}", nullptr, JsonKind::object},
        {"{\"a\":[\"\\q\"]}", nullptr, JsonKind::array},
        {"{\"a\":[1 2]}", nullptr, JsonKind::array},
    };
    for (const auto& c : cases) {
        std::string value;
        JsonKind kind = JsonKind::null;
        const bool read = read_json_object(c.json, [&](const std::string& key, const std::string& v, JsonKind k) {
            if (key == "a") {
                value = v;
                kind = k;
            }
            return true;
        });
        EXPECT_EQ(read, c.value != nullptr) << c.json;
        if (c.value == nullptr) continue;
        EXPECT_EQ(value, c.value) << c.json;
        EXPECT_EQ(kind, c.kind) << c.json;
    }
}

TEST(Json, AnArrayReadsBackElementByElement)
{
    std::vector<std::pair<std::string, JsonKind>> elements;
    ASSERT_TRUE(read_json_array(" [ 1,\"two\",[3],{\"four\":4},null ] ", [&](const std::string& v, JsonKind k) {
        elements.emplace_back(v, k);
        return true;
    }));
    const std::vector<std::pair<std::string, JsonKind>> expected = {
        {"1", JsonKind::number}, {"two", JsonKind::string}, {"[3]", JsonKind::array},
        {"{\"four\":4}", JsonKind::object}, {"null", JsonKind::null}};
    EXPECT_EQ(elements, expected);
    for (const char* refused : {"", "{}", "[", "[1", "[,]", "[1]x"}) {
        EXPECT_FALSE(read_json_array(refused, [](const std::string&, JsonKind) { return true; })) << refused;
    }
}

// A line of brackets alone must not run the reader out of stack.
TEST(Json, NestingIsBounded)
{
    const auto nested = [](int depth) {
        return "{\"a\":" + std::string(static_cast<std::size_t>(depth), '[') +
               std::string(static_cast<std::size_t>(depth), ']') + "}";
    };
    const auto any = [](const std::string&, const std::string&, JsonKind) { return true; };
    EXPECT_TRUE(read_json_object(nested(max_json_depth), any));
    EXPECT_FALSE(read_json_object(nested(max_json_depth + 1), any));
    EXPECT_FALSE(read_json_object(nested(100000), any));
}

}  // namespace
}  // namespace qm
