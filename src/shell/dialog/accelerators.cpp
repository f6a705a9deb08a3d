// Reading the accelerator table and matching key presses against it.
#include "shell/dialog/accelerators.h"

#include <charconv>

#include "shell/dialog/resource_text.h"

namespace qm {

namespace {

bool parse_unsigned(const std::string& word, unsigned& value)
{
    int base = 10;
    std::size_t skip = 0;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        base = 16;
        skip = 2;
    }
    const char* end = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data() + skip, end, value, base);
    return ec == std::errc() && ptr == end && skip < word.size();
}

bool parse_key(const std::string& word, unsigned& key)
{
    struct Name {
        const char* word;
        unsigned key;
    };
    static constexpr Name names[] = {
        {"VK_RETURN", VK_RETURN}, {"VK_ESCAPE", VK_ESCAPE},     {"VK_LEFT", VK_LEFT}, {"VK_UP", VK_UP},
        {"VK_RIGHT", VK_RIGHT},   {"VK_DOWN", VK_DOWN},         {"VK_ADD", VK_ADD},   {"VK_SUBTRACT", VK_SUBTRACT},
    };
    for (const Name& name : names) {
        if (word == name.word) {
            key = name.key;
            return true;
        }
    }
    // A letter or digit stands for itself (upper case).
    if (word.size() == 1 && ((word[0] >= 'A' && word[0] <= 'Z') || (word[0] >= '0' && word[0] <= '9'))) {
        key = static_cast<unsigned char>(word[0]);
        return true;
    }
    return parse_unsigned(word, key) && key > 0 && key < 0x100;
}

bool parse_modifier(const std::string& word, unsigned& modifiers)
{
    if (word == "SHIFT") modifiers |= MOD_SHIFT;
    else if (word == "CONTROL") modifiers |= MOD_CONTROL;
    else if (word == "ALT") modifiers |= MOD_ALT;
    else return false;
    return true;
}

}  // namespace

bool parse_accelerators(std::string_view text, AcceleratorTable& table, std::string& error)
{
    table = AcceleratorTable{};
    bool have_header = false;
    auto statement = [&](const std::vector<std::string>& words) -> const char* {
        if (words[0] == "ACCELERATORS") {
            unsigned id = 0;
            if (words.size() != 2 || !parse_unsigned(words[1], id)) return "expected ACCELERATORS id";
            table.resource_id = static_cast<int>(id);
            have_header = true;
        } else if (words[0] == "KEY") {
            Accelerator entry;
            if (words.size() < 3 || !parse_key(words[1], entry.key) || !parse_unsigned(words[2], entry.command) ||
                entry.command > 0xFFFFu) {
                return "expected KEY virtual-key command [SHIFT] [CONTROL] [ALT]";
            }
            for (std::size_t i = 3; i < words.size(); ++i) {
                if (!parse_modifier(words[i], entry.modifiers)) return "unknown modifier";
            }
            table.entries.push_back(entry);
        } else {
            return "unknown statement";
        }
        return nullptr;
    };
    if (!read_resource_statements(text, "accelerator table", error, statement)) return false;
    if (!have_header) {
        error = "accelerator table: no ACCELERATORS statement";
        return false;
    }
    return true;
}

unsigned match_accelerator(const AcceleratorTable& table, unsigned message, WPARAM key, unsigned modifiers)
{
    if (message != WM_KEYDOWN) return 0;
    for (const Accelerator& entry : table.entries) {
        if (entry.key == key && entry.modifiers == modifiers) return entry.command;
    }
    return 0;
}

}  // namespace qm
