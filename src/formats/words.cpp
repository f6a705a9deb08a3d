// Splitting lines into words and reading numbers off them.
#include "formats/words.h"

#include <charconv>
#include <cstdlib>

namespace qm {

namespace {

constexpr std::size_t max_quoted_word = 40;

}  // namespace

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view without_comment(std::string_view line)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || is_blank(line[i - 1]))) return line.substr(0, i);
    }
    return line;
}

std::string_view trim_blanks(std::string_view s)
{
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view next_word(std::string_view& s)
{
    s = trim_blanks(s);
    std::size_t end = 0;
    while (end < s.size() && !is_blank(s[end])) ++end;
    std::string_view word = s.substr(0, end);
    s.remove_prefix(end);
    s = trim_blanks(s);
    return word;
}

bool parse_whole_number(std::string_view word, long low, long high, long& value)
{
    if (word.empty() || word.front() < '0' || word.front() > '9') return false;
    long parsed = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), parsed);
    if (ec != std::errc() || end != word.data() + word.size()) return false;
    if (parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

bool parse_decimal(std::string_view word, double low, double high, double& value)
{
    int digits = 0;
    int points = 0;
    for (char c : word) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return false;
        }
    }
    if (digits == 0 || points > 1) return false;
    // strtod rather than from_chars: the WebAssembly build's C++ library
    // reads no floating point with from_chars. Both round correctly, and
    // the word is plain digits with one point at most, so the C locale's
    // reading is the only one.
    const std::string text(word);
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

std::string quoted(std::string_view word)
{
    std::string text(1, '\'');
    for (std::size_t i = 0; i < word.size() && i < max_quoted_word; ++i) {
        const char c = word[i];
        text.push_back(c >= ' ' && c <= '~' ? c : '?');
    }
    if (word.size() > max_quoted_word) text.append("...");
    text.push_back('\'');
    return text;
}

}  // namespace qm
