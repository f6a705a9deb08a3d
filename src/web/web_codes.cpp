// The page's codes, taken from the shell's own constants.
#include "web/web_codes.h"

#include "shell/dialog/dialog_procedure.h"
#include "shell/json.h"
#include "shell/platform.h"

namespace qm::web {

namespace {

struct Code {
    const char* name;
    long long value;
};

// Physical keys, by the names KeyboardEvent.code gives them, that the
// program has a use for: as the desktop reads them, the keypad's plus and
// minus are the power keys and the main keyboard's have codes of their own.
constexpr Code named_keys[] = {
    {"Enter", VK_RETURN},   {"NumpadEnter", VK_RETURN},  {"Escape", VK_ESCAPE},  {"ArrowLeft", VK_LEFT},
    {"ArrowUp", VK_UP},     {"ArrowRight", VK_RIGHT},    {"ArrowDown", VK_DOWN}, {"NumpadAdd", VK_ADD},
    {"NumpadSubtract", VK_SUBTRACT}, {"F12", VK_F12},    {"Equal", VK_OEM_PLUS}, {"Minus", VK_OEM_MINUS},
};

void add(JsonWriter& json, const char* group, std::initializer_list<Code> codes)
{
    json.object(group);
    for (const Code& code : codes) json.number(code.name, code.value);
    json.close();
}

void add_keys(JsonWriter& json)
{
    json.object("keys");
    for (const Code& key : named_keys) json.number(key.name, key.value);
    for (char letter = 'A'; letter <= 'Z'; ++letter) json.number(std::string("Key") + letter, letter);
    for (char digit = '0'; digit <= '9'; ++digit) json.number(std::string("Digit") + digit, digit);
    json.close();
}

}  // namespace

std::string page_codes()
{
    JsonWriter json;
    json.open();
    add(json, "messages",
        {{"WM_PAINT", WM_PAINT}, {"WM_CLOSE", WM_CLOSE}, {"WM_KEYDOWN", WM_KEYDOWN}, {"WM_KEYUP", WM_KEYUP},
         {"WM_MOUSEMOVE", WM_MOUSEMOVE}, {"WM_RBUTTONDOWN", WM_RBUTTONDOWN}, {"WM_RBUTTONUP", WM_RBUTTONUP}});
    add(json, "modifiers", {{"MOD_SHIFT", MOD_SHIFT}, {"MOD_CONTROL", MOD_CONTROL}, {"MOD_ALT", MOD_ALT}});
    add(json, "windows",
        {{"MAIN", static_cast<long long>(Window::main)}, {"DIALOG", static_cast<long long>(Window::dialog)}});
    add(json, "notifications", {{"BN_CLICKED", BN_CLICKED}, {"CBN_SELCHANGE", CBN_SELCHANGE}});
    add(json, "controls", {{"MAP_LIST", IDC_MAP_LIST}});
    add(json, "vk", {{"VK_RETURN", VK_RETURN}, {"VK_ESCAPE", VK_ESCAPE}});
    add_keys(json);
    json.close();
    return json.line();
}

}  // namespace qm::web
