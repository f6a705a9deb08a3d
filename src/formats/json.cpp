// Writing and reading one-line JSON objects.
#include "formats/json.h"

#include <cmath>
#include <cstdio>

#include "formats/utf8.h"

namespace qm {

namespace {

// What a number or a literal is written with.
bool scalar_character(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '+' ||
           c == '.';
}

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

// Reads an object or an array a level at a time, left to right; a nested
// value is checked and handed over as written.
class JsonReader {
public:
    explicit JsonReader(std::string_view text) : s_(text) {}

    bool object(const JsonMember& take)
    {
        blanks();
        if (!eat('{')) return false;
        return members([&](const std::string& key, std::string& value, JsonKind& kind) {
            return this->value(value, kind, 1) && take(key, value, kind);
        }) && at_end();
    }

    bool array(const JsonElement& take)
    {
        blanks();
        if (!eat('[')) return false;
        return elements([&](std::string& value, JsonKind& kind) {
            return this->value(value, kind, 1) && take(value, kind);
        }) && at_end();
    }

private:
    // After the '{': each member to `one`, up to the '}'.
    template <class One>
    bool members(const One& one)
    {
        blanks();
        if (eat('}')) return true;
        for (;;) {
            std::string key;
            std::string value;
            JsonKind kind = JsonKind::null;
            blanks();
            if (!string(key)) return false;
            blanks();
            if (!eat(':')) return false;
            blanks();
            if (!one(key, value, kind)) return false;
            blanks();
            if (eat('}')) return true;
            if (!eat(',')) return false;
        }
    }
    // After the '[': each element to `one`, up to the ']'.
    template <class One>
    bool elements(const One& one)
    {
        blanks();
        if (eat(']')) return true;
        for (;;) {
            std::string value;
            JsonKind kind = JsonKind::null;
            blanks();
            if (!one(value, kind)) return false;
            blanks();
            if (eat(']')) return true;
            if (!eat(',')) return false;
        }
    }
    // A nested object or array, checked through to its end; its text as written.
    bool nested(std::string& out, JsonKind& kind, int depth)
    {
        if (depth > max_json_depth) return false;
        const std::size_t start = i_;
        const auto inner = [&](std::string& value, JsonKind& k) { return this->value(value, k, depth + 1); };
        bool read = false;
        if (eat('{')) {
            kind = JsonKind::object;
            read = members([&](const std::string&, std::string& value, JsonKind& k) { return inner(value, k); });
        } else if (eat('[')) {
            kind = JsonKind::array;
            read = elements(inner);
        }
        // Only a member's or an element's own value is handed over; those
        // inside it are read again from its text, if at all.
        if (read && depth == 1) out.assign(s_.substr(start, i_ - start));
        return read;
    }
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
    bool value(std::string& out, JsonKind& kind, int depth)
    {
        if (i_ < s_.size() && s_[i_] == '"') {
            kind = JsonKind::string;
            return string(out);
        }
        if (i_ < s_.size() && (s_[i_] == '{' || s_[i_] == '[')) return nested(out, kind, depth);
        const std::size_t start = i_;
        while (i_ < s_.size() && scalar_character(s_[i_])) ++i_;
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
    if (!first_) out_.push_back(',');
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
    out_.push_back('{');
    first_ = true;
}

void JsonWriter::array(std::string_view name)
{
    key(name);
    out_.push_back('[');
    first_ = true;
}

void JsonWriter::close_array()
{
    out_.push_back(']');
    first_ = false;
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

bool read_json_object(std::string_view text, const JsonMember& take) { return JsonReader(text).object(take); }

bool read_json_array(std::string_view text, const JsonElement& take) { return JsonReader(text).array(take); }

}  // namespace qm
