// The words and numbers of the program's line-based texts (scripts, drill
// files, option values): blanks are space, tab and line ends; a '#' at the
// start of a line or after a blank begins a comment.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// The UTF-8 byte-order mark some editors write at the start of a text file.
constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

bool is_blank(char c);
std::string_view without_comment(std::string_view line);
std::string_view trim_blanks(std::string_view s);
// Takes the next word off the front of s.
std::string_view next_word(std::string_view& s);

// A whole decimal number without sign, the whole of word, within [low, high].
bool parse_whole_number(std::string_view word, long low, long high, long& value);

// A decimal number without sign or exponent (such as 45, 2.5 or .5), the
// whole of word, within [low, high].
bool parse_decimal(std::string_view word, double low, double high, double& value);

// A word as an error message shows it: quoted, cut short, and with bytes
// that are not printable as '?', so that the message stays one short line.
std::string quoted(std::string_view word);

}  // namespace qm
