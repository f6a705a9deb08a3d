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

struct Option {
    std::string name;   // "--threads"
    std::string value;  // the value as the usage shows it ("N"); empty for a flag
    std::string what;   // what a refusal calls the value ("thread count")
    std::string forms;  // what the value may be ("1 to 32")
    std::string help;   // one line for --help
    TakeValue take;

    std::string fallback;  // taken before the arguments are read; empty: none
    std::string usage;  // the usage's piece; empty: "[NAME VALUE]"
    bool shown = true;  // whether the usage shows it at all
    bool new_line = false;  // the usage goes on to a new line before it

    // The value taken when the option is not given; the help names it.
    Option& defaulting_to(std::string taken);
    // The usage shows the option as `piece` instead.
    Option& shown_as(std::string piece);
    // The usage leaves it out (it is part of another's piece, or implied).
    Option& unlisted();
    // The usage starts a new line with it.
    Option& on_new_line();
};

// The word that chose the command, taken wherever it stands and otherwise
// ignored (--headless).
Option command_word(std::string name);
// A flag: sets target.
Option flag(std::string name, std::string help, bool& target);
// Any text: kept as given.
Option text(std::string name, std::string value, std::string help, const char*& target);
// A whole number within [low, high], refused as "bad WHAT 'V': LOW to HIGH".
Option whole(std::string name, std::string what, long low, long high, std::string help, int& target);
// A value read by take, refused as "bad WHAT 'V': FORMS" unless take says why.
Option custom(std::string name, std::string value, std::string what, std::string forms, std::string help,
              TakeValue take);

struct Command {
    std::string head;          // "qmsim table": what the usage line opens with
    std::string prefix;        // before an option's refusal ("table: ")
    std::string unknown_hint;  // after "unknown option 'X'"
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
