// The plain-text form shared by the dialog template and the key table: one
// statement a line, words separated by blanks, "quoted words" may hold
// blanks, '#' starts a comment.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Split one line into words. Returns false for an unterminated quote.
bool split_resource_line(std::string_view line, std::vector<std::string>& words);

// Calls `statement(words)` for every line that holds words; it answers null
// when the statement is good, otherwise why it is not. The first bad line
// stops the reading: `error` then names `what` and the line number.
template <class Statement>
bool read_resource_statements(std::string_view text, const char* what, std::string& error, Statement statement)
{
    std::vector<std::string> words;
    int line_number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++line_number;

        const char* why = nullptr;
        if (!split_resource_line(line, words)) {
            why = "unterminated quote";
        } else if (!words.empty()) {
            why = statement(words);
        }
        if (why != nullptr) {
            error = std::string(what) + " line " + std::to_string(line_number) + ": " + why;
            return false;
        }
    }
    return true;
}

}  // namespace qm
