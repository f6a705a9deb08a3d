// Checking and writing UTF-8.
#include "formats/utf8.h"

namespace qm {

namespace {

constexpr unsigned max_code = 0x10FFFF;
constexpr unsigned first_surrogate = 0xD800, last_surrogate = 0xDFFF;

bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the sequence a lead byte opens and the least value it may
// carry (a smaller one has a shorter form); 0 for a byte that opens none.
int sequence_length(unsigned char lead, unsigned& least, unsigned& code)
{
    if (lead < 0x80) {
        code = lead;
        least = 0;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        code = lead & 0x1Fu;
        least = 0x80;
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        code = lead & 0x0Fu;
        least = 0x800;
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        code = lead & 0x07u;
        least = 0x10000;
        return 4;
    }
    return 0;
}

// Decodes the character at text[i], advancing i; false for an invalid one.
bool decode(std::string_view text, std::size_t& i, unsigned& code)
{
    unsigned least = 0;
    const int length = sequence_length(static_cast<unsigned char>(text[i]), least, code);
    if (length == 0 || text.size() - i < static_cast<std::size_t>(length)) return false;
    for (int k = 1; k < length; ++k) {
        const unsigned char c = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if (!continuation(c)) return false;
        code = code << 6 | (c & 0x3Fu);
    }
    i += static_cast<std::size_t>(length);
    return code >= least && code <= max_code && (code < first_surrogate || code > last_surrogate);
}

}  // namespace

bool valid_utf8(std::string_view text)
{
    unsigned code = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (!decode(text, i, code)) return false;
    }
    return true;
}

std::size_t utf8_length(std::string_view text)
{
    std::size_t i = 0;
    unsigned code = 0;
    return !text.empty() && decode(text, i, code) ? i : 0;
}

bool append_utf8(std::string& out, unsigned code)
{
    if (code > max_code || (code >= first_surrogate && code <= last_surrogate)) return false;
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | code >> 6));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | code >> 12));
        out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | code >> 18));
        out.push_back(static_cast<char>(0x80 | (code >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
    return true;
}

bool has_control_character(std::string_view text)
{
    unsigned code = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (!decode(text, i, code)) return true;
        if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) return true;
    }
    return false;
}

}  // namespace qm
