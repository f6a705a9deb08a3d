// The option reader: one walk over the arguments for every command, its
// refusals, usage and help worded from the command's table.
#include "cli/options.h"

#include <cstdlib>
#include <utility>

#include "cli/output.h"
#include "formats/words.h"
#include "shell/exit_codes.h"

namespace qm {

namespace {

// Where the help text of an option starts.
constexpr std::size_t help_column = 29;

const Option* find(const Command& command, std::string_view name)
{
    for (const Option& option : command.options) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

std::string piece(const Option& option)
{
    if (!option.usage.empty()) return std::string(option.usage);
    const std::string name(option.name);
    if (option.value.empty()) return "[" + name + "]";
    return "[" + name + " " + option.value + "]";
}

}  // namespace

Option&& Option::defaulting_to(std::string taken) &&
{
    fallback = std::move(taken);
    return std::move(*this);
}

Option&& Option::naming_default(std::string place) &&
{
    named = std::move(place);
    return std::move(*this);
}

Option&& Option::shown_as(const char* piece) &&
{
    usage = piece;
    return std::move(*this);
}

Option&& Option::unlisted() &&
{
    shown = false;
    return std::move(*this);
}

Option&& Option::on_new_line() &&
{
    new_line = true;
    return std::move(*this);
}

Option custom(const char* name, std::string value, const char* what, std::string forms, const char* help,
              TakeValue take)
{
    Option option;
    option.name = name;
    option.value = std::move(value);
    option.what = what;
    option.forms = std::move(forms);
    option.help = help;
    option.take = std::move(take);
    return option;
}

Option command_word(const char* name)
{
    return custom(name, "", "", {}, "", [](const char*, std::string&) { return true; }).unlisted();
}

Option flag(const char* name, const char* help, bool& target)
{
    return custom(name, "", "", {}, help, [&target](const char*, std::string&) {
        target = true;
        return true;
    });
}

Option text(const char* name, const char* value, const char* help, const char*& target)
{
    return custom(name, value, "", {}, help, [&target](const char* given, std::string&) {
        target = given;
        return true;
    });
}

Option whole(const char* name, const char* what, long low, long high, const char* help, int& target)
{
    return custom(name, "N", what, std::to_string(low) + " to " + std::to_string(high),
                  help, [&target, low, high](const char* given, std::string&) {
                      long parsed = 0;
                      if (!parse_whole_number(given, low, high, parsed)) return false;
                      target = static_cast<int>(parsed);
                      return true;
                  });
}

bool read_options(const Command& command, int argc, char** argv, std::string& error)
{
    for (const Option& option : command.options) {
        std::string why;
        // A default that does not read is the program's own mistake.
        if (!option.fallback.empty() && !option.take(option.fallback.c_str(), why)) std::abort();
    }
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const Option* option = find(command, arg);
        if (option == nullptr) {
            error = "unknown option '" + std::string(arg) + "'" + std::string(command.unknown_hint);
            return false;
        }
        const char* value = nullptr;
        if (!option->value.empty()) {
            if (i + 1 >= argc) {
                error = std::string(option->name) + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        std::string why;
        if (!option->take(value, why)) {
            error = !why.empty() ? why : "bad " + std::string(option->what) + " '" + value + "': " + option->forms;
            return false;
        }
    }
    return true;
}

std::string usage_of(const Command& command)
{
    std::string usage = "usage: " + std::string(command.head);
    const std::string indent(usage.size() + 1, ' ');
    for (const Option& option : command.options) {
        if (!option.shown) continue;
        usage += option.new_line ? "\n" + indent : " ";
        usage += piece(option);
    }
    return usage + "\n";
}

std::string help_of(const Command& command)
{
    std::string help = usage_of(command);
    bool first = true;
    for (const Option& option : command.options) {
        if (option.help.empty()) continue;
        if (first) help += "\n";
        first = false;
        std::string line = "  " + std::string(option.name);
        if (!option.value.empty()) line += " " + option.value;
        line += line.size() < help_column ? std::string(help_column - line.size(), ' ') : "  ";
        help += line;
        help += option.help;
        const std::string& named = option.fallback.empty() ? option.named : option.fallback;
        help += named.empty() ? "\n" : " (default: " + named + ")\n";
    }
    return help;
}

int refuse_options(const Command& command, const std::string& error, std::FILE* err)
{
    std::fprintf(err, "qmsim: %s%s\n%s", std::string(command.prefix).c_str(), error.c_str(), usage_of(command).c_str());
    return exit_bad_input;
}

int print_help(const Command& command, std::FILE* out, std::FILE* err)
{
    std::fputs(help_of(command).c_str(), out);
    return output_flushed(out, err) ? exit_ok : exit_failed;
}

}  // namespace qm
