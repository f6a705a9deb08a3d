// UTF-8, the one encoding of every text the program keeps or shows: names
// read from files and written into JSON, CSV or the terminal.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// Whether text is valid UTF-8: no stray or missing continuation byte, no
// longer form than needed, no surrogate, nothing past U+10FFFF.
bool valid_utf8(std::string_view text);

// The bytes of the valid character text starts with; 0 when it starts with
// none (or is empty).
std::size_t utf8_length(std::string_view text);

// The character's bytes appended to out; false, appending nothing, for a
// surrogate or a value past U+10FFFF.
bool append_utf8(std::string& out, unsigned code);

// Whether text holds a control character: below U+0020, DEL, or U+0080 to
// U+009F (text must be valid UTF-8).
bool has_control_character(std::string_view text);

}  // namespace qm
