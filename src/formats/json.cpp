// Writing and reading one-line JSON objects.
#include "formats/json.h"

#include <cmath>
#include <cstdio>

#include "formats/utf8.h"

namespace qm {

namespace {

constexpr unsigned high_surrogate = 0xD800, low_surrogate = 0xDC00, last_surrogate = 0xDFFF;
// What stands in for bytes that are not UTF-8 in a string written out.
constexpr std::string_view replacement_character = "\xEF\xBF\xBD";

// Appends printf's form of a value; a short form (any number but a huge
// fixed-point one) needs no memory of its own.
template <class... Values>
void append_formatted(std::string& out, const char* format, Values... values)
{
    char text[64];
    const int size = std::snprintf(text, sizeof text, format, values...);
    if (size < 0) return;
    if (static_cast<std::size_t>(size) < sizeof text) {
        out.append(text, static_cast<std::size_t>(size));
        return;
    }
    std::string longer(static_cast<std::size_t>(size), '\0');
    std::snprintf(longer.data(), longer.size() + 1, format, values...);
    out += longer;
}

// Reads a flat object left to right.
class FlatReader {
public:
    explicit FlatReader(std::string_view text) : s_(text) {}

    bool read(const JsonMember& take)
    {
        blanks();
        if (!eat('{')) return false;
        blanks();
        if (eat('}')) return at_end();
        for (;;) {
            std::string key;
            std::string value;
            JsonKind kind = JsonKind::null;
            blanks();
            if (!string(key)) return false;
            blanks();
            if (!eat(':')) return false;
            blanks();
            if (!this->value(value, kind) || !take(key, value, kind)) return false;
            blanks();
            if (eat('}')) return at_end();
            if (!eat(',')) return false;
        }
    }

private:
    bool at_end()
    {
        blanks();
        return i_ == s_.size();
    }
    void blanks()
    {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r')) ++i_;
    }
    bool eat(char c)
    {
        if (i_ >= s_.size() || s_[i_] != c) return false;
        ++i_;
        return true;
    }
    bool hex_digit(unsigned& code)
    {
        if (i_ >= s_.size()) return false;
        const char h = s_[i_++];
        code <<= 4;
        if (h >= '0' && h <= '9') {
            code |= static_cast<unsigned>(h - '0');
        } else if (h >= 'a' && h <= 'f') {
            code |= static_cast<unsigned>(h - 'a' + 10);
        } else if (h >= 'A' && h <= 'F') {
            code |= static_cast<unsigned>(h - 'A' + 10);
        } else {
            return false;
        }
        return true;
    }
    bool hex4(unsigned& code)
    {
        code = 0;
        for (int k = 0; k < 4; ++k) {
            if (!hex_digit(code)) return false;
        }
        return true;
    }
    // A \u escape's character, a surrogate pair's as one; a surrogate
    // alone is refused, as it stands for no character.
    bool unicode_escape(std::string& out)
    {
        unsigned code = 0;
        if (!hex4(code)) return false;
        if (code >= high_surrogate && code < low_surrogate) {
            unsigned low = 0;
            if (!eat('\\') || !eat('u') || !hex4(low) || low < low_surrogate || low > last_surrogate) return false;
            code = 0x10000 + ((code - high_surrogate) << 10) + (low - low_surrogate);
        }
        return append_utf8(out, code);
    }
    bool escape(std::string& out)
    {
        if (i_ >= s_.size()) return false;
        const char e = s_[i_++];
        switch (e) {
        case '"': case '\\': case '/': out.push_back(e); return true;
        case 'n': out.push_back('\n'); return true;
        case 't': out.push_back('\t'); return true;
        case 'r': out.push_back('\r'); return true;
        case 'b': out.push_back('\b'); return true;
        case 'f': out.push_back('\f'); return true;
        case 'u': return unicode_escape(out);
        default: return false;
        }
    }
    // A string's text, which must be UTF-8 whether written out or escaped.
    bool string(std::string& out)
    {
        if (!eat('"')) return false;
        while (i_ < s_.size()) {
            const char c = s_[i_++];
            if (c == '"') return valid_utf8(out);
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out.push_back(c);
            } else if (!escape(out)) {
                return false;
            }
        }
        return false;
    }
    bool value(std::string& out, JsonKind& kind)
    {
        if (i_ < s_.size() && s_[i_] == '"') {
            kind = JsonKind::string;
            return string(out);
        }
        const std::size_t start = i_;
        while (i_ < s_.size() && s_[i_] != ',' && s_[i_] != '}' && s_[i_] != ' ') ++i_;
        out = std::string(s_.substr(start, i_ - start));
        if (out == "true" || out == "false") {
            kind = JsonKind::boolean;
        } else if (out == "null") {
            kind = JsonKind::null;
        } else {
            kind = JsonKind::number;
        }
        return !out.empty();
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

}  // namespace

void JsonWriter::open()
{
    out_.push_back('{');
    first_ = true;
}

void JsonWriter::close()
{
    out_.push_back('}');
    first_ = false;
}

void JsonWriter::key(std::string_view name)
{
    if (!first_) out_.push_back(',');
    first_ = false;
    append_json_string(out_, name);
    out_.push_back(':');
}

void JsonWriter::object(std::string_view name)
{
    key(name);
    open();
}

void JsonWriter::number(std::string_view name, long long value)
{
    key(name);
    append_formatted(out_, "%lld", value);
}

void JsonWriter::number(std::string_view name, double value)
{
    key(name);
    if (std::isfinite(value)) {
        append_formatted(out_, "%.17g", value);
    } else {
        out_ += "null";
    }
}

void JsonWriter::decimal(std::string_view name, double value, int digits)
{
    key(name);
    if (std::isfinite(value)) {
        append_formatted(out_, "%.*f", digits, value);
    } else {
        out_ += "null";
    }
}

void JsonWriter::text(std::string_view name, std::string_view value)
{
    key(name);
    append_json_string(out_, value);
}

void JsonWriter::boolean(std::string_view name, bool value)
{
    key(name);
    out_ += value ? "true" : "false";
}

void JsonWriter::null(std::string_view name)
{
    key(name);
    out_ += "null";
}

void append_json_string(std::string& out, std::string_view text)
{
    out.push_back('"');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const std::size_t length = utf8_length(text.substr(i));
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            append_formatted(out, "\\u%04x", static_cast<unsigned>(c));
        } else if (length == 0) {
            out += replacement_character;
        } else {
            out.append(text.substr(i, length));
            i += length - 1;
        }
    }
    out.push_back('"');
}

bool read_flat_json(std::string_view line, const JsonMember& take) { return FlatReader(line).read(take); }

}  // namespace qm
