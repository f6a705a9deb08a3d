// UTF-8: which texts are, the characters written, the control characters
// that no name may hold.
#include "formats/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

TEST(Utf8, TextsAreValidOnlyInTheShortestFormOfARealCharacter)
{
    const struct {
        const char* what;
        std::string text;
        bool valid;
    } cases[] = {
        {"ASCII", "Still air", true},
        {"two, three and four bytes", "Caf\xC3\xA9 \xE2\x86\x92 \xF0\x9F\x8E\xAF", true},
        {"nothing", "", true},
        {"a stray continuation", "a\x80", false},
        {"a lead cut short", "\xE2\x86", false},
        {"a Latin-1 byte", "caf\xE9", false},
        {"an overlong slash", "\xC0\xAF", false},
        {"an overlong three-byte form", "\xE0\x80\xAF", false},
        {"a surrogate", "\xED\xA0\x80", false},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false},
        {"a byte that opens nothing", "\xFF", false},
    };
    for (const auto& c : cases) EXPECT_EQ(valid_utf8(c.text), c.valid) << c.what;
}

TEST(Utf8, CharactersAreWrittenInTheirShortestForm)
{
    const struct {
        unsigned code;
        std::string bytes;  // empty: refused
    } cases[] = {
        {0x41, "A"}, {0xE9, "\xC3\xA9"}, {0x2192, "\xE2\x86\x92"}, {0x1F3AF, "\xF0\x9F\x8E\xAF"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"}, {0xD800, ""}, {0xDFFF, ""}, {0x110000, ""},
    };
    for (const auto& c : cases) {
        std::string out;
        EXPECT_EQ(append_utf8(out, c.code), !c.bytes.empty()) << c.code;
        EXPECT_EQ(out, c.bytes) << c.code;
        if (!out.empty()) {
            EXPECT_EQ(utf8_length(out), out.size());
        }
    }
}

TEST(Utf8, ControlCharactersAreFoundWhereverTheyAre)
{
    const struct {
        std::string text;
        bool control;
    } cases[] = {
        {"Plain name", false}, {"Caf\xC3\xA9", false}, {"tab\there", true}, {std::string("nul\0", 4), true},
        {"line\nbreak", true}, {"del\x7F", true}, {"c1 \xC2\x85", true}, {"\xC2\xA0nbsp", false},
    };
    for (const auto& c : cases) EXPECT_EQ(has_control_character(c.text), c.control) << c.text;
}

}  // namespace
}  // namespace qm
