// The page's codes, taken from the shell's own constants.
#include "web/web_codes.h"

#include "formats/json.h"
#include "shell/controls/touch_buttons.h"
#include "shell/dialog/dialog_procedure.h"
#include "shell/platform.h"
#include "sim/controls/inputs.h"

namespace qm::web {

namespace {

struct Code {
    const char* name;
    long long value;
};

void add(JsonWriter& json, const char* group, std::initializer_list<Code> codes)
{
    json.object(group);
    for (const Code& code : codes) json.number(code.name, code.value);
    json.close();
}

// Physical keys, by the names KeyboardEvent.code gives them, as the controls
// file names them: as the desktop reads them, the keypad's plus and minus
// are the power keys and the main keyboard's have codes of their own.
void add_keys(JsonWriter& json)
{
    json.object("keys");
    for (const KeyName& key : key_names()) json.number(key.name, static_cast<long long>(key.vk));
    json.close();
}

// A pad's buttons and axes by SDL's names, which the page maps the
// Gamepad API's standard layout to.
void add_pad(JsonWriter& json)
{
    json.object("padButtons");
    for (unsigned b = 0; b < pad_button_count; ++b) json.number(pad_button_name(static_cast<PadButton>(b)), static_cast<long long>(b));
    json.close();
    json.object("padAxes");
    for (unsigned a = 0; a < pad_axis_count; ++a) json.number(pad_axis_name(static_cast<PadAxis>(a)), static_cast<long long>(a));
    json.close();
}

// The page's touch buttons of each screen: label, action and what it does,
// in the order shown.
void add_touch_buttons(JsonWriter& json)
{
    json.object("touch");
    for (const TouchScreen screen : touch_screens) {
        json.object(touch_screen_name(screen));
        for (const TouchButton& button : touch_buttons(screen)) {
            json.object(button.label);
            json.number("action", index_of(button.action));
            json.text("what", action_info(button.action).what);
            json.close();
        }
        json.close();
    }
    json.close();
}

}  // namespace

std::string page_codes()
{
    JsonWriter json;
    json.open();
    add(json, "messages",
        {{"WM_PAINT", WM_PAINT}, {"WM_CLOSE", WM_CLOSE}, {"WM_KEYDOWN", WM_KEYDOWN}, {"WM_KEYUP", WM_KEYUP},
         {"WM_MOUSEMOVE", WM_MOUSEMOVE}, {"WM_RBUTTONDOWN", WM_RBUTTONDOWN}, {"WM_RBUTTONUP", WM_RBUTTONUP},
         {"WM_MOUSEWHEEL", WM_MOUSEWHEEL}, {"WM_PAD_BUTTON", WM_PAD_BUTTON}, {"WM_PAD_AXIS", WM_PAD_AXIS},
         {"WM_ACTION", WM_ACTION}});
    add(json, "wheel", {{"WHEEL_NOTCH", wheel_notch}});
    add_pad(json);
    add(json, "modifiers", {{"MOD_SHIFT", MOD_SHIFT}, {"MOD_CONTROL", MOD_CONTROL}, {"MOD_ALT", MOD_ALT}});
    add(json, "windows",
        {{"MAIN", static_cast<long long>(Window::main)}, {"DIALOG", static_cast<long long>(Window::dialog)}});
    add(json, "notifications", {{"BN_CLICKED", BN_CLICKED}, {"CBN_SELCHANGE", CBN_SELCHANGE}});
    add(json, "controls", {{"MAP_LIST", IDC_MAP_LIST}});
    add(json, "vk", {{"VK_RETURN", VK_RETURN}, {"VK_ESCAPE", VK_ESCAPE}});
    add_keys(json);
    add_touch_buttons(json);
    json.close();
    return json.line();
}

}  // namespace qm::web
