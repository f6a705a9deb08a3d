// Reading the program's text inputs (scripts, drill files, the history, and
// any other file of lines): a plain file, reached through any links, or a
// stream the caller holds (standard input); a cap on a line's length and on
// the whole, each refusal with its reason; a read error is an error, never
// an early end. A line ends at LF, at CR LF or at a CR alone.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace qm {

// A text read a line at a time.
class TextLines {
public:
    // max_bytes: the most the whole may hold; a larger text fails.
    explicit TextLines(std::size_t max_bytes) : max_bytes_(max_bytes) {}
    ~TextLines();
    TextLines(const TextLines&) = delete;
    TextLines& operator=(const TextLines&) = delete;

    // Opens the plain file at path; false with the reason: the system's
    // word ("No such file or directory", "Too many levels of symbolic
    // links"), "Is a directory" or "not a plain file".
    bool open(const std::string& path, std::string& reason);
    // Reads a stream already open, which the caller closes.
    void attach(std::FILE* stream);

    enum class Read {
        line,      // a line, without its end
        end,       // the text is over
        too_long,  // the line runs past max_line characters; the rest of it is left unread
        failed,    // reason() says why: a read error, or the text passes max_bytes
    };
    Read next(std::string& line, std::size_t max_line);
    // Passes over the rest of a line that was too long.
    Read skip_rest();
    const std::string& reason() const { return reason_; }

private:
    int take();  // the next byte, or EOF (an error then sets failed_)

    std::FILE* file_ = nullptr;
    bool owned_ = false;
    bool after_cr_ = false;  // a LF right after a CR ends no second line
    bool failed_ = false;
    std::size_t max_bytes_;
    std::size_t read_ = 0;
    std::string reason_;
};

// A whole plain file of at most max_bytes bytes into text; false with the
// reason (as TextLines::open gives it, a read error's, or "larger than N
// bytes").
bool read_text_file(const std::string& path, std::size_t max_bytes, std::string& text, std::string& reason);

// Takes the first line off a text in memory, its end as TextLines reads it.
std::string_view take_line(std::string_view& text);

}  // namespace qm
