// JSON for the program's one-line records (the runner's state, the drill
// history): a writer of objects with strings, numbers, booleans, null,
// nested objects and arrays of objects, and a reader of objects and arrays
// a level at a time.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace qm {

enum class JsonKind { string, number, boolean, null, array, object };

// Builds one object on one line; members are separated for the caller. A
// writer used again after clear() keeps its buffer, so lines no longer than
// the longest before allocate nothing.
class JsonWriter {
public:
    void clear()
    {
        out_.clear();
        first_ = true;
    }
    void open();   // {, after a ',' when an element of an array follows another
    void close();  // }

    void key(std::string_view name);
    void object(std::string_view name);  // "name":{
    void array(std::string_view name);   // "name":[, its elements each open() ... close()
    void close_array();                  // ]
    void number(std::string_view name, long long value);
    void number(std::string_view name, int value) { number(name, static_cast<long long>(value)); }
    // Enough digits to read back to the same value; null when not finite
    // (JSON has no infinities or NaN).
    void number(std::string_view name, double value);
    // With `digits` decimals.
    void decimal(std::string_view name, double value, int digits);
    void text(std::string_view name, std::string_view value);
    void boolean(std::string_view name, bool value);
    void null(std::string_view name);

    const std::string& line() const { return out_; }

private:
    std::string out_;
    bool first_ = true;
};

// Appends text as a JSON string, its quotes included; bytes that are not
// UTF-8 are written as U+FFFD, so the line is always valid JSON.
void append_json_string(std::string& out, std::string_view text);

// Calls take(key, value, kind) for each member of an object, in order: a
// string's text (its \u escapes as UTF-8), a number's or literal's as
// written, or a nested array's or object's text as written (read it with
// the functions below). False for anything but an object, a string that
// is not UTF-8 or holds a lone surrogate, nesting deeper than
// max_json_depth, or when take refuses a member.
constexpr int max_json_depth = 32;
using JsonMember = std::function<bool(const std::string& key, const std::string& value, JsonKind kind)>;
bool read_json_object(std::string_view text, const JsonMember& take);
// The same for each element of an array.
using JsonElement = std::function<bool(const std::string& value, JsonKind kind)>;
bool read_json_array(std::string_view text, const JsonElement& take);

}  // namespace qm
