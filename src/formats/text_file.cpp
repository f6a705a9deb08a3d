// Texts read from plain files or held streams, a line at a time or whole,
// within their caps.
#include "formats/text_file.h"

#include <cerrno>
#include <cstring>

#include "raster/plain_file.h"

namespace qm {

namespace {

constexpr char lf = '\n';
constexpr char cr = '\r';

std::string larger_than(std::size_t max_bytes) { return "larger than " + std::to_string(max_bytes) + " bytes"; }

}  // namespace

TextLines::~TextLines()
{
    if (owned_ && file_ != nullptr) std::fclose(file_);
}

bool TextLines::open(const std::string& path, std::string& reason)
{
    file_ = open_plain_file(path.c_str(), reason);
    owned_ = file_ != nullptr;
    return owned_;
}

void TextLines::attach(std::FILE* stream)
{
    file_ = stream;
    owned_ = false;
}

int TextLines::take()
{
    if (failed_) return EOF;
    const int c = std::getc(file_);
    if (c == EOF) {
        if (std::ferror(file_)) {
            failed_ = true;
            reason_ = std::strerror(errno);
        }
        return EOF;
    }
    if (++read_ > max_bytes_) {
        failed_ = true;
        reason_ = larger_than(max_bytes_);
        return EOF;
    }
    return c;
}

TextLines::Read TextLines::next(std::string& line, std::size_t max_line)
{
    line.clear();
    int c = take();
    if (c == lf && after_cr_) c = take();
    after_cr_ = false;
    if (c == EOF) return failed_ ? Read::failed : Read::end;
    while (c != EOF && c != lf && c != cr) {
        if (line.size() == max_line) return Read::too_long;
        line.push_back(static_cast<char>(c));
        c = take();
    }
    if (failed_) return Read::failed;
    after_cr_ = c == cr;
    return Read::line;
}

TextLines::Read TextLines::skip_rest()
{
    int c = take();
    while (c != EOF && c != lf && c != cr) c = take();
    if (failed_) return Read::failed;
    after_cr_ = c == cr;
    return Read::line;
}

bool read_text_file(const std::string& path, std::size_t max_bytes, std::string& text, std::string& reason)
{
    std::FILE* file = open_plain_file(path.c_str(), reason);
    if (file == nullptr) return false;
    text.clear();
    char buffer[4096];
    bool ok = true;
    for (std::size_t got; ok && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        text.append(buffer, got);
        if (text.size() > max_bytes) {
            reason = larger_than(max_bytes);
            ok = false;
        }
    }
    if (ok && std::ferror(file)) {
        reason = std::strerror(errno);
        ok = false;
    }
    std::fclose(file);
    return ok;
}

std::string_view take_line(std::string_view& text)
{
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
        text = {};
    } else {
        const bool crlf = text[end] == cr && end + 1 < text.size() && text[end + 1] == lf;
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return line;
}

}  // namespace qm
