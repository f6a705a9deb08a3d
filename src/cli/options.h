// Options as a table: each command declares its options once (name, value
// form, what a bad value is refused with, help), and one reader walks the
// arguments, hands each value to its option and words every refusal, the
// usage line and the help from that table.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Takes an option's value (null for a flag). False refuses it: with `why`
// left empty the reader says "bad WHAT 'VALUE': FORMS", otherwise `why`.
using TakeValue = std::function<bool(const char* value, std::string& why)>;

// A table is built each time a command line is read, so the fixed words are
// views of the program's own literals (the factories take `const char*`, which
// a built string does not turn into); only what is worked out is a string.
struct Option {
    std::string_view name;   // "--threads"
    std::string value;       // the value as the usage shows it ("N"); empty for a flag
    std::string_view what;   // what a refusal calls the value ("thread count")
    std::string forms;       // what the value may be ("1 to 32")
    std::string_view help;   // one line for --help
    TakeValue take;

    std::string fallback;     // taken before the arguments are read; empty: none
    std::string named;        // the default the help names though nothing takes it
    std::string_view usage;   // the usage's piece; empty: "[NAME VALUE]"
    bool shown = true;        // whether the usage shows it at all
    bool new_line = false;    // the usage goes on to a new line before it

    // The value taken when the option is not given; the help names it.
    Option&& defaulting_to(std::string taken) &&;
    // The help names `place` as the default, which the command works out
    // itself when the option is not given.
    Option&& naming_default(std::string place) &&;
    // The usage shows the option as `piece` instead.
    Option&& shown_as(const char* piece) &&;
    // The usage leaves it out (it is part of another's piece, or implied).
    Option&& unlisted() &&;
    // The usage starts a new line with it.
    Option&& on_new_line() &&;
};

// The word that chose the command, taken wherever it stands and otherwise
// ignored (--headless).
Option command_word(const char* name);
// A flag: sets target.
Option flag(const char* name, const char* help, bool& target);
// Any text: kept as given.
Option text(const char* name, const char* value, const char* help, const char*& target);
// A whole number within [low, high], refused as "bad WHAT 'V': LOW to HIGH".
Option whole(const char* name, const char* what, long low, long high, const char* help, int& target);
// A value read by take, refused as "bad WHAT 'V': FORMS" unless take says why.
Option custom(const char* name, std::string value, const char* what, std::string forms, const char* help,
              TakeValue take);

struct Command {
    // Room for every command's options, so the table is not moved as it grows.
    static constexpr std::size_t usual_options = 16;

    Command(const char* opening, const char* refusal_prefix, const char* hint)
        : head(opening), prefix(refusal_prefix), unknown_hint(hint)
    {
        options.reserve(usual_options);
    }

    std::string_view head;          // "qmsim table": what the usage line opens with
    std::string_view prefix;        // before an option's refusal ("table: ")
    std::string_view unknown_hint;  // after "unknown option 'X'"
    std::vector<Option> options;
};

// Takes every option's default, then reads argv[1] to argv[argc - 1]; false
// with the one-line reason.
bool read_options(const Command& command, int argc, char** argv, std::string& error);

// "usage: qmsim table [--map FILE] ...", wrapped where the table says, each
// line ended.
std::string usage_of(const Command& command);
// The usage, then a line per listed option with its help.
std::string help_of(const Command& command);

// "qmsim: PREFIX ERROR" and the usage on err; answers exit_bad_input.
int refuse_options(const Command& command, const std::string& error, std::FILE* err);
// The help on out; answers exit_ok, or exit_failed when out refuses it.
int print_help(const Command& command, std::FILE* out, std::FILE* err);

}  // namespace qm
